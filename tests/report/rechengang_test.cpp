#include "formular/formular.h"
#include "project/projektdatei.h"
#include "tests/support/testdaten.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <regex>
#include <sstream>

namespace velkor {
namespace {

// A printed number stands for every value within half a unit of its last digit.
struct Band { double lo, hi; };
Band operator+(Band a, Band b) { return {a.lo + b.lo, a.hi + b.hi}; }
Band operator-(Band a, Band b) { return {a.lo - b.hi, a.hi - b.lo}; }
Band huelle(std::initializer_list<double> w) { return {std::min(w), std::max(w)}; }
Band operator*(Band a, Band b) { return huelle({a.lo * b.lo, a.lo * b.hi, a.hi * b.lo, a.hi * b.hi}); }
Band operator/(Band a, Band b) { return b.lo * b.hi <= 0 ? Band{-INFINITY, INFINITY} : a * Band{1 / b.hi, 1 / b.lo}; }
Band anEnden(Band a, double (*f)(double)) { return huelle({f(a.lo), f(a.hi)}); } // narrow enough to be monotonic
Band plusMinus(double x, double h) { return {x - h, x + h}; }
bool ueberlappen(Band a, Band b) { return std::max(a.lo - b.hi, b.lo - a.hi) <= 1e-12 * (1 + std::fabs(a.lo + b.lo)); }

double zahl(std::string w) // "1016,00", "(-0.50)", "1,5E+20"
{
    std::erase_if(w, [](char c) { return c == '(' || c == ')'; });
    return w.empty() ? 0 : std::stod(std::regex_replace(w, std::regex(","), "."));
}

// Numbers (a negative one alone or in brackets), names, and each other character.
std::vector<std::string> zerlege(const std::string& s)
{
    static const std::regex teil(R"(\(-[^)]*\)|-?[0-9]+([.,][0-9]+)?(E[-+]?[0-9]+)?|[A-Za-z][\w']*|[^ ][\x80-\xBF]*)");
    return {std::sregex_token_iterator(s.begin(), s.end(), teil), {}};
}

// Evaluates a printed expression (+ − · / ( ) √ ², min, sin, tan, arccos) up to
// the unit or remark after it.
struct Auswertung {
    std::vector<std::string> t;
    const std::map<std::string, Band>& werte;
    const std::vector<std::string>& exakt; // the formula in symbols: its numbers are exact
    std::size_t i = 0;

    bool ist(std::string_view s) { return i < t.size() && t[i] == s && ++i; }
    Band summe() { for (Band a = prod();;) if (ist("+")) a = a + prod(); else if (ist("−")) a = a - prod(); else return a; }
    Band prod() { for (Band a = fakt();;) if (ist("·")) a = a * fakt(); else if (ist("/")) a = a / fakt(); else return a; }
    Band fakt() { return ist("√") ? anEnden(fakt(), [](double x) { return std::sqrt(x); }) : hoch2(primaer()); }
    Band hoch2(Band a) { return ist("²") ? a * a : a; }
    Band zu(Band a) { EXPECT_TRUE(ist(")")); return a; }
    Band primaer()
    {
        const std::string w = t.at(i++);
        static const std::regex gedruckt(R"(\(?-?[0-9]+([.,]([0-9]+))?(E(.*))?\)?)");
        if (std::smatch z; std::regex_match(w, z, gedruckt))
            return plusMinus(zahl(w), std::ranges::count(exakt, w) ? 0 : std::pow(10.0, zahl(z[4]) - z[2].length()) / 2);
        if (w == "(" || !ist("("))
            return w == "(" ? zu(summe()) : werte.at(w); // a symbol not printed before throws
        Band a = summe();
        for (Band b; ist(";"); a = {std::min(a.lo, b.lo), std::min(a.hi, b.hi)}) b = summe();
        // arccos as the program has it: an argument beyond ±1 gives −1.
        static const std::map<std::string, double (*)(double)> f{
            {"sin", [](double x) { return std::sin(x); }}, {"tan", [](double x) { return std::tan(x); }},
            {"arccos", [](double x) { return std::fabs(x) > 1 ? -1.0 : std::acos(x); }}};
        return zu(w == "min" ? a : anEnden(a, f.at(w)));
    }
};

// Reads each "sym = formula" with its "= values" and "= result" lines back: each
// line, evaluated, gives the next within the precision of its printed numbers;
// the values put in are the stored inputs and the results printed before.
// Returns the number of symbols known.
std::size_t pruefeAbschnitt(const std::string& text, const Berechnungsdaten& d)
{
    std::map<std::string, Band> werte;
    for (const Groesseninfo& g : groessen())
        if (g.eingabe)
            werte[g.groesse == Groesse::lsstrich ? "ls'" : std::string(g.name)] = {d.*g.feld, d.*g.feld};
    std::string symbol;
    std::vector<std::string> zeilen;
    const auto pruefe = [&] {
        if (zeilen.empty())
            return;
        const std::vector<std::string> formel = zerlege(zeilen[0]), eingesetzt = zerlege(zeilen[zeilen.size() > 2]);
        Band vorher = Auswertung{formel, werte, formel}.summe();
        for (std::size_t k = 1; k < zeilen.size(); vorher = Auswertung{zerlege(zeilen[k++]), werte, formel}.summe())
            EXPECT_TRUE(ueberlappen(vorher, Auswertung{zerlege(zeilen[k]), werte, formel}.summe())) << zeilen[k];
        for (std::size_t k = 0; zeilen.size() > 2 && k < formel.size(); ++k)
            if (werte.contains(formel[k]) && (k + 1 == formel.size() || formel[k + 1] != "("))
                EXPECT_DOUBLE_EQ(zahl(eingesetzt.at(k)), (werte[formel[k]].lo + werte[formel[k]].hi) / 2) << symbol;
            else
                EXPECT_EQ(formel[k], eingesetzt.at(k)) << symbol;
        werte[symbol] = vorher;
        zeilen.clear();
    };
    static const std::regex formel("  ([^ ]+) = (.*)"), ergebnis(" {3,}= (.*)"), weiter(" {3,}((\\+|− |·|/).*)");
    std::istringstream ein(text);
    std::smatch m;
    for (std::string z; std::getline(ein, z);) {
        EXPECT_TRUE(z.ends_with('\r') && std::ranges::count_if(z, [](char c) { return (c & 0xC0) != 0x80; }) <= 67) << z;
        z.pop_back();
        if (!zeilen.empty() && std::regex_match(z, m, ergebnis))
            zeilen.push_back(m[1]);
        else if (!zeilen.empty() && std::regex_match(z, m, weiter))
            zeilen.back() += " " + m[1].str();
        else if (pruefe(); std::regex_match(z, m, formel))
            symbol = m[1], zeilen = {m[2]};
    }
    pruefe();
    return werte.size();
}

TEST(Rechengang, everyLineGivesItsPrintedResultFromTheStoredInputsAndAStoppedRunShowsOnlyWhatItComputed)
{
    for (const auto& z : tabelle("rechengang/faelle.txt")) {
        SCOPED_TRACE(z[3]);
        Formular f(z[1]);
        f.uebernehme(ladeProjektdatei(VELKOR_TESTDATEN "/../../" + z[0]).projekt.value());
        std::istringstream getippt(z[2]);
        for (std::string feld; getippt >> feld;)
            for (const Kasteninfo& k : kaesten())
                if (feld.starts_with(std::string(k.name) + "="))
                    f.tippe(k.kasten, feld.substr(k.name.size() + 1));
        const std::string erwartet = testdaten("rechengang/" + z[3]);
        const bool haelt = erwartet.find("\r\nBerechnung abgebrochen\r\n") != std::string::npos;
        EXPECT_NE(f.bericht().has_value(), haelt);
        EXPECT_GE(pruefeAbschnitt(f.rechengang().value(), f.daten()), haelt ? 0 : 22 + 10); // inputs and quantities
        EXPECT_EQ(f.rechengang(), erwartet);
    }
}

} // namespace
} // namespace velkor
