#include "formular/formular.h"
#include "project/projektdatei.h"
#include "report/zusammenfassung.h"

#include "tests/formular/formularhilfe.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace velkor {
namespace {

using K = Kasten;

// The model's whole state against tests/data/formular/NAME.txt.
void pruefeZustand(const Formular& f, const std::string& name)
{
    EXPECT_EQ(zustand(f), testdaten("formular/" + name + ".txt")) << name;
}

// Shell Da 1000, s 10, p 10 and a nozzle Da 100, s 5, ls 100, typed as a user would.
void grunddaten(Formular& f)
{
    f.setzeStutzen(true);
    for (const auto& [k, t] : {std::pair{K::TextDa, "1000"}, {K::Texts, "10"}, {K::TextDruck, "10"},
                               {K::TextDas, "100"}, {K::Textss, "5"}, {K::Textls, "100"}})
        eingeben(f, k, t);
}

// Rows of tests/data/formular/verlassen.txt, with a point, a comma and "٫" as the regional separator.
TEST(Formular, leavingABoxStoresAndRewritesItByItsRuleWithEverySeparator)
{
    for (const auto& z : tabelle("formular/verlassen.txt")) {
        const Kasteninfo& k = *std::ranges::find(kaesten(), z[0], &Kasteninfo::name);
        for (const std::string trenner : {".", ",", "٫"}) {
            SCOPED_TRACE(z[0] + " " + z[1] + " " + trenner);
            Formular f(trenner);
            eingeben(f, k.kasten, trenner == "٫" ? mitTrenner(z[1], trenner) : z[1]);
            EXPECT_EQ(wert(f.daten(), *groesseVon(k.kasten)), std::stod(z[2]));
            EXPECT_EQ(f.text(k.kasten), mitTrenner(z[3], trenner));
            EXPECT_EQ(f.statustext(), k.hilfetext);
            EXPECT_EQ(f.geaendert(), k.art == Kastenart::eingabe);
        }
    }
}

TEST(Formular, aNumberBeyondTheRangeOfADoubleIsNotStoredAndWarnsUntilCorrected)
{
    const std::string warnung = "Zahl außerhalb des Wertebereichs: Eingabe bitte korrigieren.";
    Formular f("٫"); // whose separator is no single byte
    eingeben(f, K::TextDa, "1000");
    eingeben(f, K::Textc1, "-1,5e999");
    EXPECT_EQ(f.text(K::Textc1), "-1,5e999");
    EXPECT_EQ(f.daten().c1, 0);
    EXPECT_EQ(f.statustext(), warnung);
    eingeben(f, K::TextDa, "1٫5e999");
    EXPECT_EQ(f.daten().Da, 1000);
    eingeben(f, K::TextDa, "1000");
    f.fokusErhalten(K::Texts);
    EXPECT_EQ(f.statustext(), warnung) << "c1 still holds one";
    eingeben(f, K::Textc1, "2");
    f.fokusErhalten(K::Texts);
    EXPECT_EQ(f.statustext(), "Nennwanddicke des Grundkörpers");
}

TEST(Formular, onlyARealChangeOfAnEntryOrProjectTextIsUnsaved)
{
    Formular f(".");
    f.tippe(K::TextDa, "0.00");
    f.fokusVerloren(K::TextDa);
    f.fokusVerloren(K::TextK); // "265.00" stays as it is, yet is stored now
    eingeben(f, K::TextErgebnisgk, "5");
    f.setzeDateinameAutomatisch(false);
    EXPECT_FALSE(f.geaendert());
    EXPECT_EQ(f.daten().K, 265);
    f.fokusVerloren(K::TextSi); // "1.5" becomes "1.50"
    EXPECT_TRUE(f.geaendert());
    f.gespeichert();
    EXPECT_EQ(f.statustext(), "Speichern erfolgreich.");
    EXPECT_FALSE(f.geaendert());
    f.tippe(K::TextBez, " Kessel ");
    EXPECT_TRUE(f.geaendert());
    EXPECT_EQ(f.projekt().bezeichnung, "") << "stored only on leaving";
    f.fokusVerloren(K::TextBez);
    EXPECT_EQ(f.projekt().bezeichnung, " Kessel ");
    f.gespeichert();
    f.tippe(K::TextSi, "1.5");
    f.gespeichert();
    f.berechne(); // its rewrite of "1.5" counts, results never do
    EXPECT_TRUE(f.geaendert());
}

TEST(Formular, switchesFollowTheirRulesAndOnlyAClickThatChangesOneCounts)
{
    Formular f(".");
    f.setzeScheibe(true); // no pad without a nozzle, yet the click counts
    EXPECT_FALSE(f.scheibe());
    EXPECT_TRUE(f.geaendert());
    f.gespeichert();
    f.setzeStutzen(false), f.setzeZylinder(true), f.setzeAusgehalst(false), f.setzeDateinameAutomatisch(false);
    EXPECT_FALSE(f.geaendert()) << "a switch set to the state it has runs nothing";
    f.setzeStutzen(true), f.setzeScheibe(true), f.setzeAusgehalst(true);
    EXPECT_EQ(f.statustext(), ausgehalstText);
    f.setzeStutzen(false);
    EXPECT_FALSE(f.scheibe() || f.ausgehalstFreigegeben()) << "the pad goes with the nozzle";
    EXPECT_TRUE(f.ausgehalst());
}

TEST(Formular, aCalculationShowsTheRunsTextsColoursAndVerdictAndResultBoxesComeBack)
{
    Formular f(",");
    grunddaten(f);
    f.berechne();
    pruefeZustand(f, "berechnet");
    eingeben(f, K::TextAs0, "1"); // typed over, restored without decimals
    f.fokusVerloren(K::TextErgebnisb);
    EXPECT_EQ(f.text(K::TextAs0), "995");
    EXPECT_EQ(f.text(K::TextErgebnisb), "99,50");

    eingeben(f, K::Texts, "2");
    eingeben(f, K::Textss, "0.2");
    f.berechne();
    pruefeZustand(f, "unterdimensioniert");
    // The nozzle switched off keeps its red reserve; the area reserve turns green.
    eingeben(f, K::Texts, "10");
    f.setzeStutzen(false);
    f.berechne();
    pruefeZustand(f, "ohne_stutzen");
}

TEST(Formular, theReportIsRefusedWhenTheRunStopsAndTakesTheBoxTextsAsTheyStand)
{
    Formular f(",");
    grunddaten(f);
    f.setzeZylinder(false);
    f.tippe(K::TextBez, "Behälter\x1b" "1"); // not left: the box text counts, its control character a blank
    f.tippe(K::TextNummer, "\x01" "7\xc2\x85À");
    const std::string bericht = f.bericht().value_or("");
    EXPECT_EQ(f.rechenstand()->daten.nummer, " 7 À") << "the drawing's heading; À is 0xC3 0x80";
    for (const char* zeile : {"Projekt:        Behälter 1", "Grundkörper:Kugel", "Aussendurchmesser               Da = 100,00 mm"})
        EXPECT_NE(bericht.find("\r\n" + std::string(zeile) + "\r\n"), std::string::npos) << zeile;
    for (const auto& [eingabe, farbe] : {std::pair{"0", Statusfarbe::normal}, {"1e999", Statusfarbe::gelb}}) {
        f.tippe(K::TextDruck, eingabe);
        EXPECT_FALSE(f.bericht());
        EXPECT_FALSE(f.berechnet());
        EXPECT_EQ(f.statustext(), "Ausgabe nicht möglich: Berechnung abgebrochen.");
        EXPECT_EQ(f.statusfarbe(), farbe);
    }
}

// A new form shows the default texts, zero values and only the shell enabled.
TEST(Formular, startsWithTheDefaultsAndClearingZeroesEverythingButKeepsTheAreaReserveColour)
{
    Formular f(".");
    f.fokusErhalten(K::TextDa);
    pruefeZustand(f, "start");
    grunddaten(f);
    eingeben(f, K::Texts, "2");
    f.setzeScheibe(true);
    f.setzeAusgehalst(true);
    f.setzeDateinameAutomatisch(false);
    eingeben(f, K::TextBez, "B");
    f.berechne();
    f.setzeZylinder(false);
    f.loesche();
    pruefeZustand(f, "geloescht");
}

// Values the run will replace, a pad without a nozzle, a sphere.
Projekt geladen() { return ladeProjektdatei(VELKOR_TESTDATEN "/formular/geladen.vlk").projekt.value(); }

TEST(Formular, loadingAppliesValuesHeadingAndSwitchesThroughTheirRulesThenCalculates)
{
    Formular f(".");
    f.setzeStutzen(true);
    f.setzeScheibe(true);
    eingeben(f, K::TextBearb, "alt");
    EXPECT_EQ(f.uebernehme(geladen()).ausgang, Ausgang::ausreichend);
    pruefeZustand(f, "geladen");

    Projekt p = geladen();
    p.daten.p = 0;
    p.daten.zylinder = true;
    p.stutzen = true;
    Formular g(",");
    EXPECT_EQ(g.uebernehme(p).ausgang, Ausgang::nullteiler);
    pruefeZustand(g, "geladen_abgebrochen");
}

// The check at test pressure after the operating case: its status wins only
// where the operating case passed, and the report and the worked calculation carry it.
TEST(Formular, theCheckAtTestPressureJoinsStatusReportAndWorkedCalculation)
{
    Formular f(",");
    f.uebernehme(ladeProjektdatei(VELKOR_TESTDATEN "/../../examples/zylinder-stutzen.vlk").projekt.value());
    f.setzePruefangaben({.an = true, .pT = 30, .K20 = 280});
    ASSERT_TRUE(f.geaendert());
    const std::optional<std::string> bericht = f.bericht();
    EXPECT_EQ(f.statustext(), "Nicht ausreichend im Prüfzustand!");
    EXPECT_EQ(f.statusfarbe(), Statusfarbe::rot);
    EXPECT_EQ(bericht, testdaten("formular/pruefzustand_bericht.txt"));
    EXPECT_EQ(f.rechengang(), testdaten("formular/pruefzustand_rechengang.txt"));
    const std::string summe = zusammenfassung(*f.rechenstand());
    EXPECT_NE(summe.find("\r\nAusreichend dimensioniert.\r\nPrüfzustand: pT = 30,00 bar > pmax = 28,82 bar "
                         "(Flächenvergleich)\r\nNICHT AUSREICHEND IM PRÜFZUSTAND!\r\n"), std::string::npos) << summe;
}

} // namespace
} // namespace velkor
