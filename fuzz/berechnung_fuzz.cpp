// Any bytes as entry texts into one calculation run. The first byte sets the
// switches and the decimal separator (point, comma or "٫"); the rest, split at line
// feeds, fills the entry boxes in record order. Whatever the texts, the record
// holds only finite numbers afterwards, the status matches `berechnet`, and a
// run that reached its verdict rewrote every box it read with its value, in
// its pattern's form.
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

    Kastentexte texte;
    std::string_view rest(reinterpret_cast<const char*>(daten) + 1, groesse - 1);
    for (const Groesseninfo& i : groessen()) {
        if (!i.eingabe)
            continue;
        const auto ende = rest.find('\n');
        text(texte, i.groesse) = rest.substr(0, ende);
        rest = ende == std::string_view::npos ? std::string_view{} : rest.substr(ende + 1);
    }

    Berechnungsdaten datensatz;
    const Rechenlauf lauf = berechnung(datensatz, texte, schalter, trenner);

    for (const Groesseninfo& i : groessen())
        pruefe(std::isfinite(wert(datensatz, i.groesse)), "the record holds only finite numbers");
    const bool verdikt = lauf.status == meldung::ausreichend || lauf.status == meldung::nichtAusreichend
        || lauf.status == meldung::eingabenPruefen;
    pruefe(verdikt == lauf.berechnet, "a verdict exactly when the run reached it");
    pruefe(lauf.berechnet || lauf.status == meldung::divisionDurchNull || lauf.status == meldung::allgemeinerFehler,
           "a stopped run names its stop");
    pruefe(lauf.reservefarben.size() <= 3, "at most three reserves coloured");
    if (!lauf.berechnet)
        return 0;
    const std::regex zweiStellen("-?[0-9]+" + std::string(trenner == "." ? "\\." : trenner) + "[0-9]{2}"), ganz("-?[0-9]+");
    for (const Groesseninfo& i : groessen()) {
        const Groesse g = i.groesse;
        const bool scheibenfeld = g == Groesse::bScheibe || g == Groesse::hScheibe || g == Groesse::KScheibe
            || g == Groesse::SScheibe;
        if (!i.eingabe || (scheibenfeld && !schalter.scheibe))
            continue;
        pruefe(std::regex_match(text(texte, g), i.muster == Muster::ganz ? ganz : zweiStellen),
               "a rewritten box has its pattern's form");
        const double gespeichert = wert(datensatz, g);
        const double gelesen = zahlAusText(text(texte, g), trenner);
        pruefe(std::fabs(gelesen - gespeichert) <= 0.005 * (1 + 1e-12) + std::fabs(gespeichert) * 1e-15,
               "a rewritten box reads back as its value to two decimals");
    }
    return 0;
}
