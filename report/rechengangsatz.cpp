#include "report/rechengangsatz.h"

#include "report/zeichen.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <optional>
#include <utility>

namespace velkor {

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

namespace {

constexpr std::string_view zeilenende = "\r\n";
constexpr std::size_t breite = 66;

bool istBuchstabe(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool istZiffer(char c) { return c >= '0' && c <= '9'; }

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
        } else if (c == ';' && danach.starts_with(' ')) { // between the arguments of min and max
            hier = Bruch{i + 1, i + 2};
            rang = 2 * tiefe - 1;
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

} // namespace

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

void Rechensatz::zeile(std::string_view text)
{
    t_ += text;
    t_ += zeilenende;
}

void Rechensatz::ueberschrift(std::string_view text)
{
    zeile();
    zeile(text);
}

void Rechensatz::absatz(std::string_view text, std::size_t einzug, std::string_view kopf)
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
void Rechensatz::formelzeile(const std::string& kopf, std::string rest)
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
std::string Rechensatz::einsetzen(std::string_view formel) const
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

void Rechensatz::rechne(std::string_view symbol, std::string_view formel, double wert, std::string_view einheit,
                        std::string_view nachsatz, const std::vector<std::pair<std::string_view, double>>& operanden)
{
    const std::string f = mitTrenner(formel, trenner_);
    const std::string kopf = "  " + std::string(symbol) + " = ";
    formelzeile(kopf, f);
    const std::string einzug(zeichenzahl(kopf) - 2, ' ');
    if (f.find_first_of("·/+−√²(") != std::string::npos) {
        std::map<std::string, std::string, std::less<>> werte = werte_;
        for (const auto& [name, w] : operanden)
            werte_[std::string(name)] = eingabe(w);
        formelzeile(einzug + "= ", einsetzen(f));
        werte_ = std::move(werte);
    }
    std::string ergebniszeile = "= " + ergebnis(wert);
    if (!einheit.empty())
        ergebniszeile += " " + std::string(einheit);
    if (!nachsatz.empty())
        ergebniszeile += " " + std::string(nachsatz);
    absatz(ergebniszeile, einzug.size() + 2, einzug);
    werte_[std::string(symbol)] = ergebnis(wert);
}

void Rechensatz::fest(std::string_view symbol, double wert, std::string_view grund)
{
    werte_[std::string(symbol)] = eingabe(wert);
    zeile("  " + std::string(symbol) + " = " + eingabe(wert) + " (" + std::string(grund) + ")");
}

} // namespace velkor
