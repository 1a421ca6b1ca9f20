#include "report/bericht.h"
#include "report/rechengang.h"

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

// The longest section: a sphere with an oblique nozzle and a pad, every quantity.
void BM_RechengangVoll(benchmark::State& state)
{
    Berichtsdaten d;
    d.stutzen = d.scheibe = true;
    d.dezimaltrenner = ",";
    for (auto [g, t] : {std::pair{Groesse::Da, "2000"}, {Groesse::s, "14"}, {Groesse::c1, "0,5"}, {Groesse::c2, "1"},
                        {Groesse::v, "1"}, {Groesse::K, "265"}, {Groesse::S, "1,5"}, {Groesse::p, "12"},
                        {Groesse::Das, "219,1"}, {Groesse::ss, "8"}, {Groesse::Ks, "235"}, {Groesse::Sis, "1,5"},
                        {Groesse::ls, "150"}, {Groesse::lsstrich, "3"}, {Groesse::phi, "60"}, {Groesse::bScheibe, "60"},
                        {Groesse::hScheibe, "12"}, {Groesse::KScheibe, "255"}, {Groesse::SScheibe, "1,5"}})
        text(d.texte, g) = t;
    const Rechenlauf lauf = berechnung(d.daten, d.texte, {.zylinder = false, .stutzen = true, .scheibe = true}, ",");
    if (!lauf.berechnet)
        state.SkipWithError("the run did not reach its verdict");
    for (auto _ : state)
        benchmark::DoNotOptimize(rechengang(d, lauf));
}
BENCHMARK(BM_RechengangVoll);

} // namespace
} // namespace velkor
