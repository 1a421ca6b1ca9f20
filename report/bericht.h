#pragma once

#include "engine/berechnung.h"
#include "engine/projekt.h"

#include <array>
#include <string>
#include <string_view>

namespace velkor {

inline constexpr std::string_view berichtVerweigert = "Ausgabe nicht möglich: Berechnung abgebrochen.";

// The box text of every numeric quantity, indexed by Groesse.
using Kastentexte = std::array<std::string, anzahlGroessen>;

inline std::string& text(Kastentexte& t, Groesse g) { return t[static_cast<std::size_t>(g)]; }
inline const std::string& text(const Kastentexte& t, Groesse g) { return t[static_cast<std::size_t>(g)]; }

// What the report reads from the main window after the calculation has run.
struct Berichtsdaten {
    Kastentexte texte;              // box texts of the numeric quantities
    std::string bezeichnung;        // texts of TextBez, TextNummer, TextBearb, control characters blank
    std::string nummer;
    std::string bearbeiter;
    Berechnungsdaten daten;         // unrounded reserves and areas, shape flag
    bool stutzen = false;
    bool scheibe = false;
    bool ausgehalst = false;
    std::string dezimaltrenner = ".";
    Angaben angaben;                // design temperature and materials
};

// One calculation as the worked calculation and the drawing read it: the
// report's data (record, switches, box texts, heading) and the run that wrote them.
struct Rechenstand {
    Berichtsdaten daten;
    Rechenlauf lauf;
    std::optional<Pruefzustand> pruefung; // the check at test pressure, when it was run
};

// The report text of a run that reached its verdict: UTF-8, a leading empty
// line, CR LF after every line; the check at test pressure ("PRÜFZUSTAND:")
// after the verdict when it was run, then notes ("HINWEISE:") when there are any.
std::string bericht(const Berichtsdaten& daten, const Rechenlauf& lauf, const Pruefzustand* pruefung = nullptr);

// The report's verdict line of a run that reached its verdict.
std::string_view urteilszeile(const Berichtsdaten& daten, const Rechenlauf& lauf);

// The verdict line of the check at test pressure, also of one that stopped.
std::string pruefurteilszeile(const Berichtsdaten& betrieb, const Pruefzustand& pruefung);

} // namespace velkor
