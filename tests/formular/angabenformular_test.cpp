#include "formular/angabenformular.h"
#include "project/projektdatei.h"

#include "tests/support/testdaten.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace velkor {
namespace {

Projekt mitAbschnitt() { return ladeProjektdatei(VELKOR_TESTDATEN "/app/abschnitt.vlk").projekt.value(); }

// Rows of tests/data/formular/angaben.txt.
TEST(Angabenformular, leavingABoxRewritesItAndTheDialogTakesOverWhatItHolds)
{
    const Projekt p = mitAbschnitt();
    for (const auto& z : tabelle("formular/angaben.txt")) {
        SCOPED_TRACE(z[0] + " " + z[1] + " '" + z[2] + "'");
        Angabenformular a(p.angaben, p.pruefung, z[0]);
        const Angabenfeld f = std::ranges::find(angabenfelder(), z[1], &Angabenfeldinfo::name)->feld;
        a.tippe(f, z[2]);
        a.fokusVerloren(f);
        EXPECT_EQ(a.text(f), z[3]);
        EXPECT_EQ(a.zahl(f), z[4] == "-" ? std::nullopt : std::optional(std::stod(z[4])));
        EXPECT_EQ(a.statustext(), z[5]);
    }
}

TEST(Angabenformular, theDialogOpensWithTheDesignsValuesAndGivesThemBackUntouched)
{
    const Projekt p = mitAbschnitt();
    Angabenformular a(p.angaben, p.pruefung, ",");
    EXPECT_EQ(a.text(Angabenfeld::temperatur) + "|" + a.text(Angabenfeld::pT) + "|" + a.text(Angabenfeld::K20s) + "|" +
                  a.text(Angabenfeld::SPruefs) + "|" + a.text(Angabenfeld::SPruefScheibe),
              "200,00|25,00||1,10|1,05");
    EXPECT_EQ(a.angaben(), p.angaben);
    EXPECT_EQ(a.pruefangaben(), p.pruefung);
    a.setzePruefung(false);
    a.setzeC2Abziehen(true);
    EXPECT_EQ(a.pruefangaben(), (Pruefangaben{false, 25, 300, 0, 280, 1.05, 1.1, 1.05, true}));
    for (const char* getippt : {"1e999", "30"}) {
        a.tippe(Angabenfeld::pT, getippt);
        a.fokusVerloren(Angabenfeld::pT);
    }
    EXPECT_EQ(a.statustext(), "") << "a corrected box takes the warning back";
}

} // namespace
} // namespace velkor
