#include "formular/formular.h"
#include "project/projektdatei.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>

namespace velkor {
namespace {

// A printed number stands for every value within half a unit of its last digit.
struct Band {
    double lo, hi;
};
Band operator+(Band a, Band b) { return {a.lo + b.lo, a.hi + b.hi}; }
Band operator-(Band a, Band b) { return {a.lo - b.hi, a.hi - b.lo}; }
Band operator*(Band a, Band b) { auto [lo, hi] = std::minmax({a.lo * b.lo, a.lo * b.hi, a.hi * b.lo, a.hi * b.hi}); return {lo, hi}; }
Band operator/(Band a, Band b) { return b.lo <= 0 && b.hi >= 0 ? Band{-INFINITY, INFINITY} : a * Band{1 / b.hi, 1 / b.lo}; }
Band anEnden(Band a, double (*f)(double)) { return {std::min(f(a.lo), f(a.hi)), std::max(f(a.lo), f(a.hi))}; } // narrow: monotonic
bool ueberlappen(Band a, Band b)
{
    const double spiel = 1e-12 * (std::fabs(a.lo) + std::fabs(b.lo) + 1); // rounding of the arithmetic here
    return a.lo <= b.hi + spiel && b.lo <= a.hi + spiel;
}

double zahl(std::string w) // "1016,00", "(-0.50)", "1,5E+20"
{
    std::erase_if(w, [](char c) { return c == '(' || c == ')'; });
    std::replace(w.begin(), w.end(), ',', '.');
    double z = 0;
    std::from_chars(w.data(), w.data() + w.size(), z);
    return z;
}

// Numbers (a negative one alone or in brackets), names, and each other character.
std::vector<std::string> zerlege(const std::string& s)
{
    static const std::regex teil(R"(\(-[^)]*\)|-?[0-9]+([.,][0-9]+)?(E[-+]?[0-9]+)?|[A-Za-z][A-Za-z0-9']*|[^ ][\x80-\xBF]*)");
    std::vector<std::string> t;
    for (std::sregex_iterator i(s.begin(), s.end(), teil), ende; i != ende; ++i)
        t.push_back(i->str());
    return t;
}

// Evaluates a printed expression (+ − · / ( ) √ ², min, sin, tan, arccos) up to
// the unit or remark after it. The numbers of the formula in symbols are exact.
struct Auswertung {
    std::vector<std::string> t;
    const std::map<std::string, Band>& werte;
    const std::set<std::string>& exakt;
    std::size_t i = 0;

    bool nimm(std::string_view s) { return i < t.size() && t[i] == s && ++i; }
    Band summe()
    {
        for (Band a = produkt();;)
            if (nimm("+")) a = a + produkt(); else if (nimm("−")) a = a - produkt(); else return a;
    }
    Band produkt()
    {
        for (Band a = faktor();;)
            if (nimm("·")) a = a * faktor(); else if (nimm("/")) a = a / faktor(); else return a;
    }
    Band faktor()
    {
        if (nimm("√"))
            return anEnden(faktor(), [](double x) { return std::sqrt(std::max(x, 0.0)); });
        const Band a = primaer();
        return nimm("²") ? a * a : a;
    }
    Band primaer()
    {
        const std::string w = t.at(i++);
        static const std::regex nachkomma(R"([.,]([0-9]*)(E(.*))?)");
        if (std::smatch stellen; w[0] == '-' || (w[0] == '(' && w.size() > 1) || (w[0] >= '0' && w[0] <= '9')) {
            std::regex_search(w, stellen, nachkomma);
            const double h = exakt.contains(w) ? 0 : std::pow(10.0, zahl(stellen[3]) - stellen[1].length()) / 2;
            return {zahl(w) - h, zahl(w) + h};
        }
        if (w == "(" || !nimm("(")) {
            const Band a = w == "(" ? summe() : werte.contains(w) ? werte.at(w) : Band{NAN, NAN};
            EXPECT_TRUE(w == "(" ? nimm(")") : werte.contains(w)) << w;
            return a;
        }
        std::vector<Band> a{summe()};
        while (nimm(";"))
            a.push_back(summe());
        EXPECT_TRUE(nimm(")") && (w == "min" || w == "sin" || w == "tan" || w == "arccos")) << w;
        if (w == "min")
            return {std::ranges::min(a, {}, &Band::lo).lo, std::ranges::min(a, {}, &Band::hi).hi};
        // arccos as the program has it: an argument beyond ±1 gives −1.
        return anEnden(a[0], w == "sin" ? +[](double x) { return std::sin(x); } : w == "tan" ? +[](double x) { return std::tan(x); }
                                                                                : +[](double x) { return std::fabs(x) > 1 ? -1.0 : std::acos(x); });
    }
};

// Reads each "sym = formula" with its "= values" and "= result" lines back: each
// line, evaluated, gives the next within the precision of its printed numbers;
// the values put in are the stored inputs and the results printed before; a
// result of the record is the stored one. Returns the number of quantities.
int pruefeAbschnitt(const std::string& text, const Berechnungsdaten& d)
{
    std::map<std::string, Band> werte;
    for (const Groesseninfo& g : groessen())
        if (g.eingabe)
            werte[g.groesse == Groesse::lsstrich ? "ls'" : std::string(g.name)] = {d.*g.feld, d.*g.feld};
    int anzahl = 0;
    std::string symbol;
    std::vector<std::string> zeilen;
    const auto pruefe = [&] {
        if (zeilen.empty())
            return;
        const std::vector<std::string> formel = zerlege(zeilen[0]), eingesetzt = zerlege(zeilen[zeilen.size() > 2]);
        const std::set<std::string> exakt(formel.begin(), formel.end());
        Band vorher = Auswertung{formel, werte, exakt}.summe();
        for (std::size_t k = 1; k < zeilen.size(); vorher = Auswertung{zerlege(zeilen[k++]), werte, exakt}.summe())
            EXPECT_TRUE(ueberlappen(vorher, Auswertung{zerlege(zeilen[k]), werte, exakt}.summe())) << symbol << ": " << zeilen[k];
        for (std::size_t k = 0; zeilen.size() > 2 && k < formel.size(); ++k)
            if (werte.contains(formel[k]) && (k + 1 == formel.size() || formel[k + 1] != "("))
                EXPECT_DOUBLE_EQ(zahl(eingesetzt.at(k)), (werte[formel[k]].lo + werte[formel[k]].hi) / 2) << symbol;
            else
                EXPECT_EQ(formel[k], eingesetzt.at(k)) << symbol;
        for (const Groesseninfo& g : groessen())
            EXPECT_TRUE(g.eingabe || g.name != symbol || ueberlappen(vorher, {d.*g.feld, d.*g.feld})) << symbol;
        werte[symbol] = vorher;
        zeilen.clear();
        ++anzahl;
    };
    static const std::regex formel("  ([^ ]+) = (.*)"), ergebnis(" {3,}= (.*)"), weiter(" {3,}((\\+|− |·|/).*)");
    std::istringstream ein(text);
    std::smatch m;
    for (std::string z; std::getline(ein, z);) {
        EXPECT_TRUE(z.ends_with('\r')) << z;
        z.pop_back();
        EXPECT_LE(std::ranges::count_if(z, [](char c) { return (c & 0xC0) != 0x80; }), 66) << z;
        if (!zeilen.empty() && std::regex_match(z, m, ergebnis))
            zeilen.push_back(m[1]);
        else if (!zeilen.empty() && std::regex_match(z, m, weiter))
            zeilen.back() += " " + m[1].str();
        else if (pruefe(); std::regex_match(z, m, formel))
            symbol = m[1], zeilen = {m[2]};
    }
    pruefe();
    return anzahl;
}

Formular geladen(const std::string& pfad, const std::string& trenner)
{
    Formular f(trenner);
    f.uebernehme(ladeProjektdatei(pfad).projekt.value());
    return f;
}

TEST(Rechengang, everyLineOfTheExamplesAndWorkedDesignsGivesItsPrintedResultFromTheStoredInputs)
{
    for (const auto& [ordner, trenner] : {std::pair{VELKOR_BEISPIELE, ","}, std::pair{VELKOR_TESTDATEN "/rechengang", "."}})
        for (const auto& eintrag : std::filesystem::directory_iterator(ordner)) {
            if (eintrag.path().extension() != ".vlk")
                continue;
            SCOPED_TRACE(eintrag.path().string());
            Formular f = geladen(eintrag.path().string(), trenner);
            ASSERT_TRUE(f.bericht());
            EXPECT_GE(pruefeAbschnitt(f.rechengang().value(), f.daten()), 10);
            EXPECT_EQ(f.rechengang()->find("abgebrochen"), std::string::npos);
        }
}

TEST(Rechengang, aRunStoppedAtEachStopPointShowsOnlyWhatItComputedAndNamesTheStepAndTheReason)
{
    std::ifstream tabelle(VELKOR_TESTDATEN "/rechengang/abbrueche.txt");
    for (std::string zeile, erwartet, projekt, eingabe; std::getline(tabelle, zeile);) {
        std::istringstream felder(zeile);
        if (zeile.starts_with('#') || !(felder >> erwartet >> projekt))
            continue;
        Formular f = geladen(VELKOR_TESTDATEN "/" + projekt, ",");
        while (felder >> eingabe)
            for (const Kasteninfo& k : kaesten())
                if (eingabe.starts_with(std::string(k.name) + "="))
                    f.tippe(k.kasten, eingabe.substr(k.name.size() + 1));
        EXPECT_FALSE(f.bericht()) << erwartet;
        std::ifstream datei(VELKOR_TESTDATEN "/rechengang/" + erwartet, std::ios::binary);
        EXPECT_EQ(f.rechengang(), std::string(std::istreambuf_iterator<char>(datei), {})) << erwartet;
        pruefeAbschnitt(f.rechengang().value(), f.daten());
    }
}

} // namespace
} // namespace velkor
