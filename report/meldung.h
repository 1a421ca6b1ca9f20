#pragma once

#include "engine/berechnung.h"

#include <string_view>

namespace velkor {

// The status line's text for how a run ended.
constexpr std::string_view meldung(Ausgang a)
{
    switch (a) {
    case Ausgang::ausreichend: return "Ausreichend dimensioniert.";
    case Ausgang::nichtAusreichend: return "Nicht ausreichend dimensioniert!";
    case Ausgang::eingabenPruefen: return "Eingaben überprüfen.";
    case Ausgang::nullteiler: return "Division durch Null";
    case Ausgang::rechenfehler: break;
    }
    return "Allgemeiner Fehler: Berechnung abgebrochen!";
}

} // namespace velkor
