// Any bytes as entry texts into one calculation run. The first byte sets the
// switches and the decimal separator (point, comma or "٫"); the rest, split at line
// feeds, fills the entries in record order. Whatever the texts, the run sets
// only finite numbers, it has a verdict exactly when it reached it, and every
// value it shows has its pattern's form.
#include "engine/berechnung.h"
#include "engine/zahlentext.h"
#include "fuzz/pruefe.h"

#include <cmath>
#include <cstdint>
#include <regex>
#include <string_view>

using namespace velkor;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t groesse)
{
    if (groesse == 0)
        return 0;
    const std::uint8_t kopf = daten[0];
    const Schalter schalter{.zylinder = (kopf & 1) != 0, .stutzen = (kopf & 2) != 0,
                            .scheibe = (kopf & 4) != 0, .ausgehalst = (kopf & 8) != 0};
    // The rewritten boxes must read back under a two-byte separator ("٫") too.
    const std::string_view trenner = (kopf & 16) != 0 ? "," : (kopf & 32) != 0 ? "٫" : ".";

    Berechnungsdaten design;
    std::string_view rest(reinterpret_cast<const char*>(daten) + 1, groesse - 1);
    for (const Groesseninfo& i : groessen()) {
        if (!i.eingabe)
            continue;
        const auto ende = rest.find('\n');
        wert(design, i.groesse) = zahlAusText(rest.substr(0, ende), trenner);
        rest = ende == std::string_view::npos ? std::string_view{} : rest.substr(ende + 1);
    }
    const Rechenlauf lauf = berechnung(design, schalter);

    for (const Groesseninfo& i : groessen())
        if (lauf.gesetzt[static_cast<std::size_t>(i.groesse)])
            pruefe(std::isfinite(wert(lauf.daten, i.groesse)), "the run sets only finite numbers");
    const bool verdikt = lauf.ausgang == Ausgang::ausreichend || lauf.ausgang == Ausgang::nichtAusreichend
        || lauf.ausgang == Ausgang::eingabenPruefen;
    pruefe(verdikt == lauf.berechnet(), "a verdict exactly when the run reached it");
    pruefe(lauf.ausgang != Ausgang::nullteiler || !lauf.nullteiler.empty(), "a zero divisor is named");
    if (!lauf.berechnet())
        return 0;
    const std::regex zweiStellen("-?[0-9]+" + std::string(trenner == "." ? "\\." : trenner) + "[0-9]{2}"), ganz("-?[0-9]+");
    for (const Groesseninfo& i : groessen()) {
        if (!lauf.gezeigt[static_cast<std::size_t>(i.groesse)])
            continue;
        const double w = wert(lauf.daten, i.groesse);
        const std::string text = anzeigetext(w, i.muster, trenner);
        pruefe(std::regex_match(text, i.muster == Muster::ganz ? ganz : zweiStellen), "a shown value has its pattern's form");
        if (i.eingabe)
            pruefe(std::fabs(zahlAusText(text, trenner) - w) <= 0.005 * (1 + 1e-12) + std::fabs(w) * 1e-15,
                   "a shown entry reads back as its value to two decimals");
    }
    return 0;
}
