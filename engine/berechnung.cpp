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
    Zwischengroesse se;
};

struct Zwischeninfo {
    std::string_view name;    // also used in JSON: "lsmStrich"
    std::string_view symbol;  // as the worked calculation writes it: "lsm'"
    std::string_view einheit;
};

constexpr std::array<Zwischeninfo, anzahlZwischengroessen> zwischengroessen{{
    {"phiRad", "phiRad", ""}, {"rm", "rm", "mm"}, {"se", "se", "mm"}, {"ri", "ri", "mm"},
    {"ses", "ses", "mm"}, {"fA", "fA", ""}, {"fS", "fS", ""}, {"DaDi", "Da/Di", ""}, {"DaDiStutzen", "Das/Dis", ""},
    {"bWurzel", "b0", "mm"}, {"lsmWurzel", "lsmWurzel", "mm"}, {"lsmWinkel", "lsm0", "mm"},
    {"lsmStrichVoll", "lsm'0", "mm"}, {"lsmStrich", "lsm'", "mm"}, {"scheibenbreite", "b2", "mm"},
    {"scheibenhoehe", "h2", "mm"}, {"ris", "ris", "mm"}, {"dSchraeg", "d", "mm"}, {"alpha", "alpha", "°"},
    {"alphaT", "alphaT", "°"}, {"tSchraeg", "tSchraeg", "mm"}, {"NStrich", "N'", "N"}, {"F", "F", "N"},
    {"pmaxMassgebend", "pmax", "bar"},
}};

const Zwischeninfo& info(Zwischengroesse g) { return zwischengroessen[static_cast<std::size_t>(g)]; }

class Rechnung {
public:
    Rechnung(const Schalter& schalter, Rechenlauf& lauf) : d_(lauf.daten), schalter_(schalter), lauf_(lauf) {}

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
    // Records the formula by which the quantity was formed, for the worked calculation.
    void formel(std::string_view symbol, std::string text, double w, std::string_view einheit);
    void formel(Groesse g, std::string text) { formel(info(g).symbol, std::move(text), wert(d_, g), info(g).einheit); }
    void formel(Zwischengroesse g, std::string text, std::string_view einheit = {});
    [[noreturn]] void nullteiler(std::string teiler);
    Zahl druckflaeche(Zahl b, Zahl lsm);

    Berechnungsdaten& d_;
    const Schalter& schalter_;
    Rechenlauf& lauf_;

    bool ausreichend_ = true;
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
    double w = wert(d_, g);
    if (!std::isfinite(w))
        throw Rechenfehler{};
    if (betrag)
        w = std::fabs(w);
    wert(d_, g) = w;
    lauf_.gesetzt[static_cast<std::size_t>(g)] = true;
    lauf_.gezeigt[static_cast<std::size_t>(g)] = true;
}

Zahl Rechnung::setze(Groesse g, Zahl w)
{
    wert(d_, g) = w.w();
    lauf_.gesetzt[static_cast<std::size_t>(g)] = true;
    return w;
}

Zahl Rechnung::merke(Zwischengroesse g, Zahl w)
{
    lauf_.zwischenwerte.werte[static_cast<std::size_t>(g)] = w.w();
    return w;
}

void Rechnung::zeige(Groesse g) { lauf_.gezeigt[static_cast<std::size_t>(g)] = true; }

void Rechnung::zeigeReserve(Groesse g)
{
    zeige(g);
    if (wert(d_, g) < 0)
        ausreichend_ = false;
}

void Rechnung::formel(std::string_view symbol, std::string text, double w, std::string_view einheit)
{
    lauf_.formeln.push_back({symbol, std::move(text), w, einheit});
}

void Rechnung::formel(Zwischengroesse g, std::string text, std::string_view einheit)
{
    formel(info(g).symbol, std::move(text), *lauf_.zwischenwerte[g], einheit.empty() ? info(g).einheit : einheit);
}

void Rechnung::nullteiler(std::string teiler)
{
    lauf_.nullteiler = std::move(teiler);
    throw Nullteiler{};
}

void Rechnung::eingaben()
{
    d_.zylinder = schalter_.zylinder;
    nimmEin(Groesse::p, true);
    for (Rahmen r : {Rahmen::grundkoerper, Rahmen::stutzen})
        for (Groesse g : groessenIn(r))
            nimmEin(g);
    // Without a pad its entries are not read: they count with their start values.
    for (Groesse g : groessenIn(Rahmen::scheibe)) {
        if (schalter_.scheibe)
            nimmEin(g);
        else
            setze(g, zahlAusText(info(g).starttext, "."));
    }
}

void Rechnung::ableiten()
{
    const Zahl Da = d_.Da, s = d_.s, c1 = d_.c1, c2 = d_.c2;
    const Zahl phi = d_.phi;
    const bool stutzen = schalter_.stutzen;
    using enum Zwischengroesse;
    phiRad_ = merke(phiRad, (phi * pi) / 180);
    rm_ = merke(rm, (((Da - s) + c1) + c2) / 2);
    formel(rm, "(Da − s + c1 + c2)/2");
    se_ = merke(se, (s - c1) - c2);
    formel(se, "s − c1 − c2");
    riKugel_ = rm_ - 0.5 * se_;
    riZylinder_ = merke(ri, ((Da / 2 - s) + c1) + c2);
    formel(ri, "Da/2 − s + c1 + c2");
    ses_ = merke(ses, (Zahl(d_.ss) - d_.c1s) - d_.c2s);
    if (stutzen)
        formel(ses, "ss − c1s − c2s");
    fA_ = merke(fA, schalter_.ausgehalst ? 0.9 : 1.0);
    if (stutzen)
        formel(fA, {});
    if (stutzen && d_.phi < 90)
        fS_ = d_.lsstrich >= d_.ss ? 0.8 : 0.7;
    merke(fS, fS_);
    if (schalter_.scheibe)
        formel(fS, {});
    // Only notes: they never stop the run, and with a wall of half the
    // diameter or more they say nothing.
    const auto verhaeltnis = [&](Zwischengroesse g, double Da, double s) {
        const double innen = Da - 2 * s;
        if (innen > 0 && std::isfinite(Da / innen))
            merke(g, Da / innen);
    };
    verhaeltnis(DaDi, d_.Da, d_.s);
    if (stutzen)
        verhaeltnis(DaDiStutzen, d_.Das, d_.ss);
}

void Rechnung::pruefePlausibilitaet()
{
    const Zahl Da = d_.Da, s = d_.s, Das = d_.Das, ss = d_.ss;
    using enum Plausibilitaet;
    const std::pair<bool, Plausibilitaet> pruefungen[] = {
        {2 * s >= Da, wandGrundkoerper}, {2 * ss > Das, wandStutzen},   {se_ <= 0, seGrundkoerper},
        {ses_ < 0, sesStutzen},          {Das > Da, stutzenBreiter}, {Zahl(d_.lsstrich) > Da, stutzenTiefer},
    };
    for (const auto& [verletzt, pruefung] : pruefungen)
        if (verletzt)
            lauf_.unplausibel.push_back(pruefung);
    if (lauf_.zwischenwerte[Zwischengroesse::DaDi])
        formel(Zwischengroesse::DaDi, "Da/(Da − 2·s)");
    if (lauf_.zwischenwerte[Zwischengroesse::DaDiStutzen])
        formel(Zwischengroesse::DaDiStutzen, "Das/(Das − 2·ss)");
}

void Rechnung::wanddicke(const Bauteil& teil)
{
    const Zahl c = teil.c;
    const Zahl Da = wert(d_, teil.Da), s = wert(d_, teil.s);
    const Zahl c1 = wert(d_, teil.c1), c2 = wert(d_, teil.c2);
    const Zahl K = wert(d_, teil.K), S = wert(d_, teil.S);
    const Zahl v = d_.v, p = d_.p;
    const Zahl se = (s - c1) - c2;
    const auto sym = [](Groesse g) { return std::string(info(g).symbol); };
    const std::string cText = c.w() == 20 ? "20" : "40";
    const std::string seText(info(teil.se).symbol);

    // A zero divisor leaves both results at 0 in the record, not in their boxes.
    const auto nullteiler = [&](std::string teiler) {
        wert(d_, teil.sErf) = 0;
        wert(d_, teil.pmax) = 0;
        lauf_.gesetzt[static_cast<std::size_t>(teil.sErf)] = true;
        lauf_.gesetzt[static_cast<std::size_t>(teil.pmax)] = true;
        this->nullteiler(std::move(teiler));
    };
    if ((S * v) * p == 0) {
        std::string null;
        for (const auto& [w, g] : {std::pair{p, Groesse::p}, std::pair{v, Groesse::v}, std::pair{S, teil.S}})
            if (w == 0)
                null += (null.empty() ? "" : ", ") + sym(g);
        // None of them zero: their product fell below the smallest double.
        nullteiler(null.empty() ? "p·v·" + sym(teil.S) : null);
    }
    // Both divisors are formed before either is tested.
    const Zahl nennerS = ((c * K) / S) * v + p;
    const Zahl nennerP = S * (se - Da);
    if (nennerS == 0)
        nullteiler(cText + "·" + sym(teil.K) + "/" + sym(teil.S) + "·v + p");
    if (nennerP == 0)
        nullteiler(seText + " − " + sym(teil.Da));

    const Zahl sErf = setze(teil.sErf, (Da * p) / nennerS + c1 + c2);
    setze(teil.pmax, (((-c * K) * se) * v) / nennerP);
    zeige(teil.sErf);
    zeige(teil.pmax);
    // Its reserve would divide by it; the zero already stands in its box.
    if (sErf == 0)
        this->nullteiler(sym(teil.sErf));
    setze(teil.r, ((s - sErf) / sErf) * 100);
    zeigeReserve(teil.r);
    formel(teil.sErf, sym(teil.Da) + "·p/(" + cText + "·" + sym(teil.K) + "/" + sym(teil.S) + "·v + p) + "
                          + sym(teil.c1) + " + " + sym(teil.c2));
    formel(teil.pmax, cText + "·" + sym(teil.K) + "·v·" + seText + "/(" + sym(teil.S) + "·(" + sym(teil.Da) + " − "
                          + seText + "))");
    formel(teil.r, "(" + sym(teil.s) + " − " + sym(teil.sErf) + ")/" + sym(teil.sErf) + "·100");
}

Zahl Rechnung::druckflaeche(Zahl b, Zahl lsm)
{
    using Z = Zwischengroesse;
    const Zahl Das = d_.Das;
    const Zahl ris = merke(Z::ris, ((Das / 2 - d_.ss) + d_.c1s) + d_.c2s);
    formel(Z::ris, "Das/2 − ss + c1s + c2s");
    const Zahl sinPhi = sinus(phiRad_);
    const bool senkrecht = d_.phi == 90; // no tangent evaluated at 90° exactly
    // phi·3.14159/180 written out: a rounded phiRad would spoil the tangent near 90°.
    const Zahl d = merke(Z::dSchraeg, Das / (2 * sinPhi));
    formel(Z::dSchraeg, "Das/(2·sin(phi·3.14159/180))");
    if (d_.zylinder) {
        const Zahl tSchraeg = merke(Z::tSchraeg, senkrecht ? Zahl(0) : se_ / (2 * tangens(phiRad_)));
        if (!senkrecht)
            formel(Z::tSchraeg, "se/(2·tan(phi·3.14159/180))");
        return (riZylinder_ * ((b + d) + tSchraeg) + ris * lsm) + (ris * se_) / sinPhi;
    }
    // Sphere: the opening's chord d seen from the centre under alpha (degrees),
    // widened by the effective width to alphaT.
    const Zahl alpha = merke(Z::alpha, (arccos(1 - (d * d) / ((2 * rm_) * rm_)) * 180) / pi);
    formel(Z::alpha, "arccos(1 − d²/(2·rm²))·180/3.14159");
    const Zahl alphaT = merke(Z::alphaT, alpha + (360 * b) / (dreiPi * rm_));
    formel(Z::alphaT, "alpha + 360·b/(9.42477·rm)");
    const Zahl tSchraeg = merke(Z::tSchraeg, senkrecht ? Zahl(0) : ((0.25 * Das) * Das) / (2 * tangens(phiRad_)));
    if (!senkrecht)
        formel(Z::tSchraeg, "0.25·Das²/(2·tan(phi·3.14159/180))", "mm²");
    return (((((alphaT / 360) * pi) * riKugel_) * riKugel_ + lsm * ris) + tSchraeg)
        + ((((alpha / 360) * 2) * pi) * rm_) * se_;
}

void Rechnung::flaechenvergleich()
{
    const bool stutzen = schalter_.stutzen;
    const bool scheibe = schalter_.scheibe;
    const Zahl Da = d_.Da, s = d_.s, c1 = d_.c1, c2 = d_.c2;
    const Zahl K = d_.K, S = d_.S, p = d_.p;

    using enum Zwischengroesse;
    // Effective width of the shell; the next discontinuity (x > 0) limits it.
    schritt(Schritt::breite);
    Zahl breite = merke(bWurzel, wurzel((((Da - s) + c1) + c2) * se_));
    formel(bWurzel, "√((Da − se)·se)");
    if (d_.x > 0 && breite > d_.x)
        breite = d_.x;
    const Zahl b = setze(Groesse::b, breite);
    zeige(Groesse::b);
    formel(Groesse::b, d_.x > 0 ? "min(b0; x)" : "b0");

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
    if (stutzen) {
        formel(lsmWinkel, d_.zylinder ? "√((Das − ses)·ses)·(1 + 0.25·phi/90)" : "√((Das − ses)·ses)");
        formel(Groesse::lsm, "min(lsm0; ls)");
        formel(lsmStrichVoll, "0.5·lsm0");
        formel(lsmStrich, "min(lsm'0; ls')");
    }

    schritt(Schritt::As0);
    const Zahl As0 = setze(Groesse::As0, stutzen ? (b * se_) * fA_ : 0);
    zeige(Groesse::As0);
    if (stutzen)
        formel(Groesse::As0, "b·se·fA");
    schritt(Schritt::As1);
    const Zahl As1 = setze(Groesse::As1, stutzen ? ((((lsm + lsmInnen) + s) - c1) - c2) * ses_ * fA_ : 0);
    zeige(Groesse::As1);
    if (stutzen)
        formel(Groesse::As1, "(lsm + lsm' + s − c1 − c2)·ses·fA");

    schritt(Schritt::As2);
    const Zahl breiteScheibe = merke(scheibenbreite, b > d_.bScheibe ? d_.bScheibe : b);
    const Zahl hoeheScheibe = merke(scheibenhoehe, s > d_.hScheibe ? d_.hScheibe : s);
    if (scheibe) {
        formel(scheibenbreite, "min(bScheibe; b)");
        formel(scheibenhoehe, "min(hScheibe; s)");
    }
    const Zahl As2 = setze(Groesse::As2, scheibe ? (fS_ * breiteScheibe) * hoeheScheibe : 0);
    zeige(Groesse::As2);
    if (scheibe)
        formel(Groesse::As2, "fS·b2·h2");

    schritt(Schritt::Ap);
    const Zahl Ks = d_.Ks, Sis = d_.Sis, KScheibe = d_.KScheibe, SScheibe = d_.SScheibe;
    const Zahl Ap = setze(Groesse::Ap, stutzen ? druckflaeche(b, lsm) : 0);
    if (stutzen) {
        // Supporting force against pressure force, each material with its own K/S.
        const Zahl nStrich = merke(NStrich, ((K / S - p / 20) * As0 + (Ks / Sis - p / 20) * As1)
            + (KScheibe / SScheibe - p / 20) * As2);
        formel(NStrich, std::string("(K/S − p/20)·As0 + (Ks/Sis − p/20)·As1")
                            + (scheibe ? " + (KScheibe/SScheibe − p/20)·As2" : ""));
        const Zahl kraft = merke(F, (p / 10) * Ap);
        formel(F, "p/10·Ap");
        setze(Groesse::rFV, (nStrich / kraft) * 100 - 100);
    } else {
        setze(Groesse::rFV, 0);
    }
    zeige(Groesse::Ap);
    zeigeReserve(Groesse::rFV);
    if (stutzen) {
        const bool schraeg = d_.phi != 90;
        std::string ap;
        if (d_.zylinder)
            ap = std::string(schraeg ? "ri·(b + d + tSchraeg)" : "ri·(b + d)") + " + ris·lsm + ris·se/sin(phi·3.14159/180)";
        else
            ap = std::string("3.14159·ri²·alphaT/360 + ris·lsm") + (schraeg ? " + tSchraeg" : "")
                 + " + se·2·3.14159·rm·alpha/360";
        formel(Groesse::Ap, ap);
        formel(Groesse::rFV, "N'/F·100 − 100");
    }

    // As2 already holds the pad factor, so it is not applied again here.
    schritt(Schritt::pmaxFV);
    setze(Groesse::pmaxFV, stutzen ? (((K / S) * As0 + (Ks / Sis) * As1) + (KScheibe / SScheibe) * As2)
                      / (Ap / 10 + ((As0 + As1) + As2) / 20)
                          : 0);
    zeige(Groesse::pmaxFV);
    if (stutzen)
        formel(Groesse::pmaxFV, scheibe ? "(K/S·As0 + Ks/Sis·As1 + KScheibe/SScheibe·As2)/(Ap/10 + (As0 + As1 + As2)/20)"
                                        : "(K/S·As0 + Ks/Sis·As1)/(Ap/10 + (As0 + As1)/20)");

    schritt(Schritt::dmax);
    const Zahl tragend = ((((10 * (K / S)) / p) - 0.5) * se_) * b;
    // A sphere's area comparison solved for the opening: 8/Da in place of 4/Da
    // and 2·b in place of ri·b.
    setze(Groesse::dmax, d_.zylinder ? (4 / Da) * (tragend - riZylinder_ * b) : (8 / Da) * tragend - 2 * b);
    zeige(Groesse::dmax);
    formel(Groesse::dmax, d_.zylinder ? "4/Da·((10·K/S/p − 0.5)·se·b − ri·b)" : "8/Da·(10·K/S/p − 0.5)·se·b − 2·b");

    double massgebend = d_.pmaxG;
    if (stutzen)
        massgebend = std::min({massgebend, d_.pmaxS, d_.pmaxFV});
    merke(pmaxMassgebend, massgebend);
    formel(pmaxMassgebend, stutzen ? "min(pmaxG; pmaxS; pmaxFV)" : "pmaxG");
}

void Rechnung::urteil()
{
    if (!ausreichend_)
        lauf_.ausgang = Ausgang::nichtAusreichend;
    else if (!lauf_.unplausibel.empty())
        lauf_.ausgang = Ausgang::eingabenPruefen;
    else
        lauf_.ausgang = Ausgang::ausreichend;
}

} // namespace

Rechenlauf berechnung(const Berechnungsdaten& design, const Schalter& schalter)
{
    Rechenlauf lauf;
    lauf.daten = design;
    Rechnung rechnung(schalter, lauf);
    try {
        rechnung.eingaben();
        rechnung.schritt(Schritt::ableitung);
        rechnung.ableiten();
        rechnung.pruefePlausibilitaet();
        using enum Groesse;
        using Z = Zwischengroesse;
        rechnung.schritt(Schritt::grundkoerper);
        rechnung.wanddicke({lauf.daten.zylinder ? 20.0 : 40.0, Da, s, c1, c2, K, S, sG, pmaxG, rG, Z::se});
        if (schalter.stutzen) {
            rechnung.schritt(Schritt::stutzen);
            rechnung.wanddicke({20.0, Das, ss, c1s, c2s, Ks, Sis, sS, pmaxS, rS, Z::ses});
        }
        rechnung.flaechenvergleich();
        rechnung.schritt(Schritt::urteil);
        rechnung.urteil();
    } catch (const Nullteiler&) {
        lauf.ausgang = Ausgang::nullteiler;
    } catch (const Rechenfehler&) {
        lauf.ausgang = Ausgang::rechenfehler;
    }
    return lauf;
}

const Formel* Rechenlauf::formel(std::string_view symbol) const
{
    for (const Formel& f : formeln)
        if (f.symbol == symbol)
            return &f;
    return nullptr;
}

std::string_view name(Zwischengroesse g) { return info(g).name; }

} // namespace velkor
