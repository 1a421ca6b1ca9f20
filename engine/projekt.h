#pragma once

#include "engine/berechnungsdaten.h"
#include "engine/pruefzustand.h"

#include <optional>
#include <vector>

#include <string>

namespace velkor {

// Design temperature and materials. They document K, which stays as typed.
struct Angaben {
    std::optional<double> temperatur; // °C
    std::string werkstoffGrundkoerper; // UTF-8, free text such as "P265GH"
    std::string werkstoffStutzen;
    std::string werkstoffScheibe;

    bool operator==(const Angaben&) const = default;
};

// What a project file holds: the stored values of one calculation, in the
// order of its lines.
struct Projekt {
    Berechnungsdaten daten;   // a line per quantity (its dateizeile), then the shape
    bool stutzen = false;     // CheckStutzen
    bool ausgehalst = false;  // Checkausgehalst
    bool scheibe = false;     // CheckScheibe
    std::string bezeichnung;  // TextBez (UTF-8)
    std::string nummer;       // TextNummer
    std::string bearbeiter;   // TextBearb
    // Kept after the 44 lines, in the section [Velkor]:
    Angaben angaben;
    Pruefangaben pruefung;
    // Lines of the section with keys this version does not know, as read
    // (Windows-1252), so that a newer version's file loses nothing.
    std::vector<std::string> fremdeZeilen;
};

} // namespace velkor
