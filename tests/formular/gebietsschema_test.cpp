#include "formular/formular.h"

#include <gtest/gtest.h>

#include <tuple>

namespace velkor {
namespace {

// A Persian locale writes "٫" (two bytes); reading stopped at it and cut every fraction.
TEST(PersischerTrenner, aTypedFractionSurvivesLeavingTheBoxAndTheCalculation)
{
    Formular f("٫");
    const std::tuple<Kasten, const char*, double, const char*> faelle[] = {
        {Kasten::TextDa, "219٫1", 219.1, "219٫10"},
        {Kasten::TextSi, "1,5", 1.5, "1٫50"},
        {Kasten::Texts, "12.5", 12.5, "12٫50"},
        {Kasten::Textc1, "-0٫25", 0.25, "0٫25"},
        {Kasten::TextDruck, "1 ٫ 5e1 bar", 15, "15٫00"},
    };
    for (const auto& [kasten, getippt, w, gezeigt] : faelle) {
        f.tippe(kasten, getippt);
        f.fokusVerloren(kasten);
    }
    f.berechne(); // reads the rewritten boxes again
    for (const auto& [kasten, getippt, w, gezeigt] : faelle) {
        EXPECT_EQ(f.text(kasten), gezeigt) << getippt;
        EXPECT_EQ(wert(f.daten(), *groesseVon(kasten)), w) << getippt;
    }
    // The range check reads the separator too: 1٫5e999 is no 1.
    f.tippe(Kasten::Texth, "1٫5e999");
    f.fokusErhalten(Kasten::TextDa);
    EXPECT_EQ(f.statustext(), ausserhalbWertebereich);
}

} // namespace
} // namespace velkor
