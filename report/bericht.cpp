#include "report/bericht.h"

#include "engine/zahlentext.h"
#include "report/hinweise.h"
#include "report/meldung.h"
#include "report/rechengangsatz.h"
#include "report/zeichen.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <utility>

namespace velkor {

namespace {

constexpr std::string_view zeilenende = "\r\n";
constexpr std::string_view unterdimensioniert = " => UNTERDIMENSIONIERT!";
constexpr std::string_view ok = " => OK!";

class Text {
public:
    explicit Text(const Berichtsdaten& d) : d_(d) { t_.reserve(3000); }

    void zeile(std::string_view a = {}, std::string_view b = {})
    {
        t_ += a;
        t_ += b;
        t_ += zeilenende;
    }

    // A value line: the description from column 1, the symbol ending in column 34,
    // " = " in columns 35 to 37, the value from column 38, then the unit.
    void wert(std::string_view beschreibung, std::string_view symbol, std::string_view wert,
              std::string_view einheit = {}, std::string_view urteil = {})
    {
        constexpr std::size_t symbolende = 34;
        t_ += beschreibung;
        const std::size_t belegt = zeichenzahl(beschreibung) + zeichenzahl(symbol);
        if (belegt < symbolende)
            t_.append(symbolende - belegt, ' ');
        t_ += symbol;
        t_ += " = ";
        t_ += wert;
        t_ += einheit;
        t_ += urteil;
        t_ += zeilenende;
    }

    // A quantity's line with its box text, named as the table of quantities names it.
    void kasten(Groesse g, bool mitEinheit = true)
    {
        const Groesseninfo& i = info(g);
        const std::string einheit = mitEinheit && !i.einheit.empty() ? " " + std::string(i.einheit) : "";
        wert(i.beschreibung, i.zeichen, text(d_.texte, g), einheit);
    }

    // The entered quantities of a frame in their turn. Reports in use give
    // the nozzle's x and phi and the pad's b and h without their unit.
    void eingaben(Rahmen r)
    {
        constexpr std::array ohneEinheit{Groesse::x, Groesse::phi, Groesse::bScheibe, Groesse::hScheibe};
        for (Groesse g : groessenIn(r))
            if (info(g).eingabe)
                kasten(g, std::ranges::find(ohneEinheit, g) == ohneEinheit.end());
    }

    // A reserve line: the rounded box text, judged by the unrounded field.
    void reserve(Groesse g)
    {
        wert(info(g).beschreibung, {}, text(d_.texte, g), " %",
             velkor::wert(d_.daten, g) < 0 ? unterdimensioniert : ok);
    }

    // A part's material, when given, as the last line of its block.
    void werkstoff(const std::string& name)
    {
        if (!name.empty())
            wert("Werkstoff", {}, name);
    }

    void flaeche(std::string_view beschreibung, std::string_view symbol, double mm2)
    {
        wert(beschreibung, symbol, anzeigetext(mm2, Muster::zweiStellen, d_.dezimaltrenner), " mm²");
    }

    std::string fertig() { return std::move(t_); }

private:
    const Berichtsdaten& d_;
    std::string t_;
};

// The results of one case, as the boxes show them.
void ergebnisse(Text& t, const Berichtsdaten& d)
{
    const Berechnungsdaten& w = d.daten;
    t.zeile("Grundkörper:");
    t.kasten(Groesse::sG);
    t.reserve(Groesse::rG);
    t.kasten(Groesse::b);
    t.kasten(Groesse::pmaxG);
    if (d.stutzen) {
        t.zeile("Stutzen: ");
        t.kasten(Groesse::sS);
        t.reserve(Groesse::rS);
        t.kasten(Groesse::lsm);
        t.kasten(Groesse::pmaxS);
        t.zeile("Flächenvergleich:");
        t.flaeche("Drucktragende Fläche", "As", w.As0 + w.As1 + w.As2);
        t.flaeche(info(Groesse::Ap).beschreibung, info(Groesse::Ap).zeichen, w.Ap);
        t.reserve(Groesse::rFV);
        t.kasten(Groesse::pmaxFV);
    }
}

// The check at test pressure: its pressure with the rule, each part's test
// strength and safety factor, the allowances, then the results as above.
std::string pruefbericht(const Berichtsdaten& betrieb, const Pruefzustand& p)
{
    Berichtsdaten d = betrieb;
    d.daten = p.lauf.daten;
    for (const Groesseninfo& g : groessen())
        if (p.lauf.gezeigt[static_cast<std::size_t>(g.groesse)])
            text(d.texte, g.groesse) = anzeigetext(wert(d.daten, g.groesse), g.muster, d.dezimaltrenner);
    const auto zahl = [&](double w) { return anzeigetext(w, Muster::zweiStellen, d.dezimaltrenner); };
    Text t(d);
    t.zeile();
    t.zeile("PRÜFZUSTAND:");
    t.wert("Prüfdruck", "pT", zahl(p.pT), " bar", p.angaben.pT > 0 ? " (vorgegeben)" : "");
    t.wert("Mindestprüfdruck", "pT,min", zahl(p.pTMindest), " bar");
    t.zeile("  max(" + mitTrenner("1.43", d.dezimaltrenner) + "·p; " + mitTrenner("1.25", d.dezimaltrenner)
            + "·p·K20/K), Druckgeräterichtlinie Anhang I 7.4");
    const auto teil = [&](std::string_view name, double K20, double S) {
        t.zeile(name);
        t.wert("Festigkeit bei Prüftemperatur", "K20", zahl(K20), " N/mm²");
        t.wert("Sicherheitsfaktor Prüfung", "S'", zahl(S));
    };
    teil("Grundkörper:", d.daten.K, d.daten.S);
    if (d.stutzen) {
        teil("Stutzen:", d.daten.Ks, d.daten.Sis);
        if (d.scheibe)
            teil("Scheibe:", d.daten.KScheibe, d.daten.SScheibe);
    }
    t.zeile(p.angaben.c2Abziehen ? "Abnutzungszuschläge c2 abgezogen" : "Abnutzungszuschläge c2 nicht abgezogen");
    t.zeile();
    if (p.lauf.berechnet()) {
        t.zeile("ERGEBNISSE IM PRÜFZUSTAND:");
        ergebnisse(t, d);
        t.zeile();
    }
    t.zeile(pruefurteilszeile(betrieb, p));
    return t.fertig();
}

// Some reserve of the case is negative; the nozzle's count only while it is on.
bool unzureichend(const Berichtsdaten& d)
{
    const Berechnungsdaten& w = d.daten;
    return w.rG < 0 || (d.stutzen && (w.rS < 0 || w.rFV < 0));
}

} // namespace

std::string bericht(const Berichtsdaten& d, const Rechenlauf& lauf, const Pruefzustand* pruefung)
{
    const Berechnungsdaten& w = d.daten;
    Text t(d);

    t.zeile();
    t.zeile("Kalvero Modul Velkor");
    t.zeile("Zylinder und Kugelschalen mit Ausschnitten unter innerem Überdruck");
    t.zeile("Stand der Berechnungsblätter:");
    t.zeile("B1: Oktober 2000; B2: März 2009");
    t.zeile();
    t.zeile("Projekt:        ", d.bezeichnung);
    t.zeile("Nummer:         ", d.nummer);
    t.zeile("Sachbearbeiter: ", d.bearbeiter);
    t.zeile(std::string(66, '-'));
    t.zeile();

    t.zeile("EINGABEDATEN:");
    t.eingaben(Rahmen::betriebsdaten);
    if (d.angaben.temperatur)
        t.wert("Auslegungstemperatur", "t", anzeigetext(*d.angaben.temperatur, Muster::zweiStellen, d.dezimaltrenner),
               " °C");
    t.zeile("Grundkörper:", w.zylinder ? "Zylinder" : "Kugel");
    t.eingaben(Rahmen::grundkoerper);
    t.werkstoff(d.angaben.werkstoffGrundkoerper);
    if (d.stutzen) {
        t.zeile("Stutzen", d.ausgehalst ? " ausgehalst nach B9 4.4.1" : "");
        t.eingaben(Rahmen::stutzen);
        t.werkstoff(d.angaben.werkstoffStutzen);
        // The pad belongs to the nozzle: without a nozzle its data are not reported.
        if (d.scheibe) {
            t.zeile("Scheibe:");
            t.eingaben(Rahmen::scheibe);
            t.werkstoff(d.angaben.werkstoffScheibe);
        }
    }
    t.zeile();

    t.zeile("ERGEBNISSE:");
    ergebnisse(t, d);
    t.kasten(Groesse::dmax);
    t.zeile();
    t.zeile(urteilszeile(d, lauf));
    std::string text = t.fertig();
    if (pruefung)
        text += pruefbericht(d, *pruefung);
    if (const std::vector<std::string> notiert = hinweise(d, lauf); !notiert.empty()) {
        Rechensatz satz(d.dezimaltrenner);
        satz.ueberschrift("HINWEISE:");
        for (const std::string& hinweis : notiert)
            satz.absatz(hinweis, 2, "- ");
        text += std::move(satz).text();
    }
    return text;
}

std::string_view urteilszeile(const Berichtsdaten& d, const Rechenlauf& lauf)
{
    // Nozzle reserves left from an earlier run with nozzle count only while it is on.
    if (unzureichend(d))
        return "NICHT AUSREICHEND DIMENSIONIERT!";
    // Inputs that fail a plausibility check are never reported as sufficient.
    return meldung(lauf.ausgang == Ausgang::eingabenPruefen ? Ausgang::eingabenPruefen : Ausgang::ausreichend);
}

std::string pruefurteilszeile(const Berichtsdaten& betrieb, const Pruefzustand& p)
{
    if (!p.lauf.berechnet())
        return "Berechnung im Prüfzustand abgebrochen: " + std::string(meldung(p.lauf.ausgang));
    Berichtsdaten d = betrieb;
    d.daten = p.lauf.daten;
    if (unzureichend(d))
        return "NICHT AUSREICHEND IM PRÜFZUSTAND!";
    return p.lauf.ausgang == Ausgang::eingabenPruefen ? std::string(meldung(Ausgang::eingabenPruefen))
                                                      : "Ausreichend im Prüfzustand.";
}

} // namespace velkor
