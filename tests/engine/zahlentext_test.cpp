#include "engine/zahlentext.h"

#include "tests/support/testdaten.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <string>

namespace velkor {
namespace {

double zahl(std::string_view s)
{
    double w = 0;
    std::from_chars(s.data(), s.data() + s.size(), w);
    return w;
}

// Rows of tests/data/engine/eingabetexte.txt: text, number.
TEST(Eingabetext, givesTheNumberOfEveryTableRowAndPlusZeroForNone)
{
    for (const auto& z : tabelle("engine/eingabetexte.txt")) {
        std::string eingabe;
        for (std::size_t i = 0; i < z[0].size(); ++i)
            eingabe += z[0][i] != '\\' ? z[0][i] : z[0][++i] == 't' ? '\t' : z[0][i] == 'n' ? '\n' : '\r';
        const double w = zahlAusText(eingabe, ".");
        EXPECT_EQ(w, zahl(z[1])) << z[0];
        EXPECT_EQ(std::signbit(w), std::signbit(zahl(z[1]))) << z[0];
    }
}

// Rows of tests/data/engine/anzeigetexte.txt: value, pattern, separator, text.
TEST(Anzeigetext, givesTheTextOfEveryTableRow)
{
    for (const auto& z : tabelle("engine/anzeigetexte.txt"))
        EXPECT_EQ(anzeigetext(zahl(z[0]), z[1] == "ganz" ? Muster::ganz : Muster::zweiStellen, z[2]), z[3]) << z[0];
}

// Typed with three decimals, a number is rounded as on paper: the reference
// rounds the typed digits with whole numbers, apart from any double.
TEST(Anzeigetext, roundsEveryTypedThreeDecimalNumberAsWritten)
{
    for (long tausendstel = -300000; tausendstel <= 300000; ++tausendstel) {
        const long betrag = std::labs(tausendstel);
        const std::string vorzeichen = tausendstel < 0 ? "-" : "";
        const auto ziffer = [](long n) { return static_cast<char>('0' + n % 10); };
        const std::string getippt = vorzeichen + std::to_string(betrag / 1000) + "." + ziffer(betrag / 100)
            + ziffer(betrag / 10) + ziffer(betrag);
        const long hundertstel = (betrag + 5) / 10;
        const std::string zwei = vorzeichen + std::to_string(hundertstel / 100) + "," + ziffer(hundertstel / 10)
            + ziffer(hundertstel);
        const double wert = zahlAusText(getippt, ",");
        ASSERT_EQ(anzeigetext(wert, Muster::zweiStellen, ","), zwei) << getippt;
        if (betrag % 100 == 0) { // one decimal: the whole-number pattern meets its ties
            ASSERT_EQ(anzeigetext(wert, Muster::ganz, ","), vorzeichen + std::to_string((betrag + 500) / 1000))
                << getippt;
        }
    }
}

} // namespace
} // namespace velkor
