#include "engine/berechnung.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace velkor {
namespace {

using G = Groesse;
using Eingaben = std::vector<std::pair<Groesse, std::string>>;
using Farben = std::vector<std::pair<Groesse, Reservefarbe>>;
constexpr auto gruen = Reservefarbe::gruen;
constexpr auto rot = Reservefarbe::rot;

// The texts the window starts with.
Kastentexte starttexte()
{
    Kastentexte t;
    for (const Groesseninfo& i : groessen())
        text(t, i.groesse) = i.muster == Muster::ganz ? "0" : "0.00";
    text(t, G::v) = "1.00";
    text(t, G::K) = text(t, G::Ks) = text(t, G::KScheibe) = "265.00";
    text(t, G::S) = text(t, G::Sis) = text(t, G::SScheibe) = "1.5";
    text(t, G::phi) = "90.00";
    text(t, G::p) = "0.5";
    return t;
}

// Shell Da 1000, s 10 at 10 bar; nozzle Da 100, s 5, ls 100; K 265 and S 1.5
// throughout; a pad, where switched on, 50 × 8.
Kastentexte basistexte(const Eingaben& aenderungen = {})
{
    Kastentexte t = starttexte();
    const Eingaben basis{{G::Da, "1000"}, {G::s, "10"}, {G::p, "10"}, {G::Das, "100"},
                         {G::ss, "5"},    {G::ls, "100"}, {G::bScheibe, "50"}, {G::hScheibe, "8"}};
    for (const auto& [g, s] : basis)
        text(t, g) = s;
    for (const auto& [g, s] : aenderungen)
        text(t, g) = s;
    return t;
}

constexpr Schalter zylinderMitStutzen{.zylinder = true, .stutzen = true};
constexpr Schalter kugelMitStutzen{.zylinder = false, .stutzen = true};
constexpr Schalter zylinderStutzenScheibe{.zylinder = true, .stutzen = true, .scheibe = true};
constexpr Schalter kugelStutzenScheibe{.zylinder = false, .stutzen = true, .scheibe = true};
constexpr Schalter nurSchale{.zylinder = true};

// One result: its stored value within a tolerance, and its box text.
struct Zeile {
    Groesse groesse;
    double wert;
    double toleranz;
    std::string_view text;
};

std::string mitKomma(std::string_view t)
{
    std::string s(t);
    for (char& c : s)
        if (c == '.')
            c = ',';
    return s;
}

const Farben alleGruen{{G::rG, gruen}, {G::rS, gruen}, {G::rFV, gruen}};

// Expected numbers: tests/engine/erwartete_werte.py, from the formulas alone.
// Beside the plain cylinder and sphere and the runs with allowances, each
// example lists only the results it changes.
struct Beispiel {
    std::string_view name;
    Schalter schalter;
    Eingaben eingaben;
    std::string_view status;
    Statusfarbe statusfarbe;
    Farben farben;
    std::vector<Zeile> zeilen;
};

const std::vector<Beispiel> beispiele{
    {"zylinder", zylinderMitStutzen, {},
     meldung::ausreichend, Statusfarbe::normal, alleGruen,
     {
         {G::sG, 2.822201317027281, 1e-12, "2.82"},
         {G::pmaxG, 35.69023569023569, 1e-11, "35.69"},
         {G::rG, 254.3333333333334, 1e-10, "254"},
         {G::sS, 0.28222013170272814, 1e-12, "0.28"},
         {G::pmaxS, 185.96491228070175, 1e-10, "185.96"},
         {G::rS, 1671.6666666666665, 1e-09, "1672"},
         {G::b, 99.498743710662, 1e-11, "99.50"},
         {G::lsm, 27.243118397129212, 1e-11, "27.24"},
         {G::As0, 994.98743710662, 1e-10, "994.99"},
         {G::As1, 186.21559198564603, 1e-10, "186.22"},
         {G::As2, 0.0, 1e-10, "0.00"},
         {G::Ap, 74930.32474611716, 1e-08, "74930.32"},
         {G::rFV, 177.70946008416598, 1e-10, "178"},
         {G::pmaxFV, 27.63197065221847, 1e-11, "27.63"},
         {G::dmax, 506.1169430082342, 1e-10, "506.12"},
     }},
    {"kugel", kugelMitStutzen, {},
     meldung::ausreichend, Statusfarbe::normal, alleGruen,
     {
         {G::sG, 1.413094677343382, 1e-12, "1.41"},
         {G::pmaxG, 71.38047138047138, 1e-11, "71.38"},
         {G::rG, 607.6666666666667, 1e-10, "608"},
         {G::sS, 0.28222013170272814, 1e-12, "0.28"},
         {G::pmaxS, 185.96491228070175, 1e-10, "185.96"},
         {G::rS, 1671.6666666666665, 1e-09, "1672"},
         {G::b, 99.498743710662, 1e-11, "99.50"},
         {G::lsm, 21.79449471770337, 1e-11, "21.79"},
         {G::As0, 994.98743710662, 1e-10, "994.99"},
         {G::As1, 158.97247358851683, 1e-10, "158.97"},
         {G::As2, 0.0, 1e-10, "0.00"},
         {G::Ap, 29699.694116741626, 1e-08, "29699.69"},
         {G::rFV, 584.4827092664669, 1e-10, "584"},
         {G::pmaxFV, 67.3344272901527, 1e-11, "67.33"},
         {G::dmax, 1203.2714739409396, 1e-10, "1203.27"},
     }},
    {"scheibeSchraeg08", zylinderStutzenScheibe, {{G::phi, "60"}, {G::lsstrich, "10"}},
     meldung::ausreichend, Statusfarbe::normal, alleGruen,
     {
         {G::lsm, 25.426910503987266, 1e-11, "25.43"},
         {G::As1, 227.13455251993634, 1e-10, "227.13"},
         {G::As2, 320.0, 1e-10, "320.00"},
         {G::Ap, 80122.8995851466, 1e-08, "80122.90"},
         {G::rFV, 239.06722286950446, 1e-10, "239"},
         {G::pmaxFV, 33.678849390912916, 1e-11, "33.68"},
     }},
    {"scheibeSchraeg07", zylinderStutzenScheibe, {{G::phi, "60"}},
     meldung::ausreichend, Statusfarbe::normal, alleGruen,
     {
         {G::lsm, 25.426910503987266, 1e-11, "25.43"},
         {G::As1, 177.13455251993634, 1e-10, "177.13"},
         {G::As2, 280.0, 1e-10, "280.00"},
         {G::Ap, 80122.8995851466, 1e-08, "80122.90"},
         {G::rFV, 219.27887261995954, 1e-10, "219"},
         {G::pmaxFV, 31.730964710049818, 1e-11, "31.73"},
     }},
    {"breiteDurchX", zylinderMitStutzen, {{G::x, "50"}},
     meldung::ausreichend, Statusfarbe::normal, alleGruen,
     {
         {G::b, 50.0, 1e-11, "50.00"},
         {G::As0, 500.0, 1e-10, "500.00"},
         {G::Ap, 50675.94032789277, 1e-08, "50675.94"},
         {G::rFV, 138.55169272165622, 1e-10, "139"},
         {G::pmaxFV, 23.76199198315512, 1e-11, "23.76"},
         {G::dmax, 254.33333333333337, 1e-10, "254.33"},
     }},
    {"ausgehalst", Schalter{.zylinder = true, .stutzen = true, .ausgehalst = true}, {},
     meldung::ausreichend, Statusfarbe::normal, alleGruen,
     {
         {G::As0, 895.488693395958, 1e-10, "895.49"},
         {G::As1, 167.59403278708143, 1e-10, "167.59"},
         {G::rFV, 149.9385140757494, 1e-10, "150"},
         {G::pmaxFV, 24.888237106920887, 1e-11, "24.89"},
     }},
    {"ohneStutzenMitScheibe", Schalter{.zylinder = true, .scheibe = true}, {{G::phi, "60"}},
     meldung::ausreichend, Statusfarbe::normal, {{G::rG, gruen}, {G::rFV, gruen}},
     {
         {G::lsm, 0.0, 1e-11, "0.00"},
         {G::As0, 0.0, 1e-10, "0.00"},
         {G::As1, 0.0, 1e-10, "0.00"},
         {G::As2, 400.0, 1e-10, "400.00"},
         {G::Ap, 0.0, 1e-08, "0.00"},
         {G::rFV, 0.0, 1e-10, "0"},
         {G::pmaxFV, 0.0, 1e-11, "0.00"},
     }},
    {"kugelSchraegMitScheibe", kugelStutzenScheibe, {{G::phi, "60"}, {G::lsstrich, "10"}},
     meldung::ausreichend, Statusfarbe::normal, alleGruen,
     {
         {G::As1, 208.97247358851686, 1e-10, "208.97"},
         {G::As2, 320.0, 1e-10, "320.00"},
         {G::Ap, 32377.58346243835, 1e-08, "32377.58"},
         {G::rFV, 729.1876937395585, 1e-10, "729"},
         {G::pmaxFV, 81.24214376694057, 1e-11, "81.24"},
     }},
    {"kugelAusschnittZuWeit", kugelMitStutzen, {{G::Das, "1980.5"}, {G::ss, "60"}},
     meldung::nichtAusreichend, Statusfarbe::rot, {{G::rG, gruen}, {G::rS, gruen}, {G::rFV, rot}},
     {
         {G::sS, 5.58936970837253, 1e-12, "5.59"},
         {G::pmaxS, 110.38791981254882, 1e-10, "110.39"},
         {G::rS, 973.4662963898007, 1e-09, "973"},
         {G::lsm, 100.0, 1e-11, "100.00"},
         {G::As1, 6600.0, 1e-10, "6600.00"},
         {G::Ap, -15887.694703750865, 1e-08, "-15887.69"},
         {G::rFV, -8521.508879160447, 1e-10, "-8522"},
         {G::pmaxFV, -1109.8087745039347, 1e-11, "-1109.81"},
     }},
    {"stutzenNichtAusreichend", zylinderMitStutzen,
     {{G::Das, "500"}, {G::ss, "14"}, {G::ls, "0"}, {G::x, "20"}},
     meldung::nichtAusreichend, Statusfarbe::rot, {{G::rG, gruen}, {G::rS, gruen}, {G::rFV, rot}},
     {
         {G::sS, 1.4111006585136405, 1e-12, "1.41"},
         {G::pmaxS, 101.78326474622772, 1e-10, "101.78"},
         {G::rS, 892.1333333333333, 1e-09, "892"},
         {G::b, 20.0, 1e-11, "20.00"},
         {G::lsm, 0.0, 1e-11, "0.00"},
         {G::As0, 200.0, 1e-10, "200.00"},
         {G::As1, 140.0, 1e-10, "140.00"},
         {G::Ap, 134660.0000001099, 1e-08, "134660.00"},
         {G::rFV, -55.52007525128637, 1e-10, "-56"},
         {G::pmaxFV, 4.454992706861804, 1e-11, "4.45"},
         {G::dmax, 101.73333333333338, 1e-10, "101.73"},
     }},
    {"stutzenlaengeBegrenzt", zylinderMitStutzen, {{G::ls, "10"}, {G::lsstrich, "100"}},
     meldung::ausreichend, Statusfarbe::normal, alleGruen,
     {
         {G::lsm, 10.0, 1e-11, "10.00"},
         {G::As1, 168.10779599282301, 1e-10, "168.11"},
         {G::Ap, 74154.38441824634, 1e-08, "74154.38"},
         {G::rFV, 176.31354752450943, 1e-10, "176"},
         {G::pmaxFV, 27.494158733699795, 1e-11, "27.49"},
     }},
    {"zylinderMitZuschlaegen", zylinderStutzenScheibe,
     {{G::c1, "0.5"}, {G::c2, "1"}, {G::c1s, "0.3"}, {G::c2s, "0.5"}, {G::phi, "75"}, {G::lsstrich, "10"}},
     meldung::ausreichend, Statusfarbe::normal, alleGruen,
     {
         {G::sG, 4.322201317027281, 1e-12, "4.32"},
         {G::pmaxG, 30.29080517734073, 1e-11, "30.29"},
         {G::rG, 131.36358689737733, 1e-10, "131"},
         {G::sS, 1.0822201317027282, 1e-12, "1.08"},
         {G::pmaxS, 154.9060542797495, 1e-10, "154.91"},
         {G::rS, 362.0132127955493, 1e-09, "362"},
         {G::b, 91.80277773575264, 1e-11, "91.80"},
         {G::lsm, 24.237853487193675, 1e-11, "24.24"},
         {G::As0, 780.3236107538975, 1e-10, "780.32"},
         {G::As1, 179.49898464621344, 1e-10, "179.50"},
         {G::As2, 320.0, 1e-10, "320.00"},
         {G::Ap, 72635.82659907578, 1e-08, "72635.83"},
         {G::rFV, 210.4006536619882, 1e-10, "210"},
         {G::pmaxFV, 30.856324118159193, 1e-11, "30.86"},
         {G::dmax, 369.3837766827567, 1e-10, "369.38"},
     }},
    {"kugelMitZuschlaegen", kugelStutzenScheibe,
     {{G::c1, "0.5"}, {G::c2, "1"}, {G::c1s, "0.3"}, {G::c2s, "0.5"}, {G::phi, "75"}, {G::lsstrich, "10"}},
     meldung::ausreichend, Statusfarbe::normal, alleGruen,
     {
         {G::sG, 2.913094677343382, 1e-12, "2.91"},
         {G::pmaxG, 60.58161035468146, 1e-11, "60.58"},
         {G::rG, 243.27754871048592, 1e-10, "243"},
         {G::sS, 1.0822201317027282, 1e-12, "1.08"},
         {G::pmaxS, 154.9060542797495, 1e-10, "154.91"},
         {G::rS, 362.0132127955493, 1e-09, "362"},
         {G::b, 91.80277773575264, 1e-11, "91.80"},
         {G::lsm, 20.058913230780973, 1e-11, "20.06"},
         {G::As0, 780.3236107538975, 1e-10, "780.32"},
         {G::As1, 161.9474355692801, 1e-10, "161.95"},
         {G::As2, 320.0, 1e-10, "320.00"},
         {G::Ap, 29222.885895428222, 1e-08, "29222.89"},
         {G::rFV, 660.9449780433509, 1e-10, "661"},
         {G::pmaxFV, 74.69721249844774, 1e-11, "74.70"},
         {G::dmax, 916.1305199509875, 1e-10, "916.13"},
     }},
};

void PrintTo(const Beispiel& x, std::ostream* os) { *os << x.name; }

class Rechenbeispiel : public testing::TestWithParam<Beispiel> {};

TEST_P(Rechenbeispiel, givesTheIndependentlyComputedValuesTextsAndColours)
{
    const Beispiel& b = GetParam();
    Berechnungsdaten daten;
    Kastentexte texte = basistexte(b.eingaben);
    const Rechenlauf lauf = berechnung(daten, texte, b.schalter, ".");

    EXPECT_TRUE(lauf.berechnet);
    EXPECT_EQ(lauf.status, b.status);
    EXPECT_EQ(lauf.statusfarbe, b.statusfarbe);
    EXPECT_EQ(lauf.reservefarben, b.farben);
    EXPECT_EQ(daten.zylinder, b.schalter.zylinder);
    for (const Zeile& z : b.zeilen) {
        SCOPED_TRACE(info(z.groesse).name);
        EXPECT_NEAR(wert(daten, z.groesse), z.wert, z.toleranz);
        EXPECT_EQ(text(texte, z.groesse), z.text);
    }
}

TEST_P(Rechenbeispiel, writesCommasAndReadsThemBackToTheSameRun)
{
    const Beispiel& b = GetParam();
    Berechnungsdaten daten;
    Kastentexte texte = basistexte(b.eingaben);
    const Rechenlauf erster = berechnung(daten, texte, b.schalter, ",");
    for (const Zeile& z : b.zeilen)
        EXPECT_EQ(text(texte, z.groesse), mitKomma(z.text)) << info(z.groesse).name;
    EXPECT_EQ(text(texte, G::p), "10,00");

    const Berechnungsdaten vorher = daten;
    const Kastentexte texteVorher = texte;
    const Rechenlauf zweiter = berechnung(daten, texte, b.schalter, ",");
    EXPECT_EQ(texte, texteVorher);
    for (const Groesseninfo& i : groessen())
        EXPECT_EQ(wert(daten, i.groesse), wert(vorher, i.groesse)) << i.name;
    EXPECT_EQ(zweiter.status, erster.status);
    EXPECT_EQ(zweiter.statusfarbe, erster.statusfarbe);
    EXPECT_EQ(zweiter.reservefarben, erster.reservefarben);
    EXPECT_TRUE(zweiter.berechnet);
}

INSTANTIATE_TEST_SUITE_P(Beispiele, Rechenbeispiel, testing::ValuesIn(beispiele),
                         [](const auto& info) { return std::string(info.param.name); });

using Kastentext = std::pair<Groesse, std::string_view>;

// A run that stops: the box texts it wrote, the results its zero test set to 0
// (boxes kept) and those that reached the record but not their box. Every
// other result keeps its earlier value.
struct Abbruch {
    std::string_view name;
    Schalter schalter;
    Eingaben eingaben;
    std::string_view status;
    Farben farben;
    std::vector<Kastentext> geschrieben;
    std::vector<Groesse> genullt;
    std::vector<Groesse> nurImDatensatz;
};

constexpr std::string_view null = meldung::divisionDurchNull;
constexpr std::string_view fehler = meldung::allgemeinerFehler;

const std::vector<Abbruch> abbrueche{
    {"druckNull", zylinderMitStutzen, {{G::p, "0"}},
     null, {}, {}, {G::sG, G::pmaxG}, {}},
    {"schweissfaktorNull", zylinderMitStutzen, {{G::v, "0"}},
     null, {}, {}, {G::sG, G::pmaxG}, {}},
    {"sicherheitNull", zylinderMitStutzen, {{G::S, "0"}},
     null, {}, {}, {G::sG, G::pmaxG}, {}},
    {"festigkeitHebtDruckAuf", zylinderMitStutzen, {{G::K, "-0.75"}},
     null, {}, {}, {G::sG, G::pmaxG}, {}},
    {"wandGleichDurchmesser", zylinderMitStutzen, {{G::Da, "10"}, {G::s, "10"}},
     null, {}, {}, {G::sG, G::pmaxG}, {}},
    {"erforderlicheWandNull", zylinderMitStutzen, {{G::Da, "0"}, {G::s, "5"}},
     null, {},
     {{G::sG, "0.00"}, {G::pmaxG, "-3533.33"}},
     {}, {}},
    {"stutzenSicherheitNull", zylinderMitStutzen, {{G::Sis, "0"}},
     null, {{G::rG, gruen}},
     {{G::sG, "2.82"}, {G::pmaxG, "35.69"}, {G::rG, "254"}},
     {G::sS, G::pmaxS}, {}},
    {"stutzenFestigkeitHebtDruckAuf", zylinderMitStutzen, {{G::Ks, "-0.75"}},
     null, {{G::rG, gruen}},
     {{G::sG, "2.82"}, {G::pmaxG, "35.69"}, {G::rG, "254"}},
     {G::sS, G::pmaxS}, {}},
    {"stutzenWandGleichDurchmesser", zylinderMitStutzen, {{G::Das, "5"}, {G::ss, "5"}},
     null, {{G::rG, gruen}},
     {{G::sG, "2.82"}, {G::pmaxG, "35.69"}, {G::rG, "254"}},
     {G::sS, G::pmaxS}, {}},
    {"stutzenErforderlicheWandNull", zylinderMitStutzen, {{G::Das, "0"}, {G::ss, "5"}},
     null, {{G::rG, gruen}},
     {{G::sG, "2.82"}, {G::pmaxG, "35.69"}, {G::rG, "254"}, {G::sS, "0.00"},
      {G::pmaxS, "-3533.33"}},
     {}, {}},
    {"scheibeSicherheitNull", zylinderStutzenScheibe, {{G::SScheibe, "0"}},
     fehler, {{G::rG, gruen}, {G::rS, gruen}},
     {{G::sG, "2.82"}, {G::pmaxG, "35.69"}, {G::rG, "254"}, {G::sS, "0.28"},
      {G::pmaxS, "185.96"}, {G::rS, "1672"}, {G::b, "99.50"}, {G::lsm, "27.24"},
      {G::As0, "994.99"}, {G::As1, "186.22"}, {G::As2, "400.00"}},
     {}, {G::Ap}},
    {"stutzenwinkelNull", zylinderStutzenScheibe, {{G::phi, "0"}},
     fehler, {{G::rG, gruen}, {G::rS, gruen}},
     {{G::sG, "2.82"}, {G::pmaxG, "35.69"}, {G::rG, "254"}, {G::sS, "0.28"},
      {G::pmaxS, "185.96"}, {G::rS, "1672"}, {G::b, "99.50"}, {G::lsm, "21.79"},
      {G::As0, "994.99"}, {G::As1, "158.97"}, {G::As2, "280.00"}},
     {}, {}},
    {"kugelStutzenwinkelNull", kugelMitStutzen, {{G::phi, "0"}},
     fehler, {{G::rG, gruen}, {G::rS, gruen}},
     {{G::sG, "1.41"}, {G::pmaxG, "71.38"}, {G::rG, "608"}, {G::sS, "0.28"},
      {G::pmaxS, "185.96"}, {G::rS, "1672"}, {G::b, "99.50"}, {G::lsm, "21.79"},
      {G::As0, "994.99"}, {G::As1, "158.97"}, {G::As2, "0.00"}},
     {}, {}},
    {"wandDickerAlsDurchmesser", zylinderMitStutzen, {{G::Da, "10"}, {G::s, "20"}},
     fehler, {{G::rG, gruen}, {G::rS, gruen}},
     {{G::sG, "0.03"}, {G::pmaxG, "-7066.67"}, {G::rG, "70767"}, {G::sS, "0.28"},
      {G::pmaxS, "185.96"}, {G::rS, "1672"}},
     {}, {}},
    {"stutzenwandDickerAlsDurchmesser", zylinderMitStutzen, {{G::Das, "5"}, {G::ss, "8"}},
     fehler, {{G::rG, gruen}, {G::rS, gruen}},
     {{G::sG, "2.82"}, {G::pmaxG, "35.69"}, {G::rG, "254"}, {G::sS, "0.01"},
      {G::pmaxS, "-9422.22"}, {G::rS, "56593"}, {G::b, "99.50"}},
     {}, {}},
    {"negativeWirksameWand", zylinderMitStutzen, {{G::s, "2"}, {G::c1, "3"}},
     fehler, {{G::rG, rot}, {G::rS, gruen}},
     {{G::sG, "5.82"}, {G::pmaxG, "-3.53"}, {G::rG, "-66"}, {G::sS, "0.28"},
      {G::pmaxS, "185.96"}, {G::rS, "1672"}},
     {}, {}},
    {"arccosMinusEins", kugelMitStutzen, {{G::Das, "1979.9999999982572"}},
     fehler, {{G::rG, gruen}, {G::rS, rot}},
     {{G::sG, "1.41"}, {G::pmaxG, "71.38"}, {G::rG, "608"}, {G::sS, "5.59"},
      {G::pmaxS, "8.95"}, {G::rS, "-11"}, {G::b, "99.50"}, {G::lsm, "99.37"},
      {G::As0, "994.99"}, {G::As1, "546.87"}, {G::As2, "0.00"}},
     {}, {}},
    {"ueberlauf", zylinderMitStutzen, {{G::Da, "1e10"}, {G::p, "1e300"}},
     fehler, {}, {}, {}, {}},
};

void PrintTo(const Abbruch& x, std::ostream* os) { *os << x.name; }

class Rechenabbruch : public testing::TestWithParam<Abbruch> {};

TEST_P(Rechenabbruch, keepsWhatItWroteAndLeavesTheRest)
{
    const Abbruch& a = GetParam();
    constexpr double alterWert = -777;
    Berechnungsdaten daten;
    Kastentexte texte = basistexte(a.eingaben);
    for (const Groesseninfo& i : groessen()) {
        if (!i.eingabe) {
            wert(daten, i.groesse) = alterWert;
            text(texte, i.groesse) = "alt";
        }
    }
    const Rechenlauf lauf = berechnung(daten, texte, a.schalter, ".");

    EXPECT_FALSE(lauf.berechnet);
    EXPECT_EQ(lauf.status, a.status);
    EXPECT_EQ(lauf.statusfarbe,
              a.status == meldung::divisionDurchNull ? Statusfarbe::normal : Statusfarbe::gelb);
    EXPECT_EQ(lauf.reservefarben, a.farben);
    const auto enthaelt = [](const auto& liste, Groesse g) {
        return std::ranges::find(liste, g) != liste.end();
    };
    for (const Groesseninfo& i : groessen()) {
        if (i.eingabe)
            continue;
        SCOPED_TRACE(i.name);
        const Groesse g = i.groesse;
        const auto geschrieben = std::ranges::find(a.geschrieben, g, &Kastentext::first);
        if (geschrieben != a.geschrieben.end()) {
            EXPECT_EQ(text(texte, g), geschrieben->second);
            EXPECT_NE(wert(daten, g), alterWert);
        } else if (enthaelt(a.genullt, g)) {
            EXPECT_EQ(wert(daten, g), 0);
            EXPECT_EQ(text(texte, g), "alt");
        } else if (enthaelt(a.nurImDatensatz, g)) {
            EXPECT_NE(wert(daten, g), alterWert);
            EXPECT_EQ(text(texte, g), "alt");
        } else {
            EXPECT_EQ(wert(daten, g), alterWert);
            EXPECT_EQ(text(texte, g), "alt");
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Abbrueche, Rechenabbruch, testing::ValuesIn(abbrueche),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Rechenabbruch, aFailedRunAfterASuccessfulOneKeepsTheEarlierResultsItDidNotReach)
{
    Berechnungsdaten daten;
    Kastentexte texte = basistexte();
    ASSERT_TRUE(berechnung(daten, texte, zylinderStutzenScheibe, ".").berechnet);
    const Berechnungsdaten vorher = daten;

    text(texte, G::SScheibe) = "0";
    text(texte, G::p) = "5";
    const Rechenlauf lauf = berechnung(daten, texte, zylinderStutzenScheibe, ".");

    EXPECT_FALSE(lauf.berechnet);
    EXPECT_EQ(lauf.status, meldung::allgemeinerFehler);
    // Reached before the failure: written anew for 5 bar.
    EXPECT_EQ(text(texte, G::sG), "1.41");
    EXPECT_EQ(text(texte, G::As2), "400.00");
    // Not reached: still the 10-bar results.
    EXPECT_EQ(text(texte, G::Ap), "74930.32");
    EXPECT_EQ(text(texte, G::rFV), "272");
    EXPECT_EQ(text(texte, G::pmaxFV), "36.89");
    EXPECT_EQ(text(texte, G::dmax), "506.12");
    EXPECT_EQ(daten.rFV, vorher.rFV);
    EXPECT_EQ(daten.pmaxFV, vorher.pmaxFV);
    EXPECT_EQ(daten.dmax, vorher.dmax);
}

// An entry beyond the range of a double stops the run where it is read.
TEST(Rechenabbruch, anEntryBeyondTheDoubleRangeStopsAtOnceAndKeepsItsText)
{
    Berechnungsdaten daten;
    daten.Da = 123;
    daten.s = 4;
    Kastentexte texte = basistexte({{G::p, "-10"}, {G::Da, "1e999"}});
    const Rechenlauf lauf = berechnung(daten, texte, zylinderMitStutzen, ".");

    EXPECT_FALSE(lauf.berechnet);
    EXPECT_EQ(lauf.status, meldung::allgemeinerFehler);
    EXPECT_EQ(lauf.statusfarbe, Statusfarbe::gelb);
    EXPECT_EQ(text(texte, G::p), "10.00"); // read before Da
    EXPECT_EQ(daten.p, 10);
    EXPECT_EQ(text(texte, G::Da), "1e999");
    EXPECT_EQ(daten.Da, 123);
    EXPECT_EQ(text(texte, G::s), "10"); // never reached
    EXPECT_EQ(daten.s, 4);
    EXPECT_EQ(text(texte, G::sG), "0.00");
}

TEST(Rechenabbruch, aNegativelyInfinitePadEntryIsReadAfterAllOthers)
{
    Berechnungsdaten daten;
    Kastentexte texte = basistexte({{G::phi, "60"}, {G::SScheibe, "-1e999"}});
    const Rechenlauf lauf = berechnung(daten, texte, zylinderStutzenScheibe, ".");

    EXPECT_EQ(lauf.status, meldung::allgemeinerFehler);
    EXPECT_EQ(text(texte, G::phi), "60.00");
    EXPECT_EQ(text(texte, G::bScheibe), "50.00");
    EXPECT_EQ(text(texte, G::hScheibe), "8.00");
    EXPECT_EQ(text(texte, G::KScheibe), "265.00");
    EXPECT_EQ(text(texte, G::SScheibe), "-1e999");
    EXPECT_EQ(daten.SScheibe, 0);
    EXPECT_TRUE(lauf.reservefarben.empty());
}

TEST(Rechenabbruch, theStartUpTextsStopAtTheShellWithEveryEntryRewritten)
{
    Berechnungsdaten daten;
    Kastentexte texte = starttexte();
    text(texte, G::bScheibe) = "keine Zahl";
    const Rechenlauf lauf = berechnung(daten, texte, nurSchale, ",");

    EXPECT_FALSE(lauf.berechnet);
    EXPECT_EQ(lauf.status, meldung::divisionDurchNull);
    EXPECT_EQ(lauf.statusfarbe, Statusfarbe::normal);
    EXPECT_EQ(text(texte, G::p), "0,50");
    EXPECT_EQ(text(texte, G::Da), "0,00");
    EXPECT_EQ(text(texte, G::v), "1,00");
    EXPECT_EQ(text(texte, G::S), "1,50");
    EXPECT_EQ(text(texte, G::Sis), "1,50"); // nozzle boxes are read with the nozzle off
    EXPECT_EQ(text(texte, G::phi), "90,00");
    // Pad off: its boxes stay as they are, the record takes the pad defaults.
    EXPECT_EQ(text(texte, G::bScheibe), "keine Zahl");
    EXPECT_EQ(text(texte, G::SScheibe), "1.5");
    EXPECT_EQ(daten.KScheibe, 265);
    EXPECT_EQ(daten.SScheibe, 1.5);
    EXPECT_EQ(text(texte, G::sG), "0.00");
    EXPECT_EQ(text(texte, G::rG), "0");
}

// Shell alone: its reserve and the zero reserve of the area comparison.
const Farben schaleGruen{{G::rG, gruen}, {G::rFV, gruen}};

// Each plausibility check on its own, with its boundary on the passing side.
const std::vector<Beispiel> urteile{
    {"wallHalfTheDiameter", nurSchale, {{G::Da, "20"}, {G::s, "10"}, {G::Das, "10"}},
     meldung::eingabenPruefen, Statusfarbe::gelb, schaleGruen, {}},
    {"wallJustBelowHalfTheDiameter", nurSchale, {{G::Da, "20.01"}, {G::s, "10"}, {G::Das, "10"}},
     meldung::ausreichend, Statusfarbe::normal, schaleGruen, {}},
    {"nozzleWallAboveHalfItsDiameter", nurSchale, {{G::Das, "9.99"}, {G::ss, "5"}},
     meldung::eingabenPruefen, Statusfarbe::gelb, schaleGruen, {}},
    {"nozzleWallExactlyHalfItsDiameter", nurSchale, {{G::Das, "10"}, {G::ss, "5"}},
     meldung::ausreichend, Statusfarbe::normal, schaleGruen, {}},
    {"zeroEffectiveShellWall", nurSchale, {{G::Da, "100"}, {G::s, "-3"}, {G::c1, "-3"}},
     meldung::eingabenPruefen, Statusfarbe::gelb, schaleGruen, {}},
    {"negativeEffectiveNozzleWall", nurSchale, {{G::c1s, "6"}},
     meldung::eingabenPruefen, Statusfarbe::gelb, schaleGruen, {}},
    {"zeroEffectiveNozzleWall", nurSchale, {{G::c1s, "5"}},
     meldung::ausreichend, Statusfarbe::normal, schaleGruen, {}},
    {"nozzleWiderThanShell", nurSchale, {{G::Das, "1000.01"}},
     meldung::eingabenPruefen, Statusfarbe::gelb, schaleGruen, {}},
    {"nozzleAsWideAsShell", nurSchale, {{G::Das, "1000"}},
     meldung::ausreichend, Statusfarbe::normal, schaleGruen, {}},
    {"insertedLengthBeyondShellDiameter", nurSchale, {{G::lsstrich, "1000.01"}},
     meldung::eingabenPruefen, Statusfarbe::gelb, schaleGruen, {}},
    {"insertedLengthEqualToShellDiameter", nurSchale, {{G::lsstrich, "1000"}},
     meldung::ausreichend, Statusfarbe::normal, schaleGruen, {}},
    {"thickNozzleWithAllReservesPositive", zylinderMitStutzen, {{G::ss, "60"}},
     meldung::eingabenPruefen, Statusfarbe::gelb, alleGruen, {}},
    {"negativeShellReserveHidesTheFailedCheck", zylinderMitStutzen, {{G::ss, "60"}, {G::s, "2.81"}},
     meldung::nichtAusreichend, Statusfarbe::rot, {{G::rG, rot}, {G::rS, gruen}, {G::rFV, gruen}}, {}},
    {"negativeNozzleReserve", zylinderMitStutzen, {{G::ss, "0.2"}},
     meldung::nichtAusreichend, Statusfarbe::rot, {{G::rG, gruen}, {G::rS, rot}, {G::rFV, gruen}}, {}},
};

INSTANTIATE_TEST_SUITE_P(Urteile, Rechenbeispiel, testing::ValuesIn(urteile),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Urteil, aReserveJustBelowZeroReadsMinusZeroAndCountsAsNegative)
{
    Berechnungsdaten daten;
    Kastentexte texte = basistexte({{G::s, "2.81"}});
    const Rechenlauf lauf = berechnung(daten, texte, nurSchale, ".");
    EXPECT_NEAR(daten.rG, -0.4323, 1e-4);
    EXPECT_EQ(text(texte, G::rG), "-0");
    EXPECT_EQ(lauf.status, meldung::nichtAusreichend);
    EXPECT_EQ(lauf.reservefarben, (Farben{{G::rG, rot}, {G::rFV, gruen}}));
}

TEST(Eingaben, onlyThePressureTakesItsAbsoluteValue)
{
    Berechnungsdaten daten;
    Kastentexte texte = basistexte({{G::p, "-10"}, {G::c1, "-1"}, {G::s, "-0.5"}});
    berechnung(daten, texte, nurSchale, ".");
    EXPECT_EQ(daten.p, 10);
    EXPECT_EQ(text(texte, G::p), "10.00");
    EXPECT_EQ(daten.c1, -1);
    EXPECT_EQ(text(texte, G::c1), "-1.00");
    EXPECT_EQ(daten.s, -0.5);
    EXPECT_EQ(text(texte, G::s), "-0.50");
}

TEST(Eingaben, aThirdDecimalIsUsedOnceAndRoundedAwayByTheRewrite)
{
    Berechnungsdaten daten;
    Kastentexte texte = basistexte({{G::phi, "45.678"}});
    berechnung(daten, texte, zylinderMitStutzen, ".");
    EXPECT_EQ(daten.phi, 45.678);
    EXPECT_EQ(text(texte, G::phi), "45.68");
    const double lsmErsterLauf = daten.lsm;

    berechnung(daten, texte, zylinderMitStutzen, ".");
    EXPECT_EQ(daten.phi, 45.68);
    EXPECT_NE(daten.lsm, lsmErsterLauf); // the angle factor of lsm sees the rounded angle
}

TEST(Eingaben, theFirstRunReadsTheDefaultAngleSoAPadKeepsFactorOne)
{
    Berechnungsdaten daten; // phi still 0 in the record
    Kastentexte texte = basistexte();
    berechnung(daten, texte, zylinderStutzenScheibe, ".");
    EXPECT_EQ(daten.phi, 90);
    EXPECT_EQ(daten.As2, 400); // 1.0 · 50 · 8
}

TEST(Eingaben, thePadFactorIsPointEightFromAnInsertedLengthEqualToTheWall)
{
    for (const auto& [lsstrich, As2] : {std::pair{"5", 320.0}, std::pair{"4.99", 280.0}}) {
        Berechnungsdaten daten;
        Kastentexte texte = basistexte({{G::phi, "60"}, {G::lsstrich, lsstrich}});
        berechnung(daten, texte, zylinderStutzenScheibe, ".");
        EXPECT_EQ(daten.As2, As2) << "ls' = " << lsstrich; // 0.8 or 0.7 · 50 · 8
    }
}

TEST(Eingaben, switchedOffPartsLeaveTheirResultsAlone)
{
    Berechnungsdaten daten;
    Kastentexte texte = basistexte();
    ASSERT_TRUE(berechnung(daten, texte, zylinderMitStutzen, ".").berechnet);
    const Berechnungsdaten mitStutzen = daten;

    const Rechenlauf lauf = berechnung(daten, texte, nurSchale, ".");
    EXPECT_EQ(lauf.reservefarben, schaleGruen);
    EXPECT_EQ(daten.sS, mitStutzen.sS);
    EXPECT_EQ(daten.pmaxS, mitStutzen.pmaxS);
    EXPECT_EQ(daten.rS, mitStutzen.rS);
    EXPECT_EQ(text(texte, G::rS), "1672");
    EXPECT_EQ(text(texte, G::lsm), "0.00");
    EXPECT_EQ(text(texte, G::rFV), "0");
}

// Sphere: the area comparison solved for the opening, without a volume term
// (which alone would give 9331.31 here).
TEST(Korrekturen, sphereDmaxIsALength)
{
    Berechnungsdaten daten;
    Kastentexte texte = basistexte({{G::x, "50"}});
    berechnung(daten, texte, kugelMitStutzen, ".");
    EXPECT_NEAR(daten.dmax, 604.6666666666667, 1e-10);
    EXPECT_EQ(text(texte, G::dmax), "604.67");
}

// As2 already holds the pad factor; applied again it would give 32.679.
TEST(Korrekturen, thePadFactorEntersPmaxFVOnce)
{
    Berechnungsdaten daten;
    Kastentexte texte = basistexte({{G::bScheibe, "60"}, {G::hScheibe, "12"}, {G::KScheibe, "200"},
                                    {G::SScheibe, "1.6"}, {G::phi, "70"}, {G::lsstrich, "3"},
                                    {G::Ks, "235"}, {G::Sis, "1.7"}});
    const Rechenlauf lauf = berechnung(daten, texte, zylinderStutzenScheibe, ".");
    ASSERT_TRUE(lauf.berechnet);
    EXPECT_EQ(daten.As2, 420); // 0.7 · 60 · min(12, s = 10)
    EXPECT_NEAR(daten.Ap, 77368.81384239488, 1e-8);
    EXPECT_NEAR(daten.rFV, 228.88478339263747, 1e-10);
    EXPECT_NEAR(daten.pmaxFV, 32.65276113653816, 1e-11);
    EXPECT_EQ(text(texte, G::pmaxFV), "32.65");
}

} // namespace
} // namespace velkor
