#pragma once

#include "engine/berechnungsdaten.h"

#include <array>
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

// What a run reports besides the values it wrote.
struct Rechenlauf {
    std::string status;                   // status line text
    Statusfarbe statusfarbe = Statusfarbe::normal;
    bool berechnet = false;               // the run reached its verdict
    // Colour of each reserve box the run wrote (rG, rS, rFV), in order of writing.
    std::vector<std::pair<Groesse, Reservefarbe>> reservefarben;
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
