// Reading and writing a project file in memory (no disk): the reader should
// take well under 20 µs, so loading is bound by the disk alone.
#include "project/projektdatei.h"

#include <benchmark/benchmark.h>

#include <cmath>

namespace {

using namespace velkor;

// A calculated project with results of full precision and a heading with umlauts.
Projekt beispiel(bool umlaute)
{
    Projekt p;
    double wert = 1000;
    for (const auto& g : groessen()) {
        p.daten.*g.feld = wert;
        wert = wert / 3 + std::sqrt(wert);
    }
    p.stutzen = p.scheibe = true;
    p.bezeichnung = umlaute ? "Druckbehälter B-12, Mantelschuss" : "Druckbehaelter B-12, Mantelschuss";
    p.nummer = "2024-117/3";
    p.bearbeiter = umlaute ? "Jürgen Weiß" : "Juergen Weiss";
    return p;
}

void leseProjektdatei(benchmark::State& state)
{
    const std::string bytes = schreibeProjekt(beispiel(state.range(0) != 0)).bytes;
    for (auto _ : state)
        benchmark::DoNotOptimize(leseProjekt(bytes));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(leseProjektdatei)->ArgName("umlaute")->Arg(0)->Arg(1);

void schreibeProjektdatei(benchmark::State& state)
{
    const Projekt p = beispiel(state.range(0) != 0);
    for (auto _ : state)
        benchmark::DoNotOptimize(schreibeProjekt(p));
}
BENCHMARK(schreibeProjektdatei)->ArgName("umlaute")->Arg(0)->Arg(1);

} // namespace
