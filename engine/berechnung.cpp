#include "engine/berechnung.h"

#include "engine/zahlentext.h"

#include <algorithm>
#include <cmath>
#include <compare>

namespace velkor {

namespace {

// The general error path: an arithmetic failure, or an entry beyond the range of a double.
struct Rechenfehler {};
// A zero test found its divisor before the formula: "Division durch Null".
struct Nullteiler {};

// A double whose every operation is checked. Floating point carries an infinite
// or undefined value on silently (and 1/∞ even turns it back into 0); the run has
// to stop at the first one instead, and at every division by exactly zero, 0/0 too.
class Zahl {
public:
    Zahl(double w) : w_(w) {} // implicit, so that constants and record values mix in
    double w() const { return w_; }
    auto operator<=>(const Zahl&) const = default;
    bool operator==(const Zahl&) const = default;

private:
    double w_;
};

Zahl endlich(double w)
{
    if (!std::isfinite(w))
        throw Rechenfehler{};
    return w;
}

Zahl operator+(Zahl a, Zahl b) { return endlich(a.w() + b.w()); }
Zahl operator-(Zahl a, Zahl b) { return endlich(a.w() - b.w()); }
Zahl operator-(Zahl a) { return -a.w(); }
Zahl operator*(Zahl a, Zahl b) { return endlich(a.w() * b.w()); }
Zahl operator/(Zahl a, Zahl b)
{
    if (b.w() == 0)
        throw Rechenfehler{};
    return endlich(a.w() / b.w());
}

Zahl wurzel(Zahl a)
{
    if (a.w() < 0)
        throw Rechenfehler{};
    return std::sqrt(a.w());
}
Zahl sinus(Zahl a) { return endlich(std::sin(a.w())); }
Zahl tangens(Zahl a) { return endlich(std::tan(a.w())); }
Zahl arcustangens(Zahl a) { return std::atan(a.w()); }

// Arc cosine in radians, by the arc tangent. An argument beyond ±1 gives -1 and
// the run goes on; at exactly ±1 the root is 0 and the division fails.
Zahl arccos(Zahl x)
{
    if (std::fabs(x.w()) > 1)
        return -1;
    return arcustangens(-x / wurzel(-x * x + 1)) + 2 * arcustangens(1);
}

// The circle constant the results are defined with, and three times it.
constexpr double pi = 3.14159;
constexpr double dreiPi = 9.42477;

// Shell or nozzle: the fields the wall-thickness check reads and writes.
struct Bauteil {
    double c; // bar → N/mm² with the shape: 20 cylinder, 40 sphere
    Groesse Da, s, c1, c2, K, S;
    Groesse sErf, pmax, r;
};

class Rechnung {
public:
    Rechnung(Berechnungsdaten& daten, Kastentexte& texte, const Schalter& schalter,
             std::string_view dezimaltrenner, Rechenlauf& lauf)
        : d_(daten), texte_(texte), schalter_(schalter), trenner_(dezimaltrenner), lauf_(lauf)
    {
    }

    void schritt(Schritt s) { lauf_.schritt = s; }
    void eingaben();
    void ableiten();
    void pruefePlausibilitaet();
    void wanddicke(const Bauteil& teil);
    void flaechenvergleich();
    void urteil();

private:
    void nimmEin(Groesse g, bool betrag = false);
    Zahl setze(Groesse g, Zahl w);
    Zahl merke(Zwischengroesse g, Zahl w);
    void zeige(Groesse g);
    void zeigeReserve(Groesse g);
    Zahl druckflaeche(Zahl b, Zahl lsm);

    Berechnungsdaten& d_;
    Kastentexte& texte_;
    const Schalter& schalter_;
    std::string_view trenner_;
    Rechenlauf& lauf_;

    bool ausreichend_ = true;
    bool inputOk_ = true;
    Zahl se_ = 0;        // effective shell wall
    Zahl ses_ = 0;       // effective nozzle wall
    Zahl rm_ = 0;        // mean radius of the shell
    Zahl riKugel_ = 0;   // inner radius after allowances, as rm − se/2
    Zahl riZylinder_ = 0; // the same radius, as Da/2 − s + c1 + c2
    Zahl phiRad_ = 0;
    Zahl fA_ = 1;        // extruded outlet
    Zahl fS_ = 1;        // pad on an oblique nozzle
};

void Rechnung::nimmEin(Groesse g, bool betrag)
{
    double w = zahlAusText(text(texte_, g), trenner_);
    if (!std::isfinite(w))
        throw Rechenfehler{};
    if (betrag)
        w = std::fabs(w);
    wert(d_, g) = w;
    text(texte_, g) = anzeigetext(w, Muster::zweiStellen, trenner_);
}

Zahl Rechnung::setze(Groesse g, Zahl w)
{
    wert(d_, g) = w.w();
    return w;
}

Zahl Rechnung::merke(Zwischengroesse g, Zahl w)
{
    lauf_.zwischenwerte.werte[static_cast<std::size_t>(g)] = w.w();
    return w;
}

void Rechnung::zeige(Groesse g)
{
    text(texte_, g) = anzeigetext(wert(d_, g), info(g).muster, trenner_);
}

void Rechnung::zeigeReserve(Groesse g)
{
    zeige(g);
    const bool negativ = wert(d_, g) < 0;
    if (negativ)
        ausreichend_ = false;
    lauf_.reservefarben.emplace_back(g, negativ ? Reservefarbe::rot : Reservefarbe::gruen);
}

void Rechnung::eingaben()
{
    using enum Groesse;
    nimmEin(p, true);
    d_.zylinder = schalter_.zylinder;
    for (Groesse g : {Da, s, c1, c2, v, K, S, Das, ss, c1s, c2s, Ks, Sis, ls, lsstrich, x, phi})
        nimmEin(g);
    if (schalter_.scheibe) {
        for (Groesse g : {bScheibe, hScheibe, KScheibe, SScheibe})
            nimmEin(g);
    } else {
        d_.bScheibe = 0;
        d_.hScheibe = 0;
        d_.KScheibe = 265;
        d_.SScheibe = 1.5;
    }
}

void Rechnung::ableiten()
{
    const Zahl Da = d_.Da, s = d_.s, c1 = d_.c1, c2 = d_.c2;
    const Zahl phi = d_.phi;
    using enum Zwischengroesse;
    phiRad_ = merke(phiRad, (phi * pi) / 180);
    rm_ = merke(rm, (((Da - s) + c1) + c2) / 2);
    se_ = merke(se, (s - c1) - c2);
    riKugel_ = rm_ - 0.5 * se_;
    riZylinder_ = merke(ri, ((Da / 2 - s) + c1) + c2);
    ses_ = merke(ses, (Zahl(d_.ss) - d_.c1s) - d_.c2s);
    fA_ = merke(fA, schalter_.ausgehalst ? 0.9 : 1.0);
    if (schalter_.stutzen && d_.phi < 90)
        fS_ = d_.lsstrich >= d_.ss ? 0.8 : 0.7;
    merke(fS, fS_);
    // Only a note: it never stops the run, and with a wall of half the
    // diameter or more it says nothing.
    const double innen = d_.Da - 2 * d_.s;
    if (innen > 0 && std::isfinite(d_.Da / innen))
        merke(DaDi, d_.Da / innen);
}

void Rechnung::pruefePlausibilitaet()
{
    const Zahl Da = d_.Da, s = d_.s, Das = d_.Das, ss = d_.ss;
    if (2 * s >= Da)
        inputOk_ = false;
    if (2 * ss > Das)
        inputOk_ = false;
    if (se_ <= 0)
        inputOk_ = false;
    if (ses_ < 0)
        inputOk_ = false;
    if (Das > Da)
        inputOk_ = false;
    if (d_.lsstrich > d_.Da)
        inputOk_ = false;
}

void Rechnung::wanddicke(const Bauteil& teil)
{
    const Zahl c = teil.c;
    const Zahl Da = wert(d_, teil.Da), s = wert(d_, teil.s);
    const Zahl c1 = wert(d_, teil.c1), c2 = wert(d_, teil.c2);
    const Zahl K = wert(d_, teil.K), S = wert(d_, teil.S);
    const Zahl v = d_.v, p = d_.p;
    const Zahl se = (s - c1) - c2;

    const auto nullteiler = [&] {
        wert(d_, teil.sErf) = 0;
        wert(d_, teil.pmax) = 0;
        throw Nullteiler{};
    };
    if ((S * v) * p == 0)
        nullteiler();
    // Both divisors are formed before either is tested.
    const Zahl nennerS = ((c * K) / S) * v + p;
    const Zahl nennerP = S * (se - Da);
    if (nennerS == 0 || nennerP == 0)
        nullteiler();

    const Zahl sErf = setze(teil.sErf, (Da * p) / nennerS + c1 + c2);
    setze(teil.pmax, (((-c * K) * se) * v) / nennerP);
    zeige(teil.sErf);
    zeige(teil.pmax);
    // Its reserve would divide by it; the zero already stands in its box.
    if (sErf == 0)
        throw Nullteiler{};
    setze(teil.r, ((s - sErf) / sErf) * 100);
    zeigeReserve(teil.r);
}

Zahl Rechnung::druckflaeche(Zahl b, Zahl lsm)
{
    using Z = Zwischengroesse;
    const Zahl Das = d_.Das;
    const Zahl ris = merke(Z::ris, ((Das / 2 - d_.ss) + d_.c1s) + d_.c2s);
    const Zahl sinPhi = sinus(phiRad_);
    const bool senkrecht = d_.phi == 90; // no tangent evaluated at 90° exactly
    const Zahl d = merke(Z::dSchraeg, Das / (2 * sinPhi));
    if (d_.zylinder) {
        const Zahl tSchraeg = merke(Z::tSchraeg, senkrecht ? Zahl(0) : se_ / (2 * tangens(phiRad_)));
        return (riZylinder_ * ((b + d) + tSchraeg) + ris * lsm) + (ris * se_) / sinPhi;
    }
    // Sphere: the opening's chord d seen from the centre under alpha (degrees),
    // widened by the effective width to alphaT.
    const Zahl alpha = merke(Z::alpha, (arccos(1 - (d * d) / ((2 * rm_) * rm_)) * 180) / pi);
    const Zahl alphaT = merke(Z::alphaT, alpha + (360 * b) / (dreiPi * rm_));
    const Zahl tSchraeg = merke(Z::tSchraeg, senkrecht ? Zahl(0) : ((0.25 * Das) * Das) / (2 * tangens(phiRad_)));
    return (((((alphaT / 360) * pi) * riKugel_) * riKugel_ + lsm * ris) + tSchraeg)
        + ((((alpha / 360) * 2) * pi) * rm_) * se_;
}

void Rechnung::flaechenvergleich()
{
    const bool stutzen = schalter_.stutzen;
    const Zahl Da = d_.Da, s = d_.s, c1 = d_.c1, c2 = d_.c2;
    const Zahl K = d_.K, S = d_.S, p = d_.p;

    using enum Zwischengroesse;
    // Effective width of the shell; the next discontinuity (x > 0) limits it.
    schritt(Schritt::breite);
    Zahl breite = merke(bWurzel, wurzel((((Da - s) + c1) + c2) * se_));
    if (d_.x > 0 && breite > d_.x)
        breite = d_.x;
    const Zahl b = setze(Groesse::b, breite);
    zeige(Groesse::b);

    // Effective nozzle length outside (lsm) and inside (lsmStrich) the shell.
    schritt(Schritt::laenge);
    Zahl laenge = 0;
    Zahl innen = 0;
    if (stutzen) {
        laenge = merke(lsmWurzel, wurzel((((Zahl(d_.Das) - d_.ss) + d_.c1s) + d_.c2s) * ses_));
        if (d_.zylinder)
            laenge = laenge * (1 + (0.25 * Zahl(d_.phi)) / 90);
        merke(lsmWinkel, laenge);
        innen = merke(lsmStrichVoll, 0.5 * laenge);
        if (laenge > d_.ls)
            laenge = d_.ls;
        if (innen > d_.lsstrich)
            innen = d_.lsstrich;
    }
    const Zahl lsm = setze(Groesse::lsm, laenge);
    const Zahl lsmInnen = merke(lsmStrich, innen);
    zeige(Groesse::lsm);

    schritt(Schritt::As0);
    const Zahl As0 = setze(Groesse::As0, stutzen ? (b * se_) * fA_ : 0);
    zeige(Groesse::As0);
    schritt(Schritt::As1);
    const Zahl As1 = setze(Groesse::As1, stutzen ? ((((lsm + lsmInnen) + s) - c1) - c2) * ses_ * fA_ : 0);
    zeige(Groesse::As1);

    schritt(Schritt::As2);
    const Zahl breiteScheibe = merke(scheibenbreite, b > d_.bScheibe ? d_.bScheibe : b);
    const Zahl hoeheScheibe = merke(scheibenhoehe, s > d_.hScheibe ? d_.hScheibe : s);
    const Zahl As2 = setze(Groesse::As2, schalter_.scheibe ? (fS_ * breiteScheibe) * hoeheScheibe : 0);
    zeige(Groesse::As2);

    schritt(Schritt::Ap);
    const Zahl Ks = d_.Ks, Sis = d_.Sis, KScheibe = d_.KScheibe, SScheibe = d_.SScheibe;
    const Zahl Ap = setze(Groesse::Ap, stutzen ? druckflaeche(b, lsm) : 0);
    if (stutzen) {
        // Supporting force against pressure force, each material with its own K/S.
        const Zahl nStrich = merke(NStrich, ((K / S - p / 20) * As0 + (Ks / Sis - p / 20) * As1)
            + (KScheibe / SScheibe - p / 20) * As2);
        const Zahl kraft = merke(F, (p / 10) * Ap);
        setze(Groesse::rFV, (nStrich / kraft) * 100 - 100);
    } else {
        setze(Groesse::rFV, 0);
    }
    zeige(Groesse::Ap);
    zeigeReserve(Groesse::rFV);

    // As2 already holds the pad factor, so it is not applied again here.
    schritt(Schritt::pmaxFV);
    setze(Groesse::pmaxFV, stutzen ? (((K / S) * As0 + (Ks / Sis) * As1) + (KScheibe / SScheibe) * As2)
                      / (Ap / 10 + ((As0 + As1) + As2) / 20)
                          : 0);
    zeige(Groesse::pmaxFV);

    schritt(Schritt::dmax);
    const Zahl tragend = ((((10 * (K / S)) / p) - 0.5) * se_) * b;
    // A sphere's area comparison solved for the opening: 8/Da in place of 4/Da
    // and 2·b in place of ri·b.
    setze(Groesse::dmax, d_.zylinder ? (4 / Da) * (tragend - riZylinder_ * b) : (8 / Da) * tragend - 2 * b);
    zeige(Groesse::dmax);

    double massgebend = d_.pmaxG;
    if (stutzen)
        massgebend = std::min({massgebend, d_.pmaxS, d_.pmaxFV});
    merke(pmaxMassgebend, massgebend);
}

void Rechnung::urteil()
{
    if (!ausreichend_) {
        lauf_.status = meldung::nichtAusreichend;
        lauf_.statusfarbe = Statusfarbe::rot;
    } else if (!inputOk_) {
        lauf_.status = meldung::eingabenPruefen;
        lauf_.statusfarbe = Statusfarbe::gelb;
    } else {
        lauf_.status = meldung::ausreichend;
        lauf_.statusfarbe = Statusfarbe::normal;
    }
    lauf_.berechnet = true;
}

} // namespace

Rechenlauf berechnung(Berechnungsdaten& daten, Kastentexte& texte, const Schalter& schalter,
                      std::string_view dezimaltrenner)
{
    Rechenlauf lauf;
    Rechnung rechnung(daten, texte, schalter, dezimaltrenner, lauf);
    try {
        rechnung.eingaben();
        rechnung.schritt(Schritt::ableitung);
        rechnung.ableiten();
        rechnung.pruefePlausibilitaet();
        using enum Groesse;
        rechnung.schritt(Schritt::grundkoerper);
        rechnung.wanddicke({daten.zylinder ? 20.0 : 40.0, Da, s, c1, c2, K, S, sG, pmaxG, rG});
        if (schalter.stutzen) {
            rechnung.schritt(Schritt::stutzen);
            rechnung.wanddicke({20.0, Das, ss, c1s, c2s, Ks, Sis, sS, pmaxS, rS});
        }
        rechnung.flaechenvergleich();
        rechnung.schritt(Schritt::urteil);
        rechnung.urteil();
    } catch (const Nullteiler&) {
        lauf.status = meldung::divisionDurchNull;
        lauf.statusfarbe = Statusfarbe::normal;
        lauf.berechnet = false;
    } catch (const Rechenfehler&) {
        lauf.status = meldung::allgemeinerFehler;
        lauf.statusfarbe = Statusfarbe::gelb;
        lauf.berechnet = false;
    }
    return lauf;
}

std::string_view name(Zwischengroesse g)
{
    static constexpr std::array<std::string_view, anzahlZwischengroessen> namen{
        "phiRad", "rm", "se", "ri", "ses", "fA", "fS", "DaDi", "bWurzel", "lsmWurzel", "lsmWinkel",
        "lsmStrichVoll", "lsmStrich", "scheibenbreite", "scheibenhoehe", "ris", "dSchraeg", "alpha",
        "alphaT", "tSchraeg", "NStrich", "F", "pmaxMassgebend",
    };
    return namen[static_cast<std::size_t>(g)];
}

} // namespace velkor
