#include "report/bericht.h"

#include <gtest/gtest.h>

#include <fstream>
#include <initializer_list>
#include <iterator>
#include <string>
#include <utility>

namespace velkor {
namespace {

std::string golden(const std::string& name)
{
    std::ifstream f(std::string(VELKOR_TESTDATEN) + "/bericht/" + name, std::ios::binary);
    EXPECT_TRUE(f) << name;
    return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

void setze(Berichtsdaten& b, std::initializer_list<std::pair<Groesse, const char*>> texte)
{
    for (const auto& [g, t] : texte)
        text(b.texte, g) = t;
}

// The record's design values stay 0 throughout: the report must copy the box
// texts, never format the stored values itself. Only reserves, areas and the
// shape are taken from the record.
Berichtsdaten kugel()
{
    Berichtsdaten b;
    b.bezeichnung = "Kugelspeicher";
    b.nummer = "7";
    b.daten.zylinder = false;
    b.daten.rG = 129.6;
    b.daten.As0 = 777; // not reported without a nozzle
    setze(b, {{Groesse::p, "10.00"}, {Groesse::Da, "2000.00"}, {Groesse::s, "8.00"},
              {Groesse::c1, "0.50"}, {Groesse::c2, "1.00"}, {Groesse::v, "1.00"},
              {Groesse::K, "265.00"}, {Groesse::S, "1.50"}, {Groesse::sG, "2.83"},
              {Groesse::rG, "130"}, {Groesse::b, "0.00"}, {Groesse::pmaxG, "22.98"},
              {Groesse::dmax, "61.37"}});
    return b;
}

Berichtsdaten zylinderMitStutzenUndScheibe()
{
    Berichtsdaten b;
    b.bezeichnung = "Behälter 1, Teil 2";
    b.nummer = "B-17";
    b.bearbeiter = "Müller";
    b.stutzen = b.scheibe = b.ausgehalst = true;
    b.daten.rG = 21.8;
    b.daten.rS = 148.3;
    b.daten.rFV = 0.0; // exactly zero is sufficient
    b.daten.As0 = 1520.25;
    b.daten.As1 = 310.1;
    b.daten.As2 = 480;
    b.daten.Ap = 1750.456;
    setze(b, {{Groesse::p, "16.00"}, {Groesse::Da, "1000.00"}, {Groesse::s, "12.00"},
              {Groesse::c1, "0.30"}, {Groesse::c2, "1.00"}, {Groesse::v, "0.85"},
              {Groesse::K, "265.00"}, {Groesse::S, "1.50"}, {Groesse::Das, "219.10"},
              {Groesse::ss, "8.00"}, {Groesse::c1s, "0.80"}, {Groesse::c2s, "1.00"},
              {Groesse::Ks, "235.00"}, {Groesse::Sis, "1.60"}, {Groesse::ls, "150.00"},
              {Groesse::lsstrich, "20.00"}, {Groesse::x, "0.00"}, {Groesse::phi, "60.00"},
              {Groesse::bScheibe, "80.00"}, {Groesse::hScheibe, "10.00"},
              {Groesse::KScheibe, "255.00"}, {Groesse::SScheibe, "1.70"},
              {Groesse::sG, "9.85"}, {Groesse::rG, "22"}, {Groesse::b, "103.14"},
              {Groesse::pmaxG, "19.80"}, {Groesse::sS, "2.51"}, {Groesse::rS, "148"},
              {Groesse::lsm, "40.12"}, {Groesse::pmaxS, "41.65"}, {Groesse::rFV, "0"},
              {Groesse::pmaxFV, "16.02"}, {Groesse::dmax, "145.30"},
              // the area boxes are not what the report shows
              {Groesse::As0, "1.00"}, {Groesse::Ap, "2.00"}});
    return b;
}

// A shell reserve of -0.4 % that its box shows as "-0", on a German system.
Berichtsdaten grenzfall()
{
    Berichtsdaten b;
    b.dezimaltrenner = ",";
    b.bezeichnung = "Grenzfall";
    b.bearbeiter = "Ä. Öztürk";
    b.stutzen = true;
    b.daten.rG = -0.4;
    b.daten.rS = 1270.2;
    b.daten.rFV = 3.1;
    b.daten.As0 = 1000;
    b.daten.As1 = 200.5;
    setze(b, {{Groesse::p, "12,50"}, {Groesse::Da, "800,00"}, {Groesse::s, "6,00"},
              {Groesse::c1, "0,00"}, {Groesse::c2, "0,00"}, {Groesse::v, "1,00"},
              {Groesse::K, "235,00"}, {Groesse::S, "1,50"}, {Groesse::Das, "114,30"},
              {Groesse::ss, "6,30"}, {Groesse::c1s, "0,00"}, {Groesse::c2s, "0,00"},
              {Groesse::Ks, "235,00"}, {Groesse::Sis, "1,50"}, {Groesse::ls, "100,00"},
              {Groesse::lsstrich, "0,00"}, {Groesse::x, "0,00"}, {Groesse::phi, "90,00"},
              {Groesse::sG, "6,02"}, {Groesse::rG, "-0"}, {Groesse::b, "69,28"},
              {Groesse::pmaxG, "12,45"}, {Groesse::sS, "0,46"}, {Groesse::rS, "1270"},
              {Groesse::lsm, "26,83"}, {Groesse::pmaxS, "172,21"}, {Groesse::rFV, "3"},
              {Groesse::pmaxFV, "12,90"}, {Groesse::dmax, "58,02"}});
    return b;
}

bool enthaeltZeile(const std::string& bericht, const std::string& zeile)
{
    return bericht.find("\r\n" + zeile + "\r\n") != std::string::npos;
}

TEST(Bericht, sphereWithoutNozzleHasOnlyTheShellLines)
{
    EXPECT_EQ(bericht(kugel()), golden("kugel_ohne_stutzen.txt"));
}

TEST(Bericht, cylinderWithExtrudedNozzleAndPadHasEveryLine)
{
    EXPECT_EQ(bericht(zylinderMitStutzenUndScheibe()), golden("zylinder_stutzen_scheibe.txt"));
}

TEST(Bericht, negativeReserveShownAsMinusZeroStillFailsWithCommaSeparator)
{
    EXPECT_EQ(bericht(grenzfall()), golden("reserve_minus_null.txt"));
}

TEST(Bericht, padAndExtrudedOutletAndStaleNozzleReservesDoNothingWithoutNozzle)
{
    Berichtsdaten b = kugel();
    b.scheibe = true;
    b.ausgehalst = true;
    b.daten.rS = -12;
    b.daten.rFV = -3;
    setze(b, {{Groesse::bScheibe, "80.00"}, {Groesse::rS, "-12"}, {Groesse::sS, "9.00"}});
    EXPECT_EQ(bericht(b), golden("kugel_ohne_stutzen.txt"));
}

TEST(Bericht, emptyTextsKeepLabelsUnitsAndTrailingBlanks)
{
    Berichtsdaten b;
    b.stutzen = true;
    const std::string r = bericht(b);
    EXPECT_TRUE(enthaeltZeile(r, "Projekt:        "));
    EXPECT_TRUE(enthaeltZeile(r, "Nummer:         "));
    EXPECT_TRUE(enthaeltZeile(r, "Sachbearbeiter: "));
    EXPECT_TRUE(enthaeltZeile(r, "Druck                            p =  bar"));
    EXPECT_TRUE(enthaeltZeile(r, "Störstellenabstand               x = "));
    EXPECT_TRUE(enthaeltZeile(r, "Wanddickenreserve                  =  % => OK!"));
    EXPECT_TRUE(enthaeltZeile(r, "Drucktragende Fläche            As = 0.00 mm²"));
    EXPECT_TRUE(enthaeltZeile(r, "Stutzen"));
}

TEST(Bericht, anyNegativeReserveMarksOnlyItsOwnLineAndTheOverallVerdict)
{
    const std::pair<Groesse, std::string> reserven[] = {
        {Groesse::rG, "Wanddickenreserve                  = 22 %"},
        {Groesse::rS, "Wanddickenreserve                  = 148 %"},
        {Groesse::rFV, "Reserve Flächenvergleich           = 0 %"},
    };
    for (const auto& [negativ, _] : reserven) {
        Berichtsdaten b = zylinderMitStutzenUndScheibe();
        wert(b.daten, negativ) = -1e-9;
        const std::string r = bericht(b);
        for (const auto& [g, zeile] : reserven) {
            const char* urteil = g == negativ ? " => UNTERDIMENSIONIERT!" : " => OK!";
            EXPECT_TRUE(enthaeltZeile(r, zeile + urteil)) << zeile << urteil;
        }
        EXPECT_TRUE(r.ends_with("\r\n\r\nNICHT AUSREICHEND DIMENSIONIERT!\r\n"));
    }
}

TEST(Bericht, areasBeyondTheirPatternWidthPrintAllDigits)
{
    Berichtsdaten b = zylinderMitStutzenUndScheibe();
    b.daten.As0 = 12345678901.0;
    b.daten.As1 = 0.234;
    b.daten.As2 = 0;
    b.daten.Ap = 98765432109876.5;
    const std::string r = bericht(b);
    EXPECT_TRUE(enthaeltZeile(r, "Drucktragende Fläche            As = 12345678901.23 mm²"));
    EXPECT_TRUE(enthaeltZeile(r, "Druckbeaufschlagte Fläche       Ap = 98765432109876.50 mm²"));
}

} // namespace
} // namespace velkor
