#include "formular/formular.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <random>
#include <set>
#include <string>
#include <tuple>

namespace velkor {
namespace {

using K = Kasten;

constexpr std::array stutzenKaesten{K::TextDas, K::Textss, K::Textc1s, K::Textc2s, K::TextKs,
                                    K::TextSis, K::Textls, K::Textlsstrich, K::Textx, K::Textphi};
constexpr std::array scheibenKaesten{K::Textb, K::Texth, K::TextKScheibe, K::TextSiScheibe};

bool imStutzen(Kasten k)
{
    return std::find(stutzenKaesten.begin(), stutzenKaesten.end(), k) != stutzenKaesten.end();
}
bool inScheibe(Kasten k)
{
    return std::find(scheibenKaesten.begin(), scheibenKaesten.end(), k) != scheibenKaesten.end();
}

// What the user does in one box: enter it, type, leave it.
void eingeben(Formular& f, Kasten k, const std::string& text)
{
    f.fokusErhalten(k);
    f.tippe(k, text);
    f.fokusVerloren(k);
}

// Shell Da 1000, s 10, no allowances, v 1, K 265, S 1.5, p 10.
void grunddaten(Formular& f)
{
    eingeben(f, K::TextDa, "1000");
    eingeben(f, K::Texts, "10");
    eingeben(f, K::Textc1, "0");
    eingeben(f, K::Textc2, "0");
    eingeben(f, K::Textv, "1");
    eingeben(f, K::TextK, "265");
    eingeben(f, K::TextSi, "1,5");
    eingeben(f, K::TextDruck, "10");
}

// Nozzle Das 100, ss 5, no allowances, Ks 265, Sis 1.5, ls 100, ls' 0, x 0, phi 90.
void stutzendaten(Formular& f)
{
    f.setzeStutzen(true);
    eingeben(f, K::TextDas, "100");
    eingeben(f, K::Textss, "5");
    eingeben(f, K::TextKs, "265");
    eingeben(f, K::TextSis, "1.5");
    eingeben(f, K::Textls, "100");
    eingeben(f, K::Textlsstrich, "0");
    eingeben(f, K::Textx, "0");
    eingeben(f, K::Textphi, "90");
}

// ---------------------------------------------------------------- the box table

TEST(Kastentabelle, sortsTheFortyBoxesIntoTheirKindsAndLeavingRules)
{
    std::set<std::string_view> namen;
    std::size_t eingaben = 0, projekte = 0, ergebnisse = 0;
    std::set<Kasten> betrag;
    for (const Kasteninfo& k : kaesten()) {
        namen.insert(k.name);
        eingaben += k.art == Kastenart::eingabe;
        projekte += k.art == Kastenart::projekt;
        ergebnisse += k.art == Kastenart::ergebnis;
        if (k.regel == Regel::betrag)
            betrag.insert(k.kasten);
        EXPECT_EQ(k.art == Kastenart::ergebnis, k.regel == Regel::wiederherstellen) << k.name;
        EXPECT_EQ(k.art == Kastenart::projekt, k.regel == Regel::text) << k.name;
        EXPECT_FALSE(k.hilfetext.empty()) << k.name;
        EXPECT_FALSE(k.tooltip.empty()) << k.name;
    }
    EXPECT_EQ(namen.size(), anzahlKaesten);
    EXPECT_EQ(eingaben, 22u);
    EXPECT_EQ(projekte, 3u);
    EXPECT_EQ(ergebnisse, 15u);
    EXPECT_EQ(betrag, (std::set<Kasten>{K::Textc1, K::Textc2, K::Textc1s, K::Textc2s, K::TextDruck}));
    EXPECT_EQ(info(K::Textphi).regel, Regel::winkel);
    EXPECT_EQ(info(K::TextDruck).name, "TextDruck");
    EXPECT_EQ(info(K::Textlsstrich).name, "Textlsstrich");
}

TEST(Kastentabelle, restoresReservesAndAreasWithoutDecimals)
{
    const std::set<Kasten> ganz{K::TextErgebnisgkprozent, K::TextErgebnisstutzenprozent,
                                K::TextFVprozent, K::TextAs0, K::TextAs1, K::TextAs2, K::TextAp};
    for (const Kasteninfo& k : kaesten()) {
        if (k.art != Kastenart::ergebnis)
            continue;
        EXPECT_EQ(k.muster == Muster::ganz, ganz.count(k.kasten) == 1) << k.name;
    }
}

// ---------------------------------------------------------------- start-up

TEST(FormularStart, showsTheDefaultsWithStoredValuesAtZero)
{
    Formular f(".");
    EXPECT_EQ(f.text(K::TextDa), "0.00");
    EXPECT_EQ(f.text(K::Textv), "1.00");
    EXPECT_EQ(f.text(K::TextK), "265.00");
    EXPECT_EQ(f.text(K::TextSi), "1.5");
    EXPECT_EQ(f.text(K::TextDruck), "0.5");
    EXPECT_EQ(f.text(K::Textphi), "90.00");
    EXPECT_EQ(f.text(K::TextErgebnisgkprozent), "0");
    EXPECT_EQ(f.text(K::TextFVprozent), "0");
    EXPECT_EQ(f.text(K::TextAs0), "0.00");
    EXPECT_EQ(f.text(K::TextBez), "");
    for (const Groesseninfo& g : groessen())
        EXPECT_EQ(wert(f.daten(), g.groesse), 0.0) << g.name;
    EXPECT_EQ(f.statustext(), "Bitte Eingaben vervollständigen");
    EXPECT_EQ(f.statusfarbe(), Statusfarbe::normal);
    EXPECT_TRUE(f.zylinder());
    EXPECT_FALSE(f.stutzen());
    EXPECT_FALSE(f.scheibe());
    EXPECT_FALSE(f.ausgehalst());
    EXPECT_FALSE(f.ausgehalstFreigegeben());
    EXPECT_TRUE(f.dateinameAutomatisch());
    EXPECT_FALSE(f.geaendert());
    EXPECT_FALSE(f.berechnet());
    EXPECT_EQ(f.gespeicherterText(K::TextBez), "");
    for (Groesse r : {Groesse::rG, Groesse::rS, Groesse::rFV})
        EXPECT_EQ(f.reservefarbe(r), Reservefarbe::gruen);
    for (const Kasteninfo& k : kaesten())
        EXPECT_EQ(f.freigegeben(k.kasten), !imStutzen(k.kasten) && !inScheibe(k.kasten)) << k.name;
}

TEST(FormularStart, focusOnTheFirstBoxShowsItsHelpText)
{
    Formular f(",");
    f.fokusErhalten(K::TextDa);
    EXPECT_EQ(f.statustext(), "Außendurchmesser des Grundkörpers");
    EXPECT_EQ(f.statusfarbe(), Statusfarbe::normal);
    EXPECT_FALSE(f.geaendert());
}

// ---------------------------------------------------------------- leaving a box

struct Verlassen {
    Kasten kasten;
    std::string eingabe;
    double gespeichert;
    std::string mitPunkt;
    std::string mitKomma;
};

void PrintTo(const Verlassen& v, std::ostream* os)
{
    *os << info(v.kasten).name << " \"" << v.eingabe << "\"";
}

class Verlassensregel : public testing::TestWithParam<Verlassen> {};

TEST_P(Verlassensregel, storesAndRewritesWithEitherSeparator)
{
    const Verlassen& v = GetParam();
    for (const std::string trenner : {".", ","}) {
        Formular f(trenner);
        eingeben(f, v.kasten, v.eingabe);
        EXPECT_EQ(wert(f.daten(), *groesseVon(v.kasten)), v.gespeichert) << trenner;
        EXPECT_EQ(f.text(v.kasten), trenner == "." ? v.mitPunkt : v.mitKomma);
        EXPECT_TRUE(f.geaendert());
        EXPECT_EQ(f.statustext(), info(v.kasten).hilfetext);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Formular, Verlassensregel,
    testing::Values(Verlassen{K::TextDa, "12,5", 12.5, "12.50", "12,50"},
                    Verlassen{K::TextDa, "12.5", 12.5, "12.50", "12,50"},
                    Verlassen{K::Textc1, "-3", 3, "3.00", "3,00"},
                    Verlassen{K::Textc2s, "-0,25", 0.25, "0.25", "0,25"},
                    Verlassen{K::TextDruck, "-0.5", 0.5, "0.50", "0,50"},
                    Verlassen{K::TextDa, "-3", -3, "-3.00", "-3,00"},
                    Verlassen{K::Texts, "-0.5", -0.5, "-0.50", "-0,50"},
                    Verlassen{K::Textphi, "30", 90, "90.00", "90,00"},
                    Verlassen{K::Textphi, "45", 45, "45.00", "45,00"},
                    Verlassen{K::Textphi, "90", 90, "90.00", "90,00"},
                    Verlassen{K::Textphi, "90,5", 90, "90.00", "90,00"},
                    Verlassen{K::Textphi, "-60", 90, "90.00", "90,00"},
                    Verlassen{K::Textphi, "60", 60, "60.00", "60,00"},
                    Verlassen{K::Textphi, "44.999", 90, "90.00", "90,00"},
                    Verlassen{K::Textphi, "45.678", 45.678, "45.68", "45,68"},
                    Verlassen{K::TextK, "abc", 0, "0.00", "0,00"},
                    Verlassen{K::TextK, "", 0, "0.00", "0,00"},
                    Verlassen{K::TextDa, "1.234,5", 1.234, "1.23", "1,23"},
                    Verlassen{K::TextDa, "12 mm", 12, "12.00", "12,00"},
                    Verlassen{K::Texth, "1e3", 1000, "1000.00", "1000,00"}),
    [](const testing::TestParamInfo<Verlassen>& p) {
        return std::string(velkor::info(p.param.kasten).name) + "_" + std::to_string(p.index);
    });

TEST(FormularVerlassen, aNumberBeyondTheRangeOfADoubleIsNotStored)
{
    Formular f(".");
    eingeben(f, K::TextDa, "1000");
    eingeben(f, K::Textc1, "2");
    for (const auto& [kasten, eingabe, vorher] :
         {std::tuple{K::TextDa, "1e999", 1000.0}, std::tuple{K::Textc1, "-1,5e999", 2.0}}) {
        f.fokusErhalten(kasten);
        f.tippe(kasten, eingabe);
        f.fokusVerloren(kasten);
        EXPECT_EQ(f.text(kasten), eingabe);
        EXPECT_EQ(wert(f.daten(), *groesseVon(kasten)), vorher);
        EXPECT_EQ(f.statustext(), "Zahl außerhalb des Wertebereichs: Eingabe bitte korrigieren.");
    }
    // The warning stays while any box holds such a number, then help texts return.
    f.fokusErhalten(K::Texts);
    EXPECT_EQ(f.statustext(), "Zahl außerhalb des Wertebereichs: Eingabe bitte korrigieren.");
    eingeben(f, K::TextDa, "1000");
    f.fokusErhalten(K::Texts);
    EXPECT_EQ(f.statustext(), "Zahl außerhalb des Wertebereichs: Eingabe bitte korrigieren.");
    eingeben(f, K::Textc1, "2");
    f.fokusErhalten(K::Texts);
    EXPECT_EQ(f.statustext(), "Nennwanddicke des Grundkörpers");
    EXPECT_EQ(f.daten().Da, 1000.0);
}

TEST(FormularVerlassen, aProjectBoxStoresItsTextAsTypedWithoutRewriting)
{
    Formular f(",");
    f.fokusErhalten(K::TextBez);
    EXPECT_EQ(f.statustext(), "Bezeichnung des Projektes");
    f.tippe(K::TextBez, "  Behälter 1, Teil 2 ");
    EXPECT_TRUE(f.geaendert());
    EXPECT_EQ(f.gespeicherterText(K::TextBez), "") << "stored only on leaving";
    EXPECT_EQ(f.projekt().bezeichnung, "");
    f.fokusVerloren(K::TextBez);
    EXPECT_EQ(f.text(K::TextBez), "  Behälter 1, Teil 2 ");
    EXPECT_EQ(f.gespeicherterText(K::TextBez), "  Behälter 1, Teil 2 ");
    eingeben(f, K::TextNummer, "12");
    eingeben(f, K::TextBearb, "Mö");
    const Projekt p = f.projekt();
    EXPECT_EQ(p.bezeichnung, "  Behälter 1, Teil 2 ");
    EXPECT_EQ(p.nummer, "12");
    EXPECT_EQ(p.bearbeiter, "Mö");
}

TEST(FormularVerlassen, aTypedOverResultBoxGetsItsStoredResultBack)
{
    Formular f(".");
    f.fokusErhalten(K::TextErgebnisgk);
    EXPECT_EQ(f.statustext(), "Erforderliche Wanddicke des Grundkörpers");
    f.tippe(K::TextErgebnisgk, "999");
    EXPECT_EQ(f.text(K::TextErgebnisgk), "999");
    f.fokusVerloren(K::TextErgebnisgk);
    EXPECT_EQ(f.text(K::TextErgebnisgk), "0.00");
    eingeben(f, K::TextErgebnisgkprozent, "-5");
    EXPECT_EQ(f.text(K::TextErgebnisgkprozent), "0");
    eingeben(f, K::TextAs1, "7");
    EXPECT_EQ(f.text(K::TextAs1), "0");
    EXPECT_FALSE(f.geaendert());
    EXPECT_EQ(f.daten().sG, 0.0);
}

TEST(FormularVerlassen, areaBoxesComeBackWithoutDecimalsAfterACalculation)
{
    Formular f(",");
    grunddaten(f);
    stutzendaten(f);
    f.berechne();
    ASSERT_EQ(f.text(K::TextAs0), "994,99");
    ASSERT_EQ(f.text(K::TextAp), "74930,32");
    f.gespeichert();
    eingeben(f, K::TextAs0, "1");
    EXPECT_EQ(f.text(K::TextAs0), "995");
    f.fokusVerloren(K::TextAp);
    EXPECT_EQ(f.text(K::TextAp), "74930");
    f.fokusVerloren(K::TextErgebnisb);
    EXPECT_EQ(f.text(K::TextErgebnisb), "99,50");
    f.fokusVerloren(K::TextFVprozent);
    EXPECT_EQ(f.text(K::TextFVprozent), "178");
    EXPECT_FALSE(f.geaendert());
}

// ---------------------------------------------------------------- geaendert

TEST(FormularGeaendert, followsEveryRealChangeOfAnEntryText)
{
    Formular f(".");
    f.tippe(K::TextDa, "0.00");
    EXPECT_FALSE(f.geaendert()) << "the same text is no change";
    f.fokusVerloren(K::TextDa);
    EXPECT_FALSE(f.geaendert()) << "0.00 is rewritten as 0.00";
    f.fokusVerloren(K::TextK);
    EXPECT_FALSE(f.geaendert());
    EXPECT_EQ(f.daten().K, 265.0);
    f.fokusVerloren(K::TextSi);
    EXPECT_TRUE(f.geaendert()) << "1.5 becomes 1.50";
    EXPECT_EQ(f.text(K::TextSi), "1.50");

    Formular g(".");
    g.tippe(K::Texts, "1.5");
    EXPECT_TRUE(g.geaendert());
    g.gespeichert();
    EXPECT_FALSE(g.geaendert());
    EXPECT_EQ(g.statustext(), "Speichern erfolgreich.");
    g.fokusVerloren(K::Texts);
    EXPECT_TRUE(g.geaendert()) << "the rewrite to 1.50 is a change";

    Formular h(",");
    h.fokusVerloren(K::TextDa);
    EXPECT_EQ(h.text(K::TextDa), "0,00");
    EXPECT_TRUE(h.geaendert());
}

TEST(FormularGeaendert, theCalculationsRewriteOfADefaultTextCounts)
{
    Formular f(".");
    grunddaten(f);
    f.berechne();
    f.gespeichert();
    f.berechne();
    EXPECT_FALSE(f.geaendert()) << "nothing rewritten: results never count";
    f.tippe(K::TextSi, "1.5");
    f.gespeichert();
    f.berechne();
    EXPECT_EQ(f.text(K::TextSi), "1.50");
    EXPECT_TRUE(f.geaendert());
}

// ---------------------------------------------------------------- switches

TEST(FormularSchalter, theNozzleSwitchGovernsItsBoxesAndTheExtrudedOutlet)
{
    Formular f(".");
    f.setzeStutzen(true);
    EXPECT_TRUE(f.stutzen());
    EXPECT_TRUE(f.geaendert());
    EXPECT_TRUE(f.ausgehalstFreigegeben());
    for (Kasten k : stutzenKaesten)
        EXPECT_TRUE(f.freigegeben(k));
    for (Kasten k : scheibenKaesten)
        EXPECT_FALSE(f.freigegeben(k));
    EXPECT_FALSE(f.scheibe());
    EXPECT_EQ(f.statustext(), startstatus);

    f.setzeScheibe(true);
    f.setzeAusgehalst(true);
    eingeben(f, K::TextDas, "100");
    eingeben(f, K::Textb, "50");
    f.setzeStutzen(false);
    EXPECT_FALSE(f.stutzen());
    EXPECT_FALSE(f.scheibe());
    EXPECT_FALSE(f.ausgehalstFreigegeben());
    EXPECT_TRUE(f.ausgehalst()) << "disabled, yet still checked";
    for (Kasten k : stutzenKaesten)
        EXPECT_FALSE(f.freigegeben(k));
    for (Kasten k : scheibenKaesten)
        EXPECT_FALSE(f.freigegeben(k));

    f.setzeStutzen(true);
    EXPECT_FALSE(f.scheibe()) << "the pad stays off";
    EXPECT_FALSE(f.freigegeben(K::Textb));
    EXPECT_EQ(f.text(K::TextDas), "100.00");
    EXPECT_EQ(f.text(K::Textb), "50.00");
    EXPECT_EQ(f.daten().Das, 100.0);
}

TEST(FormularSchalter, thePadCannotBeSwitchedOnWithoutANozzleButTheClickCounts)
{
    Formular f(".");
    f.setzeScheibe(true);
    EXPECT_FALSE(f.scheibe());
    EXPECT_TRUE(f.geaendert());
    for (Kasten k : scheibenKaesten)
        EXPECT_FALSE(f.freigegeben(k));
}

TEST(FormularSchalter, settingTheStateASwitchHasRunsNothing)
{
    Formular f(".");
    f.setzeStutzen(false);
    f.setzeScheibe(false);
    f.setzeAusgehalst(false);
    f.setzeZylinder(true);
    EXPECT_FALSE(f.geaendert());
    EXPECT_EQ(f.statustext(), startstatus);
    f.setzeDateinameAutomatisch(false);
    EXPECT_FALSE(f.dateinameAutomatisch());
    EXPECT_FALSE(f.geaendert()) << "the file name switch is no input";
}

TEST(FormularSchalter, theExtrudedOutletWritesItsStatusTextInEitherDirection)
{
    Formular f(".");
    f.setzeStutzen(true);
    f.setzeStatus("x", Statusfarbe::rot);
    f.setzeAusgehalst(true);
    EXPECT_EQ(f.statustext(), "ausgehalste Ausschnitte nach B9 4.4.1 (As wird mit 0.9 multipliziert)");
    EXPECT_EQ(f.statusfarbe(), Statusfarbe::rot);
    EXPECT_TRUE(f.ausgehalst());
    f.setzeStatustext("y");
    f.setzeAusgehalst(false);
    EXPECT_EQ(f.statustext(), ausgehalstText);
    EXPECT_FALSE(f.ausgehalst());
}

TEST(FormularSchalter, theShapeOptionsSetTheFlagAndNothingElse)
{
    Formular f(".");
    f.setzeZylinder(false);
    EXPECT_FALSE(f.zylinder());
    EXPECT_FALSE(f.daten().zylinder);
    EXPECT_FALSE(f.projekt().daten.zylinder);
    EXPECT_TRUE(f.geaendert());
    EXPECT_TRUE(f.freigegeben(K::Textv));
    EXPECT_EQ(f.statustext(), startstatus);
    f.setzeZylinder(true);
    EXPECT_TRUE(f.projekt().daten.zylinder);
}

TEST(FormularSchalter, keepTheirInvariantsThroughAnyRandomSequence)
{
    Formular f(".");
    std::mt19937 zufall(20240611);
    bool stutzen = false, scheibe = false, ausgehalst = false, zylinder = true;
    for (int schritt = 0; schritt < 5000; ++schritt) {
        const int welcher = static_cast<int>(zufall() % 4);
        const bool an = zufall() % 2 == 1;
        f.gespeichert();
        f.setzeStatustext("vorher");
        bool geklickt = false; // the requested state differs from the switch's
        switch (welcher) {
        case 0:
            geklickt = an != stutzen;
            f.setzeStutzen(an);
            stutzen = an;
            scheibe = scheibe && an;
            break;
        case 1:
            geklickt = an != scheibe;
            f.setzeScheibe(an);
            scheibe = an && stutzen;
            break;
        case 2:
            geklickt = an != ausgehalst;
            f.setzeAusgehalst(an);
            ausgehalst = an;
            break;
        default:
            geklickt = an != zylinder;
            f.setzeZylinder(an);
            zylinder = an;
            break;
        }
        SCOPED_TRACE(testing::Message() << "step " << schritt << " switch " << welcher << " to " << an);
        ASSERT_EQ(f.stutzen(), stutzen);
        ASSERT_EQ(f.scheibe(), scheibe);
        ASSERT_EQ(f.ausgehalst(), ausgehalst);
        ASSERT_EQ(f.zylinder(), zylinder);
        ASSERT_EQ(f.projekt().daten.zylinder, zylinder);
        ASSERT_TRUE(!f.scheibe() || f.stutzen());
        ASSERT_EQ(f.ausgehalstFreigegeben(), f.stutzen());
        for (const Kasteninfo& k : kaesten()) {
            const bool frei = imStutzen(k.kasten) ? f.stutzen() : inScheibe(k.kasten) ? f.scheibe() : true;
            ASSERT_EQ(f.freigegeben(k.kasten), frei) << k.name;
        }
        ASSERT_EQ(f.geaendert(), geklickt);
        const bool ausgehalstGeklickt = welcher == 2 && geklickt;
        ASSERT_EQ(f.statustext(), ausgehalstGeklickt ? std::string(ausgehalstText) : "vorher");
    }
}

// ---------------------------------------------------------------- calculation

struct Erwartet {
    Kasten kasten;
    std::string text;
};

TEST(FormularBerechnung, typedCylinderWithNozzleReachesTheWorkedExample)
{
    Formular f(".");
    grunddaten(f);
    stutzendaten(f);
    const Rechenlauf lauf = f.berechne();
    EXPECT_TRUE(lauf.berechnet);
    EXPECT_TRUE(f.berechnet());
    EXPECT_EQ(f.statustext(), "Ausreichend dimensioniert.");
    EXPECT_EQ(f.statusfarbe(), Statusfarbe::normal);
    for (const Erwartet& e : {
             Erwartet{K::TextErgebnisgk, "2.82"}, {K::Textpmaxgk, "35.69"},
             {K::TextErgebnisgkprozent, "254"}, {K::TextErgebnisstutzen, "0.28"},
             {K::Textpmaxs, "185.96"}, {K::TextErgebnisstutzenprozent, "1672"},
             {K::TextErgebnisb, "99.50"}, {K::TextErgebnisls, "27.24"}, {K::TextAs0, "994.99"},
             {K::TextAs1, "186.22"}, {K::TextAs2, "0.00"}, {K::TextAp, "74930.32"},
             {K::TextFVprozent, "178"}, {K::Textpmaxfv, "27.63"}, {K::Textdmax, "506.12"},
             {K::TextSi, "1.50"}, {K::TextDruck, "10.00"}, {K::TextKScheibe, "265.00"}})
        EXPECT_EQ(f.text(e.kasten), e.text) << info(e.kasten).name;
    for (Groesse r : {Groesse::rG, Groesse::rS, Groesse::rFV})
        EXPECT_EQ(f.reservefarbe(r), Reservefarbe::gruen);
    EXPECT_NEAR(f.daten().rG, 254.3333333, 1e-6);
    EXPECT_NEAR(f.daten().Ap, 74930.3247461, 1e-6);
    // The pad is off: its stored values are the calculation's stand-ins.
    EXPECT_EQ(f.daten().KScheibe, 265.0);
    EXPECT_EQ(f.daten().SScheibe, 1.5);
}

TEST(FormularBerechnung, sphereWithPadAndCommaSeparator)
{
    Formular f(",");
    grunddaten(f);
    stutzendaten(f);
    f.setzeZylinder(false);
    f.berechne();
    EXPECT_EQ(f.text(K::TextErgebnisgk), "1,41");
    EXPECT_EQ(f.text(K::TextErgebnisgkprozent), "608");
    EXPECT_EQ(f.text(K::TextAp), "29699,69");

    f.setzeZylinder(true);
    f.setzeScheibe(true);
    eingeben(f, K::Textb, "50");
    eingeben(f, K::Texth, "8");
    eingeben(f, K::TextKScheibe, "265");
    eingeben(f, K::TextSiScheibe, "1,5");
    eingeben(f, K::Textphi, "60");
    eingeben(f, K::Textlsstrich, "10");
    f.berechne();
    EXPECT_EQ(f.text(K::TextErgebnisls), "25,43");
    EXPECT_EQ(f.text(K::TextAs1), "227,13");
    EXPECT_EQ(f.text(K::TextAs2), "320,00");
    EXPECT_EQ(f.text(K::TextAp), "80122,90");
    EXPECT_EQ(f.text(K::TextFVprozent), "239");
    EXPECT_EQ(f.statustext(), "Ausreichend dimensioniert.");
}

// Shell s 2 and nozzle ss 0.2 on the base data: all three reserves negative.
void zuDuenn(Formular& f)
{
    grunddaten(f);
    stutzendaten(f);
    eingeben(f, K::Texts, "2");
    eingeben(f, K::Textss, "0.2");
}

TEST(FormularBerechnung, negativeReservesTurnRedWithTheInsufficientVerdict)
{
    Formular f(".");
    zuDuenn(f);
    f.berechne();
    EXPECT_EQ(f.text(K::TextErgebnisgkprozent), "-29");
    EXPECT_EQ(f.text(K::TextErgebnisstutzenprozent), "-29");
    EXPECT_EQ(f.text(K::TextFVprozent), "-66");
    EXPECT_EQ(f.text(K::Textpmaxgk), "7.08");
    EXPECT_EQ(f.text(K::TextAp), "47526.67");
    for (Groesse r : {Groesse::rG, Groesse::rS, Groesse::rFV})
        EXPECT_EQ(f.reservefarbe(r), Reservefarbe::rot);
    EXPECT_EQ(f.statustext(), "Nicht ausreichend dimensioniert!");
    EXPECT_EQ(f.statusfarbe(), Statusfarbe::rot);
    EXPECT_TRUE(f.berechnet());

    // A nozzle switched off leaves its old colour alone; the area reserve turns green.
    eingeben(f, K::Texts, "10");
    f.setzeStutzen(false);
    f.berechne();
    EXPECT_EQ(f.reservefarbe(Groesse::rG), Reservefarbe::gruen);
    EXPECT_EQ(f.reservefarbe(Groesse::rS), Reservefarbe::rot);
    EXPECT_EQ(f.reservefarbe(Groesse::rFV), Reservefarbe::gruen);
    EXPECT_EQ(f.text(K::TextFVprozent), "0");
    EXPECT_EQ(f.text(K::TextErgebnisstutzenprozent), "-29");
}

TEST(FormularBerechnung, startUpDataStopAtADivisionByZero)
{
    Formular f(".");
    const Rechenlauf lauf = f.berechne();
    EXPECT_FALSE(lauf.berechnet);
    EXPECT_FALSE(f.berechnet());
    EXPECT_EQ(f.statustext(), "Division durch Null");
    EXPECT_EQ(f.statusfarbe(), Statusfarbe::normal);
    EXPECT_EQ(f.text(K::TextSi), "1.50");
    EXPECT_EQ(f.daten().K, 265.0);
    EXPECT_EQ(f.daten().p, 0.5);
}

// ---------------------------------------------------------------- report

TEST(FormularBericht, isRefusedAfterADivisionByZeroKeepingItsColour)
{
    Formular f(".");
    grunddaten(f);
    ASSERT_TRUE(f.bericht().has_value());
    eingeben(f, K::TextDruck, "0");
    EXPECT_FALSE(f.bericht().has_value());
    EXPECT_FALSE(f.berechnet());
    EXPECT_EQ(f.statustext(), "Ausgabe nicht möglich: Berechnung abgebrochen.");
    EXPECT_EQ(f.statusfarbe(), Statusfarbe::normal);
}

TEST(FormularBericht, isRefusedAfterTheGeneralErrorKeepingYellow)
{
    Formular f(".");
    grunddaten(f);
    f.tippe(K::TextDa, "1e999"); // left unstored: the calculation reads the box
    f.fokusVerloren(K::TextDa);
    EXPECT_FALSE(f.bericht().has_value());
    EXPECT_EQ(f.statustext(), "Ausgabe nicht möglich: Berechnung abgebrochen.");
    EXPECT_EQ(f.statusfarbe(), Statusfarbe::gelb);
    EXPECT_FALSE(f.berechnet());
}

TEST(FormularBericht, takesTheBoxTextsAsTheyStandAfterTheRun)
{
    Formular f(",");
    grunddaten(f);
    f.setzeZylinder(false);
    f.tippe(K::TextBez, "Behälter 1"); // not left: the box text counts
    f.tippe(K::TextDa, "1000");        // not left: the run rewrites it
    const std::optional<std::string> text = f.bericht();
    ASSERT_TRUE(text.has_value());
    EXPECT_TRUE(text->starts_with("\r\nKalvero Modul Velkor\r\n"));
    for (const char* zeile : {"\r\nProjekt:        Behälter 1\r\n", "\r\nNummer:         \r\n",
                              "\r\nGrundkörper:Kugel\r\n",
                              "\r\nAussendurchmesser               Da = 1000,00 mm\r\n",
                              "\r\nErforderliche Wanddicke          s = 1,41 mm\r\n",
                              "\r\nWanddickenreserve                  = 608 % => OK!\r\n"})
        EXPECT_NE(text->find(zeile), std::string::npos) << zeile;
    EXPECT_EQ(text->find("Stutzen"), std::string::npos);
    EXPECT_EQ(f.statustext(), "Ausreichend dimensioniert.");
}

// ---------------------------------------------------------------- clearing

TEST(FormularLoeschen, zeroesEverythingSwitchesOffAndKeepsTheAreaReserveColour)
{
    Formular f(".");
    zuDuenn(f);
    f.setzeScheibe(true);
    f.setzeAusgehalst(true);
    f.setzeDateinameAutomatisch(false);
    eingeben(f, K::TextBez, "B");
    eingeben(f, K::TextNummer, "N");
    eingeben(f, K::TextBearb, "M");
    f.berechne();
    f.setzeZylinder(false);
    ASSERT_EQ(f.reservefarbe(Groesse::rFV), Reservefarbe::rot);
    ASSERT_EQ(f.reservefarbe(Groesse::rG), Reservefarbe::rot);
    ASSERT_EQ(f.reservefarbe(Groesse::rS), Reservefarbe::rot);

    f.loesche();
    for (const Kasteninfo& k : kaesten()) {
        std::string erwartet = "0.00";
        if (k.art == Kastenart::projekt)
            erwartet = "";
        else if (k.kasten == K::TextFVprozent)
            erwartet = "0";
        EXPECT_EQ(f.text(k.kasten), erwartet) << k.name;
        EXPECT_EQ(f.freigegeben(k.kasten), !imStutzen(k.kasten) && !inScheibe(k.kasten)) << k.name;
    }
    for (const Groesseninfo& g : groessen())
        EXPECT_EQ(wert(f.daten(), g.groesse), 0.0) << g.name;
    for (Kasten k : {K::TextBez, K::TextNummer, K::TextBearb})
        EXPECT_EQ(f.gespeicherterText(k), "");
    EXPECT_TRUE(f.zylinder());
    EXPECT_FALSE(f.stutzen());
    EXPECT_FALSE(f.scheibe());
    EXPECT_FALSE(f.ausgehalst());
    EXPECT_FALSE(f.ausgehalstFreigegeben());
    EXPECT_TRUE(f.dateinameAutomatisch());
    EXPECT_FALSE(f.geaendert());
    EXPECT_EQ(f.statustext(), "Bitte Eingaben vervollständigen");
    EXPECT_EQ(f.statusfarbe(), Statusfarbe::normal);
    EXPECT_EQ(f.reservefarbe(Groesse::rG), Reservefarbe::gruen);
    EXPECT_EQ(f.reservefarbe(Groesse::rS), Reservefarbe::gruen);
    EXPECT_EQ(f.reservefarbe(Groesse::rFV), Reservefarbe::rot);

    const Projekt p = f.projekt();
    EXPECT_TRUE(p.daten.zylinder);
    EXPECT_FALSE(p.stutzen || p.scheibe || p.ausgehalst);
}

// ---------------------------------------------------------------- loading

Projekt geladen()
{
    Projekt p;
    p.daten.Da = 1000;
    p.daten.s = 10;
    p.daten.v = 1;
    p.daten.K = 265;
    p.daten.S = 1.5;
    p.daten.p = 10;
    p.daten.Das = 100;
    p.daten.ss = 5;
    p.daten.Ks = 265;
    p.daten.Sis = 1.5;
    p.daten.ls = 100;
    p.daten.phi = 90;
    p.daten.KScheibe = 300;
    p.daten.SScheibe = 2;
    p.daten.bScheibe = 12.346;
    p.daten.sG = 7.777;
    p.daten.rG = 12.6;
    p.daten.rS = -0.4;
    p.daten.As0 = 1234.567;
    p.daten.rFV = 99.5;
    p.daten.pmaxFV = 3.14159;
    p.daten.zylinder = false;
    p.stutzen = false;
    p.scheibe = true;
    p.ausgehalst = true;
    p.bezeichnung = "Behälter 1, Teil 2";
    p.nummer = "12";
    p.bearbeiter = "";
    return p;
}

TEST(FormularLaden, aPadWithoutNozzleLoadsSwitchedOffAndTheResultsAreRecalculated)
{
    Formular f(".");
    f.setzeStutzen(true);
    f.setzeScheibe(true);
    eingeben(f, K::TextBearb, "alt");
    const Rechenlauf lauf = f.uebernehme(geladen());
    EXPECT_TRUE(lauf.berechnet);
    EXPECT_EQ(lauf.status, "Ausreichend dimensioniert.");
    EXPECT_EQ(f.statustext(), "Laden erfolgreich");
    EXPECT_EQ(f.statusfarbe(), Statusfarbe::normal);
    EXPECT_FALSE(f.geaendert());
    EXPECT_TRUE(f.berechnet());
    EXPECT_FALSE(f.zylinder());
    EXPECT_FALSE(f.stutzen());
    EXPECT_FALSE(f.scheibe());
    EXPECT_TRUE(f.ausgehalst());
    EXPECT_FALSE(f.ausgehalstFreigegeben());
    for (Kasten k : scheibenKaesten)
        EXPECT_FALSE(f.freigegeben(k));
    EXPECT_EQ(f.text(K::TextBez), "Behälter 1, Teil 2");
    EXPECT_EQ(f.gespeicherterText(K::TextBez), "Behälter 1, Teil 2");
    EXPECT_EQ(f.text(K::TextBearb), "");
    EXPECT_EQ(f.gespeicherterText(K::TextBearb), "");
    // The sphere's shell results replace what the file held.
    EXPECT_EQ(f.text(K::TextErgebnisgk), "1.41");
    EXPECT_EQ(f.text(K::TextErgebnisgkprozent), "608");
    // The pad is off: the run keeps its boxes but stores its stand-ins.
    EXPECT_EQ(f.text(K::TextKScheibe), "300.00");
    EXPECT_EQ(f.text(K::Textb), "12.35");
    EXPECT_EQ(f.daten().KScheibe, 265.0);
    EXPECT_EQ(f.daten().bScheibe, 0.0);
    // Nozzle results are untouched by a run without the nozzle.
    EXPECT_EQ(f.text(K::TextErgebnisstutzenprozent), "-0");
    EXPECT_EQ(f.daten().rS, -0.4);
    EXPECT_EQ(f.text(K::TextFVprozent), "0") << "without the nozzle the run writes zero";
}

TEST(FormularLaden, showsTheFileValuesWhereTheRunStopsEarly)
{
    Projekt p = geladen();
    p.daten.p = 0;
    p.daten.zylinder = true;
    p.stutzen = true;
    Formular f(",");
    f.setzeZylinder(false);
    const Rechenlauf lauf = f.uebernehme(p);
    EXPECT_FALSE(lauf.berechnet);
    EXPECT_EQ(lauf.status, "Division durch Null");
    EXPECT_EQ(f.statustext(), "Laden erfolgreich");
    EXPECT_FALSE(f.geaendert());
    EXPECT_TRUE(f.zylinder());
    EXPECT_TRUE(f.stutzen());
    EXPECT_TRUE(f.scheibe());
    EXPECT_TRUE(f.freigegeben(K::Textb));
    EXPECT_EQ(f.text(K::TextErgebnisgk), "7,78");
    EXPECT_EQ(f.daten().sG, 0.0) << "the zero test resets it";
    EXPECT_EQ(f.text(K::TextErgebnisgkprozent), "13");
    EXPECT_EQ(f.daten().rG, 12.6);
    EXPECT_EQ(f.text(K::TextErgebnisstutzenprozent), "-0");
    EXPECT_EQ(f.text(K::TextAs0), "1234,57") << "areas load with two decimals";
    EXPECT_EQ(f.text(K::TextFVprozent), "100");
    EXPECT_EQ(f.text(K::Textpmaxfv), "3,14");
    EXPECT_EQ(f.text(K::TextDruck), "0,00");
    EXPECT_EQ(f.text(K::Textb), "12,35");
    EXPECT_EQ(f.daten().bScheibe, 12.35) << "the pad is on: the run read its rounded box";
}

TEST(FormularLaden, keepsTheColourTheCalculationLeft)
{
    Formular f(".");
    zuDuenn(f);
    f.berechne();
    Projekt p = f.projekt();
    Formular g(".");
    g.uebernehme(p);
    EXPECT_EQ(g.statustext(), "Laden erfolgreich");
    EXPECT_EQ(g.statusfarbe(), Statusfarbe::rot);
    EXPECT_EQ(g.reservefarbe(Groesse::rFV), Reservefarbe::rot);
    EXPECT_EQ(g.text(K::TextFVprozent), "-66");
    // The pad boxes are left out: f never read them, g shows the stand-ins it loaded.
    for (const Kasteninfo& k : kaesten()) {
        if (inScheibe(k.kasten))
            continue;
        EXPECT_EQ(g.text(k.kasten), f.text(k.kasten)) << k.name;
    }
}

TEST(FormularProjekt, holdsTheStoredValuesNotTheBoxTexts)
{
    Formular f(".");
    f.tippe(K::TextDa, "500");
    eingeben(f, K::Texts, "8");
    f.setzeStutzen(true);
    f.setzeScheibe(true);
    const Projekt p = f.projekt();
    EXPECT_EQ(p.daten.Da, 0.0);
    EXPECT_EQ(p.daten.s, 8.0);
    EXPECT_EQ(p.daten.K, 0.0);
    EXPECT_TRUE(p.stutzen);
    EXPECT_TRUE(p.scheibe);
    EXPECT_FALSE(p.ausgehalst);
}

} // namespace
} // namespace velkor
