#pragma once

#include "engine/pruefzustand.h"

#include <string>

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

// The status line's text for a design with both cases.
inline std::string meldung(const Urteil& u)
{
    if (!u.imPruefzustand || u.ausgang == Ausgang::eingabenPruefen)
        return std::string(meldung(u.ausgang));
    if (u.ausgang == Ausgang::nichtAusreichend)
        return "Nicht ausreichend im Prüfzustand!";
    return "Prüfzustand: " + std::string(meldung(u.ausgang));
}

} // namespace velkor
