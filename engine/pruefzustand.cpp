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
    double verhaeltnis = 0;
    const auto teil = [&](double K20, double K) {
        if (K > 0)
            verhaeltnis = std::max(verhaeltnis, K20 / K);
    };
    teil(d.K, betrieb.K);
    if (schalter.stutzen)
        teil(d.Ks, betrieb.Ks);
    if (schalter.stutzen && schalter.scheibe)
        teil(d.KScheibe, betrieb.KScheibe);

    Pruefzustand z;
    z.angaben = a;
    z.pTMindest = std::max(1.43 * betrieb.p, 1.25 * betrieb.p * verhaeltnis);
    z.pT = a.pT > 0 ? a.pT : z.pTMindest;
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
