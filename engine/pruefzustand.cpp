#include "engine/pruefzustand.h"

#include <algorithm>

namespace velkor {

namespace {

// A part's strength at test temperature; none typed means the same as at design temperature.
double k20(double typed, double K) { return typed > 0 ? typed : K; }

} // namespace

Pruefzustand pruefzustand(const Berechnungsdaten& betrieb, const Schalter& schalter, const Pruefangaben& a)
{
    Berechnungsdaten d = betrieb;
    d.K = k20(a.K20, betrieb.K);
    d.Ks = k20(a.K20s, betrieb.Ks);
    d.KScheibe = k20(a.K20Scheibe, betrieb.KScheibe);

    // Pressure Equipment Directive, Annex I 7.4: the greater of 1.43·p and
    // 1.25·p times the largest ratio of test to design strength of the parts present.
    Formel mindest{"pT,min", "max(1.43·p", 0, "bar", {{"p", betrieb.p}}};
    double verhaeltnis = 0;
    const auto teil = [&](std::string_view K20Symbol, double K20, std::string_view KSymbol, double K) {
        if (K > 0)
            verhaeltnis = std::max(verhaeltnis, K20 / K);
        mindest.text += "; 1.25·p·" + std::string(K20Symbol) + "/" + std::string(KSymbol);
        mindest.operanden.insert(mindest.operanden.end(), {{K20Symbol, K20}, {KSymbol, K}});
    };
    teil("K20", d.K, "K", betrieb.K);
    if (schalter.stutzen)
        teil("Ks20", d.Ks, "Ks", betrieb.Ks);
    if (schalter.stutzen && schalter.scheibe)
        teil("KScheibe20", d.KScheibe, "KScheibe", betrieb.KScheibe);
    mindest.text += ")";

    Pruefzustand z;
    z.angaben = a;
    z.pTMindest = mindest.wert = std::max(1.43 * betrieb.p, 1.25 * betrieb.p * verhaeltnis);
    z.pT = a.pT > 0 ? a.pT : z.pTMindest;
    z.formeln = {mindest, {"pT", a.pT > 0 ? "" : "pT,min", z.pT, "bar"}};
    d.p = z.pT;
    d.S = a.SPruef;
    d.Sis = a.SPruefs;
    d.SScheibe = a.SPruefScheibe;
    if (!a.c2Abziehen)
        d.c2 = d.c2s = 0;
    z.lauf = berechnung(d, schalter);
    return z;
}

Urteil urteil(const Rechenlauf& betrieb, const std::optional<Pruefzustand>& pruefung)
{
    const bool bestanden = betrieb.ausgang == Ausgang::ausreichend || betrieb.ausgang == Ausgang::eingabenPruefen;
    if (!bestanden || !pruefung || pruefung->lauf.ausgang == Ausgang::ausreichend)
        return {betrieb.ausgang};
    if (pruefung->lauf.ausgang == Ausgang::eingabenPruefen)
        return {Ausgang::eingabenPruefen, betrieb.ausgang == Ausgang::ausreichend};
    return {pruefung->lauf.ausgang, true};
}

} // namespace velkor
