#pragma once

#include "engine/berechnungsdaten.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace velkor {

// How a run ended. The first three are verdicts; the other two are stops,
// after which the run writes nothing more.
enum class Ausgang {
    ausreichend,      // every reserve ≥ 0 and the inputs plausible
    nichtAusreichend, // some reserve < 0
    eingabenPruefen,  // the reserves ≥ 0, but a plausibility check failed
    nullteiler,       // a divisor of its step is exactly zero (`Rechenlauf::nullteiler`)
    rechenfehler,     // an entry beyond the range of a double, or an arithmetic failure
};

// The plausibility checks; each fails when its condition holds.
enum class Plausibilitaet {
    wandGrundkoerper, // 2·s ≥ Da
    wandStutzen,      // 2·ss > Das
    seGrundkoerper,   // se ≤ 0
    sesStutzen,       // ses < 0
    stutzenBreiter,   // Das > Da
    stutzenTiefer,    // ls' > Da
};

// The switches as the window shows them when the run starts.
struct Schalter {
    bool zylinder = true;    // OptionZylinder selected, else OptionKugel
    bool stutzen = false;    // CheckStutzen
    bool scheibe = false;    // CheckScheibe
    bool ausgehalst = false; // Checkausgehalst
};

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
    DaDiStutzen,    // Das/(Das − 2·ss): the same for the nozzle's pipe
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
inline constexpr std::size_t anzahlZwischengroessen = 24;

// The largest Da/Di for which the wall-thickness formula holds: 1.2, and 1.7
// for a cylinder (a nozzle is one) of at most 200 mm outside diameter.
constexpr double anwendungsgrenze(bool zylinder, double Da) { return zylinder && Da <= 200 ? 1.7 : 1.2; }

// Name of an intermediate quantity, also used in JSON: "lsmStrich".
std::string_view name(Zwischengroesse g);

// What one run formed; a quantity it did not reach stays empty.
struct Zwischenwerte {
    std::array<std::optional<double>, anzahlZwischengroessen> werte;

    std::optional<double> operator[](Zwischengroesse g) const { return werte[static_cast<std::size_t>(g)]; }
};

// The steps of a run in their order.
enum class Schritt {
    eingaben,     // entries taken in
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

// One quantity as the run formed it, for the worked calculation: its symbol,
// the formula in symbols (decimal points as '.') and the value.
struct Formel {
    std::string_view symbol;  // "sG", "b0", "lsm'"
    std::string text;         // empty for a factor that a rule sets
    double wert = 0;
    std::string_view einheit; // "mm", empty for a ratio
    // Values of symbols in the formula that are not the design's entries.
    std::vector<std::pair<std::string_view, double>> operanden;
};

// One run: the design with what the run wrote, and how it ended.
struct Rechenlauf {
    // The design handed in, with every value the run took in or formed. An entry
    // the run did not take in (a stop before it) is left as handed in.
    Berechnungsdaten daten;
    // The quantities whose value the run set: entries taken in, results formed
    // (also a result set to 0 on a stop).
    std::array<bool, anzahlGroessen> gesetzt{};
    // The quantities the run shows: entries taken in and results written in the
    // display pattern. A stopped run shows nothing from its stop on.
    std::array<bool, anzahlGroessen> gezeigt{};
    Ausgang ausgang = Ausgang::rechenfehler;
    // The step the run ended in: urteil when it reached its verdict, else where it stopped.
    Schritt schritt = Schritt::eingaben;
    std::vector<Plausibilitaet> unplausibel; // failed checks, in the order of the enumeration
    // On Ausgang::nullteiler, the zero divisor in symbols: "p", "20·K/S·v + p", "sG".
    std::string nullteiler;
    Zwischenwerte zwischenwerte;
    std::vector<Formel> formeln; // in the order the run formed them

    bool berechnet() const { return schritt == Schritt::urteil; }
    const Formel* formel(std::string_view symbol) const;
};

// One run of the calculation on the design's numbers and the switches: takes
// the entries in (the pressure as its magnitude; without a pad, the pad's values
// at their start values), checks plausibility, computes shell, nozzle and area
// comparison. A run that stops keeps what it formed before the stop. An entry
// beyond the range of a double, and every arithmetic failure, end the run on
// the general error path (Ausgang::rechenfehler).
Rechenlauf berechnung(const Berechnungsdaten& design, const Schalter& schalter);

} // namespace velkor
