#include "report/rechengang.h"

#include "report/hinweise.h"
#include "report/meldung.h"
#include "report/rechengangsatz.h"

#include <algorithm>
#include <optional>
#include <utility>

namespace velkor {

namespace {

std::string_view schrittname(Schritt s)
{
    switch (s) {
    case Schritt::eingaben: return "Eingaben übernehmen";
    case Schritt::ableitung: return "Abgeleitete Werte und Plausibilität";
    case Schritt::grundkoerper: return "Wanddicke des Grundkörpers";
    case Schritt::stutzen: return "Wanddicke des Stutzens";
    case Schritt::breite: return "Mittragende Breite b";
    case Schritt::laenge: return "Mittragende Länge lsm";
    case Schritt::As0: return "Drucktragende Fläche As0";
    case Schritt::As1: return "Drucktragende Fläche As1";
    case Schritt::As2: return "Drucktragende Fläche As2";
    case Schritt::Ap: return "Druckbeaufschlagte Fläche Ap und Reserve rFV";
    case Schritt::pmaxFV: return "Zulässiger Druck mit Flächenvergleich";
    case Schritt::dmax: return "Unverstärkter Ausschnitt dmax";
    case Schritt::urteil: break;
    }
    return "Urteil";
}

// What can stop a step; the status text says which kind of stop it was. A
// formula keeps its blanks unbroken (festesBlank).
std::string ursache(const Rechenlauf& lauf)
{
    if (lauf.ausgang == Ausgang::nullteiler) {
        std::string teiler = lauf.nullteiler;
        std::replace(teiler.begin(), teiler.end(), ' ', festesBlank);
        if (teiler == "sG" || teiler == "sS")
            return "Die erforderliche Wanddicke " + teiler + " ist null; die Reserve teilt durch sie.";
        return "Ein Teiler ist null: " + teiler + ".";
    }
    switch (lauf.schritt) {
    case Schritt::eingaben: return "Eine Eingabe liegt außerhalb des Zahlenbereichs.";
    case Schritt::breite:
        return "Unter der Wurzel steht ein negativer Wert, (Da~−~se)·se~<~0 (se~<~0 oder se~>~Da), "
               "oder ein Zahlenüberlauf.";
    case Schritt::laenge:
        return "Unter der Wurzel steht ein negativer Wert, (Das~−~ses)·ses~<~0 (ses~<~0 oder ses~>~Das), "
               "oder ein Zahlenüberlauf.";
    case Schritt::Ap:
        return "Ein Teiler ist null (sin~phi, rm, S, Sis, SScheibe oder F), das arccos-Argument ist "
               "genau ±1, oder ein Zahlenüberlauf.";
    case Schritt::pmaxFV: return "Der Nenner Ap/10~+~(As0~+~As1~+~As2)/20 ist null, oder ein Zahlenüberlauf.";
    case Schritt::dmax: return "Da oder p ist null, oder ein Zahlenüberlauf.";
    default: return "Ein Zahlenüberlauf.";
    }
}

// Lays out what the run recorded, section by section; formulas and values
// come from the run, the words around them from here.
class Abschnitt {
public:
    Abschnitt(const Berichtsdaten& d, const Rechenlauf& lauf, const Pruefzustand* pruefung = nullptr)
        : d_(d), w_(d.daten), lauf_(lauf), pruefung_(pruefung), satz_(d.dezimaltrenner)
    {
        for (const Groesseninfo& g : groessen())
            if (g.eingabe)
                satz_.setzeWert(std::string(g.symbol), satz_.eingabe(w_.*g.feld));
    }

    std::string text() &&
    {
        satz_.zeile();
        satz_.zeile(std::string(66, '-'));
        satz_.zeile();
        if (pruefung_) {
            satz_.zeile("RECHENGANG PRÜFZUSTAND");
            satz_.absatz(std::string("Die Berechnung wie oben, mit dem Prüfdruck pT für p, den Festigkeiten bei "
                                     "Prüftemperatur K20 für K, Ks und KScheibe und den Sicherheitsbeiwerten S' für S, "
                                     "Sis und SScheibe")
                             + (pruefung_->angaben.c2Abziehen ? "." : "; die Abnutzungszuschläge c2 und c2s sind 0."),
                         0);
            pruefdruck();
        } else {
            satz_.zeile("RECHENGANG");
            if (const std::string angaben = angabenzeile(); !angaben.empty()) {
                satz_.absatz(angaben, 0);
                satz_.zeile();
            }
            satz_.absatz("Jede Größe mit Formel, eingesetzten Werten und Ergebnis, in der Reihenfolge der Berechnung. "
                         "Eingaben wie gespeichert, berechnete Werte auf sechs gültige Ziffern gerundet, mit mindestens "
                         "zwei Nachkommastellen. Winkel in Grad, ins Bogenmaß umgerechnet mit der Kreiszahl "
                             + satz_.eingabe(3.14159) + ".",
                         0);
        }
        abgeleitet();
        grundkoerper();
        stutzen();
        if (f("b0"))
            ausschnitt();
        if (!lauf_.berechnet())
            abbruch();
        return std::move(satz_).text();
    }

private:
    const Formel* f(std::string_view symbol) const { return lauf_.formel(symbol); }
    double wert(std::string_view symbol) const { return f(symbol)->wert; }

    // The recorded quantity, when the run formed it, under its description.
    bool rechne(std::string_view symbol, std::string_view beschreibung = {}, std::string_view nachsatz = {})
    {
        const Formel* formel = f(symbol);
        if (!formel)
            return false;
        if (!beschreibung.empty())
            satz_.zeile(beschreibung);
        satz_.rechne(formel->symbol, formel->text, formel->wert, formel->einheit, nachsatz, formel->operanden);
        return true;
    }

    void pruefdruck()
    {
        satz_.ueberschrift("Prüfdruck:");
        const Formel& mindest = pruefung_->formeln.at(0);
        const Formel& pT = pruefung_->formeln.at(1);
        satz_.zeile("Mindestprüfdruck nach Druckgeräterichtlinie, Anhang I 7.4");
        satz_.rechne(mindest.symbol, mindest.text, mindest.wert, mindest.einheit, {}, mindest.operanden);
        satz_.zeile("Prüfdruck");
        if (pT.text.empty())
            satz_.fest(pT.symbol, pT.wert, "vorgegeben");
        else
            satz_.rechne(pT.symbol, pT.text, pT.wert, pT.einheit);
    }

    // Temperature and the materials of the parts calculated, when given.
    std::string angabenzeile() const
    {
        // Parts apart by semicolons: a material's name may hold a comma.
        const Angaben& a = d_.angaben;
        std::string text = a.temperatur ? "Auslegungstemperatur " + satz_.eingabe(*a.temperatur) + " °C" : "";
        for (const auto& [teil, name] : {std::pair{"Grundkörper", &a.werkstoffGrundkoerper},
                                         {"Stutzen", d_.stutzen ? &a.werkstoffStutzen : nullptr},
                                         {"Scheibe", d_.stutzen && d_.scheibe ? &a.werkstoffScheibe : nullptr}})
            if (name && !name->empty())
                text += (text.empty() ? "Werkstoff " : "; Werkstoff ") + std::string(teil) + ": " + *name;
        return text;
    }

    // Says whether a limit cut the value.
    static std::string grenze(bool begrenzt, std::string_view durch)
    {
        return begrenzt ? "(begrenzt durch " + std::string(durch) + ")" : "(nicht begrenzt)";
    }

    void abgeleitet()
    {
        if (!f("rm"))
            return;
        satz_.ueberschrift("Abgeleitete Werte:");
        rechne("rm", "Mittlerer Radius des Grundkörpers");
        rechne("se", "Wirksame Wanddicke des Grundkörpers");
        rechne("ri", "Innenradius des Grundkörpers nach Zuschlägen");
        rechne("ses", "Wirksame Wanddicke des Stutzens");
        if (f("fA")) {
            satz_.zeile("Faktor für ausgehalste Ausschnitte");
            satz_.fest("fA", wert("fA"), d_.ausgehalst ? "ausgehalst" : "nicht ausgehalst");
        }
        if (f("fS")) {
            satz_.zeile("Faktor der Scheibe");
            const double fS = wert("fS");
            satz_.fest("fS", fS, fS == 0.8   ? "schräger Stutzen, ls' ≥ ss"
                                 : fS == 0.7 ? "schräger Stutzen, ls' < ss"
                                 : d_.stutzen ? "Stutzen nicht schräg, phi ≥ 90°"
                                              : "ohne Stutzen");
        }
        anwendungsbereich();
    }

    // A note only: it never changes the verdict or the status line.
    void anwendungsbereich()
    {
        if (lauf_.schritt <= Schritt::ableitung)
            return;
        satz_.zeile("Anwendungsbereich der Wanddickenformel");
        bereich("Da/Di", anwendungsgrenze(w_.zylinder, w_.Da), "Da − 2·s");
        if (d_.stutzen)
            bereich("Das/Dis", anwendungsgrenze(true, w_.Das), "Das − 2·ss");
        const auto zahl = [&](const char* z) { return mitTrenner(z, satz_.trenner()); };
        std::string regel = "Mit Di = Da − 2·s gilt die Formel ";
        regel += w_.zylinder ? "bis Da/Di = " + zahl("1.2") + ", für Da~≤~200~mm bis " + zahl("1.7") + "."
                             : "für die Kugel bis Da/Di = " + zahl("1.2") + ".";
        if (d_.stutzen)
            regel += " Für den Stutzen, ein Rohr, ebenso mit Dis~=~Das~−~2·ss, für Das~≤~200~mm bis " + zahl("1.7") + ".";
        satz_.absatz(regel + " Urteil und Status bleiben davon unberührt.", 4, "  ");
    }

    void bereich(std::string_view verhaeltnis, double grenze, std::string_view innen)
    {
        const std::string g = mitTrenner(grenze == 1.7 ? "1.7" : "1.2", satz_.trenner());
        if (!f(verhaeltnis)) {
            satz_.absatz(std::string(innen) + " ≤ 0: " + std::string(verhaeltnis)
                             + " ist nicht bestimmt, die Auslegung liegt außerhalb des Anwendungsbereichs.",
                         4, "  ");
            return;
        }
        rechne(verhaeltnis, {},
               wert(verhaeltnis) <= grenze ? "≤ " + g + ": innerhalb" : "> " + g + ": außerhalb des Anwendungsbereichs");
    }

    // The wall of shell or nozzle: required wall against the nominal one.
    void wand(std::string_view sErf, std::string_view s, double nenn, std::string_view pmax, std::string_view r)
    {
        rechne(sErf, "Erforderliche Wanddicke",
               std::string(wert(sErf) <= nenn ? "≤ " : "> ") + std::string(s) + " = " + satz_.eingabe(nenn) + " mm");
        rechne(pmax, "Maximal zulässiger Druck ohne Flächenvergleich");
        rechne(r, "Wanddickenreserve");
    }

    void grundkoerper()
    {
        if (!f("sG"))
            return;
        satz_.ueberschrift(w_.zylinder ? "Grundkörper (Zylinder):" : "Grundkörper (Kugel):");
        wand("sG", "s", w_.s, "pmaxG", "rG");
    }

    void stutzen()
    {
        if (!f("sS"))
            return;
        satz_.ueberschrift("Stutzen:");
        wand("sS", "ss", w_.ss, "pmaxS", "rS");
    }

    void ausschnitt()
    {
        satz_.ueberschrift(d_.stutzen ? "Ausschnitt und Flächenvergleich:" : "Ausschnitt:");
        rechne("b0", "Mittragende Breite des Grundkörpers");
        if (f("b"))
            rechne("b", {}, w_.x > 0  ? grenze(wert("b") < wert("b0"), "den Störstellenabstand x")
                            : w_.x == 0 ? "(x = 0: keine Störstelle)"
                                        : "(x = " + satz_.eingabe(w_.x) + " < 0: als keine Störstelle gerechnet)");
        if (d_.stutzen)
            laenge();
        else if (f("b"))
            satz_.absatz("Ohne Stutzen kein Flächenvergleich: lsm, As0, As1, Ap, rFV und pmaxFV sind 0.", 4, "  ");
        scheibe();
        flaechenvergleich();
        if (rechne("dmax", "Größter unverstärkter Ausschnitt") && !w_.zylinder)
            satz_.absatz("Hinweis: ohne das Glied 2·" + satz_.eingabe(3.14159)
                             + "·se·b·Da/360, das keine Länge ist (Einheit mm³).",
                         11, "  ");
        if (f("pmax")) {
            std::string welcher = "Grundkörper";
            if (d_.stutzen) {
                welcher.clear();
                for (const auto& [symbol, name] : {std::pair{"pmaxG", "Grundkörper"}, std::pair{"pmaxS", "Stutzen"},
                                                   std::pair{"pmaxFV", "Flächenvergleich"}})
                    if (wert(symbol) == wert("pmax"))
                        welcher += (welcher.empty() ? "" : " und ") + std::string(name);
            }
            rechne("pmax", "Maßgebender zulässiger Druck", "(" + welcher + ")");
        }
    }

    void laenge()
    {
        rechne("lsm0", "Mittragende Länge des Stutzens außen");
        if (f("lsm"))
            rechne("lsm", {}, grenze(wert("lsm") < wert("lsm0"), "ls"));
        rechne("lsm'0", "Mittragende Länge des Stutzens innen");
        if (f("lsm'"))
            rechne("lsm'", {}, grenze(wert("lsm'") < wert("lsm'0"), "ls'"));
        rechne("As0", "Drucktragende Fläche des Grundkörpers");
        rechne("As1", "Drucktragende Fläche des Stutzens");
    }

    void scheibe()
    {
        if (f("b2"))
            rechne("b2", "Angerechnete Breite der Scheibe", grenze(wert("b2") < w_.bScheibe, "b"));
        if (f("h2"))
            rechne("h2", "Angerechnete Höhe der Scheibe", grenze(wert("h2") < w_.hScheibe, "s"));
        rechne("As2", "Drucktragende Fläche der Scheibe");
    }

    void flaechenvergleich()
    {
        rechne("ris", "Innenradius des Stutzens nach Zuschlägen");
        rechne("d", "Halbe Länge des Ausschnitts längs der Schale");
        if (rechne("alpha", "Winkel des Ausschnitts, vom Kugelmittelpunkt aus") && wert("alpha") < 0)
            satz_.absatz("Das Argument liegt außerhalb von ±1: arccos gilt dann als −1.", 4, "  ");
        rechne("alphaT", "Winkel mit der mittragenden Breite");
        rechne("tSchraeg", "Zusatzglied des schrägen Stutzens");
        if (f("Ap")) {
            satz_.zeile("Druckbeaufschlagte Fläche");
            if (!f("tSchraeg"))
                satz_.absatz("Stutzen senkrecht (phi = 90°): kein Zusatzglied tSchraeg.", 4, "  ");
            rechne("Ap");
        }
        if (f("N'")) {
            satz_.zeile("Flächenvergleich, Bedingung N' ≥ F");
            rechne("N'", "Tragende Kraft");
        }
        rechne("F", "Druckkraft");
        if (f("rFV")) {
            // Judged by the reserve, as the verdict is.
            const bool erfuellt = wert("rFV") >= 0;
            if (!flaechenvergleichAnwendbar(lauf_))
                satz_.absatz("Der Flächenvergleich ist auf diesen Ausschnitt nicht anwendbar: " + warumNichtAnwendbar(d_, lauf_), 4, "  ");
            else
                satz_.absatz(std::string(erfuellt ? "N' ≥ F: " : "N' < F: ") + satz_.ergebnis(wert("N'")) + "~N"
                             + (erfuellt ? " ≥ " : " < ") + satz_.ergebnis(wert("F")) + "~N, "
                             + (erfuellt ? "erfüllt." : "nicht erfüllt."),
                         4, "  ");
            rechne("rFV", "Reserve des Flächenvergleichs");
        }
        if (rechne("pmaxFV", "Maximal zulässiger Druck mit Flächenvergleich") && d_.scheibe)
            satz_.absatz("Hinweis: As2 enthält den Faktor fS schon; im Nenner steht As2, nicht noch einmal "
                         "fS·As2.",
                         11, "  ");
    }

    void abbruch()
    {
        satz_.ueberschrift("Berechnung abgebrochen");
        satz_.absatz(std::string(schrittname(lauf_.schritt)), 11, "  Schritt: ");
        satz_.absatz(meldung(lauf_.ausgang), 11, "  Grund:   ");
        satz_.absatz(ursache(lauf_), 11, "  Ursache: ");
    }

    const Berichtsdaten& d_;
    const Berechnungsdaten& w_;
    const Rechenlauf& lauf_;
    const Pruefzustand* pruefung_;
    Rechensatz satz_;
};

} // namespace

std::string rechengang(const Berichtsdaten& daten, const Rechenlauf& lauf)
{
    return Abschnitt(daten, lauf).text();
}

std::string rechengang(const Berichtsdaten& betrieb, const Pruefzustand& pruefung)
{
    Berichtsdaten d = betrieb;
    d.daten = pruefung.lauf.daten;
    return Abschnitt(d, pruefung.lauf, &pruefung).text();
}

std::string mitRechengang(const std::optional<std::string>& bericht, std::string_view rechengang)
{
    std::string text = bericht ? *bericht : std::string(berichtVerweigert) + "\r\n";
    text += rechengang;
    return text;
}

} // namespace velkor
