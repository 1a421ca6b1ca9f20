#include "report/konstruktion.h"

#include "engine/zahlentext.h"

#include <algorithm>
#include <tuple>

namespace velkor {

namespace {

// The run's own se, ri, rm, ses and ris. One that stopped before forming them
// gives NaN, which every check below refuses: a run stopped while taking the
// entries in has not read them all, so the shell is not drawn from them; one
// stopped before the area comparison (no ris) draws no areas anyway.
Werte werte(const Rechenstand& q)
{
    const Berechnungsdaten& d = q.daten.daten;
    const auto zw = [&](Zwischengroesse g) { return q.lauf.zwischenwerte[g].value_or(std::nan("")); };
    using enum Zwischengroesse;
    Werte w;
    w.zylinder = d.zylinder;
    w.Ra = d.Da / 2;
    w.s = d.s;
    w.c1 = d.c1;
    w.c2 = d.c2;
    w.se = zw(se);
    w.ri = zw(ri);
    w.rm = zw(rm);
    w.stutzen = q.daten.stutzen;
    w.Das = d.Das;
    w.ss = d.ss;
    w.c1s = d.c1s;
    w.c2s = d.c2s;
    w.ses = zw(ses);
    w.ris = zw(ris);
    w.ls = d.ls;
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

} // namespace

Konstruktion::Konstruktion(const Rechenstand& q) : q_(q), w_(werte(q)), form_(w_.zylinder, w_.rm, w_.phi)
{
    baue();
}

void Konstruktion::flaeche(Rolle rolle, std::vector<Punkt> ecken, double dicke)
{
    std::vector<Punkt> sauber;
    haengeAn(sauber, ecken);
    if (sauber.size() > 2 && laenge(sauber.front() - sauber.back()) < 1e-9 * std::max(1.0, laenge(sauber.front())))
        sauber.pop_back();
    if (sauber.size() >= 3 && endlich(sauber))
        flaechen.push_back({rolle, std::move(sauber), dicke});
}

std::optional<std::string> Konstruktion::stutzenFehler() const
{
    const Werte& w = w_;
    const std::string nicht = "Stutzen nicht darstellbar: ";
    if (!(w.Das > 0 && std::isfinite(w.Das)))
        return nicht + "Das muss größer als 0 sein.";
    if (!(w.ss > 0 && 2 * w.ss <= w.Das))
        return nicht + "ss muss größer als 0 und höchstens Das/2 sein.";
    if (!(w.phi > 0 && w.phi <= 90))
        return nicht + "phi muss zwischen 0 und 90° liegen.";
    // The sphere's nozzle must cross every surface drawn.
    for (double delta : {0.0, w.Das / 2})
        for (double r : {w.Ra - w.s, w.Ra})
            if (!form_.schnitt(delta, r))
                return nicht + "Das und phi passen nicht zur Kugel Da.";
    return std::nullopt;
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

// The nozzle, its allowances and the pad or knuckle. A nozzle longer than its
// credited length by more than a short stub is broken off, outside and inside.
void Konstruktion::baueStutzen()
{
    const Werte& w = w_;
    const Form& f = form_;
    const double innen = w.Das / 2 - w.ss, aussen = w.Das / 2;
    const auto stummel = [&](double angerechnet) { return angerechnet + std::max({0.3 * angerechnet, 2 * w.ss, 0.1 * w.Das}); };
    // Without a verdict no credited length is known: the nozzle's diameter stands in.
    const double lsmSicht = stummel(w.ergebnisse ? std::max(0.0, q_.daten.daten.lsm) : w.Das);
    const double lsmStrichSicht = stummel(w.ergebnisse ? zw(Zwischengroesse::lsmStrich).value_or(0) : 0.5 * w.Das);
    double ls = w.ls;
    if (ls < 0 && -ls >= w.s) {
        hinweise.push_back("ls = " + anzeigetext(ls, Muster::zweiStellen, q_.daten.dezimaltrenner)
                           + " reicht durch die Wand: gezeichnet mit ls = 0.");
        ls = 0;
    }
    const double basisOben = std::max(*f.achsparam(innen, w.Ra), *f.achsparam(aussen, w.Ra));
    const double tOben = basisOben + std::min(ls, lsmSicht);
    std::optional<double> tUnten;
    const double basisUnten = std::min(*f.achsparam(innen, w.Ra - w.s), *f.achsparam(aussen, w.Ra - w.s));
    if (w.lsStrich > 0)
        tUnten = basisUnten - std::min(w.lsStrich, lsmStrichSicht);
    if (ls > lsmSicht)
        marken.brueche.push_back({f.linie(innen, tOben), f.linie(aussen, tOben)});
    if (w.lsStrich > lsmStrichSicht)
        marken.brueche.push_back({f.linie(innen, *tUnten), f.linie(aussen, *tUnten)});
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
    if (w.scheibe) {
        // Broken off where the shell is.
        const std::optional<Punkt> fuss = f.schnitt(aussen, w.Ra);
        const double bis = fuss ? (w.zylinder ? marken.tEnde - fuss->x : (marken.tEnde - f.param(*fuss)) * w.Ra) : w.bS;
        flaeche(Rolle::scheibe, auflage(std::min(w.bS, bis), w.hS), w.hS);
        if (w.bS > bis)
            marken.brueche.push_back({f.punkt(w.Ra - w.s, marken.tEnde), f.punkt(w.Ra + w.hS, marken.tEnde)});
    } else if (w.ausgehalst) {
        flaeche(Rolle::ausgehalst, auskehlung(), 0);
    }
}

void Konstruktion::baue()
{
    const Werte& w = w_;
    if (!(std::isfinite(w.rm) && std::isfinite(w.ri))) {
        hinweise.push_back("Grundkörper nicht dargestellt: die Eingaben wurden nicht alle übernommen.");
        return;
    }
    if (!(std::isfinite(w.Ra) && std::isfinite(w.s) && w.Ra > 0 && w.s > 0 && w.s < w.Ra)) {
        hinweise.push_back("Grundkörper nicht darstellbar: Da und s prüfen.");
        return;
    }
    darstellbar = true;

    const std::optional<std::string> stutzenfehler = w.stutzen ? stutzenFehler() : std::nullopt;
    if (stutzenfehler)
        hinweise.push_back(*stutzenfehler);
    const bool stutzen = w.stutzen && !stutzenfehler;
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

    // How far the shell is drawn: past b and a discontinuity nearby. A pad
    // wider than that is broken off with the shell, so that the credited
    // region sets the scale. A stopped run has no b: the opening's size stands in.
    const double oeffnungsmass = stutzen ? w.Das / 2 : marken.kante;
    double weite = std::max(b, 3 * w.s);
    if (!w.ergebnisse) {
        weite = std::max({weite, oeffnungsmass, 4 * w.s});
        if (w.scheibe)
            weite = std::max(weite, std::min(w.bS, 2 * weite));
    }
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

    if (stutzen)
        baueStutzen();
    // An upright nozzle's axis runs into the vessel's axis or through the sphere's centre.
    marken.achseBisMitte = !stutzen || w.phi == 90;

    if (!mitFlaechen)
        return;
    if (!(w.se > 0 && w.ris >= 0 && w.ris < w.Das / 2 && form_.schnitt(w.ris, w.ri) && form_.schnitt(w.Das / 2, w.ri))) {
        hinweise.push_back("Flächen nicht darstellbar: Wanddicken und Zuschläge prüfen.");
        return;
    }
    const Form& f = form_;
    // A negative lsm is credited as the run credits it, as long as the nozzle's strip remains;
    // beyond that the bore is loaded down to the inside and As1 is not drawn.
    const double lsmStrich = std::max(0.0, zw(Zwischengroesse::lsmStrich).value_or(0));
    const double lsm = std::max(q_.daten.daten.lsm, -std::max(0.0, w.Ra - w.ri + lsmStrich) + 1e-9);
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
    if (q_.daten.daten.lsm == lsm)
        flaeche(Rolle::As1, as1, w.ses);
    if (w.scheibe) {
        const double sb = zw(Zwischengroesse::scheibenbreite).value_or(0);
        const double sh = zw(Zwischengroesse::scheibenhoehe).value_or(0);
        flaeche(Rolle::As2, auflage(sb, sh), sh);
    }
    // An area the run credits but the drawing cannot show is named on the sheet.
    const Berechnungsdaten& d = q_.daten.daten;
    for (const auto& [rolle, name, wert] : {std::tuple{Rolle::Ap, "Ap", d.Ap}, std::tuple{Rolle::As0, "As0", d.As0},
                                            std::tuple{Rolle::As1, "As1", d.As1}, std::tuple{Rolle::As2, "As2", d.As2}})
        if ((rolle != Rolle::As2 || w.scheibe) && std::ranges::none_of(flaechen, [&](const Flaeche& fl) { return fl.rolle == rolle; }))
            hinweise.push_back(std::string(name) + (wert < 0 ? " ist negativ: nicht darstellbar." : " nicht darstellbar."));
}

} // namespace velkor
