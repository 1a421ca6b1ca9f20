#include "engine/berechnung.h"
#include "engine/zahlentext.h"

#include <benchmark/benchmark.h>

#include <array>
#include <string_view>

namespace velkor {
namespace {

// A cylinder with a nozzle at 60° and a pad: every step of the run and all
// 38 box texts it writes.
void berechnungMitStutzenUndScheibe(benchmark::State& state)
{
    Kastentexte texte;
    for (const Groesseninfo& i : groessen())
        text(texte, i.groesse) = "0";
    const std::array<std::pair<Groesse, std::string_view>, 14> eingaben{{
        {Groesse::Da, "1000"}, {Groesse::s, "10"}, {Groesse::p, "10"}, {Groesse::v, "1"},
        {Groesse::K, "265"}, {Groesse::S, "1,5"}, {Groesse::Das, "100"}, {Groesse::ss, "5"},
        {Groesse::Ks, "265"}, {Groesse::Sis, "1,5"}, {Groesse::ls, "100"}, {Groesse::lsstrich, "10"},
        {Groesse::phi, "60"}, {Groesse::bScheibe, "50"},
    }};
    for (const auto& [g, t] : eingaben)
        text(texte, g) = t;
    text(texte, Groesse::hScheibe) = "8";
    text(texte, Groesse::KScheibe) = "265";
    text(texte, Groesse::SScheibe) = "1,5";
    const Schalter schalter{.zylinder = true, .stutzen = true, .scheibe = true};
    Berechnungsdaten daten;
    for (auto _ : state) {
        Rechenlauf lauf = berechnung(daten, texte, schalter, ",");
        benchmark::DoNotOptimize(lauf);
        benchmark::DoNotOptimize(daten);
    }
    if (!berechnung(daten, texte, schalter, ",").berechnet)
        state.SkipWithError("the run did not reach its verdict");
}
BENCHMARK(berechnungMitStutzenUndScheibe);

void eingabeZuZahl(benchmark::State& state)
{
    constexpr std::array<std::string_view, 6> texte{"1000,00", "10", "1.5", " -3,25", "265.00", "1e3"};
    for (auto _ : state) {
        for (std::string_view t : texte)
            benchmark::DoNotOptimize(zahlAusText(t, ","));
    }
    state.SetItemsProcessed(state.iterations() * static_cast<long>(texte.size()));
}
BENCHMARK(eingabeZuZahl);

void zahlZuAnzeigetext(benchmark::State& state)
{
    constexpr std::array<double, 4> werte{2.822201317027281, 74930.32474611716, 254.3333333333334, 0.125};
    for (auto _ : state) {
        for (double w : werte)
            benchmark::DoNotOptimize(anzeigetext(w, Muster::zweiStellen, ","));
    }
    state.SetItemsProcessed(state.iterations() * static_cast<long>(werte.size()));
}
BENCHMARK(zahlZuAnzeigetext);

} // namespace
} // namespace velkor
