#include "report/hinweise.h"

#include "report/rechengangsatz.h"

namespace velkor {

namespace {

class Hinweise {
public:
    Hinweise(const Berichtsdaten& d, const Rechenlauf& lauf) : d_(d), w_(d.daten), lauf_(lauf) {}

    std::vector<std::string> alle()
    {
        for (Plausibilitaet p : lauf_.unplausibel)
            plausibilitaet(p);
        bereich("Da/Di", "des Grundkörpers", anwendungsgrenze(w_.zylinder, w_.Da));
        if (d_.stutzen)
            bereich("Das/Dis", "des Stutzens", anwendungsgrenze(true, w_.Das));
        if (!flaechenvergleichAnwendbar(lauf_))
            liste_.push_back("Der Flächenvergleich ist auf diesen Ausschnitt nicht anwendbar: "
                             + warumNichtAnwendbar(d_, lauf_));
        return std::move(liste_);
    }

private:
    std::string zahl(double w) const { return ergebnistext(w, d_.dezimaltrenner); }
    std::string mm(std::string_view symbol) const { return zahl(lauf_.formel(symbol)->wert) + "~mm"; }

    void plausibilitaet(Plausibilitaet p)
    {
        const auto vergleich = [&](std::string bedingung, double links, std::string_view zeichen, double rechts,
                                   std::string_view was) {
            liste_.push_back(std::move(bedingung) + ": " + zahl(links) + "~mm " + std::string(zeichen) + "~" + zahl(rechts)
                             + "~mm: " + std::string(was));
        };
        switch (p) {
        case Plausibilitaet::wandGrundkoerper:
            return vergleich("2·s~≥~Da", 2 * w_.s, "≥", w_.Da, "die Wand des Grundkörpers füllt ihn ganz aus.");
        case Plausibilitaet::wandStutzen:
            return vergleich("2·ss~>~Das", 2 * w_.ss, ">", w_.Das, "die Wand des Stutzens ist dicker als sein Halbmesser.");
        case Plausibilitaet::seGrundkoerper:
            liste_.push_back("se~≤~0: s~−~c1~−~c2~=~" + mm("se")
                             + ": nach Abzug der Zuschläge bleibt vom Grundkörper keine Wand.");
            return;
        case Plausibilitaet::sesStutzen:
            liste_.push_back("ses~<~0: ss~−~c1s~−~c2s~=~" + zahl(*lauf_.zwischenwerte[Zwischengroesse::ses])
                             + "~mm: die Zuschläge des Stutzens sind größer als seine Wand.");
            return;
        case Plausibilitaet::stutzenBreiter:
            return vergleich("Das~>~Da", w_.Das, ">", w_.Da, "der Stutzen ist weiter als der Grundkörper.");
        case Plausibilitaet::stutzenTiefer:
            return vergleich("ls'~>~Da", w_.lsstrich, ">", w_.Da, "der Stutzen ragt weiter hinein, als der Grundkörper weit ist.");
        }
    }

    void bereich(std::string_view verhaeltnis, std::string_view wessen, double grenze)
    {
        const Formel* f = lauf_.formel(verhaeltnis);
        if (lauf_.schritt <= Schritt::ableitung || (f && f->wert <= grenze))
            return;
        const std::string g = mitTrenner(grenze == 1.7 ? "1.7" : "1.2", d_.dezimaltrenner);
        liste_.push_back(f ? std::string(verhaeltnis) + "~=~" + zahl(f->wert) + "~>~" + g
                                 + ": die Wanddickenformel " + std::string(wessen) + " gilt nur bis " + g + "."
                           : std::string(verhaeltnis) + " ist nicht bestimmt: die Wand " + std::string(wessen)
                                 + " ist mindestens so dick wie sein Halbmesser.");
    }

    const Berichtsdaten& d_;
    const Berechnungsdaten& w_;
    const Rechenlauf& lauf_;
    std::vector<std::string> liste_;
};

} // namespace

std::vector<std::string> hinweise(const Berichtsdaten& daten, const Rechenlauf& lauf)
{
    return Hinweise(daten, lauf).alle();
}

namespace {

// The chord is longer than the sphere's diameter: arccos has no angle for it.
bool kugelZuKlein(const Rechenlauf& lauf)
{
    const std::optional<double> alpha = lauf.zwischenwerte[Zwischengroesse::alpha];
    return alpha && *alpha < 0;
}

} // namespace

bool flaechenvergleichAnwendbar(const Rechenlauf& lauf)
{
    const Formel* ap = lauf.formel("Ap");
    return !ap || (ap->wert > 0 && !kugelZuKlein(lauf));
}

std::string warumNichtAnwendbar(const Berichtsdaten& daten, const Rechenlauf& lauf)
{
    const auto zahl = [&](double w) { return ergebnistext(w, daten.dezimaltrenner); };
    if (kugelZuKlein(lauf))
        return "der Ausschnitt ist weiter, als die Kugel ihn fasst, d~=~" + zahl(lauf.formel("d")->wert)
               + "~mm >~2·rm~=~" + zahl(2 * lauf.formel("rm")->wert) + "~mm; der Winkel alpha ist nicht bestimmt.";
    return "Ap~=~" + zahl(lauf.formel("Ap")->wert)
           + "~mm²~≤~0; die Maße von Grundkörper und Stutzen ergeben keine druckbeaufschlagte Fläche.";
}

} // namespace velkor
