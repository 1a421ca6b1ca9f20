#include "engine/berechnung.h"
#include "engine/zahlentext.h"

#include <benchmark/benchmark.h>

#include <array>
#include <string_view>

namespace velkor {
namespace {

// A cylinder with a nozzle at 60° and a pad: every step of the run.
void berechnungMitStutzenUndScheibe(benchmark::State& state)
{
    const Berechnungsdaten design{.Da = 1000, .Das = 100, .s = 10, .ss = 5, .v = 1, .K = 265, .Ks = 265,
                                  .KScheibe = 265, .S = 1.5, .Sis = 1.5, .SScheibe = 1.5, .ls = 100,
                                  .lsstrich = 10, .phi = 60, .bScheibe = 50, .hScheibe = 8, .p = 10};
    const Schalter schalter{.zylinder = true, .stutzen = true, .scheibe = true};
    for (auto _ : state)
        benchmark::DoNotOptimize(berechnung(design, schalter));
    if (!berechnung(design, schalter).berechnet())
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
