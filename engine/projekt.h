#pragma once

#include "engine/berechnungsdaten.h"

#include <string>

namespace velkor {

// What a project file holds: the stored values of one calculation.
struct Projekt {
    Berechnungsdaten daten;   // lines 1–37 (in file order), line 38 the shape
    bool stutzen = false;     // line 39, CheckStutzen
    bool ausgehalst = false;  // line 40, Checkausgehalst
    bool scheibe = false;     // line 41, CheckScheibe
    std::string bezeichnung;  // line 42, TextBez (UTF-8)
    std::string nummer;       // line 43, TextNummer
    std::string bearbeiter;   // line 44, TextBearb
};

} // namespace velkor
