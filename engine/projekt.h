#pragma once

#include "engine/berechnungsdaten.h"

#include <string>

namespace velkor {

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
};

} // namespace velkor
