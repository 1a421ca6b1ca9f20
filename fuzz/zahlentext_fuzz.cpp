// Any text into the entry conversion, and every finite result into the
// display patterns: the display text has the pattern's form and reads back
// to the value within the pattern's rounding.
#include "engine/zahlentext.h"
#include "fuzz/pruefe.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <regex>
#include <string>

using namespace velkor;

namespace {

void pruefeAnzeige(double wert, Muster muster)
{
    const std::string punkt = anzeigetext(wert, muster, ".");
    const std::string komma = anzeigetext(wert, muster, ",");
    static const std::regex zweiStellen(R"(-?\d+\.\d\d)"), ganz(R"(-?\d+)");
    pruefe(std::regex_match(punkt, muster == Muster::zweiStellen ? zweiStellen : ganz), "the display text has the pattern's form");
    std::string kommaErwartet = punkt;
    std::replace(kommaErwartet.begin(), kommaErwartet.end(), '.', ',');
    pruefe(komma == kommaErwartet, "the separator is the only difference");
    pruefe((punkt.front() == '-') == (wert < 0), "a minus sign exactly for negative values");

    const double halbeStelle = muster == Muster::zweiStellen ? 0.005 : 0.5;
    const double zurueck = zahlAusText(komma, ",");
    pruefe(std::abs(zurueck - wert) <= halbeStelle + 1e-12 + 4 * DBL_EPSILON * std::abs(wert),
           "the display text reads back within the pattern's rounding");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t groesse)
{
    const std::string text(reinterpret_cast<const char*>(daten), groesse);
    // The regional separator of a Persian locale: two bytes, read as a point.
    const double wert = zahlAusText(text, "٫");
    pruefe(!std::isnan(wert), "an entry never gives an undefined value");

    std::string mitPunkten = text;
    std::replace(mitPunkten.begin(), mitPunkten.end(), ',', '.');
    const double wertMitPunkten = zahlAusText(mitPunkten, "٫");
    pruefe(std::signbit(wertMitPunkten) == std::signbit(wert) && (wertMitPunkten == wert),
           "a comma reads as a point");

    // An infinite value is never stored, so it is never displayed.
    if (std::isfinite(wert)) {
        pruefeAnzeige(wert, Muster::zweiStellen);
        pruefeAnzeige(wert, Muster::ganz);
    }
    return 0;
}
