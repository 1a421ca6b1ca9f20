#include "report/bericht.h"

#include <benchmark/benchmark.h>

namespace velkor {
namespace {

// The longest report: cylinder with extruded nozzle and pad, every line written.
void BM_BerichtVoll(benchmark::State& state)
{
    Berichtsdaten d;
    d.bezeichnung = "Behälter 1, Teil 2";
    d.nummer = "B-17";
    d.bearbeiter = "Müller";
    d.stutzen = d.scheibe = d.ausgehalst = true;
    d.daten.rG = 21.8;
    d.daten.rS = -3.2;
    d.daten.As0 = 1520.25;
    d.daten.As1 = 310.1;
    d.daten.As2 = 480;
    d.daten.Ap = 1750.456;
    for (std::size_t i = 0; i < anzahlGroessen; ++i)
        d.texte[i] = "1234.56";
    for (auto _ : state)
        benchmark::DoNotOptimize(bericht(d));
}
BENCHMARK(BM_BerichtVoll);

} // namespace
} // namespace velkor
