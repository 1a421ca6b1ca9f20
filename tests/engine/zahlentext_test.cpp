#include "engine/zahlentext.h"

#include <gtest/gtest.h>

#include <charconv>
#include <clocale>
#include <cmath>
#include <fstream>
#include <sstream>
#include <string>

namespace velkor {
namespace {

double zahl(std::string_view s)
{
    double w = 0;
    std::from_chars(s.data(), s.data() + s.size(), w);
    return w;
}

// Rows of tests/data/engine/eingabetexte.txt: "text" number.
TEST(Eingabetext, givesTheNumberOfEveryTableRowAndPlusZeroForNone)
{
    std::ifstream datei(VELKOR_TESTDATEN "/engine/eingabetexte.txt");
    int zeilen = 0;
    for (std::string zeile; std::getline(datei, zeile);) {
        if (zeile.empty() || zeile[0] != '"')
            continue;
        const auto ende = zeile.rfind('"');
        std::string eingabe;
        for (std::size_t i = 1; i < ende; ++i)
            eingabe += zeile[i] != '\\' ? zeile[i] : zeile[++i] == 't' ? '\t' : zeile[i] == 'n' ? '\n' : '\r';
        const double erwartet = zahl(std::string_view(zeile).substr(ende + 2));
        const double w = zahlAusText(eingabe);
        EXPECT_EQ(w, erwartet) << zeile;
        EXPECT_EQ(std::signbit(w), std::signbit(erwartet)) << zeile;
        ++zeilen;
    }
    EXPECT_GT(zeilen, 40);
}

// Rows of tests/data/engine/anzeigetexte.txt: value, pattern, separator, text.
TEST(Anzeigetext, givesTheTextOfEveryTableRow)
{
    std::ifstream datei(VELKOR_TESTDATEN "/engine/anzeigetexte.txt");
    int zeilen = 0;
    for (std::string zeile; std::getline(datei, zeile);) {
        if (zeile.starts_with('#'))
            continue;
        std::istringstream z(zeile);
        std::string wert, muster, trenner, text;
        std::getline(std::getline(std::getline(std::getline(z, wert, '\t'), muster, '\t'), trenner, '\t'), text);
        EXPECT_EQ(anzeigetext(zahl(wert), muster == "ganz" ? Muster::ganz : Muster::zweiStellen, trenner), text)
            << wert << ' ' << muster;
        ++zeilen;
    }
    EXPECT_GT(zeilen, 40);
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
        const double wert = zahlAusText(getippt);
        ASSERT_EQ(anzeigetext(wert, Muster::zweiStellen, ","), zwei) << getippt;
        if (betrag % 100 == 0) { // one decimal: the whole-number pattern meets its ties
            ASSERT_EQ(anzeigetext(wert, Muster::ganz, ","), vorzeichen + std::to_string((betrag + 500) / 1000))
                << getippt;
        }
    }
}

TEST(Eingabetext, readsAPointWhateverTheProcessLocaleSays)
{
    const std::string vorher = std::setlocale(LC_ALL, nullptr);
    ASSERT_NE(std::setlocale(LC_ALL, "de_DE.UTF-8"), nullptr) << "scripts/einrichten.sh erzeugt de_DE.UTF-8";
    EXPECT_EQ(zahlAusText("1.5"), 1.5);
    EXPECT_EQ(anzeigetext(1.5, Muster::zweiStellen, "."), "1.50");
    std::setlocale(LC_ALL, vorher.c_str());
}

} // namespace
} // namespace velkor
