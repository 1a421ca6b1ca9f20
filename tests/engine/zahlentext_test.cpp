#include "engine/zahlentext.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace velkor {
namespace {

constexpr double unendlich = std::numeric_limits<double>::infinity();

struct Eingabe {
    std::string text;
    double wert;
};

const std::vector<Eingabe> eingaben{
    {"1,5", 1.5},
    {"1.5", 1.5},
    {"1.234,5", 1.234}, // the comma becomes a second point, which ends the number
    {"12 mm", 12},
    {"12 dm", 12},      // a D without digits is no exponent
    {"1 000", 1000},
    {" -3", -3},
    {"- 3", -3},
    {"\t\n 7", 7},
    {"1 . 5", 1.5},
    {"+7", 7},
    {"abc", 0},
    {"", 0},
    {"   ", 0},
    {"1e999", unendlich},
    {"-1e999", -unendlich},
    {"1.8e308", unendlich},
    {"1.7976931348623157e308", std::numeric_limits<double>::max()},
    {"1e-999", 0},
    {"-1e-999", 0},
    {"-1e-330", 0},
    {"4.9e-324", std::numeric_limits<double>::denorm_min()},
    {"1e99999999999999999999999", unendlich},
    {"0e999", 0},
    {"1D2", 100},
    {"1d2", 100},
    {"2,5E-3", 0.0025},
    {"3E 2", 300},
    {"1e", 1},
    {"1e+", 1},
    {"1ex", 1},
    {".5", 0.5},
    {"5.", 5},
    {".", 0},
    {"+", 0},
    {"-", 0},
    {"+-3", 0},
    {"e5", 0},
    {"-0", 0},
    {"000123.4500", 123.45},
    {"0.1", 0.1},
    {"1\r2", 1},
    // Leading zeros and long digit runs: the exponent must follow the point.
    {"0." + std::string(400, '0') + "1e400", 0.1},
    {"1" + std::string(400, '0') + "e-400", 1},
    {"0.000000000000000000000000000000000000001e39", 1},
    {"123456789012345678901234567890", 123456789012345678901234567890.0},
};

void PrintTo(const Eingabe& e, std::ostream* os) { *os << '"' << e.text << '"'; }

class Eingabetext : public testing::TestWithParam<Eingabe> {};

TEST_P(Eingabetext, givesItsNumber)
{
    const Eingabe& e = GetParam();
    const double w = zahlAusText(e.text, ".");
    EXPECT_EQ(w, e.wert) << '"' << e.text << '"';
    if (e.wert == 0) {
        EXPECT_FALSE(std::signbit(w)) << "a zero entry gives +0";
    }
}

INSTANTIATE_TEST_SUITE_P(Tabelle, Eingabetext, testing::ValuesIn(eingaben));

TEST(Eingabetext, ignoresTheProcessLocale)
{
    // No other locale may be installed; where one is, its separator must not matter.
    const std::string vorher = std::setlocale(LC_ALL, nullptr);
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "C.UTF-8"}) {
        if (std::setlocale(LC_ALL, name) == nullptr)
            continue;
        EXPECT_EQ(zahlAusText("1.5", "."), 1.5) << name;
        EXPECT_EQ(zahlAusText("1,5", "."), 1.5) << name;
        EXPECT_EQ(anzeigetext(1.5, Muster::zweiStellen, "."), "1.50") << name;
    }
    std::setlocale(LC_ALL, vorher.c_str());
}

struct Anzeige {
    double wert;
    Muster muster;
    std::string_view trenner;
    std::string_view text;
};

constexpr auto zwei = Muster::zweiStellen;
constexpr auto ganz = Muster::ganz;

// Expected texts: tests/engine/erwartete_werte.py rounds the shortest decimal
// that reads back as the value (Python's repr) half away from zero with decimal.Decimal.
const std::vector<Anzeige> anzeigen{
    {0.125, zwei, ".", "0.13"},
    {0.375, zwei, ".", "0.38"},
    {-0.125, zwei, ".", "-0.13"},
    {2.5, ganz, ".", "3"},
    {-2.5, ganz, ".", "-3"},
    {0.5, ganz, ".", "1"},
    {3.5, ganz, ".", "4"},
    {0.49999999999999994, ganz, ".", "0"},
    {1.005, zwei, ".", "1.01"},
    {2.675, zwei, ".", "2.68"},
    {0.285, zwei, ",", "0,29"},
    {0.005, zwei, ".", "0.01"},
    {0.015, zwei, ".", "0.02"},
    {0.995, zwei, ".", "1.00"},
    {2.6749999999999998, zwei, ".", "2.68"}, // the same double as 2.675
    {2.674999999999999, zwei, ".", "2.67"},
    {9.999, zwei, ".", "10.00"},
    {99.995, zwei, ".", "100.00"},
    {12.345, zwei, ",", "12,35"},
    {-0.004, zwei, ".", "-0.00"},
    {-0.4, ganz, ".", "-0"},
    {-0.0, zwei, ".", "0.00"},
    {-0.0, ganz, ".", "0"},
    {0.0, zwei, ",", "0,00"},
    {1234567.891, zwei, ",", "1234567,89"},
    {-1.5, ganz, ",", "-2"},
    {1e+20, zwei, ".", "100000000000000000000.00"},
    {1e+23, zwei, ",", "100000000000000000000000,00"},
    {-1e+20, ganz, ".", "-100000000000000000000"},
    {9007199254740994.0, zwei, ".", "9007199254740994.00"},
    {4503599627370495.5, zwei, ".", "4503599627370495.50"},
    {4503599627370495.5, ganz, ".", "4503599627370496"},
    {5e-324, zwei, ".", "0.00"},
    {-5e-324, zwei, ".", "-0.00"},
    {254.33333333333337, ganz, ".", "254"},
    {74930.32474611716, zwei, ",", "74930,32"},
};

void PrintTo(const Anzeige& a, std::ostream* os) { *os << a.text; }

class Anzeigetext : public testing::TestWithParam<Anzeige> {};

TEST_P(Anzeigetext, roundsTheNumberAsWritten)
{
    const Anzeige& a = GetParam();
    EXPECT_EQ(anzeigetext(a.wert, a.muster, a.trenner), a.text);
}

INSTANTIATE_TEST_SUITE_P(Tabelle, Anzeigetext, testing::ValuesIn(anzeigen));

TEST(Anzeigetext, printsTheLargestDoubleInFull)
{
    const std::string t = anzeigetext(std::numeric_limits<double>::max(), zwei, ".");
    EXPECT_EQ(t.size(), 309u + 3u);
    EXPECT_EQ(t.substr(0, 17), "17976931348623157");
    EXPECT_EQ(t.substr(t.size() - 3), ".00");
}

TEST(Anzeigetext, takesASeparatorOfAnyLength)
{
    const std::string trenner(400, '#');
    EXPECT_EQ(anzeigetext(-1.5, zwei, trenner), "-1" + trenner + "50");
    EXPECT_EQ(anzeigetext(1e300, zwei, "::").substr(301), "::00"); // 301 integer digits
}

TEST(Anzeigetext, namesValuesThatAreNotFinite)
{
    EXPECT_EQ(anzeigetext(unendlich, zwei, "."), "∞");
    EXPECT_EQ(anzeigetext(-unendlich, ganz, "."), "-∞");
    EXPECT_EQ(anzeigetext(std::nan(""), zwei, ","), "NaN");
}

// Typed with three decimals, a number is rounded as on paper: the reference
// rounds the typed digits with whole numbers, apart from any double.
TEST(Anzeigetext, roundsEveryTypedThreeDecimalNumberAsWritten)
{
    for (long tausendstel = -300000; tausendstel <= 300000; tausendstel += 1) {
        const long betrag = std::labs(tausendstel);
        const std::string vorzeichen = tausendstel < 0 ? "-" : "";
        const std::string getippt = vorzeichen + std::to_string(betrag / 1000) + "."
            + std::string(1, static_cast<char>('0' + betrag / 100 % 10))
            + static_cast<char>('0' + betrag / 10 % 10) + static_cast<char>('0' + betrag % 10);
        const long hundertstel = (betrag + 5) / 10;
        const std::string zwei = vorzeichen + std::to_string(hundertstel / 100) + ","
            + static_cast<char>('0' + hundertstel / 10 % 10) + static_cast<char>('0' + hundertstel % 10);
        const double wert = zahlAusText(getippt, ",");
        ASSERT_EQ(anzeigetext(wert, Muster::zweiStellen, ","), zwei) << getippt;
        if (betrag % 100 == 0) { // one decimal: the whole-number pattern meets its ties
            const std::string ganz = vorzeichen + std::to_string((betrag + 500) / 1000);
            ASSERT_EQ(anzeigetext(wert, Muster::ganz, ","), ganz) << getippt;
        }
    }
}

TEST(Anzeigetext, readsBackToTheRoundedValue)
{
    for (double w : {0.125, -3533.3333333333335, 74930.32474611716, 1e20}) {
        for (std::string_view trenner : {".", ","}) {
            const double zurueck = zahlAusText(anzeigetext(w, zwei, trenner), trenner);
            EXPECT_NEAR(zurueck, w, 0.005 + std::fabs(w) * 1e-15) << w << trenner;
        }
    }
}

} // namespace
} // namespace velkor
