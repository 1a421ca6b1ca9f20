#pragma once

#include "engine/berechnungsdaten.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace velkor {

namespace meldung {
inline constexpr std::string_view divisionDurchNull = "Division durch Null";
inline constexpr std::string_view nichtAusreichend = "Nicht ausreichend dimensioniert!";
inline constexpr std::string_view ausreichend = "Ausreichend dimensioniert.";
inline constexpr std::string_view eingabenPruefen = "Eingaben überprüfen.";
inline constexpr std::string_view allgemeinerFehler = "Allgemeiner Fehler: Berechnung abgebrochen!";
} // namespace meldung

// Background of the status line: the system's button face, dark red (192, 0, 0)
// or yellow (255, 255, 0).
enum class Statusfarbe { normal, rot, gelb };
// Text colour of a reserve box: green (0, 192, 0) for zero or more, dark red (192, 0, 0) below.
enum class Reservefarbe { gruen, rot };

// The switches as the window shows them when the run starts.
struct Schalter {
    bool zylinder = true;    // OptionZylinder selected, else OptionKugel
    bool stutzen = false;    // CheckStutzen
    bool scheibe = false;    // CheckScheibe
    bool ausgehalst = false; // Checkausgehalst
};

// The box text of every numeric quantity, indexed by Groesse.
using Kastentexte = std::array<std::string, anzahlGroessen>;

inline std::string& text(Kastentexte& t, Groesse g) { return t[static_cast<std::size_t>(g)]; }
inline const std::string& text(const Kastentexte& t, Groesse g) { return t[static_cast<std::size_t>(g)]; }

// Quantities a run forms on its way that no box shows, in the order it forms them.
// Lengths in mm, angles in degrees (phiRad in radians), forces in N.
enum class Zwischengroesse {
    phiRad,         // phi · 3.14159/180
    rm,             // mean shell radius (Da − se)/2
    se,             // effective shell wall s − c1 − c2
    ri,             // inner shell radius after allowances, Da/2 − s + c1 + c2
    ses,            // effective nozzle wall ss − c1s − c2s
    fA,             // extruded outlet: 0.9, else 1
    fS,             // pad on an oblique nozzle: 0.8 or 0.7, else 1
    DaDi,           // Da/(Da − 2·s): where the shell's wall formula holds
    bWurzel,        // √((Da − se)·se), before the discontinuity x limits it
    lsmWurzel,      // √((Das − ses)·ses)
    lsmWinkel,      // lsmWurzel with the cylinder's angle factor, before ls limits it
    lsmStrichVoll,  // 0.5 · lsmWinkel, before ls' limits it
    lsmStrich,      // effective length inside the shell, as credited
    scheibenbreite, // pad width as credited: bScheibe, at most b
    scheibenhoehe,  // pad height as credited: hScheibe, at most s
    ris,            // inner nozzle radius after allowances
    dSchraeg,       // Das/(2·sin phi): the opening's width along the shell
    alpha,          // sphere: the opening seen from the centre
    alphaT,         // sphere: alpha widened by b
    tSchraeg,       // oblique nozzle's extra term (0 at 90°)
    NStrich,        // supporting force of the area comparison
    F,              // pressure force p/10 · Ap
    pmaxMassgebend, // the smallest of pmaxG and, with a nozzle, pmaxS and pmaxFV
};
inline constexpr std::size_t anzahlZwischengroessen = 23;

// Name of an intermediate quantity, also used in JSON: "lsmStrich".
std::string_view name(Zwischengroesse g);

// What one run formed; a quantity it did not reach stays empty.
struct Zwischenwerte {
    std::array<std::optional<double>, anzahlZwischengroessen> werte;

    std::optional<double> operator[](Zwischengroesse g) const { return werte[static_cast<std::size_t>(g)]; }
};

// The steps of a run in their order.
enum class Schritt {
    eingaben,     // entry texts taken in
    ableitung,    // derived values and plausibility checks
    grundkoerper, // sG, pmaxG, rG
    stutzen,      // sS, pmaxS, rS
    breite,       // b
    laenge,       // lsm, lsm'
    As0,
    As1,
    As2,
    Ap,           // Ap and rFV
    pmaxFV,
    dmax,
    urteil,       // verdict reached
};

// What a run reports besides the values it wrote.
struct Rechenlauf {
    std::string status;                   // status line text
    Statusfarbe statusfarbe = Statusfarbe::normal;
    bool berechnet = false;               // the run reached its verdict
    // Colour of each reserve box the run wrote (rG, rS, rFV), in order of writing.
    std::vector<std::pair<Groesse, Reservefarbe>> reservefarben;
    // The step the run ended in: urteil when it reached its verdict, else where it stopped.
    Schritt schritt = Schritt::eingaben;
    Zwischenwerte zwischenwerte;
};

// One run of the calculation. Takes the entry texts in (rewriting each entry box
// it reads with "#######0.00"), checks plausibility, computes shell, nozzle and
// area comparison, and writes every result it reaches into `daten` and `texte`.
// A run that stops keeps what it wrote before the stop and writes nothing after it.
// An entry beyond the range of a double, and every arithmetic failure, end the
// run on the general error path.
Rechenlauf berechnung(Berechnungsdaten& daten, Kastentexte& texte, const Schalter& schalter,
                      std::string_view dezimaltrenner);

} // namespace velkor
