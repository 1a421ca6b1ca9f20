#include "formular/formular.h"

#include "engine/pruefzustand.h"
#include "engine/zahlentext.h"
#include "project/steuerzeichen.h"
#include "report/bericht.h"
#include "report/meldung.h"
#include "report/rechengang.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <utility>

namespace velkor {

namespace {

constexpr std::size_t index(Kasten k) { return static_cast<std::size_t>(k); }

std::span<const Kasten> projektKaesten() { return kaestenIn(Rahmen::projekt); }

std::size_t projektIndex(Kasten k)
{
    const auto kopf = projektKaesten();
    for (std::size_t i = 0; i < kopf.size(); ++i)
        if (kopf[i] == k)
            return i;
    throw std::invalid_argument("kein Projektkasten");
}

std::size_t reserveIndex(Groesse g)
{
    switch (g) {
    case Groesse::rG: return 0;
    case Groesse::rS: return 1;
    case Groesse::rFV: return 2;
    default: throw std::invalid_argument("keine Reserve");
    }
}

double nachRegel(Regel regel, double zahl)
{
    switch (regel) {
    case Regel::betrag: return std::fabs(zahl);
    case Regel::winkel: return zahl < 45 || zahl > 90 ? 90 : zahl;
    default: return zahl;
    }
}

} // namespace

Statusfarbe statusfarbe(Ausgang a)
{
    switch (a) {
    case Ausgang::nichtAusreichend: return Statusfarbe::rot;
    case Ausgang::eingabenPruefen:
    case Ausgang::rechenfehler: return Statusfarbe::gelb;
    case Ausgang::ausreichend:
    case Ausgang::nullteiler: break;
    }
    return Statusfarbe::normal;
}

Formular::Formular(std::string dezimaltrenner)
    : dezimaltrenner_(std::move(dezimaltrenner))
{
    for (const Kasteninfo& k : kaesten()) {
        texte_[index(k.kasten)] = std::string(k.starttext);
        frei_[index(k.kasten)] = true;
    }
    for (Rahmen r : {Rahmen::stutzen, Rahmen::scheibe})
        for (Kasten k : kaestenIn(r))
            frei_[index(k)] = false;
    reservefarben_.fill(Reservefarbe::gruen);
}

const std::string& Formular::text(Kasten k) const { return texte_[index(k)]; }
bool Formular::freigegeben(Kasten k) const { return frei_[index(k)]; }
bool Formular::stutzen() const { return stutzen_; }
bool Formular::scheibe() const { return scheibe_; }
bool Formular::ausgehalst() const { return ausgehalst_; }
// Checkausgehalst is switched together with the nozzle boxes.
bool Formular::ausgehalstFreigegeben() const { return stutzen_; }
bool Formular::zylinder() const { return zylinder_; }
bool Formular::dateinameAutomatisch() const { return dateinameAutomatisch_; }
const std::string& Formular::statustext() const { return statustext_; }
Statusfarbe Formular::statusfarbe() const { return statusfarbe_; }
Reservefarbe Formular::reservefarbe(Groesse reserve) const
{
    return reservefarben_[reserveIndex(reserve)];
}
const Berechnungsdaten& Formular::daten() const { return daten_; }
const std::string& Formular::gespeicherterText(Kasten projektkasten) const
{
    return projekttexte_[projektIndex(projektkasten)];
}
bool Formular::geaendert() const { return geaendert_; }
bool Formular::berechnet() const { return berechnet_; }
const std::string& Formular::dezimaltrenner() const { return dezimaltrenner_; }

std::optional<Kasten> Formular::kastenAusserhalbWertebereich() const
{
    for (const Kasteninfo& kasten : kaesten())
        if (kasten.art == Kastenart::eingabe && !std::isfinite(zahlAusText(texte_[index(kasten.kasten)], dezimaltrenner_)))
            return kasten.kasten;
    return std::nullopt;
}

void Formular::schreibe(Kasten k, std::string text)
{
    std::string& alt = texte_[index(k)];
    if (alt == text)
        return;
    alt = std::move(text);
    if (info(k).art != Kastenart::ergebnis)
        geaendert_ = true;
}

void Formular::schalteFrei(Kasten k, bool frei) { frei_[index(k)] = frei; }

void Formular::tippe(Kasten k, const std::string& text) { schreibe(k, text); }

void Formular::fokusErhalten(Kasten k)
{
    // An entry beyond the range of a double is never stored; until it is
    // corrected the warning stays in place of the help texts.
    statustext_ = std::string(kastenAusserhalbWertebereich() ? ausserhalbWertebereich : info(k).hilfetext);
}

void Formular::fokusVerloren(Kasten k)
{
    const Kasteninfo& kasten = info(k);
    switch (kasten.art) {
    case Kastenart::projekt:
        projekttexte_[projektIndex(k)] = texte_[index(k)];
        return;
    case Kastenart::ergebnis:
        schreibe(k, anzeigetext(wert(daten_, *groesseVon(k)), kasten.muster, dezimaltrenner_));
        return;
    case Kastenart::eingabe: {
        const double zahl = zahlAusText(texte_[index(k)], dezimaltrenner_);
        // Storing an infinite value would poison every later run and the project
        // file; the entry stays as typed so the user can correct it.
        if (!std::isfinite(zahl)) {
            statustext_ = std::string(ausserhalbWertebereich);
            return;
        }
        const double gespeichert = nachRegel(kasten.regel, zahl);
        wert(daten_, *groesseVon(k)) = gespeichert;
        schreibe(k, anzeigetext(gespeichert, Muster::zweiStellen, dezimaltrenner_));
        return;
    }
    }
}

void Formular::setzeStutzen(bool an)
{
    if (stutzen_ == an)
        return;
    stutzen_ = an;
    if (!an)
        setzeScheibe(false);
    for (Kasten k : kaestenIn(Rahmen::stutzen))
        schalteFrei(k, an);
    geaendert_ = true;
}

void Formular::setzeScheibe(bool an)
{
    if (scheibe_ == an)
        return;
    scheibe_ = an;
    if (!stutzen_) {
        // A pad exists only on a nozzle: the box is unchecked again at once.
        setzeScheibe(false);
        for (Kasten k : kaestenIn(Rahmen::scheibe))
            schalteFrei(k, false);
    } else {
        for (Kasten k : kaestenIn(Rahmen::scheibe))
            schalteFrei(k, an);
    }
    geaendert_ = true;
}

void Formular::setzeAusgehalst(bool an)
{
    if (ausgehalst_ == an)
        return;
    ausgehalst_ = an;
    statustext_ = std::string(ausgehalstText);
    geaendert_ = true;
}

void Formular::setzeZylinder(bool zylinder)
{
    if (zylinder_ == zylinder)
        return;
    zylinder_ = zylinder;
    daten_.zylinder = zylinder;
    geaendert_ = true;
}

void Formular::setzeDateinameAutomatisch(bool an) { dateinameAutomatisch_ = an; }

Rechenlauf Formular::berechne()
{
    Berechnungsdaten design = daten_;
    for (const Groesseninfo& g : groessen())
        if (g.eingabe)
            wert(design, g.groesse) = zahlAusText(texte_[index(kastenVon(g.groesse))], dezimaltrenner_);
    const Schalter schalter{zylinder_, stutzen_, scheibe_, ausgehalst_};
    Rechenlauf lauf = berechnung(design, schalter);
    for (const Groesseninfo& g : groessen()) {
        const auto i = static_cast<std::size_t>(g.groesse);
        if (lauf.gesetzt[i])
            wert(daten_, g.groesse) = wert(lauf.daten, g.groesse);
        // Entry boxes that the run rewrote in another form count as changed.
        if (lauf.gezeigt[i])
            schreibe(kastenVon(g.groesse), anzeigetext(wert(lauf.daten, g.groesse), g.muster, dezimaltrenner_));
    }
    for (Groesse reserve : {Groesse::rG, Groesse::rS, Groesse::rFV})
        if (lauf.gezeigt[static_cast<std::size_t>(reserve)])
            reservefarben_[reserveIndex(reserve)] = wert(daten_, reserve) < 0 ? Reservefarbe::rot : Reservefarbe::gruen;
    std::optional<Pruefzustand> pruefung;
    if (pruefangaben_.an && lauf.berechnet())
        pruefung = pruefzustand(lauf.daten, schalter, pruefangaben_);
    const Urteil u = velkor::urteil(lauf, pruefung);
    statustext_ = meldung(u);
    statusfarbe_ = velkor::statusfarbe(u.ausgang);
    berechnet_ = lauf.berechnet();
    letzterLauf_ = Rechenstand{berichtsdaten(), lauf, std::move(pruefung)};
    return lauf;
}

std::optional<std::string> Formular::bericht()
{
    berechne();
    if (!berechnet_) {
        statustext_ = std::string(berichtVerweigert);
        return std::nullopt;
    }
    return velkor::bericht(letzterLauf_->daten, letzterLauf_->lauf,
                           letzterLauf_->pruefung ? &*letzterLauf_->pruefung : nullptr);
}

std::optional<std::string> Formular::rechengang() const
{
    if (!letzterLauf_)
        return std::nullopt;
    std::string text = velkor::rechengang(letzterLauf_->daten, letzterLauf_->lauf);
    if (letzterLauf_->pruefung)
        text += velkor::rechengang(letzterLauf_->daten, *letzterLauf_->pruefung);
    return text;
}

Berichtsdaten Formular::berichtsdaten() const
{
    Berichtsdaten d;
    std::copy_n(texte_.begin(), d.texte.size(), d.texte.begin());
    // A control character would reach a terminal raw and make the drawing's SVG
    // invalid; the report and the drawing get the blank a saved file holds.
    d.bezeichnung = ohneSteuerzeichen(text(Kasten::TextBez));
    d.nummer = ohneSteuerzeichen(text(Kasten::TextNummer));
    d.bearbeiter = ohneSteuerzeichen(text(Kasten::TextBearb));
    d.daten = daten_;
    d.stutzen = stutzen_;
    d.scheibe = scheibe_;
    d.ausgehalst = ausgehalst_;
    d.dezimaltrenner = dezimaltrenner_;
    d.angaben = angaben_;
    for (std::string* werkstoff : {&d.angaben.werkstoffGrundkoerper, &d.angaben.werkstoffStutzen, &d.angaben.werkstoffScheibe})
        *werkstoff = ohneSteuerzeichen(*werkstoff);
    return d;
}

void Formular::loesche()
{
    // Every box gets two decimals, the wall reserves too; only the area reserve shows "0".
    for (const Groesseninfo& g : groessen()) {
        schreibe(kastenVon(g.groesse), g.groesse == Groesse::rFV ? "0" : "0.00");
        wert(daten_, g.groesse) = 0;
    }
    setzeZylinder(true);
    setzeAusgehalst(false);
    setzeStutzen(false);
    setzeScheibe(false);
    for (std::size_t i = 0; i < projekttexte_.size(); ++i) {
        schreibe(projektKaesten()[i], "");
        projekttexte_[i].clear();
    }
    angaben_ = {};
    pruefangaben_ = {};
    fremdeZeilen_.clear();
    dateinameAutomatisch_ = true;
    geaendert_ = false;
    setzeStatus(std::string(startstatus), Statusfarbe::normal);
    // Only the two wall reserves turn green again; the area reserve keeps its colour.
    reservefarben_[reserveIndex(Groesse::rG)] = Reservefarbe::gruen;
    reservefarben_[reserveIndex(Groesse::rS)] = Reservefarbe::gruen;
}

Rechenlauf Formular::uebernehme(const Projekt& projekt)
{
    for (const Groesseninfo& g : groessen()) {
        const double w = wert(projekt.daten, g.groesse);
        wert(daten_, g.groesse) = w;
        schreibe(kastenVon(g.groesse), anzeigetext(w, g.muster, dezimaltrenner_));
    }
    const std::array<const std::string*, 3> kopf{&projekt.bezeichnung, &projekt.nummer,
                                                 &projekt.bearbeiter};
    for (std::size_t i = 0; i < projekttexte_.size(); ++i) {
        schreibe(projektKaesten()[i], *kopf[i]);
        projekttexte_[i] = *kopf[i];
    }
    angaben_ = projekt.angaben;
    pruefangaben_ = projekt.pruefung;
    fremdeZeilen_ = projekt.fremdeZeilen;
    // Through their behaviour, so a pad without a nozzle ends switched off.
    setzeZylinder(projekt.daten.zylinder);
    setzeStutzen(projekt.stutzen);
    setzeAusgehalst(projekt.ausgehalst);
    setzeScheibe(projekt.scheibe);
    Rechenlauf lauf = berechne();
    statustext_ = "Laden erfolgreich";
    geaendert_ = false;
    return lauf;
}

Projekt Formular::projekt() const
{
    Projekt p;
    p.daten = daten_;
    p.stutzen = stutzen_;
    p.ausgehalst = ausgehalst_;
    p.scheibe = scheibe_;
    p.bezeichnung = projekttexte_[0];
    p.nummer = projekttexte_[1];
    p.bearbeiter = projekttexte_[2];
    p.angaben = angaben_;
    p.pruefung = pruefangaben_;
    p.fremdeZeilen = fremdeZeilen_;
    return p;
}

Urteil Formular::urteil() const
{
    if (!letzterLauf_)
        return {};
    return velkor::urteil(letzterLauf_->lauf, letzterLauf_->pruefung);
}

void Formular::setzeAngaben(const Angaben& angaben)
{
    if (angaben_ == angaben)
        return;
    angaben_ = angaben;
    geaendert_ = true;
}

void Formular::setzePruefangaben(const Pruefangaben& angaben)
{
    if (pruefangaben_ == angaben)
        return;
    pruefangaben_ = angaben;
    geaendert_ = true;
}

void Formular::gespeichert()
{
    statustext_ = "Speichern erfolgreich.";
    geaendert_ = false;
}

void Formular::setzeStatus(std::string text, Statusfarbe farbe)
{
    statustext_ = std::move(text);
    statusfarbe_ = farbe;
}

void Formular::setzeStatustext(std::string text) { statustext_ = std::move(text); }

} // namespace velkor
