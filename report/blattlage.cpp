#include "report/blattlage.h"

#include "engine/zahlentext.h"
#include "report/zeichen.h"

#include <algorithm>
#include <cmath>

namespace velkor {

double textbreite(std::string_view t, double g) { return double(zeichenzahl(t)) * vorschub * g; }
double texthoehe(double g) { return 1.2 * g; }

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

std::string zahl(double wert, const std::string& trenner) { return anzeigetext(wert, Muster::zweiStellen, trenner); }

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

void Blattinhalt::linie(Strich s, std::vector<Punkt> punkte)
{
    erfasse(huelle(punkte));
    linien.push_back({s, std::move(punkte)});
}

bool Blattinhalt::frei(const Rechteck& r, Linienrang ueber) const
{
    for (const Text& t : texte)
        if (ueberlappen(r, t.kasten()))
            return false;
    for (const auto& h : hindernisse)
        if (ueberlappen(r, h))
            return false;
    // The break's lines lie in its band.
    for (const Linie& l : linien)
        for (std::size_t i = 0; l.strich != Strich::bruchlinie && ueber != Linienrang::alle
             && !(ueber == Linienrang::mittellinien && l.strich == Strich::mittellinie) && i + 1 < l.punkte.size();
             ++i)
            if (ueberlappen(r, l.punkte[i], l.punkte[i + 1]))
                return false;
    return !bruchband || !ueberlappen(r, *bruchband);
}

void Blattinhalt::setzeText(const std::string& text, const std::vector<Kandidat>& kandidaten, double g,
                            std::optional<std::pair<Punkt, Punkt>> bezug)
{
    const double b = textbreite(text, g), h = texthoehe(g);
    const auto ort = [&](const Kandidat& k) {
        return Punkt{k.anker.x - b * (k.ausrichtungX < 0 ? 1.0 : k.ausrichtungX == 0 ? 0.5 : 0.0),
                     k.anker.y - h * (k.ausrichtungY < 0 ? 1.0 : k.ausrichtungY == 0 ? 0.5 : 0.0)};
    };
    std::vector<Punkt> orte;
    for (const Kandidat& k : kandidaten)
        orte.push_back(ort(k));
    if (bezug) {
        // Beside the line, centred at points along it, on either side, a little and then further off.
        const auto [a, e] = *bezug;
        const Punkt r = einheit(e - a), n = linksNormale(r);
        const double halbQuer = 0.5 * (b * std::fabs(n.x) + h * std::fabs(n.y));
        const double halbLaengs = 0.5 * (b * std::fabs(r.x) + h * std::fabs(r.y));
        for (double abstand : {0.8, 1.8, 2.8, 4.5, 6.5, 8.5})
            for (double anteil : {0.5, 0.35, 0.65, 0.2, 0.8, 0.05, 0.95})
                for (double seite : {1.0, -1.0}) {
                    const Punkt m = a + anteil * (e - a) + seite * (abstand + halbQuer) * n;
                    orte.push_back(m - Punkt{b / 2, h / 2});
                }
        for (const auto& [ende, richtung] : {std::pair{e, r}, std::pair{a, -1 * r}})
            for (double abstand : {pfeillaenge + 1.0, pfeillaenge + 2.5}) {
                const Punkt m = ende + (abstand + halbLaengs) * richtung;
                orte.push_back(m - Punkt{b / 2, h / 2});
            }
    }
    // A centre line may run under a label, as drawings break it for text, only
    // where nothing else is free; then any line; else the first place.
    Punkt gewaehlt = orte.front();
    for (Linienrang ueber : {Linienrang::keine, Linienrang::mittellinien, Linienrang::alle})
        if (const auto p = std::ranges::find_if(orte, [&](Punkt p) { return frei({p.x, p.y, b, h}, ueber); }); p != orte.end()) {
            gewaehlt = *p;
            break;
        }
    texte.push_back({text, gewaehlt, g, true, bezug});
    erfasse(texte.back().kasten());
}

void Blattinhalt::pfeil(Punkt spitze, Punkt richtung)
{
    pfeile.push_back({spitze, einheit(richtung)});
    erfasse(huelle({spitze, spitze - pfeillaenge * einheit(richtung)}));
}

void Blattinhalt::bemasse(Punkt a, Punkt b, Punkt versatz, const std::string& text)
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
    // A sloping line has only the places beside it along its normal, which setzeText tries.
    const bool schraeg = std::min(std::fabs(r.x), std::fabs(r.y)) > 0.2;
    if (waagerecht && !schraeg) {
        // Above a slightly sloping line the text's lower corner must clear it too.
        const double frei = 0.8 + 0.5 * textbreite(text, schrift) * std::fabs(r.y / r.x);
        k = {{mitte + Punkt{0, -frei}, 0, -1},
             {mitte + Punkt{0, frei}, 0, 1},
             {rechtsEnde + Punkt{pfeillaenge + 1.5, 0}, 1, 0},
             {linksEnde - Punkt{pfeillaenge + 1.5, 0}, -1, 0}};
    } else if (!schraeg) {
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
    setzeText(text, k, schrift, std::pair{la, lb});
}

void Blattinhalt::verschiebe(Punkt d)
{
    ansicht.ursprung = ansicht.ursprung + d;
    for (Linie& l : linien)
        for (Punkt& p : l.punkte)
            p = p + d;
    for (Pfeil& p : pfeile)
        p.spitze = p.spitze + d;
    for (Bogen& b : boegen)
        b.mitte = b.mitte + d;
    for (Text& t : texte) {
        t.ort = t.ort + d;
        if (t.bezug)
            t.bezug = std::pair{t.bezug->first + d, t.bezug->second + d};
    }
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
    // Ends broken off: a break line across each, a little beyond both sides.
    for (const auto& [a, b] : k_.marken.brueche) {
        const Punkt p = z.ansicht.abbilde(a), q = z.ansicht.abbilde(b);
        const Punkt e = einheit(q - p), n = linksNormale(e), m = 0.5 * (p + q);
        const double h = std::min(1.2, 0.25 * laenge(q - p) + 0.4);
        z.linie(Strich::bruchlinie,
                {p - 1.5 * e, m - 0.6 * e, m - 0.2 * e + h * n, m + 0.2 * e - h * n, m + 0.6 * e, q + 1.5 * e});
    }
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

    // d above the nozzle: the opening's half width along the shell, measured
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
                  text("d = " + zahl(halb, trenner_), "d"));
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
        const Punkt bogenEnde = mitte + Punkt{radius * std::cos(grad * kreiszahl / 180), -radius * std::sin(grad * kreiszahl / 180)};
        z.setzeText(text("phi = " + zahl(d.phi, trenner_) + "°", "phi"),
                    {{amBogen, 1, -1}, {mitte + Punkt{-1.5, -radius}, -1, -1}, {mitte + Punkt{-1.5, 1}, -1, 1}}, schrift,
                    std::pair{mitte + Punkt{radius, 0}, bogenEnde});
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
            z.setzeText(text("Störstelle", "x"), {{spitze + Punkt{0, -0.5}, 0, -1}, {spitze + Punkt{1, 0}, 1, 0}}, schrift,
                        std::pair{unten, spitze});
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
    achsen(z);
    masseGrundkoerper(z);
    if (k_.marken.stutzen)
        masseStutzen(z);
    return z;
}

} // namespace velkor
