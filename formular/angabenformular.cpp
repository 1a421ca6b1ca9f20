#include "formular/angabenformular.h"

#include "engine/zahlentext.h"
#include "formular/formular.h"
#include "report/meldung.h"

#include <cmath>

namespace velkor {

namespace {

using F = Angabenfeld;

std::size_t index(Angabenfeld f) { return static_cast<std::size_t>(f); }

// The values behind the number boxes, in the order of Angabenfeld.
std::array<std::optional<double>, anzahlAngabenfelder> zahlen(const Angaben& a, const Pruefangaben& p)
{
    return {a.temperatur, std::nullopt, std::nullopt, std::nullopt,
            p.pT, p.K20, p.K20s, p.K20Scheibe, p.SPruef, p.SPruefs, p.SPruefScheibe};
}

} // namespace

const std::array<Angabenfeldinfo, anzahlAngabenfelder>& angabenfelder()
{
    static const std::array<Angabenfeldinfo, anzahlAngabenfelder> tabelle{{
        {F::temperatur, "TextTemperatur", "Auslegungstemperatur [°C]", true, std::nullopt, false},
        {F::werkstoffGrundkoerper, "TextWerkstoffGrundkoerper", "Grundkörper", false, std::nullopt, false},
        {F::werkstoffStutzen, "TextWerkstoffStutzen", "Stutzen", false, std::nullopt, false},
        {F::werkstoffScheibe, "TextWerkstoffScheibe", "Verstärkungsscheibe", false, std::nullopt, false},
        {F::pT, "TextPruefdruck", "Prüfdruck pT [bar]", true, 0.0, false},
        {F::K20, "TextK20", "K20 [N/mm²]", true, 0.0, false},
        {F::K20s, "TextK20s", "K20 [N/mm²]", true, 0.0, false},
        {F::K20Scheibe, "TextK20Scheibe", "K20 [N/mm²]", true, 0.0, false},
        {F::SPruef, "TextSPruef", "S′ [-]", true, 1.05, true},
        {F::SPruefs, "TextSPruefs", "S′ [-]", true, 1.05, true},
        {F::SPruefScheibe, "TextSPruefScheibe", "S′ [-]", true, 1.05, true},
    }};
    return tabelle;
}

const Angabenfeldinfo& info(Angabenfeld f) { return angabenfelder()[index(f)]; }

Angabenformular::Angabenformular(const Angaben& angaben, const Pruefangaben& pruefung, std::string dezimaltrenner)
    : dezimaltrenner_(std::move(dezimaltrenner)), anfangswerte_(zahlen(angaben, pruefung)),
      pruefung_(pruefung.an), c2Abziehen_(pruefung.c2Abziehen)
{
    texte_[index(F::werkstoffGrundkoerper)] = angaben.werkstoffGrundkoerper;
    texte_[index(F::werkstoffStutzen)] = angaben.werkstoffStutzen;
    texte_[index(F::werkstoffScheibe)] = angaben.werkstoffScheibe;
    for (const Angabenfeldinfo& f : angabenfelder()) {
        const std::optional<double>& w = anfangswerte_[index(f.feld)];
        if (f.zahl && w && (f.zeigeVorgabe || w != f.vorgabe))
            texte_[index(f.feld)] = anzeigetext(*w, Muster::zweiStellen, dezimaltrenner_);
    }
}

std::optional<double> Angabenformular::zahl(Angabenfeld f) const
{
    const std::string& t = texte_[index(f)];
    if (!info(f).zahl)
        return std::nullopt;
    if (t.find_first_not_of(" \t") == std::string::npos)
        return info(f).vorgabe;
    const double w = zahlAusText(t, dezimaltrenner_);
    return std::isfinite(w) ? w : anfangswerte_[index(f)];
}

void Angabenformular::fokusVerloren(Angabenfeld f)
{
    const Angabenfeldinfo& i = info(f);
    std::string& t = texte_[index(f)];
    if (!i.zahl)
        return;
    if (!std::isfinite(zahlAusText(t, dezimaltrenner_))) {
        // Kept as typed, so that it can be corrected.
        statustext_ = std::string(ausserhalbWertebereich);
        return;
    }
    statustext_.clear();
    const std::optional<double> w = zahl(f);
    t = w && (i.zeigeVorgabe || w != i.vorgabe) ? anzeigetext(*w, Muster::zweiStellen, dezimaltrenner_) : "";
}

Angaben Angabenformular::angaben() const
{
    return {zahl(F::temperatur), text(F::werkstoffGrundkoerper), text(F::werkstoffStutzen), text(F::werkstoffScheibe)};
}

Pruefangaben Angabenformular::pruefangaben() const
{
    // Every box but the temperature has a default, so each gives a value.
    const auto w = [this](Angabenfeld f) { return zahl(f).value_or(0); };
    return {pruefung_, w(F::pT), w(F::K20), w(F::K20s), w(F::K20Scheibe),
            w(F::SPruef), w(F::SPruefs), w(F::SPruefScheibe), c2Abziehen_};
}

std::string pruefbeschriftung(Groesse g)
{
    const Groesseninfo& i = velkor::info(g);
    return std::string(i.symbol) + " [" + std::string(i.einheit.empty() ? "-" : i.einheit) + "]";
}

Pruefanzeige pruefanzeige(const std::optional<Pruefzustand>& pruefung, std::string_view dezimaltrenner)
{
    Pruefanzeige a;
    if (!pruefung)
        return a;
    a.pTMindest = "pT,min = " + anzeigetext(pruefung->pTMindest, Muster::zweiStellen, dezimaltrenner) + " bar";
    a.status = std::string(meldung(pruefung->lauf.ausgang));
    for (std::size_t i = 0; i < pruefgroessen.size(); ++i) {
        const Groesse g = pruefgroessen[i];
        if (pruefung->lauf.gezeigt[static_cast<std::size_t>(g)])
            a.werte[i] = anzeigetext(wert(pruefung->lauf.daten, g), velkor::info(g).muster, dezimaltrenner);
    }
    return a;
}

} // namespace velkor
