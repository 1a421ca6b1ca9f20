#include "report/rechengang.h"

#include "report/zeichen.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <functional>
#include <map>
#include <optional>
#include <utility>

namespace velkor {

namespace {

constexpr std::string_view zeilenende = "\r\n";
constexpr std::size_t breite = 66;

bool istBuchstabe(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool istZiffer(char c) { return c >= '0' && c <= '9'; }

// The user's decimal separator in place of every point.
std::string mitTrenner(std::string_view text, std::string_view trenner)
{
    std::string aus;
    for (char c : text) {
        if (c == '.')
            aus += trenner;
        else
            aus += c;
    }
    return aus;
}

// A number from to_chars as shown: the exponent with a capital E.
std::string zahl(std::string text, std::string_view trenner)
{
    std::replace(text.begin(), text.end(), 'e', 'E');
    return mitTrenner(text, trenner);
}

std::string mindestensZweiStellen(std::string text)
{
    const std::size_t punkt = text.find('.');
    const std::size_t nachkomma = punkt == std::string::npos ? 0 : text.size() - punkt - 1;
    if (punkt == std::string::npos)
        text += '.';
    text.append(nachkomma < 2 ? 2 - nachkomma : 0, '0');
    return text;
}

// Fixed notation where a person reads it at a glance, the exponent form beyond.
bool festeSchreibweise(double betrag) { return betrag == 0 || (betrag >= 1e-5 && betrag < 1e15); }

// The shortest decimal that reads back as the value.
std::string kuerzest(double wert)
{
    char puffer[64]; // fixed notation only below 1E15
    const auto art = festeSchreibweise(std::fabs(wert)) ? std::chars_format::fixed : std::chars_format::scientific;
    const char* ende = std::to_chars(puffer, std::end(puffer), wert, art).ptr;
    return std::string(puffer, static_cast<std::size_t>(ende - puffer));
}

// The number rule. An examiner redoes every line with a pocket calculator, so
// an input is shown as stored: the shortest decimal that reads back as the
// value, at least two decimals (a typed 45.678 shows as typed). A value the run
// computed is rounded to six significant digits, with at least two decimals;
// the zeros that end it are left off when the value has no further digits.
// A line evaluated from the printed numbers then gives its printed result within
// the precision of those numbers.
std::string eingabetext(double wert, std::string_view trenner)
{
    if (wert == 0)
        wert = 0; // no "-0,00"
    std::string text = kuerzest(wert);
    if (festeSchreibweise(std::fabs(wert)))
        text = mindestensZweiStellen(std::move(text));
    return zahl(std::move(text), trenner);
}

std::string ergebnistext(double wert, std::string_view trenner)
{
    if (wert == 0)
        wert = 0;
    char puffer[64];
    const char* ende = std::to_chars(puffer, std::end(puffer), wert, std::chars_format::scientific, 5).ptr;
    if (!festeSchreibweise(std::fabs(wert)))
        return zahl(std::string(puffer, static_cast<std::size_t>(ende - puffer)), trenner);
    // The exponent after rounding to six digits decides how many decimals that is.
    const std::string_view wissenschaftlich(puffer, static_cast<std::size_t>(ende - puffer));
    const std::size_t e = wissenschaftlich.find('e');
    int exponent = 0;
    std::from_chars(puffer + e + 1 + (wissenschaftlich[e + 1] == '+' ? 1 : 0), ende, exponent);
    ende = std::to_chars(puffer, std::end(puffer), wert, std::chars_format::fixed, std::max(5 - exponent, 2)).ptr;
    std::string text(puffer, static_cast<std::size_t>(ende - puffer));
    // Trailing zeros go when the shorter decimal is the value itself, but for
    // the noise of binary arithmetic (14.649999999999999 is 14,65).
    std::string kurz = text;
    while (kurz.size() - kurz.find('.') > 3 && kurz.back() == '0')
        kurz.pop_back();
    double gelesen = 0;
    std::from_chars(kurz.data(), kurz.data() + kurz.size(), gelesen);
    if (std::fabs(gelesen - wert) <= 1e-12 * std::fabs(wert))
        text = kurz;
    return zahl(std::move(text), trenner);
}

// In prose, a blank at which the line does not break, written as a blank.
constexpr char festesBlank = '~';

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
std::string ursache(Schritt s, bool nullteiler, bool zylinder)
{
    if (nullteiler && s == Schritt::grundkoerper)
        return std::string("Ein Teiler ist null: p·v·S, ") + (zylinder ? "20" : "40")
               + "·K/S·v~+~p oder S·(se~−~Da); oder die erforderliche Wanddicke sG ist null.";
    if (nullteiler && s == Schritt::stutzen)
        return "Ein Teiler ist null: p·v·Sis, 20·Ks/Sis·v~+~p oder Sis·(ses~−~Das); oder die "
               "erforderliche Wanddicke sS ist null.";
    switch (s) {
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

// Where a long line may break: before the operator, which starts the next line.
struct Bruch {
    std::size_t ende;   // bytes kept on this line
    std::size_t weiter; // bytes before the continuation
};

// The break that keeps the line within `platz` characters and cuts the formula
// at its outermost level, sums before products, as far right as possible. A
// first part shorter than a third of the room counts as two levels deeper, so
// that "4/Da" does not stand alone on a line.
std::optional<Bruch> bruchstelle(std::string_view s, std::size_t platz)
{
    std::optional<Bruch> bester;
    int besterRang = 0;
    int tiefe = 0; // negative on a continuation that closes brackets opened above
    std::size_t zeichen = 0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const char c = s[i];
        if (beginntZeichen(c))
            ++zeichen;
        if (zeichen - 1 > platz)
            break;
        if (c == '(')
            ++tiefe;
        else if (c == ')')
            --tiefe;
        std::optional<Bruch> hier;
        int rang = 0;
        const std::string_view danach = s.substr(i + 1);
        if (c == ' ' && (danach.starts_with('+') || danach.starts_with("−"))) {
            hier = Bruch{i, i + 1};
            rang = 2 * tiefe;
        } else if (i > 0 && (c == '/' || s.substr(i).starts_with("·"))) {
            hier = Bruch{i, i};
            rang = 2 * tiefe + 1;
        }
        if (!hier)
            continue;
        if (3 * (zeichen - 1) < platz)
            rang += 4;
        if (!bester || rang <= besterRang) {
            bester = hier;
            besterRang = rang;
        }
    }
    return bester;
}

class Abschnitt {
public:
    Abschnitt(const Berichtsdaten& d, const Rechenlauf& lauf) : d_(d), w_(d.daten), lauf_(lauf)
    {
        for (const Groesseninfo& g : groessen())
            if (g.eingabe)
                werte_[g.groesse == Groesse::lsstrich ? "ls'" : std::string(g.name)] = eingabe(w_.*g.feld);
    }

    std::string text()
    {
        zeile();
        zeile(std::string(breite, '-'));
        zeile();
        zeile("RECHENGANG");
        absatz("Jede Größe mit Formel, eingesetzten Werten und Ergebnis, in der Reihenfolge der Berechnung. "
               "Eingaben wie gespeichert, berechnete Werte auf sechs gültige Ziffern gerundet, mit mindestens "
               "zwei Nachkommastellen. Winkel im Bogenmaß mit der Kreiszahl "
                   + eingabe(3.14159) + ".",
               0);
        abgeleitet();
        if (erreicht(Schritt::grundkoerper))
            grundkoerper();
        if (d_.stutzen && erreicht(Schritt::stutzen))
            stutzen();
        if (zw(Zwischengroesse::bWurzel))
            ausschnitt();
        if (!lauf_.berechnet)
            abbruch();
        return std::move(t_);
    }

private:
    // A result belongs to this run when the run went past the step that forms it.
    bool erreicht(Schritt s) const { return s < lauf_.schritt; }
    std::optional<double> zw(Zwischengroesse g) const { return lauf_.zwischenwerte[g]; }
    std::string eingabe(double w) const { return eingabetext(w, d_.dezimaltrenner); }
    std::string ergebnis(double w) const { return ergebnistext(w, d_.dezimaltrenner); }
    const char* form() const { return w_.zylinder ? "20" : "40"; }

    void zeile(std::string_view text = {})
    {
        t_ += text;
        t_ += zeilenende;
    }

    void ueberschrift(std::string_view text)
    {
        zeile();
        zeile(text);
    }

    // Prose, broken at blanks (not at festesBlank); continuation lines indented
    // by `einzug`, at least 4, so that none reads as the first line of a formula.
    void absatz(std::string_view text, std::size_t einzug, std::string_view kopf = {})
    {
        std::string z(kopf);
        std::size_t belegt = zeichenzahl(z);
        bool erstes = true;
        while (!text.empty()) {
            const std::size_t blank = text.find(' ');
            const std::string_view wort = text.substr(0, blank);
            text = blank == std::string_view::npos ? std::string_view{} : text.substr(blank + 1);
            const std::size_t laenge = zeichenzahl(wort);
            if (!erstes && belegt + 1 + laenge > breite) {
                zeile(z);
                z.assign(einzug, ' ');
                belegt = einzug;
                erstes = true;
            }
            if (!erstes) {
                z += ' ';
                ++belegt;
            }
            for (char c : wort)
                z += c == festesBlank ? ' ' : c;
            belegt += laenge;
            erstes = false;
        }
        zeile(z);
    }

    // `kopf` and the expression; a line too long for the report breaks before an
    // operator and goes on under the start of the expression.
    void formelzeile(const std::string& kopf, std::string rest)
    {
        const std::size_t einzug = zeichenzahl(kopf);
        std::string anfang = kopf;
        while (einzug + zeichenzahl(rest) > breite) {
            const std::optional<Bruch> bruch = bruchstelle(rest, breite - einzug);
            if (!bruch)
                break;
            zeile(anfang + rest.substr(0, bruch->ende));
            rest.erase(0, bruch->weiter);
            anfang.assign(einzug, ' ');
        }
        zeile(anfang + rest);
    }

    // The formula with every known symbol replaced by its value as printed; a
    // negative value in brackets. Function names stay.
    std::string einsetzen(std::string_view formel) const
    {
        std::string aus;
        for (std::size_t i = 0; i < formel.size();) {
            if (!istBuchstabe(formel[i])) {
                aus += formel[i++];
                continue;
            }
            std::size_t j = i;
            while (j < formel.size() && (istBuchstabe(formel[j]) || istZiffer(formel[j]) || formel[j] == '\''))
                ++j;
            const std::string_view name = formel.substr(i, j - i);
            const auto wert = werte_.find(name);
            if (wert == werte_.end() || (j < formel.size() && formel[j] == '('))
                aus += name;
            else if (wert->second.starts_with('-'))
                aus += "(" + wert->second + ")";
            else
                aus += wert->second;
            i = j;
        }
        return aus;
    }

    // One quantity: "  sym = formula", the formula with the values put in (left
    // out when the formula is one symbol) and "= result unit remark".
    void rechne(std::string_view symbol, std::string_view formel, double wert, std::string_view einheit,
                std::string_view nachsatz = {})
    {
        const std::string f = mitTrenner(formel, d_.dezimaltrenner);
        const std::string kopf = "  " + std::string(symbol) + " = ";
        formelzeile(kopf, f);
        const std::string einzug(zeichenzahl(kopf) - 2, ' ');
        if (f.find_first_of("·/+−√²(") != std::string::npos)
            formelzeile(einzug + "= ", einsetzen(f));
        std::string ergebniszeile = "= " + ergebnis(wert);
        if (!einheit.empty())
            ergebniszeile += " " + std::string(einheit);
        if (!nachsatz.empty())
            ergebniszeile += " " + std::string(nachsatz);
        absatz(ergebniszeile, einzug.size() + 2, einzug);
        werte_[std::string(symbol)] = ergebnis(wert);
    }

    // Says whether a limit cut the value.
    static std::string grenze(bool begrenzt, std::string_view durch)
    {
        return begrenzt ? "(begrenzt durch " + std::string(durch) + ")" : "(nicht begrenzt)";
    }

    // A factor whose value is a rule, not a formula, with the reason.
    void fest(std::string_view symbol, double wert, std::string_view grund)
    {
        werte_[std::string(symbol)] = eingabe(wert);
        zeile("  " + std::string(symbol) + " = " + eingabe(wert) + " (" + std::string(grund) + ")");
    }

    void abgeleitet()
    {
        using enum Zwischengroesse;
        if (!zw(rm))
            return;
        ueberschrift("Abgeleitete Werte:");
        zeile("Mittlerer Radius des Grundkörpers");
        rechne("rm", "(Da − s + c1 + c2)/2", *zw(rm), "mm");
        if (zw(se)) {
            zeile("Wirksame Wanddicke des Grundkörpers");
            rechne("se", "s − c1 − c2", *zw(se), "mm");
        }
        if (zw(ri)) {
            zeile("Innenradius des Grundkörpers nach Zuschlägen");
            rechne("ri", "Da/2 − s + c1 + c2", *zw(ri), "mm");
        }
        if (d_.stutzen && zw(ses)) {
            zeile("Wirksame Wanddicke des Stutzens");
            rechne("ses", "ss − c1s − c2s", *zw(ses), "mm");
        }
        if (d_.stutzen && zw(fA)) {
            zeile("Faktor für ausgehalste Ausschnitte");
            fest("fA", *zw(fA), d_.ausgehalst ? "ausgehalst" : "nicht ausgehalst");
        }
        if (d_.scheibe && zw(fS)) {
            zeile("Faktor der Scheibe");
            const double f = *zw(fS);
            fest("fS", f, f == 0.8   ? "schräger Stutzen, ls' ≥ ss"
                          : f == 0.7 ? "schräger Stutzen, ls' < ss"
                          : d_.stutzen ? "Stutzen nicht schräg, phi ≥ 90°"
                                       : "ohne Stutzen");
        }
        anwendungsbereich();
    }

    // A note only: it never changes the verdict or the status line.
    void anwendungsbereich()
    {
        if (!erreicht(Schritt::ableitung))
            return;
        zeile("Anwendungsbereich der Wanddickenformel");
        const double grenze = w_.Da <= 200 ? 1.7 : 1.2;
        const std::string g = mitTrenner(grenze == 1.7 ? "1.7" : "1.2", d_.dezimaltrenner);
        if (const std::optional<double> v = zw(Zwischengroesse::DaDi)) {
            const bool innen = *v <= grenze;
            rechne("Da/Di", "Da/(Da − 2·s)", *v, {},
                   innen ? "≤ " + g + ": innerhalb" : "> " + g + ": außerhalb des Anwendungsbereichs");
        } else {
            absatz("Da − 2·s ≤ 0: Da/Di ist nicht bestimmt, die Auslegung liegt außerhalb des "
                   "Anwendungsbereichs.",
                   4, "  ");
        }
        absatz("Mit Di = Da − 2·s gilt die Formel bis Da/Di = " + mitTrenner("1.2", d_.dezimaltrenner)
                   + ", für Da~≤~200~mm bis " + mitTrenner("1.7", d_.dezimaltrenner)
                   + ". Urteil und Status bleiben davon unberührt.",
               4, "  ");
    }

    void grundkoerper()
    {
        ueberschrift(w_.zylinder ? "Grundkörper (Zylinder):" : "Grundkörper (Kugel):");
        zeile("Erforderliche Wanddicke");
        rechne("sG", std::string("Da·p/(") + form() + "·K/S·v + p) + c1 + c2", w_.sG, "mm",
               (w_.sG <= w_.s ? "≤ s = " : "> s = ") + eingabe(w_.s) + " mm");
        zeile("Maximal zulässiger Druck ohne Flächenvergleich");
        rechne("pmaxG", std::string(form()) + "·K·v·se/(S·(Da − se))", w_.pmaxG, "bar");
        zeile("Wanddickenreserve");
        rechne("rG", "(s − sG)/sG·100", w_.rG, "%");
    }

    void stutzen()
    {
        ueberschrift("Stutzen:");
        zeile("Erforderliche Wanddicke");
        rechne("sS", "Das·p/(20·Ks/Sis·v + p) + c1s + c2s", w_.sS, "mm",
               (w_.sS <= w_.ss ? "≤ ss = " : "> ss = ") + eingabe(w_.ss) + " mm");
        zeile("Maximal zulässiger Druck ohne Flächenvergleich");
        rechne("pmaxS", "20·Ks·v·ses/(Sis·(Das − ses))", w_.pmaxS, "bar");
        zeile("Wanddickenreserve");
        rechne("rS", "(ss − sS)/sS·100", w_.rS, "%");
    }

    void ausschnitt()
    {
        using enum Zwischengroesse;
        ueberschrift(d_.stutzen ? "Ausschnitt und Flächenvergleich:" : "Ausschnitt:");
        if (zw(bWurzel)) {
            zeile("Mittragende Breite des Grundkörpers");
            rechne("b0", "√((Da − se)·se)", *zw(bWurzel), "mm");
        }
        if (erreicht(Schritt::breite)) {
            if (w_.x > 0)
                rechne("b", "min(b0; x)", w_.b, "mm", grenze(w_.b < *zw(bWurzel), "den Störstellenabstand x"));
            else
                rechne("b", "b0", w_.b, "mm", "(x = 0: keine Störstelle)");
        }
        if (d_.stutzen)
            laenge();
        else if (erreicht(Schritt::breite))
            absatz("Ohne Stutzen kein Flächenvergleich: lsm, As0, As1, Ap, rFV und pmaxFV sind 0.", 4, "  ");
        if (d_.scheibe)
            scheibe();
        if (d_.stutzen)
            flaechenvergleich();
        if (erreicht(Schritt::dmax)) {
            zeile("Größter unverstärkter Ausschnitt");
            if (w_.zylinder) {
                rechne("dmax", "4/Da·((10·K/S/p − 0.5)·se·b − ri·b)", w_.dmax, "mm");
            } else {
                rechne("dmax", "8/Da·(10·K/S/p − 0.5)·se·b − 2·b", w_.dmax, "mm");
                absatz("Hinweis: ohne das Glied 2·" + eingabe(3.14159)
                           + "·se·b·Da/360, das keine Länge ist (Einheit mm³).",
                       11, "  ");
            }
        }
        if (const std::optional<double> pmax = zw(pmaxMassgebend)) {
            zeile("Maßgebender zulässiger Druck");
            if (!d_.stutzen) {
                rechne("pmax", "pmaxG", *pmax, "bar", "(Grundkörper)");
                return;
            }
            std::string welcher;
            for (const auto& [wert, name] : {std::pair{w_.pmaxG, "Grundkörper"}, std::pair{w_.pmaxS, "Stutzen"},
                                             std::pair{w_.pmaxFV, "Flächenvergleich"}})
                if (wert == *pmax)
                    welcher += (welcher.empty() ? "" : " und ") + std::string(name);
            rechne("pmax", "min(pmaxG; pmaxS; pmaxFV)", *pmax, "bar", "(" + welcher + ")");
        }
    }

    void laenge()
    {
        using enum Zwischengroesse;
        if (zw(lsmWinkel)) {
            zeile("Mittragende Länge des Stutzens außen");
            rechne("lsm0", w_.zylinder ? "√((Das − ses)·ses)·(1 + 0.25·phi/90)" : "√((Das − ses)·ses)",
                   *zw(lsmWinkel), "mm");
        }
        if (erreicht(Schritt::laenge))
            rechne("lsm", "min(lsm0; ls)", w_.lsm, "mm", grenze(w_.lsm < *zw(lsmWinkel), "ls"));
        if (zw(lsmStrichVoll)) {
            zeile("Mittragende Länge des Stutzens innen");
            rechne("lsm'0", "0.5·lsm0", *zw(lsmStrichVoll), "mm");
        }
        if (zw(lsmStrich))
            rechne("lsm'", "min(lsm'0; ls')", *zw(lsmStrich), "mm", grenze(*zw(lsmStrich) < *zw(lsmStrichVoll), "ls'"));
        if (erreicht(Schritt::As0)) {
            zeile("Drucktragende Fläche des Grundkörpers");
            rechne("As0", "b·se·fA", w_.As0, "mm²");
        }
        if (erreicht(Schritt::As1)) {
            zeile("Drucktragende Fläche des Stutzens");
            rechne("As1", "(lsm + lsm' + s − c1 − c2)·ses·fA", w_.As1, "mm²");
        }
    }

    void scheibe()
    {
        using enum Zwischengroesse;
        if (zw(scheibenbreite)) {
            zeile("Angerechnete Breite der Scheibe");
            rechne("b2", "min(bScheibe; b)", *zw(scheibenbreite), "mm", grenze(*zw(scheibenbreite) < w_.bScheibe, "b"));
        }
        if (zw(scheibenhoehe)) {
            zeile("Angerechnete Höhe der Scheibe");
            rechne("h2", "min(hScheibe; s)", *zw(scheibenhoehe), "mm", grenze(*zw(scheibenhoehe) < w_.hScheibe, "s"));
        }
        if (erreicht(Schritt::As2)) {
            zeile("Drucktragende Fläche der Scheibe");
            rechne("As2", "fS·b2·h2", w_.As2, "mm²");
        }
    }

    void flaechenvergleich()
    {
        using enum Zwischengroesse;
        // phi·3.14159/180 written out: a rounded phiRad would spoil the tangent near 90°.
        if (zw(ris)) {
            zeile("Innenradius des Stutzens nach Zuschlägen");
            rechne("ris", "Das/2 − ss + c1s + c2s", *zw(ris), "mm");
        }
        if (zw(dSchraeg)) {
            zeile("Halbe Länge des Ausschnitts längs der Schale");
            rechne("d", "Das/(2·sin(phi·3.14159/180))", *zw(dSchraeg), "mm");
        }
        if (zw(alpha)) {
            zeile("Winkel des Ausschnitts, vom Kugelmittelpunkt aus");
            rechne("alpha", "arccos(1 − d²/(2·rm²))·180/3.14159", *zw(alpha), "°");
            if (*zw(alpha) < 0)
                absatz("Das Argument liegt außerhalb von ±1: arccos gilt dann als −1.", 4, "  ");
        }
        if (zw(alphaT)) {
            zeile("Winkel mit der mittragenden Breite");
            rechne("alphaT", "alpha + 360·b/(9.42477·rm)", *zw(alphaT), "°");
        }
        const bool schraeg = w_.phi != 90;
        if (zw(tSchraeg) && schraeg) {
            zeile("Zusatzglied des schrägen Stutzens");
            rechne("tSchraeg", w_.zylinder ? "se/(2·tan(phi·3.14159/180))" : "0.25·Das²/(2·tan(phi·3.14159/180))",
                   *zw(tSchraeg), w_.zylinder ? "mm" : "mm²");
        }
        if (erreicht(Schritt::Ap)) {
            zeile("Druckbeaufschlagte Fläche");
            if (!schraeg)
                absatz("Stutzen senkrecht (phi = 90°): kein Zusatzglied tSchraeg.", 4, "  ");
            std::string ap;
            if (w_.zylinder)
                ap = schraeg ? "ri·(b + d + tSchraeg)" : "ri·(b + d)";
            else
                ap = "3.14159·ri²·alphaT/360";
            ap += " + ris·lsm";
            if (w_.zylinder)
                ap += " + ris·se/sin(phi·3.14159/180)";
            else
                ap += std::string(schraeg ? " + tSchraeg" : "") + " + se·2·3.14159·rm·alpha/360";
            rechne("Ap", ap, w_.Ap, "mm²");
        }
        const char* scheibenglied = d_.scheibe ? " + (KScheibe/SScheibe − p/20)·As2" : "";
        if (zw(NStrich)) {
            zeile("Flächenvergleich, Bedingung N' ≥ F");
            zeile("Tragende Kraft");
            rechne("N'", std::string("(K/S − p/20)·As0 + (Ks/Sis − p/20)·As1") + scheibenglied, *zw(NStrich), "N");
        }
        if (zw(F)) {
            zeile("Druckkraft");
            rechne("F", "p/10·Ap", *zw(F), "N");
        }
        if (erreicht(Schritt::Ap)) {
            // Judged by the reserve, as the verdict is.
            const bool erfuellt = w_.rFV >= 0;
            absatz(std::string(erfuellt ? "N' ≥ F: " : "N' < F: ") + ergebnis(*zw(NStrich)) + "~N"
                       + (erfuellt ? " ≥ " : " < ") + ergebnis(*zw(F)) + "~N, "
                       + (erfuellt ? "erfüllt." : "nicht erfüllt."),
                   4, "  ");
            zeile("Reserve des Flächenvergleichs");
            rechne("rFV", "N'/F·100 − 100", w_.rFV, "%");
        }
        if (erreicht(Schritt::pmaxFV)) {
            zeile("Maximal zulässiger Druck mit Flächenvergleich");
            rechne("pmaxFV",
                   d_.scheibe ? "(K/S·As0 + Ks/Sis·As1 + KScheibe/SScheibe·As2)/(Ap/10 + (As0 + As1 + As2)/20)"
                              : "(K/S·As0 + Ks/Sis·As1)/(Ap/10 + (As0 + As1)/20)",
                   w_.pmaxFV, "bar");
            if (d_.scheibe)
                absatz("Hinweis: As2 enthält den Faktor fS schon; im Nenner steht As2, nicht noch einmal "
                       "fS·As2.",
                       11, "  ");
        }
    }

    void abbruch()
    {
        ueberschrift("Berechnung abgebrochen");
        absatz(std::string(schrittname(lauf_.schritt)), 11, "  Schritt: ");
        absatz(lauf_.status, 11, "  Grund:   ");
        absatz(ursache(lauf_.schritt, lauf_.status == meldung::divisionDurchNull, w_.zylinder), 11,
               "  Ursache: ");
    }

    const Berichtsdaten& d_;
    const Berechnungsdaten& w_;
    const Rechenlauf& lauf_;
    std::string t_;
    // Every symbol with its value as printed, so later lines put in the same text.
    std::map<std::string, std::string, std::less<>> werte_;
};

} // namespace

std::string rechengang(const Berichtsdaten& daten, const Rechenlauf& lauf)
{
    return Abschnitt(daten, lauf).text();
}

std::string mitRechengang(const std::optional<std::string>& bericht, std::string_view rechengang)
{
    std::string text = bericht ? *bericht : std::string(berichtVerweigert) + std::string(zeilenende);
    text += rechengang;
    return text;
}

} // namespace velkor
