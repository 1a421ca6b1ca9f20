#include "formular/formular.h"
#include "report/bericht.h"
#include "report/druck.h"
#include "report/rechengang.h"
#include "report/skizzenmaler.h"
#include "report/zusammenfassung.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

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
        benchmark::DoNotOptimize(bericht(d, Rechenlauf{}));
}
BENCHMARK(BM_BerichtVoll);

// A sphere with an oblique nozzle and a pad: the longest section, every quantity drawn.
Rechenstand kugelMitScheibe()
{
    Formular f(",");
    for (auto [g, t] : {std::pair{Groesse::Da, "2000"}, {Groesse::s, "14"}, {Groesse::c1, "0,5"}, {Groesse::c2, "1"},
                        {Groesse::v, "1"}, {Groesse::K, "265"}, {Groesse::S, "1,5"}, {Groesse::p, "12"},
                        {Groesse::Das, "219,1"}, {Groesse::ss, "8"}, {Groesse::Ks, "235"}, {Groesse::Sis, "1,5"},
                        {Groesse::ls, "150"}, {Groesse::lsstrich, "3"}, {Groesse::phi, "60"}, {Groesse::bScheibe, "60"},
                        {Groesse::hScheibe, "12"}, {Groesse::KScheibe, "255"}, {Groesse::SScheibe, "1,5"}})
        f.tippe(kastenVon(g), t);
    f.setzeZylinder(false);
    f.setzeStutzen(true);
    f.setzeScheibe(true);
    f.berechne();
    return *f.rechenstand();
}

void BM_RechengangVoll(benchmark::State& state)
{
    const Rechenstand r = kugelMitScheibe();
    if (!r.lauf.berechnet())
        state.SkipWithError("the run did not reach its verdict");
    for (auto _ : state)
        benchmark::DoNotOptimize(rechengang(r.daten, r.lauf));
}
BENCHMARK(BM_RechengangVoll);

// The drawing's shapes, dimensions and texts laid out on the file's sheet.
void BM_Skizze(benchmark::State& state)
{
    const Rechenstand r = kugelMitScheibe();
    for (auto _ : state)
        benchmark::DoNotOptimize(skizze(r, dateiblattBreite, dateiblattHoehe));
}
BENCHMARK(BM_Skizze);

// Fonts and painting need the toolkit running.
void starteQt()
{
    static int argc = 1;
    static char name[] = "velkor_bench";
    static char* argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(argc, argv);
}

// The same drawing laid out and painted into the picture --skizze writes as PNG.
void BM_SkizzeMalen(benchmark::State& state)
{
    starteQt();
    const Rechenstand r = kugelMitScheibe();
    QImage bild(1636, 1122, QImage::Format_RGB32);
    for (auto _ : state) {
        bild.fill(Qt::white);
        QPainter maler(&bild);
        maleSkizze(maler, skizze(r, dateiblattBreite, dateiblattHoehe), QRectF(bild.rect()));
    }
}
BENCHMARK(BM_SkizzeMalen)->Unit(benchmark::kMillisecond);

// 100 designs with their worked calculation as --pdf --rechengang prints them:
// into one document after their list (state.range(0) == 1), or each into a file of its own.
void BM_PdfHundert(benchmark::State& state)
{
    starteQt();
    const Rechenstand r = kugelMitScheibe();
    const QString text = QString::fromStdString(mitRechengang(bericht(r.daten, r.lauf), rechengang(r.daten, r.lauf)));
    const std::vector<Uebersichtseintrag> liste(100, Uebersichtseintrag{"kugel.vlk", &r, {}});
    const QTemporaryDir ordner;
    for (auto _ : state) {
        if (state.range(0) == 1) {
            Druckwerk werk{QString::fromStdString(uebersicht(liste)), {}};
            for (int i = 0; i < 100; ++i)
                werk.teile.append({QStringLiteral("kugel.vlk"), text, r});
            benchmark::DoNotOptimize(druckeInPdf(ordner.filePath("alle.pdf").toStdString(), werk));
        } else {
            for (int i = 0; i < 100; ++i)
                benchmark::DoNotOptimize(druckeInPdf(ordner.filePath(QString::number(i) + ".pdf").toStdString(),
                                                     Druckwerk{{}, {{QStringLiteral("kugel.vlk"), text, r}}}));
        }
    }
}
BENCHMARK(BM_PdfHundert)->Arg(1)->Arg(100)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
} // namespace velkor
