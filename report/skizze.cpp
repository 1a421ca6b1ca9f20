#include "report/skizze.h"

#include "engine/zahlentext.h"
#include "report/meldung.h"
#include "report/zeichen.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace velkor {

namespace {

constexpr double kreiszahl = std::numbers::pi;

// Sheet measures in mm. The report's face ("Courier New", here Liberation Mono)
// advances every character by 0.6 em, so text widths are known without a toolkit.
constexpr double vorschub = 0.6;
constexpr double schrift = 2.5;
constexpr double titelschrift = 3.5;
constexpr double blattrand = 5;
constexpr double massabstand = 5;
constexpr double bruchluecke = 6;
constexpr double musterbreite = 6;
// Arcs become chords of at most half a degree.
constexpr double bogenschritt = 0.5 * kreiszahl / 180;

Punkt operator+(Punkt a, Punkt b) { return {a.x + b.x, a.y + b.y}; }
Punkt operator-(Punkt a, Punkt b) { return {a.x - b.x, a.y - b.y}; }
Punkt operator*(double k, Punkt a) { return {k * a.x, k * a.y}; }
double skalar(Punkt a, Punkt b) { return a.x * b.x + a.y * b.y; }
double laenge(Punkt a) { return std::hypot(a.x, a.y); }
Punkt einheit(Punkt a)
{
    const double l = laenge(a);
    return l > 0 ? (1 / l) * a : Punkt{1, 0};
}
Punkt linksNormale(Punkt a) { return {-a.y, a.x}; }
// The unit normal of r on the side that `hin` points to.
Punkt senkrecht(Punkt r, Punkt hin)
{
    const Punkt q = einheit(linksNormale(r));
    return skalar(q, hin) >= 0 ? q : -1 * q;
}

double textbreite(std::string_view t, double g) { return double(zeichenzahl(t)) * vorschub * g; }
double texthoehe(double g) { return 1.2 * g; }

// Cuts a text to the width with an ellipsis rather than letting it run off the sheet.
std::string kuerze(const std::string& t, double breite, double g)
{
    if (textbreite(t, g) <= breite)
        return t;
    const auto platz = static_cast<std::size_t>(std::max(0.0, breite / (vorschub * g) - 1));
    std::string r;
    std::size_t n = 0;
    for (std::size_t i = 0; i < t.size(); ++i) {
        if (beginntZeichen(t[i]) && n++ == platz)
            break;
        r += t[i];
    }
    return r + "…";
}

bool endlich(const std::vector<Punkt>& zug)
{
    return std::all_of(zug.begin(), zug.end(), [](Punkt p) { return std::isfinite(p.x) && std::isfinite(p.y); });
}

void haengeAn(std::vector<Punkt>& zug, const std::vector<Punkt>& weitere)
{
    for (Punkt p : weitere)
        if (zug.empty() || laenge(p - zug.back()) > 1e-9 * std::max(1.0, laenge(p)))
            zug.push_back(p);
}

Rechteck huelle(const std::vector<Punkt>& punkte)
{
    if (punkte.empty())
        return {};
    double x0 = punkte[0].x, x1 = x0, y0 = punkte[0].y, y1 = y0;
    for (Punkt p : punkte) {
        x0 = std::min(x0, p.x);
        x1 = std::max(x1, p.x);
        y0 = std::min(y0, p.y);
        y1 = std::max(y1, p.y);
    }
    return {x0, y0, x1 - x0, y1 - y0};
}

Rechteck vereint(const std::optional<Rechteck>& a, const Rechteck& b)
{
    if (!a)
        return b;
    const double l = std::min(a->links, b.links), o = std::min(a->oben, b.oben);
    return {l, o, std::max(a->rechts(), b.rechts()) - l, std::max(a->unten(), b.unten()) - o};
}

bool innen(Punkt p, const std::vector<Punkt>& ecken)
{
    bool drin = false;
    for (std::size_t i = 0, j = ecken.size() - 1; i < ecken.size(); j = i++) {
        const Punkt a = ecken[i], b = ecken[j];
        if ((a.y > p.y) != (b.y > p.y) && p.x < (b.x - a.x) * (p.y - a.y) / (b.y - a.y) + a.x)
            drin = !drin;
    }
    return drin;
}

bool kreuzen(Punkt a, Punkt b, Punkt c, Punkt d)
{
    const auto seite = [](Punkt p, Punkt q, Punkt r) { return (q.x - p.x) * (r.y - p.y) - (q.y - p.y) * (r.x - p.x); };
    const double s1 = seite(a, b, c), s2 = seite(a, b, d), s3 = seite(c, d, a), s4 = seite(c, d, b);
    return ((s1 > 0) != (s2 > 0)) && ((s3 > 0) != (s4 > 0)) && s1 != 0 && s2 != 0 && s3 != 0 && s4 != 0;
}

bool ueberlappen(const Rechteck& a, const Rechteck& b)
{
    return a.links < b.rechts() && b.links < a.rechts() && a.oben < b.unten() && b.oben < a.unten();
}

bool ueberlappen(const Rechteck& r, const std::vector<Punkt>& ecken)
{
    if (ecken.size() < 3 || !ueberlappen(r, huelle(ecken)))
        return false;
    const std::array<Punkt, 4> k{Punkt{r.links, r.oben}, Punkt{r.rechts(), r.oben}, Punkt{r.rechts(), r.unten()},
                                 Punkt{r.links, r.unten()}};
    for (Punkt p : ecken)
        if (p.x > r.links && p.x < r.rechts() && p.y > r.oben && p.y < r.unten())
            return true;
    for (Punkt p : k)
        if (innen(p, ecken))
            return true;
    for (std::size_t i = 0; i < ecken.size(); ++i)
        for (std::size_t j = 0; j < 4; ++j)
            if (kreuzen(ecken[i], ecken[(i + 1) % ecken.size()], k[j], k[(j + 1) % 4]))
                return true;
    return false;
}

// ------------------------------------------------------------------ the construction in true mm

// The design as the drawing needs it, from the record and the run.
struct Werte {
    bool zylinder = true;
    double Ra = 0, s = 0, c1 = 0, c2 = 0, se = 0, ri = 0, rm = 0;
    bool stutzen = false;
    double Das = 0, ss = 0, c1s = 0, c2s = 0, ses = 0, ris = 0, ls = 0, lsStrich = 0, phi = 90;
    bool scheibe = false;
    double bS = 0, hS = 0;
    bool ausgehalst = false;
    bool ergebnisse = false; // the run reached its verdict
    bool flaechen = false;   // ... with a nozzle, so the areas exist
};

Werte werte(const Rechenstand& q)
{
    const Berechnungsdaten& d = q.daten.daten;
    const auto zw = [&](Zwischengroesse g, double sonst) { return q.lauf.zwischenwerte[g].value_or(sonst); };
    using enum Zwischengroesse;
    Werte w;
    w.zylinder = d.zylinder;
    w.Ra = d.Da / 2;
    w.s = d.s;
    w.c1 = d.c1;
    w.c2 = d.c2;
    w.se = zw(se, (d.s - d.c1) - d.c2);
    w.ri = zw(ri, ((d.Da / 2 - d.s) + d.c1) + d.c2);
    w.rm = zw(rm, (((d.Da - d.s) + d.c1) + d.c2) / 2);
    w.stutzen = q.daten.stutzen;
    w.Das = d.Das;
    w.ss = d.ss;
    w.c1s = d.c1s;
    w.c2s = d.c2s;
    w.ses = zw(ses, (d.ss - d.c1s) - d.c2s);
    w.ris = zw(ris, ((d.Das / 2 - d.ss) + d.c1s) + d.c2s);
    w.ls = std::max(0.0, d.ls);
    w.lsStrich = std::max(0.0, d.lsstrich);
    w.phi = d.phi;
    w.scheibe = q.daten.scheibe && q.daten.stutzen;
    w.bS = d.bScheibe;
    w.hS = d.hScheibe;
    w.ausgehalst = q.daten.ausgehalst && q.daten.stutzen;
    w.ergebnisse = q.lauf.berechnet();
    w.flaechen = w.ergebnisse && w.stutzen;
    return w;
}

// Shell surfaces and nozzle lines. A surface is given by its radius r: a line
// y = r for the cylinder (the section holds the vessel's axis), a circle about
// the centre for the sphere. Along a surface the position t is x for the
// cylinder and the angle from the nozzle side's vertical for the sphere. The
// nozzle's axis crosses the shell's mid surface at (0, rm) at the angle phi to
// the vessel's axis, leaning towards +x; its lines lie at the distance delta.
class Form {
public:
    Form(bool zylinder, double rm, double phiGrad) : zylinder_(zylinder), rm_(rm)
    {
        // At 90° exactly the nozzle stands upright, without a rounding tilt.
        const double phi = phiGrad == 90 ? kreiszahl / 2 : phiGrad * kreiszahl / 180;
        u = phiGrad == 90 ? Punkt{0, 1} : Punkt{std::cos(phi), std::sin(phi)};
        n = {u.y, -u.x};
    }

    bool zylinder() const { return zylinder_; }
    Punkt punkt(double r, double t) const
    {
        return zylinder_ ? Punkt{t, r} : Punkt{r * std::sin(t), r * std::cos(t)};
    }
    double param(Punkt p) const { return zylinder_ ? p.x : std::atan2(p.x, p.y); }
    // Surface position `laenge` mm further along the surface of radius r.
    double weiter(double t, double laenge, double r) const { return zylinder_ ? t + laenge : t + laenge / r; }

    std::vector<Punkt> entlang(double r, double t1, double t2) const
    {
        // A pad of absurd width would go round the sphere more than once: its ends are enough.
        if (zylinder_ || std::fabs(t2 - t1) > 2 * kreiszahl)
            return {punkt(r, t1), punkt(r, t2)};
        // Corners on one grid of angles, so that shapes meeting along an arc share its chords.
        // Counted in whole steps: far from zero a step added to an angle may change nothing.
        std::vector<Punkt> zug{punkt(r, t1)};
        const long von = std::lround(std::floor(std::min(t1, t2) / bogenschritt)) + 1;
        const long bis = std::lround(std::ceil(std::max(t1, t2) / bogenschritt)) - 1;
        for (long i = 0; i <= bis - von; ++i)
            zug.push_back(punkt(r, (t2 > t1 ? von + i : bis - i) * bogenschritt));
        zug.push_back(punkt(r, t2));
        return zug;
    }

    Punkt linie(double delta, double t) const { return Punkt{0, rm_} + delta * n + t * u; }

    // Where along the nozzle line delta the surface r is met (the crossing on the nozzle's side).
    std::optional<double> achsparam(double delta, double r) const
    {
        if (zylinder_)
            return (r - rm_ + delta * u.x) / u.y;
        const Punkt q = Punkt{0, rm_} + delta * n;
        const double b = skalar(u, q);
        const double diskriminante = b * b - (skalar(q, q) - r * r);
        if (!(diskriminante >= 0))
            return std::nullopt;
        return -b + std::sqrt(diskriminante);
    }
    std::optional<Punkt> schnitt(double delta, double r) const
    {
        const std::optional<double> t = achsparam(delta, r);
        if (!t)
            return std::nullopt;
        return linie(delta, *t);
    }
    // The surface r between the nozzle lines d1 and d2, moved by `laenge` along the nozzle.
    std::vector<Punkt> versetzt(double r, double d1, double d2, double laenge) const
    {
        const std::optional<Punkt> a = schnitt(d1, r), b = schnitt(d2, r);
        if (!a || !b)
            return {};
        std::vector<Punkt> zug = zylinder_ ? std::vector<Punkt>{*a, *b} : entlang(r, param(*a), param(*b));
        for (Punkt& p : zug)
            p = p + laenge * u;
        return zug;
    }

    Punkt u; // along the nozzle, outwards
    Punkt n; // across it, towards +x

private:
    bool zylinder_;
    double rm_;
};

// Points the dimensions and labels are hung on, in true mm.
struct Marken {
    bool stutzen = false;   // a nozzle is drawn
    bool oeffnung = false;  // without a nozzle: the opening dmax is drawn
    double kante = 0;       // the line of the opening's edge (nozzle outside)
    double tEnde = 0;       // where the drawn shell ends
    double tA = 0;          // where the effective width b starts
    Punkt oben;             // top of the nozzle on its outer line
    double achseUnten = 0;  // the nozzle axis is drawn from here (axial parameter) ...
    double achseOben = 0;   // ... to here
    bool achseBisMitte = false; // ... or from the vessel's axis / the sphere's centre
};

class Konstruktion {
public:
    explicit Konstruktion(const Rechenstand& q) : q_(q), w_(werte(q)), form_(w_.zylinder, w_.rm, w_.phi)
    {
        baue();
    }

    std::vector<Flaeche> flaechen;
    std::vector<std::string> hinweise;
    Marken marken;
    bool darstellbar = false;

    const Werte& w() const { return w_; }
    const Form& form() const { return form_; }
    std::optional<double> zw(Zwischengroesse g) const { return q_.lauf.zwischenwerte[g]; }

private:
    void baue();
    bool stutzenDarstellbar() const;
    void flaeche(Rolle rolle, std::vector<Punkt> ecken, double dicke);
    std::vector<Punkt> schale(double r1, double r2) const;
    std::vector<Punkt> stutzenstreifen(double d1, double d2, double tOben, std::optional<double> tUnten) const;
    std::vector<Punkt> auflage(double breite, double hoehe) const;
    std::vector<Punkt> auskehlung() const;
    std::vector<Punkt> druckflaeche(double b, double lsm, double lsmStrich) const;

    const Rechenstand& q_;
    Werte w_;
    Form form_;
};

void Konstruktion::flaeche(Rolle rolle, std::vector<Punkt> ecken, double dicke)
{
    std::vector<Punkt> sauber;
    haengeAn(sauber, ecken);
    if (sauber.size() > 2 && laenge(sauber.front() - sauber.back()) < 1e-9 * std::max(1.0, laenge(sauber.front())))
        sauber.pop_back();
    if (sauber.size() >= 3 && endlich(sauber))
        flaechen.push_back({rolle, std::move(sauber), dicke});
}

bool Konstruktion::stutzenDarstellbar() const
{
    const Werte& w = w_;
    if (!(w.Das > 0 && w.ss > 0 && 2 * w.ss <= w.Das && w.phi > 0 && w.phi <= 90 && std::isfinite(w.Das)))
        return false;
    // The sphere's nozzle must cross every surface drawn.
    for (double delta : {0.0, w.Das / 2})
        for (double r : {w.Ra - w.s, w.Ra})
            if (!form_.schnitt(delta, r))
                return false;
    return true;
}

// The shell between the surfaces r1 < r2, from the opening's edge to the drawn end.
std::vector<Punkt> Konstruktion::schale(double r1, double r2) const
{
    const std::optional<Punkt> a1 = form_.schnitt(marken.kante, r1), a2 = form_.schnitt(marken.kante, r2);
    if (!a1 || !a2)
        return {};
    std::vector<Punkt> zug = form_.entlang(r2, form_.param(*a2), marken.tEnde);
    haengeAn(zug, form_.entlang(r1, marken.tEnde, form_.param(*a1)));
    return zug;
}

// A strip of the nozzle between its lines d1 < d2. Its top end is square to the
// axis at tOben; its bottom end square at tUnten, or flush with the shell's
// inside when the nozzle does not reach into the vessel.
std::vector<Punkt> Konstruktion::stutzenstreifen(double d1, double d2, double tOben,
                                                 std::optional<double> tUnten) const
{
    std::vector<Punkt> zug;
    if (tUnten)
        zug = {form_.linie(d1, *tUnten), form_.linie(d2, *tUnten)};
    else
        zug = form_.versetzt(w_.Ra - w_.s, d1, d2, 0);
    haengeAn(zug, {form_.linie(d2, tOben), form_.linie(d1, tOben)});
    return zug;
}

// Pad-shaped region on the outside from the nozzle: the pad itself or its credited part.
std::vector<Punkt> Konstruktion::auflage(double breite, double hoehe) const
{
    const std::optional<Punkt> fuss = form_.schnitt(w_.Das / 2, w_.Ra), kopf = form_.schnitt(w_.Das / 2, w_.Ra + hoehe);
    if (!fuss || !kopf || !(breite > 0 && hoehe > 0))
        return {};
    const double t1 = form_.param(*fuss);
    const double t2 = form_.weiter(t1, breite, w_.Ra);
    // An oblique nozzle leans over a pad narrower than its lean: nothing sensible to draw.
    if (form_.param(*kopf) >= t2)
        return {};
    std::vector<Punkt> zug = form_.entlang(w_.Ra, t1, t2);
    haengeAn(zug, form_.entlang(w_.Ra + hoehe, t2, form_.param(*kopf)));
    return zug;
}

// The knuckle of an extruded outlet: a fillet between the nozzle and the shell's outside.
std::vector<Punkt> Konstruktion::auskehlung() const
{
    const std::optional<Punkt> k = form_.schnitt(w_.Das / 2, w_.Ra);
    if (!k)
        return {};
    const double t = form_.param(*k);
    const Punkt e1 = form_.zylinder() ? Punkt{1, 0} : Punkt{std::cos(t), -std::sin(t)};
    const Punkt e2 = form_.u;
    const double winkel = std::acos(std::clamp(skalar(e1, e2), -1.0, 1.0));
    const double radius = std::min(w_.s, w_.Das / 4);
    const double abstand = radius / std::tan(winkel / 2);
    const Punkt t1 = *k + abstand * e1, t2 = *k + abstand * e2;
    const Punkt mitte = t1 + radius * linksNormale(e1);
    const double a1 = std::atan2(t1.y - mitte.y, t1.x - mitte.x);
    double a2 = std::atan2(t2.y - mitte.y, t2.x - mitte.x);
    // The short way round, the side facing the corner.
    while (a2 - a1 > kreiszahl)
        a2 -= 2 * kreiszahl;
    while (a1 - a2 > kreiszahl)
        a2 += 2 * kreiszahl;
    std::vector<Punkt> zug{*k};
    const int schritte = 16;
    for (int i = 0; i <= schritte; ++i) {
        const double a = a1 + (a2 - a1) * i / schritte;
        zug.push_back(mitte + radius * Punkt{std::cos(a), std::sin(a)});
    }
    return zug;
}

// The pressure-loaded area as the comparison charges it: below the shell up to
// the inside radius over the opening and b, and the nozzle's bore up to lsm.
// The nozzle's credited part inside the vessel (lsm') is left out: it is drawn
// as As1, and the sheet shows every area once.
std::vector<Punkt> Konstruktion::druckflaeche(double b, double lsm, double lsmStrich) const
{
    const Werte& w = w_;
    const Form& f = form_;
    const std::optional<Punkt> bohrungUnten = f.schnitt(w.ris, w.ri), achseUnten = f.schnitt(0, w.ri);
    const std::optional<Punkt> wandUnten = f.schnitt(w.Das / 2, w.ri);
    const std::vector<Punkt> deckel = f.versetzt(w.Ra, w.ris, 0, lsm);
    if (!bohrungUnten || !achseUnten || !wandUnten || deckel.empty())
        return {};
    std::vector<Punkt> aussparung{*wandUnten};
    haengeAn(aussparung, f.versetzt(w.ri, w.Das / 2, w.ris, -lsmStrich));
    haengeAn(aussparung, {*bohrungUnten});
    std::vector<Punkt> zug;
    if (w.zylinder) {
        const std::optional<double> d = zw(Zwischengroesse::dSchraeg), t = zw(Zwischengroesse::tSchraeg);
        if (!d || !t)
            return {};
        const double breite = b + *d + *t;
        zug = {{0, 0}, {breite, 0}, {breite, w.ri}};
        haengeAn(zug, aussparung);
        haengeAn(zug, deckel);
        haengeAn(zug, {*achseUnten, {0, w.ri}});
        return zug;
    }
    const std::optional<double> alphaT = zw(Zwischengroesse::alphaT), alpha = zw(Zwischengroesse::alpha);
    if (!alphaT || !alpha || *alpha < 0)
        return {};
    const double t0 = f.param(*achseUnten);
    const double tT = t0 + *alphaT * kreiszahl / 180;
    if (!(tT > f.param(*bohrungUnten)) || tT > kreiszahl)
        return {};
    zug = {{0, 0}};
    haengeAn(zug, f.entlang(w.ri, tT, f.param(*wandUnten)));
    haengeAn(zug, aussparung);
    haengeAn(zug, deckel);
    haengeAn(zug, {*achseUnten});
    return zug;
}

void Konstruktion::baue()
{
    const Werte& w = w_;
    if (!(std::isfinite(w.Ra) && std::isfinite(w.s) && w.Ra > 0 && w.s > 0 && w.s < w.Ra)) {
        hinweise.push_back("Grundkörper nicht darstellbar: Da und s prüfen.");
        return;
    }
    darstellbar = true;

    const bool stutzen = w.stutzen && stutzenDarstellbar();
    if (w.stutzen && !stutzen)
        hinweise.push_back("Stutzen nicht darstellbar: Da, s und phi prüfen.");
    marken.stutzen = stutzen;
    const bool mitFlaechen = w.flaechen && stutzen;

    // b belongs to this run only when it reached its verdict.
    const double b = w.ergebnisse ? std::max(0.0, q_.daten.daten.b) : 0.0;
    const double dmax = q_.daten.daten.dmax;
    marken.oeffnung = !w.stutzen && w.ergebnisse && dmax > 0 && dmax / 2 < w.Ra - w.s;
    // Without a nozzle the opening dmax stands upright: the nozzle lines of 90°.
    if (!stutzen)
        form_ = Form(w.zylinder, w.rm, 90);
    marken.kante = stutzen ? w.Das / 2 : marken.oeffnung ? dmax / 2 : 0;

    // How far the shell is drawn: past b, the pad and a discontinuity nearby.
    const double oeffnungsmass = stutzen ? w.Das / 2 : marken.kante;
    double weite = std::max({b, w.scheibe ? w.bS : 0.0, 3 * w.s});
    if (!w.ergebnisse)
        weite = std::max({weite, oeffnungsmass, 4 * w.s});
    const double x = q_.daten.daten.x;
    if (x > 0 && x <= 2 * std::max(weite, oeffnungsmass))
        weite = std::max(weite, x);
    const std::optional<Punkt> kanteInnen = form_.schnitt(marken.kante, w.ri);
    const std::optional<Punkt> kanteAussen = form_.schnitt(marken.kante, w.Ra);
    marken.tA = std::max(kanteInnen ? form_.param(*kanteInnen) : 0.0, kanteAussen ? form_.param(*kanteAussen) : 0.0);
    marken.tEnde = form_.weiter(marken.tA, 1.2 * weite + std::max(2 * w.s, 0.05 * weite), w.rm);
    if (!w.zylinder)
        marken.tEnde = std::min(marken.tEnde, marken.tA + kreiszahl / 3);

    flaeche(Rolle::mantel, schale(w.Ra - w.s, w.Ra), w.s);
    const bool zuschlaege = w.c1 >= 0 && w.c2 >= 0 && w.c1 + w.c2 < w.s;
    if (zuschlaege) {
        if (w.c2 > 0)
            flaeche(Rolle::zuschlagC2, schale(w.Ra - w.s, w.Ra - w.s + w.c2), w.c2);
        if (w.c1 > 0)
            flaeche(Rolle::zuschlagC1, schale(w.Ra - w.s + w.c2, w.Ra - w.s + w.c2 + w.c1), w.c1);
    } else {
        // A negative allowance or allowances that eat the whole wall.
        hinweise.push_back("Zuschläge c1, c2 des Grundkörpers nicht darstellbar.");
    }

    if (stutzen) {
        const Form& f = form_;
        const double innen = w.Das / 2 - w.ss, aussen = w.Das / 2;
        const double tOben = std::max(*f.achsparam(innen, w.Ra), *f.achsparam(aussen, w.Ra)) + w.ls;
        std::optional<double> tUnten;
        if (w.lsStrich > 0)
            tUnten = std::min(*f.achsparam(innen, w.Ra - w.s), *f.achsparam(aussen, w.Ra - w.s)) - w.lsStrich;
        flaeche(Rolle::stutzenwand, stutzenstreifen(innen, aussen, tOben, tUnten), w.ss);
        if (w.c1s >= 0 && w.c2s >= 0 && w.c1s + w.c2s <= w.ss) {
            if (w.c2s > 0)
                flaeche(Rolle::stutzenC2, stutzenstreifen(innen, innen + w.c2s, tOben, tUnten), w.c2s);
            if (w.c1s > 0)
                flaeche(Rolle::stutzenC1, stutzenstreifen(innen + w.c2s, innen + w.c2s + w.c1s, tOben, tUnten), w.c1s);
        } else {
            hinweise.push_back("Zuschläge c1, c2 des Stutzens nicht darstellbar.");
        }
        marken.oben = f.linie(aussen, tOben);
        marken.achseOben = tOben;
        marken.achseUnten = tUnten ? *tUnten : *f.achsparam(0, w.Ra - w.s);
        if (w.scheibe)
            flaeche(Rolle::scheibe, auflage(w.bS, w.hS), w.hS);
        else if (w.ausgehalst)
            flaeche(Rolle::ausgehalst, auskehlung(), 0);
    }
    // An upright nozzle's axis runs into the vessel's axis or through the sphere's centre.
    marken.achseBisMitte = !stutzen || w.phi == 90;

    if (!mitFlaechen)
        return;
    if (!(w.se > 0 && w.ris >= 0 && w.ris < w.Das / 2 && form_.schnitt(w.ris, w.ri) && form_.schnitt(w.Das / 2, w.ri))) {
        hinweise.push_back("Flächen nicht darstellbar: Wanddicken und Zuschläge prüfen.");
        return;
    }
    const Form& f = form_;
    const double lsm = std::max(0.0, q_.daten.daten.lsm);
    const double lsmStrich = std::max(0.0, zw(Zwischengroesse::lsmStrich).value_or(0));
    const double breite = b;
    flaeche(Rolle::Ap, druckflaeche(breite, lsm, lsmStrich), 0);
    if (breite > 0)
        flaeche(Rolle::As0,
                [&] {
                    std::vector<Punkt> zug = f.entlang(w.ri, marken.tA, f.weiter(marken.tA, breite, w.rm));
                    haengeAn(zug, f.entlang(w.Ra, f.weiter(marken.tA, breite, w.rm), marken.tA));
                    return zug;
                }(),
                w.se);
    std::vector<Punkt> as1 = f.versetzt(w.ri, w.ris, w.Das / 2, -lsmStrich);
    std::vector<Punkt> deckel = f.versetzt(w.Ra, w.ris, w.Das / 2, lsm);
    std::reverse(deckel.begin(), deckel.end());
    haengeAn(as1, deckel);
    flaeche(Rolle::As1, as1, w.ses);
    if (w.scheibe) {
        const double sb = zw(Zwischengroesse::scheibenbreite).value_or(0);
        const double sh = zw(Zwischengroesse::scheibenhoehe).value_or(0);
        flaeche(Rolle::As2, auflage(sb, sh), sh);
    }
    if (std::none_of(flaechen.begin(), flaechen.end(), [](const Flaeche& fl) { return fl.rolle == Rolle::Ap; }))
        hinweise.push_back("Ap nicht darstellbar.");
}

// ------------------------------------------------------------------ on the sheet

struct Kandidat {
    Punkt anker;
    int ausrichtungX; // -1: text ends at the anchor, 0: centred, 1: text starts there
    int ausrichtungY; // -1: text above the anchor, 0: centred, 1: below
};

// Dimensions, labels and lines for one trial scale; kept when everything fits.
struct Blattinhalt {
    Ansicht ansicht;
    std::vector<Linie> linien;
    std::vector<Pfeil> pfeile;
    std::vector<Bogen> boegen;
    std::vector<Text> texte;
    std::vector<std::vector<Punkt>> hindernisse; // walls on the sheet, kept free of text
    std::optional<Rechteck> bruchband;
    std::optional<Rechteck> formen; // the shapes alone
    std::optional<Rechteck> umfang; // everything

    void erfasse(const Rechteck& r) { umfang = vereint(umfang, r); }
    void linie(Strich s, std::vector<Punkt> punkte)
    {
        erfasse(huelle(punkte));
        linien.push_back({s, std::move(punkte)});
    }

    bool frei(const Rechteck& r) const
    {
        for (const Text& t : texte)
            if (ueberlappen(r, t.kasten()))
                return false;
        for (const auto& h : hindernisse)
            if (ueberlappen(r, h))
                return false;
        return !bruchband || !ueberlappen(r, *bruchband);
    }

    // Puts the text at the first free place among the candidates, else at the first.
    void setzeText(const std::string& text, const std::vector<Kandidat>& kandidaten, double g = schrift)
    {
        const double b = textbreite(text, g), h = texthoehe(g);
        const auto ort = [&](const Kandidat& k) {
            return Punkt{k.anker.x - b * (k.ausrichtungX < 0 ? 1.0 : k.ausrichtungX == 0 ? 0.5 : 0.0),
                         k.anker.y - h * (k.ausrichtungY < 0 ? 1.0 : k.ausrichtungY == 0 ? 0.5 : 0.0)};
        };
        Punkt gewaehlt = ort(kandidaten.front());
        for (const Kandidat& k : kandidaten) {
            const Punkt p = ort(k);
            if (frei({p.x, p.y, b, h})) {
                gewaehlt = p;
                break;
            }
        }
        texte.push_back({text, gewaehlt, g, true});
        erfasse(texte.back().kasten());
    }

    void pfeil(Punkt spitze, Punkt richtung)
    {
        pfeile.push_back({spitze, einheit(richtung)});
        erfasse(huelle({spitze, spitze - pfeillaenge * einheit(richtung)}));
    }

    // A dimension between the sheet points a and b, its line moved by `versatz`
    // (sheet mm) off them, with extension lines where it is moved.
    void bemasse(Punkt a, Punkt b, Punkt versatz, const std::string& text)
    {
        const Punkt la = a + versatz, lb = b + versatz;
        const double weit = laenge(versatz);
        if (weit > 1) {
            const Punkt e = einheit(versatz);
            linie(Strich::duenn, {a + 1.0 * e, la + 1.5 * e});
            linie(Strich::duenn, {b + 1.0 * e, lb + 1.5 * e});
        }
        const Punkt r = einheit(lb - la);
        if (laenge(lb - la) >= 2 * pfeillaenge + 1) {
            linie(Strich::duenn, {la, lb});
            pfeil(la, -1 * r);
            pfeil(lb, r);
        } else {
            // Too short for arrows inside: they point in from outside.
            linie(Strich::duenn, {la - (pfeillaenge + 2) * r, lb + (pfeillaenge + 2) * r});
            pfeil(la, r);
            pfeil(lb, -1 * r);
        }
        const Punkt mitte = 0.5 * (la + lb);
        const bool waagerecht = std::fabs(r.x) >= std::fabs(r.y);
        std::vector<Kandidat> k;
        const Punkt rechtsEnde = r.x >= 0 ? lb : la, linksEnde = r.x >= 0 ? la : lb;
        const Punkt obenEnde = r.y <= 0 ? lb : la, untenEnde = r.y <= 0 ? la : lb;
        if (waagerecht) {
            // Above a sloping line the text's lower corner must clear it too.
            const double frei = 0.8 + 0.5 * textbreite(text, schrift) * std::fabs(r.y / r.x);
            k = {{mitte + Punkt{0, -frei}, 0, -1},
                 {mitte + Punkt{0, frei}, 0, 1},
                 {rechtsEnde + Punkt{pfeillaenge + 1.5, 0}, 1, 0},
                 {linksEnde - Punkt{pfeillaenge + 1.5, 0}, -1, 0}};
        } else {
            const Punkt viertel = la + 0.75 * (lb - la), dreiviertel = la + 0.25 * (lb - la);
            k = {{mitte - Punkt{1.2, 0}, -1, 0},
                 {mitte + Punkt{1.2, 0}, 1, 0},
                 {viertel - Punkt{1.2, 0}, -1, 0},
                 {dreiviertel - Punkt{1.2, 0}, -1, 0},
                 {viertel + Punkt{1.2, 0}, 1, 0},
                 {dreiviertel + Punkt{1.2, 0}, 1, 0},
                 {obenEnde - Punkt{0, pfeillaenge + 1}, 0, -1},
                 {untenEnde + Punkt{0, pfeillaenge + 1}, 0, 1}};
        }
        setzeText(text, k);
    }

    void verschiebe(Punkt d)
    {
        ansicht.ursprung = ansicht.ursprung + d;
        for (Linie& l : linien)
            for (Punkt& p : l.punkte)
                p = p + d;
        for (Pfeil& p : pfeile)
            p.spitze = p.spitze + d;
        for (Bogen& b : boegen)
            b.mitte = b.mitte + d;
        for (Text& t : texte)
            t.ort = t.ort + d;
        if (bruchband) {
            bruchband->links += d.x;
            bruchband->oben += d.y;
        }
        for (std::optional<Rechteck>* r : {&umfang, &formen})
            if (*r) {
                (*r)->links += d.x;
                (*r)->oben += d.y;
            }
    }
};

std::string zahl(double wert, const std::string& trenner) { return anzeigetext(wert, Muster::zweiStellen, trenner); }

class Zeichner {
public:
    // kompakt: a small sheet, whose dimensions carry their symbols only.
    Zeichner(const Rechenstand& q, const Konstruktion& k, bool kompakt)
        : q_(q), k_(k), trenner_(q.daten.dezimaltrenner), kompakt_(kompakt)
    {
    }

    // Everything on the sheet at this scale, with the true origin at (0, 0).
    Blattinhalt lege(double massstab, const std::optional<Bruch>& bruch) const;

private:
    void flaechenUndBruch(Blattinhalt& z) const;
    void achsen(Blattinhalt& z) const;
    void masseStutzen(Blattinhalt& z) const;
    void masseGrundkoerper(Blattinhalt& z) const;

    std::string text(const std::string& voll, const std::string& kurz) const { return kompakt_ ? kurz : voll; }

    const Rechenstand& q_;
    const Konstruktion& k_;
    std::string trenner_;
    bool kompakt_;
};

void Zeichner::flaechenUndBruch(Blattinhalt& z) const
{
    std::optional<Rechteck> formen;
    for (const Flaeche& f : k_.flaechen) {
        const std::vector<Punkt> blatt = z.ansicht.abbilde(f.ecken, true);
        formen = vereint(formen, huelle(blatt));
        if (f.rolle == Rolle::mantel || f.rolle == Rolle::stutzenwand || f.rolle == Rolle::scheibe
            || f.rolle == Rolle::ausgehalst)
            z.hindernisse.push_back(blatt);
    }
    if (!formen)
        return;
    z.formen = formen;
    z.erfasse(*formen);
    if (const std::optional<Bruch>& b = z.ansicht.bruch) {
        const double unten = z.ansicht.abbilde(Punkt{0, b->von}).y;
        const double oben = unten - b->luecke;
        // Across the shapes and the axis of the opening, which the break cuts too.
        const double achse = z.ansicht.abbilde(Punkt{0, 0}).x;
        const double links = std::min(formen->links, achse) - 3, rechts = std::max(formen->rechts(), achse) + 3;
        z.bruchband = Rechteck{links, oben, rechts - links, b->luecke};
        // The break line: straight, with one sharp zigzag in the middle.
        for (double y : {oben + 1, unten - 1}) {
            const double m = 0.5 * (links + rechts);
            z.linie(Strich::bruchlinie, {{links, y}, {m - 2, y}, {m - 0.8, y - 2.2}, {m + 0.8, y + 2.2}, {m + 2, y}, {rechts, y}});
        }
    }
}

void Zeichner::achsen(Blattinhalt& z) const
{
    const Werte& w = k_.w();
    const Form& f = k_.form();
    const Marken& m = k_.marken;
    const Ansicht& a = z.ansicht;
    const Punkt ende = a.abbilde(f.punkt(w.Ra, m.tEnde));
    if (w.zylinder) {
        const double links = std::min(a.abbilde(Punkt{0, 0}).x, z.formen ? z.formen->links : 0.0) - 4;
        const Punkt achse = a.abbilde(Punkt{0, 0});
        z.linie(Strich::mittellinie, {{links, achse.y}, {ende.x + 10, achse.y}});
        if (!kompakt_)
            z.setzeText("Behälterachse",
                        {{Punkt{ende.x - 2, achse.y + 0.8}, -1, 1}, {Punkt{ende.x - 2, achse.y - 0.8}, -1, -1}});
    } else {
        const Punkt mitte = a.abbilde(Punkt{0, 0});
        z.linie(Strich::duenn, {mitte - Punkt{3, 0}, mitte + Punkt{3, 0}});
        z.linie(Strich::duenn, {mitte - Punkt{0, 3}, mitte + Punkt{0, 3}});
        z.setzeText(text("Kugelmitte", "M"), {{mitte + Punkt{-2, 1}, -1, 1}, {mitte + Punkt{2, 1}, 1, 1}});
    }
    // The nozzle's axis, or the opening's axis without one.
    std::vector<Punkt> achse;
    const double ueber = 5 / a.massstab;
    if (m.stutzen) {
        const Punkt oben = f.linie(0, m.achseOben + ueber);
        const Punkt unten = m.achseBisMitte ? Punkt{0, 0} : f.linie(0, m.achseUnten - ueber);
        achse = a.abbilde({unten, oben}, false);
    } else {
        achse = a.abbilde({Punkt{0, 0}, Punkt{0, w.Ra + ueber}}, false);
    }
    z.linie(Strich::mittellinie, achse);
}

void Zeichner::masseStutzen(Blattinhalt& z) const
{
    const Werte& w = k_.w();
    const Form& f = k_.form();
    const Marken& m = k_.marken;
    const Ansicht& a = z.ansicht;
    const Berechnungsdaten& d = q_.daten.daten;
    // The nozzle's direction on the sheet, and across it towards the empty side left of its axis.
    const Punkt richtung = einheit(a.abbilde(f.linie(0, 0)) - a.abbilde(f.linie(0, -1)));
    const Punkt quer = senkrecht(richtung, {-1, 0});

    // d/2 above the nozzle: the opening's half width along the shell, measured
    // parallel to the vessel's axis between the nozzle's axis and its outside.
    {
        const Punkt aussen = a.abbilde(m.oben);
        const double rm = f.linie(0, 0).y;
        const Punkt achse = a.abbilde(f.linie(0, (m.oben.y - rm) / f.u.y));
        double hoch = aussen.y;
        for (const Flaeche& fl : k_.flaechen)
            if (fl.rolle == Rolle::stutzenwand)
                for (Punkt p : a.abbilde(fl.ecken, true))
                    hoch = std::min(hoch, p.y);
        const std::optional<double> dSchraeg = k_.zw(Zwischengroesse::dSchraeg);
        const double halb = dSchraeg.value_or(w.Das / (2 * f.u.y));
        z.bemasse(achse, aussen, Punkt{0, hoch - aussen.y - massabstand},
                  text("d/2 = " + zahl(halb, trenner_), "d/2"));
    }

    // phi where the axis meets the shell's outside, against a parallel to the vessel's axis.
    if (const std::optional<Punkt> p = f.schnitt(0, w.Ra)) {
        const Punkt mitte = a.abbilde(*p);
        const double bohrung = (w.Das / 2 - w.ss) * a.massstab;
        const double radius = std::clamp(0.6 * bohrung, 2.5, 7.0);
        const double grad = std::atan2(-richtung.y, richtung.x) * 180 / kreiszahl;
        z.linie(Strich::duenn, {mitte, mitte + Punkt{radius + 1.5, 0}});
        z.boegen.push_back({mitte, radius, 0, grad});
        z.erfasse({mitte.x - radius, mitte.y - radius, 2 * radius, 2 * radius});
        // Later labels keep off the angle: its sector counts as a wall.
        std::vector<Punkt> sektor{mitte};
        for (int i = 0; i <= 8; ++i) {
            const double w = grad * i / 8 * kreiszahl / 180;
            sektor.push_back(mitte + Punkt{radius * std::cos(w), -radius * std::sin(w)});
        }
        z.hindernisse.push_back(sektor);
        const double halbGrad = grad / 2 * kreiszahl / 180;
        const Punkt amBogen = mitte + Punkt{(radius + 1) * std::cos(halbGrad), -(radius + 1) * std::sin(halbGrad)};
        z.setzeText(text("phi = " + zahl(d.phi, trenner_) + "°", "phi"),
                    {{amBogen, 1, -1}, {mitte + Punkt{-1.5, -radius}, -1, -1}, {mitte + Punkt{-1.5, 1}, -1, 1}});
    }

    if (!w.ergebnisse)
        return;
    // lsm and lsm' along the nozzle, in its bore close to the wall.
    const Punkt P0 = *f.schnitt(w.Das / 2, w.Ra);
    const Punkt P0i = *f.schnitt(w.Das / 2, w.ri);
    const double zumLinks = w.ss * a.massstab + 4;
    const double lsm = std::max(0.0, d.lsm);
    const double lsmStrich = std::max(0.0, k_.zw(Zwischengroesse::lsmStrich).value_or(0));
    if (lsm > 0) {
        const bool begrenzt = k_.zw(Zwischengroesse::lsmWinkel).value_or(0) > d.ls;
        const std::string voll = begrenzt ? "lsm = ls = " + zahl(lsm, trenner_) : "lsm = " + zahl(lsm, trenner_);
        z.bemasse(a.abbilde(P0), a.abbilde(P0 + lsm * f.u), zumLinks * quer,
                  text(voll, begrenzt ? "lsm = ls" : "lsm"));
    }
    if (lsmStrich > 0) {
        const bool begrenzt = k_.zw(Zwischengroesse::lsmStrichVoll).value_or(0) > d.lsstrich;
        const std::string wert = zahl(lsmStrich, trenner_);
        const std::string voll = begrenzt ? "lsm' = ls' = " + wert : "lsm' = " + wert;
        z.bemasse(a.abbilde(P0i), a.abbilde(P0i - lsmStrich * f.u), zumLinks * quer,
                  text(voll, begrenzt ? "lsm' = ls'" : "lsm'"));
    }
}

void Zeichner::masseGrundkoerper(Blattinhalt& z) const
{
    const Werte& w = k_.w();
    const Form& f = k_.form();
    const Marken& m = k_.marken;
    const Ansicht& a = z.ansicht;
    const Berechnungsdaten& d = q_.daten.daten;

    // b along the outside, above the pad; without a nozzle chained to dmax/2.
    const double ueberPad = (w.scheibe ? w.hS : 0) * a.massstab + massabstand;
    const Punkt b0 = a.abbilde(f.punkt(w.Ra, m.tA));
    if (w.ergebnisse && d.b > 0) {
        const Punkt b1 = a.abbilde(f.punkt(w.Ra, f.weiter(m.tA, d.b, w.rm)));
        const Punkt hoch = ueberPad * senkrecht(b1 - b0, {0, -1});
        const bool begrenzt = k_.zw(Zwischengroesse::bWurzel).value_or(0) > d.b;
        const std::string voll = begrenzt ? "b = x = " + zahl(d.b, trenner_) : "b = " + zahl(d.b, trenner_);
        z.bemasse(b0, b1, hoch, text(voll, begrenzt ? "b = x" : "b"));
        if (m.oeffnung)
            z.bemasse(a.abbilde(f.punkt(w.Ra, 0)), b0, hoch,
                      text("dmax/2 = " + zahl(d.dmax / 2, trenner_), "dmax/2"));
    }
    // The next discontinuity, where it lies within the drawing.
    if (d.x > 0 && w.ergebnisse) {
        const double t = f.weiter(m.tA, d.x, w.rm);
        if (t <= m.tEnde) {
            const Punkt unten = a.abbilde(f.punkt(w.Ra - w.s, t));
            const Punkt oben = a.abbilde(f.punkt(w.Ra, t));
            const Punkt hinaus = einheit(oben - unten);
            const Punkt spitze = oben + (ueberPad + 3) * hinaus;
            z.linie(Strich::mittellinie, {unten - 2 * hinaus, spitze});
            z.setzeText(text("Störstelle", "x"), {{spitze + Punkt{0, -0.5}, 0, -1}, {spitze + Punkt{1, 0}, 1, 0}});
        }
    }

    // The radius: the cylinder's at its cut end down to the vessel's axis; the
    // sphere's up from its centre to its crown, left of everything, where the
    // half section leaves room.
    const std::string radius = text("Da/2 = " + zahl(w.Ra, trenner_), "Da/2");
    if (w.zylinder) {
        const Punkt fuss = a.abbilde(f.punkt(0, m.tEnde)), kopf = a.abbilde(f.punkt(w.Ra, m.tEnde));
        z.bemasse(fuss, kopf, {massabstand + 3, 0}, radius);
    } else {
        const Punkt fuss = a.abbilde(Punkt{0, 0}), kopf = a.abbilde(Punkt{0, w.Ra});
        const double links = std::min(fuss.x, z.formen ? z.formen->links : fuss.x) - massabstand - 3;
        z.bemasse(fuss, kopf, {links - fuss.x, 0}, radius);
    }
}

Blattinhalt Zeichner::lege(double massstab, const std::optional<Bruch>& bruch) const
{
    Blattinhalt z;
    z.ansicht.massstab = massstab;
    z.ansicht.bruch = bruch;
    flaechenUndBruch(z);
    if (!k_.darstellbar)
        return z;
    masseGrundkoerper(z);
    if (k_.marken.stutzen)
        masseStutzen(z);
    achsen(z);
    return z;
}

// ------------------------------------------------------------------ legend and sheet

struct Zeile {
    std::optional<Rolle> rolle;
    std::string text;
    double groesse = schrift;
};

std::string flaechentext(const char* name, double wert, const std::string& trenner)
{
    return std::string(name) + " = " + zahl(wert, trenner) + " mm²";
}

std::vector<Legendeneintrag> legendeVon(const Rechenstand& q, const Konstruktion& k)
{
    const Werte& w = k.w();
    const Berechnungsdaten& d = q.daten.daten;
    const std::string& t = q.daten.dezimaltrenner;
    std::vector<Legendeneintrag> l;
    const auto hat = [&](Rolle r) {
        return std::any_of(k.flaechen.begin(), k.flaechen.end(), [r](const Flaeche& f) { return f.rolle == r; });
    };
    if (w.flaechen) {
        const std::string faktorA = w.ausgehalst ? ", × " + zahl(0.9, t).substr(0, 3) : "";
        const double fS = k.zw(Zwischengroesse::fS).value_or(1);
        const std::string faktorS = fS != 1 ? ", × " + zahl(fS, t).substr(0, 3) : "";
        l.push_back({hat(Rolle::Ap) ? std::optional(Rolle::Ap) : std::nullopt, flaechentext("Ap ", d.Ap, t),
                     "Druckbeaufschlagte Fläche"});
        l.push_back({Rolle::As0, flaechentext("As0", d.As0, t), "Drucktragende Fläche Grundkörper" + faktorA});
        l.push_back({Rolle::As1, flaechentext("As1", d.As1, t), "Drucktragende Fläche Stutzen" + faktorA});
        if (w.scheibe)
            l.push_back({Rolle::As2, flaechentext("As2", d.As2, t), "Drucktragende Fläche Scheibe" + faktorS});
        l.push_back({std::nullopt, flaechentext("As ", d.As0 + d.As1 + d.As2, t), "Drucktragende Fläche"});
        l.push_back({std::nullopt, "Reserve Flächenvergleich = " + anzeigetext(d.rFV, Muster::ganz, t) + " %", ""});
    }
    if (!w.stutzen && w.ergebnisse)
        l.push_back({std::nullopt, "dmax = " + zahl(d.dmax, t) + " mm", "unverstärkter Ausschnitt"});
    if (k.darstellbar)
        l.push_back({Rolle::mantel, "Wand", w.stutzen ? "Grundkörper, Stutzen, Scheibe" : "Grundkörper"});
    if (hat(Rolle::zuschlagC1) || hat(Rolle::stutzenC1))
        l.push_back({Rolle::zuschlagC1, "c1", "Minustoleranz"});
    if (hat(Rolle::zuschlagC2) || hat(Rolle::stutzenC2))
        l.push_back({Rolle::zuschlagC2, "c2", "Wanddickenabnutzung"});
    if (hat(Rolle::ausgehalst))
        l.push_back({Rolle::ausgehalst, "ausgehalst", "nach B9 4.4.1"});
    return l;
}

// True extent of the region around the opening (all shapes but the loaded area,
// which reaches down to the vessel's axis).
struct Umgebung {
    double unten = 0;
    double oben = 0;
    double groesse = 0;
};

std::optional<Umgebung> umgebung(const Konstruktion& k)
{
    std::vector<Punkt> nah, alle;
    for (const Flaeche& f : k.flaechen) {
        alle.insert(alle.end(), f.ecken.begin(), f.ecken.end());
        if (f.rolle != Rolle::Ap)
            nah.insert(nah.end(), f.ecken.begin(), f.ecken.end());
    }
    if (nah.empty())
        return std::nullopt;
    const Rechteck n = huelle(nah), a = huelle(alle);
    return Umgebung{n.oben, n.unten(), std::max(a.breite, n.hoehe)};
}

std::string massstabText(double m)
{
    const auto ganz = [](double v) { return std::to_string(static_cast<long long>(std::llround(v))); };
    return m >= 1 ? "M " + ganz(m) + ":1" : "M 1:" + ganz(1 / m);
}

} // namespace

bool Rechteck::enthaelt(Punkt p, double toleranz) const
{
    return p.x >= links - toleranz && p.x <= rechts() + toleranz && p.y >= oben - toleranz && p.y <= unten() + toleranz;
}

Rechteck Text::kasten() const { return {ort.x, ort.y, textbreite(text, groesse), texthoehe(groesse)}; }

Punkt Ansicht::abbilde(Punkt wahr) const
{
    double y = wahr.y;
    if (bruch) {
        const double weg = bruch->bis - bruch->von;
        if (y >= bruch->bis)
            y = y - weg + bruch->luecke / massstab;
        else if (y > bruch->von)
            y = bruch->von + (y - bruch->von) / weg * bruch->luecke / massstab;
    }
    return {ursprung.x + massstab * wahr.x, ursprung.y - massstab * y};
}

std::vector<Punkt> Ansicht::abbilde(const std::vector<Punkt>& zug, bool geschlossen) const
{
    std::vector<Punkt> blatt;
    const std::size_t n = zug.size();
    for (std::size_t i = 0; i < n; ++i) {
        blatt.push_back(abbilde(zug[i]));
        if (!bruch || (!geschlossen && i + 1 == n))
            continue;
        const Punkt a = zug[i], b = zug[(i + 1) % n];
        std::vector<double> teile;
        for (double grenze : {bruch->von, bruch->bis})
            if ((a.y - grenze) * (b.y - grenze) < 0)
                teile.push_back((grenze - a.y) / (b.y - a.y));
        std::sort(teile.begin(), teile.end());
        for (double t : teile)
            blatt.push_back(abbilde(a + t * (b - a)));
    }
    return blatt;
}

std::vector<std::pair<Punkt, Punkt>> schraffur(const std::vector<Punkt>& ecken, double winkelGrad, double abstand)
{
    std::vector<std::pair<Punkt, Punkt>> striche;
    if (ecken.size() < 3 || !(abstand > 0))
        return striche;
    const double w = winkelGrad * kreiszahl / 180;
    const Punkt r{std::cos(w), std::sin(w)}, q{-std::sin(w), std::cos(w)};
    // Across the hatching the polygon spans [qmin, qmax]; lines at multiples of the spacing.
    double qmin = skalar(ecken[0], q), qmax = qmin;
    for (Punkt p : ecken) {
        qmin = std::min(qmin, skalar(p, q));
        qmax = std::max(qmax, skalar(p, q));
    }
    // Only a shape far beyond any sheet has more lines than this; they are
    // counted, since far from zero adding the spacing may change nothing.
    if (!((qmax - qmin) / abstand <= 1e4))
        return striche;
    const double erste = std::ceil(qmin / abstand);
    for (int i = 0; (erste + i) * abstand <= qmax && i <= 10000; ++i) {
        const double c = (erste + i) * abstand;
        std::vector<double> schnitte;
        for (std::size_t i = 0; i < ecken.size(); ++i) {
            const Punkt a = ecken[i], b = ecken[(i + 1) % ecken.size()];
            const double qa = skalar(a, q) - c, qb = skalar(b, q) - c;
            if ((qa < 0) != (qb < 0))
                schnitte.push_back(skalar(a + (qa / (qa - qb)) * (b - a), r));
        }
        std::sort(schnitte.begin(), schnitte.end());
        for (std::size_t i = 0; i + 1 < schnitte.size(); i += 2)
            striche.emplace_back(schnitte[i] * r + c * q, schnitte[i + 1] * r + c * q);
    }
    return striche;
}

Skizze skizze(const Rechenstand& quelle, double blattbreite, double blatthoehe)
{
    Skizze s;
    const double B = std::max(blattbreite, 60.0), H = std::max(blatthoehe, 40.0);
    s.blatt = {0, 0, B, H};
    const Konstruktion k(quelle);
    const Werte& w = k.w();
    s.flaechen = k.flaechen;
    s.legende = legendeVon(quelle, k);
    if (!quelle.lauf.berechnet())
        s.grund = meldung(quelle.lauf.ausgang);

    // A small sheet (the report window at its first size) keeps to the drawing:
    // dimensions by symbol, the legend with the areas' values only.
    const bool kompakt = B < 180 || H < 110;
    const double titelgroesse = kompakt ? schrift : titelschrift;

    // Title and project.
    const double nutzbreite = B - 2 * blattrand;
    const std::string titel = std::string("Skizze: ") + (w.zylinder ? "Zylinder" : "Kugel")
        + (w.stutzen ? " mit Stutzen" : " ohne Stutzen") + ", Halbschnitt";
    s.texte.push_back({kuerze(titel, nutzbreite, titelgroesse), {blattrand, blattrand}, titelgroesse, false});
    double kopf = blattrand + texthoehe(titelgroesse) + 1;
    std::string projekt;
    for (const auto& [name, wert] : {std::pair{"Projekt: ", &quelle.daten.bezeichnung},
                                     std::pair{"Nummer: ", &quelle.daten.nummer},
                                     std::pair{"Bearb.: ", &quelle.daten.bearbeiter}})
        if (!wert->empty())
            projekt += (projekt.empty() ? "" : "   ") + std::string(name) + *wert;
    if (!projekt.empty() && !kompakt) {
        s.texte.push_back({kuerze(projekt, nutzbreite, schrift), {blattrand, kopf}, schrift, false});
        kopf += texthoehe(schrift);
    }
    kopf += 3;

    // The legend's lines; the scale and the note on walls come once the scale is known.
    std::vector<Zeile> zeilen;
    for (const Legendeneintrag& e : s.legende) {
        if (kompakt && !(e.rolle && e.text.find('=') != std::string::npos))
            continue;
        zeilen.push_back({e.rolle, e.text});
        if (!e.beschreibung.empty() && !kompakt)
            zeilen.push_back({std::nullopt, "  " + e.beschreibung});
    }
    if (s.grund) {
        zeilen.push_back({std::nullopt, ""});
        zeilen.push_back({std::nullopt, "Berechnung abgebrochen:"});
        zeilen.push_back({std::nullopt, *s.grund});
        zeilen.push_back({std::nullopt, "Flächen werden nicht gezeichnet."});
    }
    for (const std::string& h : k.hinweise)
        zeilen.push_back({std::nullopt, h});
    zeilen.push_back({std::nullopt, ""});
    const std::size_t massstabZeile = zeilen.size();
    zeilen.push_back({std::nullopt, "M 1:100000", titelgroesse});
    zeilen.push_back({std::nullopt, "Wanddicken überhöht"});
    if (!kompakt) {
        zeilen.push_back({std::nullopt, ""});
        zeilen.push_back({std::nullopt, "Skizze der angerechneten Flächen,", 2.0});
        zeilen.push_back({std::nullopt, "keine Fertigungszeichnung.", 2.0});
    }

    double legendenbreite = 0, legendenhoehe = 0;
    for (const Zeile& z : zeilen) {
        legendenbreite = std::max(legendenbreite, (z.rolle ? musterbreite + 2 : 0) + textbreite(z.text, z.groesse));
        legendenhoehe += 1.3 * z.groesse;
    }
    const bool rechts = B >= 1.2 * H;
    // A little room for rounding in the font's advances.
    legendenbreite = std::min(legendenbreite + 1, rechts ? 0.45 * nutzbreite : nutzbreite);
    Rechteck legende;
    if (rechts) {
        legende = {B - blattrand - legendenbreite, kopf, legendenbreite, H - blattrand - kopf};
        s.zeichenflaeche = {blattrand, kopf, nutzbreite - legendenbreite - 4, H - blattrand - kopf};
    } else {
        legende = {blattrand, H - blattrand - legendenhoehe, nutzbreite, legendenhoehe};
        s.zeichenflaeche = {blattrand, kopf, nutzbreite, std::max(10.0, legende.oben - 3 - kopf)};
    }

    // The break, from the true proportions alone, so that every sheet shows the same.
    std::optional<Bruch> bruch;
    const std::optional<Umgebung> nah = umgebung(k);
    if (nah && nah->unten > bruchVerhaeltnis * nah->groesse) {
        bruch = Bruch{0.15 * nah->groesse, nah->unten - 0.1 * nah->groesse, bruchluecke};
        s.bruchmass = "Da/2 = " + zahl(w.Ra, quelle.daten.dezimaltrenner);
    }

    // The largest standard scale at which everything fits.
    const Zeichner zeichner(quelle, k, kompakt);
    std::optional<Blattinhalt> gewaehlt;
    double massstab = 1;
    for (int stelle = 1; stelle >= -7 && !gewaehlt; --stelle)
        for (double ziffer : {5.0, 2.0, 1.0}) {
            const double m = ziffer * std::pow(10.0, stelle);
            Blattinhalt z = zeichner.lege(m, bruch);
            const bool passt = !z.umfang
                || (z.umfang->breite <= s.zeichenflaeche.breite && z.umfang->hoehe <= s.zeichenflaeche.hoehe);
            if (passt || (stelle == -7 && ziffer == 1.0)) {
                massstab = m;
                gewaehlt = std::move(z);
                break;
            }
        }
    Blattinhalt& z = *gewaehlt;
    if (z.umfang) {
        const Punkt mitte{s.zeichenflaeche.links + s.zeichenflaeche.breite / 2,
                          s.zeichenflaeche.oben + s.zeichenflaeche.hoehe / 2};
        z.verschiebe(mitte - Punkt{z.umfang->links + z.umfang->breite / 2, z.umfang->oben + z.umfang->hoehe / 2});
    }
    s.ansicht = z.ansicht;
    s.bruchband = z.bruchband;
    s.linien = std::move(z.linien);
    s.pfeile = std::move(z.pfeile);
    s.boegen = std::move(z.boegen);
    s.texte.insert(s.texte.end(), z.texte.begin(), z.texte.end());
    s.massstab = massstabText(massstab);
    for (const Flaeche& f : s.flaechen) {
        const bool zuschlag = f.rolle == Rolle::zuschlagC1 || f.rolle == Rolle::zuschlagC2
            || f.rolle == Rolle::stutzenC1 || f.rolle == Rolle::stutzenC2;
        if (f.dicke > 0 && f.dicke * massstab < (zuschlag ? mindestZuschlag : mindestWanddicke))
            s.ueberhoeht = true;
    }

    zeilen[massstabZeile].text = s.massstab;
    if (!s.ueberhoeht)
        zeilen.erase(zeilen.begin() + static_cast<std::ptrdiff_t>(massstabZeile) + 1);
    double y = legende.oben;
    for (const Zeile& zeile : zeilen) {
        const double h = 1.3 * zeile.groesse;
        double x = legende.links;
        if (zeile.rolle) {
            s.muster.push_back({{x, y + 0.1 * zeile.groesse, musterbreite, 1.1 * zeile.groesse}, *zeile.rolle});
            x += musterbreite + 2;
        }
        if (!zeile.text.empty())
            s.texte.push_back({kuerze(zeile.text, legende.rechts() - x, zeile.groesse), {x, y}, zeile.groesse, false});
        y += h;
    }
    return s;
}

} // namespace velkor
