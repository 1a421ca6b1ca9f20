#include "formular/formular.h"
#include "project/projektdatei.h"
#include "report/skizzenmaler.h"
#include "tests/support/testdaten.h"

#include <QDir>
#include <QFileInfo>
#include <QPainterPath>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdlib>
#include <ranges>

namespace velkor {
namespace {

QString daten(const QString& name) { return QStringLiteral(VELKOR_TESTDATEN "/") + name; }

// Loaded as the window loads it, which recalculates.
Rechenstand quelleAus(const Projekt& p)
{
    Formular f(".");
    f.uebernehme(p);
    return f.rechenstand().value();
}
Rechenstand quelleAus(const QString& datei) { return quelleAus(ladeProjektdatei(datei.toStdString()).projekt.value()); }

// The shipped examples and the drawing's own designs.
QStringList entwuerfe()
{
    QStringList dateien;
    for (const QString& ordner : {QStringLiteral(VELKOR_BEISPIELE), daten("skizze")})
        for (const QString& name : QDir(ordner).entryList({"*.vlk"}))
            dateien << ordner + "/" + name;
    return dateien;
}

const Flaeche* finde(const Skizze& s, Rolle r)
{
    const auto f = std::ranges::find(s.flaechen, r, &Flaeche::rolle);
    return f == s.flaechen.end() ? nullptr : &*f;
}

double flaecheninhalt(const QPolygonF& p) // shoelace
{
    double a = 0;
    for (qsizetype i = 0; i < p.size(); ++i)
        a += p[i].x() * p[(i + 1) % p.size()].y() - p[(i + 1) % p.size()].x() * p[i].y();
    return std::fabs(a) / 2;
}

QPolygonF polygon(const Flaeche& f)
{
    QPolygonF p;
    for (Punkt q : f.ecken)
        p << QPointF(q.x, q.y);
    return p;
}

TEST(Skizze, thePolygonsOfAPerpendicularNozzleHaveTheAreasOfTheRunAndOfTheHandCalculation)
{
    // Ap, As0, As1, As2 by hand from the design formulas, the extruded outlet's
    // 0.9 taken out of As0 and As1: the drawn shapes are the true ones.
    const std::pair<const char*, std::array<double, 4>> faelle[] = {
        {"app/zylinder_stutzen.vlk", {74930.32, 994.99, 186.22, 0}},
        {"skizze/senkrecht_scheibe.vlk", {71519.45, 807.94, 124.69, 928.67}},
        {"skizze/senkrecht_ausgehalst.vlk", {47960.69, 420.00, 196.33, 0}},
    };
    for (const auto& [datei, hand] : faelle) {
        const Rechenstand q = quelleAus(daten(datei));
        const Skizze s = skizze(q, dateiblattBreite, dateiblattHoehe);
        const double fA = q.daten.ausgehalst ? 0.9 : 1;
        const std::array lauf{q.daten.daten.Ap, q.daten.daten.As0 / fA, q.daten.daten.As1 / fA, q.daten.daten.As2};
        for (std::size_t i = 0; i < 4; ++i) {
            EXPECT_NEAR(lauf[i], hand[i], 0.006) << datei << " " << i;
            const Flaeche* f = finde(s, std::array{Rolle::Ap, Rolle::As0, Rolle::As1, Rolle::As2}[i]);
            ASSERT_EQ(f != nullptr, hand[i] > 0) << datei << " " << i;
            if (f) {
                EXPECT_NEAR(flaecheninhalt(polygon(*f)), lauf[i], 0.005 * lauf[i]) << datei << " " << i;
            }
        }
    }
}

// The design space: cylinder and sphere; no nozzle, nozzle, pad, extruded; 45..90°; no,
// a near and a far discontinuity; thin and thick walls; small and large; then an oblique
// nozzle with a pad whose ls, ls' or pad width is typed absurdly long.
std::vector<std::pair<std::string, Projekt>> entwurfsraum()
{
    std::vector<std::pair<std::string, Projekt>> raum;
    for (int i = 0; i < 384 + 3; ++i) {
        const int art = i / 2 % 4, dick = i / 96 % 2, gross = i / 192 % 2;
        const double phi = 45 + 15 * (i / 8 % 4), x = std::array{0.0, 25.0, 400.0}[i / 32 % 3];
        if ((art == 0 || art == 3) && phi != 90 && i < 384)
            continue;
        Projekt p = ladeProjektdatei(daten("app/zylinder_stutzen.vlk").toStdString()).projekt.value();
        p.stutzen = art != 0, p.ausgehalst = art == 3, p.scheibe = art == 2;
        Berechnungsdaten& d = p.daten;
        d.zylinder = i % 2 == 0, d.Da = gross ? 2400 : 600, d.Das = gross ? 508 : 114.3, d.phi = phi, d.x = x;
        d.s = d.Da / (dick ? 25 : 150), d.ss = d.Das / (dick ? 8 : 40), d.c1 = d.c1s = 0.5, d.c2 = d.c2s = 1;
        d.ls = gross ? 300 : 120, d.lsstrich = x == 25 ? 0 : 2 * d.ss, d.bScheibe = 0.4 * d.Das, d.hScheibe = d.s;
        if (i >= 384)
            p = raum[6].second, (i == 384 ? p.daten.ls : i == 385 ? p.daten.lsstrich : p.daten.bScheibe) = 1.6e13;
        raum.emplace_back(std::to_string(i), p);
    }
    return raum;
}

// The larger of the drawing's extents across the drawing area, the one its scale is limited by.
double fuellung(const Skizze& s)
{
    QRectF alles;
    for (const Flaeche& f : s.flaechen)
        alles |= polygon(Flaeche{f.rolle, s.ansicht.abbilde(f.ecken, true)}).boundingRect();
    for (const Text& t : s.texte)
        alles |= t.hintergrund ? QRectF(t.ort.x, t.ort.y, t.kasten().breite, t.kasten().hoehe) : QRectF();
    return std::max(alles.width() / s.zeichenflaeche.breite, alles.height() / s.zeichenflaeche.hoehe);
}

TEST(Skizze, everyDesignKeepsItsShapesApartItsLabelsApartAndBesideTheirDimensionsAndAllOnTheSheet)
{
    // Pairs that share at most an edge: the pad sits on the shell, the nozzle in
    // its hole, the credited nozzle wall beside the loaded bore, no area counted
    // twice. The first of each pair is the small, nearly convex one.
    const std::pair<Rolle, Rolle> getrennt[] = {
        {Rolle::scheibe, Rolle::mantel}, {Rolle::stutzenwand, Rolle::mantel}, {Rolle::scheibe, Rolle::stutzenwand},
        {Rolle::As1, Rolle::Ap},         {Rolle::As0, Rolle::As1},            {Rolle::As2, Rolle::As0},
        {Rolle::As2, Rolle::As1},        {Rolle::As0, Rolle::Ap},
    };
    std::vector<std::pair<std::string, Projekt>> entwuerfe_ = entwurfsraum();
    for (const QString& datei : entwuerfe())
        entwuerfe_.emplace_back(datei.toStdString(), ladeProjektdatei(datei.toStdString()).projekt.value());
    ASSERT_EQ(entwuerfe_.size(), 240u + 3 + 18);
    std::vector<double> fuellungen;
    for (const auto& [name, entwurf] : entwuerfe_) {
        const Rechenstand q = quelleAus(entwurf);
        // No areas where the allowances eat the wall (zuschlaege.vlk).
        const Berechnungsdaten& d = q.daten.daten;
        const bool stutzen = q.daten.stutzen, flaechen = stutzen && q.lauf.berechnet() && d.s > d.c1 + d.c2;
        // Which shapes the design has: none is skipped for being missing.
        const std::pair<Rolle, bool> hat[] = {
            {Rolle::mantel, true}, {Rolle::stutzenwand, stutzen}, {Rolle::scheibe, stutzen && q.daten.scheibe},
            {Rolle::ausgehalst, stutzen && q.daten.ausgehalst}, {Rolle::Ap, flaechen}, {Rolle::As0, flaechen},
            {Rolle::As1, flaechen}, {Rolle::As2, flaechen && q.daten.scheibe}};
        // The file's sheet, a printed page and the report window at its first size.
        for (auto [breite, hoehe] : {std::pair{277.0, 190.0}, {190.0, 277.0}, {138.0, 79.0}}) {
            const Skizze s = skizze(q, breite, hoehe);
            const std::string fall = name + " " + std::to_string(int(breite));
            // An area not drawn is named on the sheet (a pad under the lean of a thick nozzle).
            const auto gesagt = [&](Rolle r) { return r == Rolle::As2 && std::ranges::any_of(s.texte, [&](const Text& t) { return t.text == "As2 nicht darstellbar."; }); };
            for (const auto& [rolle, soll] : hat)
                EXPECT_EQ(finde(s, rolle) != nullptr || (soll && gesagt(rolle)), soll) << fall << " " << int(rolle);
            for (const Musterfeld& m : s.muster)
                EXPECT_TRUE(m.rolle < Rolle::Ap || finde(s, m.rolle)) << fall << " a swatch without its area";
            for (const auto& [a, b] : getrennt) {
                const Flaeche *fa = finde(s, a), *fb = finde(s, b);
                if (!fa || !fb)
                    continue;
                // The first shrunk by a thousandth about its centre: the toolkit's
                // clipping mistakes an edge both share for an overlap.
                QPolygonF klein = polygon(*fa), gross = polygon(*fb);
                const QPointF mitte = klein.boundingRect().center();
                for (QPointF& q : klein)
                    q = mitte + 0.999 * (q - mitte);
                QPainterPath pk, pg;
                pk.addPolygon(klein);
                pg.addPolygon(gross);
                double gemeinsam = 0;
                for (const QPolygonF& teil : pk.intersected(pg).toFillPolygons())
                    gemeinsam += flaecheninhalt(teil);
                EXPECT_LT(gemeinsam, 1e-4 * flaecheninhalt(klein)) << fall << " " << int(a) << " " << int(b);
            }
            for (const Flaeche& f : s.flaechen)
                for (Punkt p : s.ansicht.abbilde(f.ecken, true))
                    EXPECT_TRUE(s.zeichenflaeche.enthaelt(p)) << fall << " " << int(f.rolle);
            for (const Linie& l : s.linien)
                for (Punkt p : l.punkte)
                    EXPECT_TRUE(s.blatt.enthaelt(p)) << fall << " a line";
            for (std::size_t i = 0; i < s.texte.size(); ++i) {
                const Rechteck k = s.texte[i].kasten();
                EXPECT_TRUE(s.blatt.enthaelt({k.links, k.oben}) && s.blatt.enthaelt({k.rechts(), k.unten()})) << fall;
                for (std::size_t j = i + 1; j < s.texte.size(); ++j) {
                    const Rechteck l = s.texte[j].kasten();
                    EXPECT_FALSE(k.links < l.rechts() && l.links < k.rechts() && k.oben < l.unten() && l.oben < k.unten())
                        << fall << " " << s.texte[i].text << " on " << s.texte[j].text;
                }
                // Beside its dimension: some point of the line within 10 mm of the label.
                const QRectF nah = QRectF(k.links, k.oben, k.breite, k.hoehe).adjusted(-10, -10, 10, 10);
                const auto b = s.texte[i].bezug.value_or(std::pair{Punkt{k.links, k.oben}, Punkt{k.links, k.oben}});
                EXPECT_TRUE(std::ranges::any_of(std::views::iota(0, 101), [&](int j) {
                    return nah.contains(b.first.x + (b.second.x - b.first.x) * j / 100, b.first.y + (b.second.y - b.first.y) * j / 100);
                })) << fall << " " << s.texte[i].text << " far off";
            }
            if (breite == 277 && name.find("examples") != std::string::npos) {
                EXPECT_GE(fuellung(s), 0.6) << fall;
            }
            if (breite == 277 && name.find('/') == std::string::npos)
                fuellungen.push_back(fuellung(s));
        }
    }
    std::ranges::nth_element(fuellungen, fuellungen.begin() + fuellungen.size() / 2);
    EXPECT_GE(fuellungen[fuellungen.size() / 2], 0.75) << "the median design fills its drawing area";
}

TEST(Skizze, theRadiusBreaksPastOneAndAHalfTimesTheRegionAndANozzleNotDrawnAsTypedSaysWhy)
{
    // Upright nozzle Das 100, ss 5, ls 30 in a cylinder Da 1000 (as the run rounds it), s = se = 10.
    // The region reaches from the axis to the shell's end, 50 + 1.2 b + 20 with b = sqrt((Da - 10) * 10),
    // so the radius breaks once Da/2 - 10 > 1.5 * (70 + 1.2 b), Da > 475.66. The top of the nozzle's
    // wall lies at Da/2 + ls as drawn.
    const std::tuple<void (*)(Projekt&), const char*, double, const char*> faelle[] = {
        {[](Projekt& p) { p.daten.Da = 475.5; }, nullptr, 267.75, nullptr},
        {[](Projekt& p) { p.daten.Da = 476; }, nullptr, 268, "Da/2 = 238.00"},
        {[](Projekt& p) { p.daten.Da = 5000; }, nullptr, 2530, "Da/2 = 2500.00"},
        {[](Projekt& p) { p.daten.Da = 60; }, nullptr, 60, nullptr},
        {[](Projekt& p) { p.daten.ss = 60; }, "Stutzen nicht darstellbar: ss muss größer als 0 und höchstens Das/2 sein.", 0, "Da/2 = 500.00"},
        {[](Projekt& p) { p.daten.Das = -100; }, "Stutzen nicht darstellbar: Das muss größer als 0 sein.", 0, "Da/2 = 500.00"},
        {[](Projekt& p) { p.daten.zylinder = false, p.daten.Das = 1500; }, "Stutzen nicht darstellbar: Das und phi passen nicht zur Kugel Da.", 0, "Da/2 = 500.00"},
        {[](Projekt& p) { p.daten.ls = -30; }, "ls = -30.00 reicht durch die Wand: gezeichnet mit ls = 0.", 500, "Da/2 = 500.00"},
        {[](Projekt& p) { p.daten.ls = -4; }, nullptr, 496, "Da/2 = 500.00"},
    };
    for (const auto& [aendere, hinweis, oben, bruch] : faelle) {
        Projekt p = ladeProjektdatei(daten("app/zylinder_stutzen.vlk").toStdString()).projekt.value();
        p.daten.ls = 30;
        aendere(p);
        const Skizze s = skizze(quelleAus(p), dateiblattBreite, dateiblattHoehe);
        const std::string fall = std::to_string(p.daten.Da) + " " + (hinweis ? hinweis : "");
        EXPECT_EQ(std::ranges::any_of(s.texte, [&](const Text& t) { return hinweis && t.text == hinweis; }), hinweis != nullptr) << fall;
        EXPECT_EQ(s.bruchmass, bruch ? std::optional<std::string>(bruch) : std::nullopt) << fall;
        EXPECT_EQ(s.bruchband.has_value(), bruch != nullptr) << fall;
        const Flaeche* wand = finde(s, Rolle::stutzenwand);
        ASSERT_EQ(wand != nullptr, oben > 0) << fall;
        if (wand) {
            EXPECT_NEAR(std::ranges::max(wand->ecken, {}, &Punkt::y).y, oben, 1e-9) << fall;
        }
    }
}

// The examples, the drawing's designs and a stopped run as the SVG expected in
// tests/data/skizze/svg/, apart from what the machine's fonts decide: where a text's baseline
// falls, and the family and size of the toolkit's default font. VELKOR_NEUE_SKIZZEN=1 writes
// them anew, to be looked at before they are committed.
TEST(Skizze, everyDesignIsPaintedAsItsExpectedSvg)
{
    QTemporaryDir ordner;
    static const QRegularExpression schrift(R"((<text [^>]*) y="[^"]*"|(<g [^>]*)font-family="[^"]*" font-size="[^"]*")");
    const QFileInfoList dateien = QDir(VELKOR_BEISPIELE).entryInfoList({"*.vlk"})
        + QDir(daten("skizze")).entryInfoList({"*.vlk"}) + QFileInfoList{QFileInfo(daten("app/division_null.vlk"))};
    ASSERT_EQ(dateien.size(), 4 + 14 + 1);
    for (const QFileInfo& datei : dateien) {
        const std::string pfad = ordner.filePath("s.svg").toStdString(), name = datei.baseName().toStdString();
        ASSERT_EQ(schreibeSkizze(pfad, quelleAus(datei.filePath())), std::nullopt);
        const std::string svg = QString::fromStdString(inhalt(pfad)).replace(schrift, "\\1\\2").toStdString();
        if (std::getenv("VELKOR_NEUE_SKIZZEN"))
            std::ofstream(VELKOR_TESTDATEN "/skizze/svg/" + name + ".svg", std::ios::binary) << svg;
        EXPECT_TRUE(svg == testdaten("skizze/svg/" + name + ".svg")) << name << " is drawn otherwise";
    }
}

} // namespace
} // namespace velkor
