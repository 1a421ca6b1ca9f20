// Any bytes into the project file reader. What it accepts must survive being
// written and read again: the second reading succeeds, gives the same project
// (numbers to the 15 digits written) and writes the same bytes.
#include "project/projektdatei.h"
#include "fuzz/pruefe.h"

#include <cmath>
#include <cstdint>

using namespace velkor;

namespace {

bool gleichAufFuenfzehnStellen(double a, double b)
{
    return a == b || std::abs(a - b) <= 1e-14 * std::abs(a);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t groesse)
{
    const Leseergebnis erst = leseProjekt({reinterpret_cast<const char*>(daten), groesse});
    if (!erst.projekt) {
        pruefe(!erst.fehler.empty(), "a refused file has a reason");
        return 0;
    }
    pruefe(erst.fehler.empty(), "an accepted file has no reason");

    const Dateiinhalt geschrieben = schreibeProjekt(*erst.projekt);
    const Leseergebnis zweit = leseProjekt(geschrieben.bytes);
    pruefe(zweit.projekt.has_value(), "a written file reads back");
    const Projekt& a = *erst.projekt;
    const Projekt& b = *zweit.projekt;
    for (const auto& g : groessen())
        pruefe(gleichAufFuenfzehnStellen(a.daten.*g.feld, b.daten.*g.feld), "numbers read back to 15 digits");
    pruefe(a.daten.zylinder == b.daten.zylinder && a.stutzen == b.stutzen && a.ausgehalst == b.ausgehalst &&
               a.scheibe == b.scheibe,
           "shape and switches read back");
    if (geschrieben.ersetzteZeichen.empty())
        pruefe(a.bezeichnung == b.bezeichnung && a.nummer == b.nummer && a.bearbeiter == b.bearbeiter,
               "texts read back when nothing was replaced");
    const Dateiinhalt nochmals = schreibeProjekt(b);
    pruefe(nochmals.bytes == geschrieben.bytes, "writing what was read back gives the same bytes");
    pruefe(nochmals.ersetzteZeichen.empty(), "a written file holds nothing that must be replaced");
    return 0;
}
