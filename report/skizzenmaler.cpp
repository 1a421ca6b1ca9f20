#include "report/skizzenmaler.h"

#include "project/dateiersatz.h"

#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPaintDevice>
#include <QSvgGenerator>

#include <algorithm>
#include <cmath>

namespace velkor {

namespace {

// Fill, line colour and hatching of a role. The hatchings differ in angle and
// spacing so that the areas stay apart on a black-and-white printout.
struct Stil {
    QColor fuellung;
    QColor strich;
    std::vector<double> winkel; // hatch angles in degrees, none for plain fill
    double abstand = 0;         // hatch spacing, sheet mm
};

Stil stil(Rolle r)
{
    switch (r) {
    case Rolle::mantel:
    case Rolle::stutzenwand:
    case Rolle::scheibe:
    case Rolle::ausgehalst:
        return {QColor(208, 208, 208), Qt::black, {}, 0};
    // The allowances apart from the wall without their grey: c2 solid black, c1 hatched across.
    case Rolle::zuschlagC2:
    case Rolle::stutzenC2:
        return {QColor(40, 40, 40), QColor(40, 40, 40), {}, 0};
    case Rolle::zuschlagC1:
    case Rolle::stutzenC1:
        return {Qt::white, Qt::black, {90}, 0.5};
    case Rolle::Ap:
        return {QColor(224, 234, 252), QColor(0, 70, 190), {45}, 2.2};
    case Rolle::As0:
        return {QColor(214, 242, 220), QColor(0, 120, 45), {135}, 1.2};
    case Rolle::As1:
        return {QColor(252, 222, 214), QColor(190, 30, 20), {45, 135}, 1.5};
    case Rolle::As2:
        return {QColor(240, 224, 248), QColor(120, 30, 150), {0}, 1.0};
    }
    return {Qt::white, Qt::black, {}, 0};
}

bool istWand(Rolle r)
{
    return r == Rolle::mantel || r == Rolle::stutzenwand || r == Rolle::scheibe || r == Rolle::ausgehalst;
}
bool istZuschlag(Rolle r)
{
    return r == Rolle::zuschlagC1 || r == Rolle::zuschlagC2 || r == Rolle::stutzenC1 || r == Rolle::stutzenC2;
}

class Maler {
public:
    Maler(QPainter& m, const Skizze& s, const QRectF& ziel) : m_(m), s_(s)
    {
        k_ = std::min(ziel.width() / s.blatt.breite, ziel.height() / s.blatt.hoehe);
        ecke_ = ziel.topLeft()
            + QPointF((ziel.width() - k_ * s.blatt.breite) / 2, (ziel.height() - k_ * s.blatt.hoehe) / 2);
    }

    void male();

private:
    QPointF geraet(Punkt p) const { return ecke_ + QPointF(k_ * p.x, k_ * p.y); }
    QPolygonF geraet(const std::vector<Punkt>& zug) const
    {
        QPolygonF p;
        for (Punkt q : zug)
            p << geraet(q);
        return p;
    }
    QPen stift(const QColor& farbe, double mm) const
    {
        QPen p(farbe, std::max(mm * k_, 0.01));
        p.setCapStyle(Qt::FlatCap);
        p.setJoinStyle(Qt::MiterJoin);
        return p;
    }
    void flaeche(const std::vector<Punkt>& blatt, Rolle rolle, double dicke);
    void umriss(const std::vector<Punkt>& blatt, Rolle rolle);
    void linie(const Linie& l);
    void text(const Text& t);

    QPainter& m_;
    const Skizze& s_;
    double k_ = 1;
    QPointF ecke_;
};

void Maler::flaeche(const std::vector<Punkt>& blatt, Rolle rolle, double dicke)
{
    const Stil st = stil(rolle);
    const QPolygonF p = geraet(blatt);
    m_.setPen(Qt::NoPen);
    m_.setBrush(st.fuellung);
    m_.drawPolygon(p);
    // A wall too thin for the sheet gets a stroke of its own colour round it.
    const double soll = istZuschlag(rolle) ? mindestZuschlag : mindestWanddicke;
    const double fehlt = soll - dicke * s_.ansicht.massstab;
    if (dicke > 0 && fehlt > 0) {
        m_.setBrush(Qt::NoBrush);
        m_.setPen(stift(st.winkel.empty() || istZuschlag(rolle) ? st.fuellung : st.strich, fehlt));
        m_.drawPolygon(p);
    }
    m_.setPen(stift(st.strich, 0.15));
    for (double w : st.winkel)
        for (const auto& [a, b] : schraffur(blatt, w, st.abstand))
            m_.drawLine(geraet(a), geraet(b));
}

void Maler::umriss(const std::vector<Punkt>& blatt, Rolle rolle)
{
    if (istZuschlag(rolle))
        return;
    m_.setBrush(Qt::NoBrush);
    m_.setPen(stift(stil(rolle).strich, istWand(rolle) ? 0.35 : 0.25));
    // The knuckle's straight sides lie on the shell and the nozzle: only its
    // round edge is drawn, so that the wall reads as bent round, not as a weld.
    if (rolle == Rolle::ausgehalst)
        m_.drawPolyline(geraet(std::vector<Punkt>(blatt.begin() + 1, blatt.end())));
    else
        m_.drawPolygon(geraet(blatt));
}

void Maler::linie(const Linie& l)
{
    QPen p = stift(Qt::black, l.strich == Strich::kontur ? 0.35 : l.strich == Strich::bruchlinie ? 0.25 : 0.18);
    if (l.strich == Strich::mittellinie) {
        // Long dash, dot: 8 mm, 1 mm gap, 0.5 mm dot, 1 mm gap (in pen widths).
        const double b = 0.18;
        p.setDashPattern({8 / b, 1 / b, 0.5 / b, 1 / b});
    }
    m_.setPen(p);
    m_.setBrush(Qt::NoBrush);
    m_.drawPolyline(geraet(l.punkte));
}

void Maler::text(const Text& t)
{
    QFont schrift(QStringLiteral("Courier New"));
    schrift.setStyleHint(QFont::TypeWriter);
    // Unhinted, so that every character advances exactly 0.6 em as the layout assumes.
    schrift.setHintingPreference(QFont::PreferNoHinting);
    // The sheet's em in device units, whatever resolution the device has.
    schrift.setPointSizeF(t.groesse * k_ * 72.0 / m_.device()->logicalDpiY());
    m_.setFont(schrift);
    const Rechteck r = t.kasten();
    const QRectF kasten(geraet({r.links, r.oben}), geraet({r.rechts(), r.unten()}));
    if (t.hintergrund)
        m_.fillRect(kasten.adjusted(-0.4 * k_, 0, 0.4 * k_, 0), Qt::white);
    m_.setPen(Qt::black);
    m_.drawText(kasten, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextDontClip, QString::fromStdString(t.text));
}

void Maler::male()
{
    m_.save();
    m_.setRenderHint(QPainter::Antialiasing);
    const QRectF blattRechteck(geraet({0, 0}), geraet({s_.blatt.breite, s_.blatt.hoehe}));
    m_.fillRect(blattRechteck, Qt::white);
    // Nothing is painted beyond the sheet, whatever the design's size.
    m_.setClipRect(blattRechteck, Qt::IntersectClip);

    std::vector<std::vector<Punkt>> blatt;
    for (const Flaeche& f : s_.flaechen)
        blatt.push_back(s_.ansicht.abbilde(f.ecken, true));
    // The loaded area lies under the walls, the walls under the credited areas,
    // and the walls' outlines over everything.
    const auto male = [&](auto passt) {
        for (std::size_t i = 0; i < blatt.size(); ++i)
            if (passt(s_.flaechen[i].rolle))
                flaeche(blatt[i], s_.flaechen[i].rolle, s_.flaechen[i].dicke);
    };
    male([](Rolle r) { return r == Rolle::Ap; });
    male(istWand);
    male(istZuschlag);
    male([](Rolle r) { return r == Rolle::As0 || r == Rolle::As1 || r == Rolle::As2; });
    for (std::size_t i = 0; i < blatt.size(); ++i)
        if (!istWand(s_.flaechen[i].rolle))
            umriss(blatt[i], s_.flaechen[i].rolle);
    for (std::size_t i = 0; i < blatt.size(); ++i)
        if (istWand(s_.flaechen[i].rolle))
            umriss(blatt[i], s_.flaechen[i].rolle);

    if (const std::optional<Rechteck>& b = s_.bruchband)
        m_.fillRect(QRectF(geraet({b->links, b->oben}), geraet({b->rechts(), b->unten()})), Qt::white);
    for (const Linie& l : s_.linien)
        linie(l);

    m_.setPen(Qt::NoPen);
    m_.setBrush(Qt::black);
    for (const Pfeil& p : s_.pfeile) {
        const Punkt quer{-p.richtung.y * 0.45, p.richtung.x * 0.45};
        const Punkt fuss{p.spitze.x - pfeillaenge * p.richtung.x, p.spitze.y - pfeillaenge * p.richtung.y};
        m_.drawPolygon(QPolygonF{geraet(p.spitze), geraet({fuss.x + quer.x, fuss.y + quer.y}),
                                 geraet({fuss.x - quer.x, fuss.y - quer.y})});
    }
    m_.setBrush(Qt::NoBrush);
    m_.setPen(stift(Qt::black, 0.18));
    for (const Bogen& b : s_.boegen) {
        const QRectF kreis(geraet({b.mitte.x - b.radius, b.mitte.y - b.radius}),
                           geraet({b.mitte.x + b.radius, b.mitte.y + b.radius}));
        m_.drawArc(kreis, static_cast<int>(std::lround(b.vonGrad * 16)),
                   static_cast<int>(std::lround((b.bisGrad - b.vonGrad) * 16)));
    }

    for (const Musterfeld& f : s_.muster) {
        const Rechteck& r = f.ort;
        const std::vector<Punkt> ecken{{r.links, r.oben}, {r.rechts(), r.oben}, {r.rechts(), r.unten()}, {r.links, r.unten()}};
        flaeche(ecken, f.rolle, 0);
        m_.setBrush(Qt::NoBrush);
        m_.setPen(stift(istZuschlag(f.rolle) ? Qt::black : stil(f.rolle).strich, 0.25));
        m_.drawPolygon(geraet(ecken));
    }
    for (const Text& t : s_.texte)
        text(t);
    m_.restore();
}

} // namespace

void maleSkizze(QPainter& maler, const Skizze& skizze, const QRectF& ziel)
{
    Maler(maler, skizze, ziel).male();
}

std::optional<std::string> schreibeSkizze(const std::string& pfad, const Rechenstand& quelle)
{
    const QString endung = QFileInfo(QString::fromStdString(pfad)).suffix().toLower();
    if (endung != QLatin1String("svg") && endung != QLatin1String("png"))
        return "Eine Skizze wird nur als .svg oder .png geschrieben.";
    const Skizze s = skizze(quelle, dateiblattBreite, dateiblattHoehe);
    const bool svg = endung == QLatin1String("svg");
    // SVG at 10 units per mm, PNG at 150 dpi.
    const double proMm = svg ? 10.0 : 150 / 25.4;
    const QSize groesse(static_cast<int>(std::lround(dateiblattBreite * proMm)),
                        static_cast<int>(std::lround(dateiblattHoehe * proMm)));
    return ersetzeDatei(pfad, [&](QIODevice& geraet) {
        QPainter maler;
        if (svg) {
            QSvgGenerator erzeuger;
            erzeuger.setOutputDevice(&geraet);
            erzeuger.setSize(groesse);
            erzeuger.setViewBox(QRect(QPoint(0, 0), groesse));
            erzeuger.setResolution(static_cast<int>(std::lround(proMm * 25.4)));
            erzeuger.setTitle(QStringLiteral("Skizze"));
            if (!maler.begin(&erzeuger))
                return false;
            maleSkizze(maler, s, QRectF(QPointF(0, 0), QSizeF(groesse)));
            return maler.end();
        }
        QImage bild(groesse, QImage::Format_RGB32);
        bild.setDotsPerMeterX(static_cast<int>(std::lround(proMm * 1000)));
        bild.setDotsPerMeterY(static_cast<int>(std::lround(proMm * 1000)));
        bild.fill(Qt::white);
        if (!maler.begin(&bild))
            return false;
        maleSkizze(maler, s, QRectF(QPointF(0, 0), QSizeF(groesse)));
        maler.end();
        return bild.save(&geraet, "PNG");
    });
}

} // namespace velkor
