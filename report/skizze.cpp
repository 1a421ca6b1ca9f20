#include "report/skizze.h"

#include "engine/zahlentext.h"
#include "report/blattlage.h"
#include "report/meldung.h"

#include <algorithm>
#include <cmath>

namespace velkor {

namespace {

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
        // A swatch only beside an area that is drawn.
        const auto muster = [&](Rolle r) { return hat(r) ? std::optional(r) : std::nullopt; };
        l.push_back({muster(Rolle::Ap), flaechentext("Ap ", d.Ap, t), "Druckbeaufschlagte Fläche"});
        l.push_back({muster(Rolle::As0), flaechentext("As0", d.As0, t), "Drucktragende Fläche Grundkörper" + faktorA});
        l.push_back({muster(Rolle::As1), flaechentext("As1", d.As1, t), "Drucktragende Fläche Stutzen" + faktorA});
        if (w.scheibe)
            l.push_back({muster(Rolle::As2), flaechentext("As2", d.As2, t), "Drucktragende Fläche Scheibe" + faktorS});
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

// A standard scale, sheet : true.
struct Massstab {
    double blatt = 1;
    double wahr = 1;

    double faktor() const { return blatt / wahr; }
    std::string text(const std::string& trenner) const
    {
        // 1:2.5 and 1:25 are standard too; no other has a fraction.
        const auto ziffern = [&](double v) {
            const long long zehntel = std::llround(10 * v);
            return std::to_string(zehntel / 10) + (zehntel % 10 ? trenner + std::to_string(zehntel % 10) : "");
        };
        return "M " + ziffern(blatt) + ":" + ziffern(wahr);
    }
};

// Largest first: 50:1 … 2:1, then 1:1, 1:2, 1:2.5, 1:5, 1:10 … 1:10000000.
std::vector<Massstab> massstaebe()
{
    std::vector<Massstab> m;
    for (double blatt : {50.0, 20.0, 10.0, 5.0, 2.0})
        m.push_back({blatt, 1});
    for (double zehner = 1; zehner <= 1e6; zehner *= 10)
        for (double ziffer : {1.0, 2.0, 2.5, 5.0})
            m.push_back({1, ziffer * zehner});
    m.push_back({1, 1e7});
    return m;
}

} // namespace

Skizze skizze(const Rechenstand& quelle, double blattbreite, double blatthoehe)
{
    Skizze s;
    const double B = std::max(blattbreite, 60.0), H = std::max(blatthoehe, 40.0);
    s.blatt = {0, 0, B, H};
    const Konstruktion k(quelle);
    const Werte& w = k.w();
    s.flaechen = k.flaechen;
    s.legende = legendeVon(quelle, k);
    if (quelle.lauf.berechnet())
        s.urteil = meldung(urteil(quelle.lauf, quelle.pruefung));
    else
        s.grund = meldung(quelle.lauf.ausgang);

    // A small sheet (the report window at its first size) keeps to the drawing:
    // dimensions by symbol, the legend with the areas' values only.
    const bool kompakt = B < 180 || H < 110;
    const double titelgroesse = kompakt ? schrift : titelschrift;

    // Title and project.
    const double nutzbreite = B - 2 * blattrand;
    const std::string titel = std::string("Skizze: ") + (w.zylinder ? "Zylinder" : "Kugel")
        + (w.stutzen ? " mit Stutzen" : " ohne Stutzen") + ", Halbschnitt";
    s.texte.push_back({kuerze(titel, nutzbreite, titelgroesse), {blattrand, blattrand}, titelgroesse, false, {}});
    double kopf = blattrand + texthoehe(titelgroesse) + 1;
    std::string projekt;
    for (const auto& [name, wert] : {std::pair{"Projekt: ", &quelle.daten.bezeichnung},
                                     std::pair{"Nummer: ", &quelle.daten.nummer},
                                     std::pair{"Bearb.: ", &quelle.daten.bearbeiter}})
        if (!wert->empty())
            projekt += (projekt.empty() ? "" : "   ") + std::string(name) + *wert;
    if (!projekt.empty() && !kompakt) {
        s.texte.push_back({kuerze(projekt, nutzbreite, schrift), {blattrand, kopf}, schrift, false, {}});
        kopf += texthoehe(schrift);
    }
    kopf += 3;

    // The legend's lines; the scale and the note on walls come once the scale is known.
    std::vector<Zeile> zeilen;
    if (s.urteil) {
        zeilen.push_back({std::nullopt, *s.urteil, titelgroesse});
        zeilen.push_back({std::nullopt, ""});
    }
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

    // The largest standard scale at which everything fits, the smallest if none does.
    const Zeichner zeichner(quelle, k, kompakt);
    std::optional<Blattinhalt> gewaehlt;
    Massstab massstab;
    for (const Massstab& m : massstaebe()) {
        Blattinhalt z = zeichner.lege(m.faktor(), bruch);
        const bool passt = !z.umfang
            || (z.umfang->breite <= s.zeichenflaeche.breite && z.umfang->hoehe <= s.zeichenflaeche.hoehe);
        gewaehlt = std::move(z);
        massstab = m;
        if (passt)
            break;
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
    s.massstab = massstab.text(quelle.daten.dezimaltrenner);
    for (const Flaeche& f : s.flaechen) {
        const bool zuschlag = f.rolle == Rolle::zuschlagC1 || f.rolle == Rolle::zuschlagC2
            || f.rolle == Rolle::stutzenC1 || f.rolle == Rolle::stutzenC2;
        if (f.dicke > 0 && f.dicke * massstab.faktor() < (zuschlag ? mindestZuschlag : mindestWanddicke))
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
            s.texte.push_back({kuerze(zeile.text, legende.rechts() - x, zeile.groesse), {x, y}, zeile.groesse, false, {}});
        y += h;
    }
    return s;
}

} // namespace velkor
