#include "fensterhilfe.h"

#include "window/formergebnisausgabe.h"

#include <QTemporaryDir>

#include <random>

namespace velkor {
namespace {

using K = Kasten;

// Random clicks, keystrokes and focus changes across the whole window; after
// every step the switch dependencies must hold and the window must show
// exactly what the model holds.
class Affentest : public Fenster {
protected:
    void SetUp() override
    {
        oeffne();
        // From a calculable design, so that reports and saved files occur too.
        gibBeispielEin();
        klicke(knopf("CommandBerechnen"));
        // Loading brings the calculable design back; saving writes elsewhere.
        dialoge.speicherpfad = ordner.filePath("beispiel.vlk").toStdString();
        klicke(knopf("CommandSpeichern"));
        ASSERT_FALSE(modell().geaendert());
        dialoge.oeffnenpfad = dialoge.speicherpfad;
        dialoge.speicherpfad = ordner.filePath("affe.vlk").toStdString();
        for (QWidget* w : fenster->findChildren<QWidget*>())
            if (w->focusPolicy() != Qt::NoFocus)
                ziele.push_back(w);
    }

    void pruefeInvarianten(int schritt)
    {
        const bool stutzen = check("CheckStutzen")->isChecked();
        const bool scheibe = check("CheckScheibe")->isChecked();
        ASSERT_TRUE(!scheibe || stutzen) << "step " << schritt;
        ASSERT_EQ(check("Checkausgehalst")->isEnabled(), stutzen) << "step " << schritt;
        for (K k : {K::TextDas, K::Textss, K::Textc1s, K::Textc2s, K::TextKs, K::TextSis, K::Textls,
                    K::Textlsstrich, K::Textx, K::Textphi})
            ASSERT_EQ(kasten(k)->isEnabled(), stutzen) << info(k).name << " step " << schritt;
        for (K k : {K::Textb, K::Texth, K::TextKScheibe, K::TextSiScheibe})
            ASSERT_EQ(kasten(k)->isEnabled(), scheibe) << info(k).name << " step " << schritt;
        ASSERT_EQ(modell().stutzen(), stutzen) << "step " << schritt;
        ASSERT_EQ(modell().scheibe(), scheibe) << "step " << schritt;
        ASSERT_EQ(modell().ausgehalst(), check("Checkausgehalst")->isChecked()) << "step " << schritt;
        ASSERT_EQ(modell().zylinder(), teil<QRadioButton>("OptionZylinder")->isChecked()) << "step " << schritt;
        ASSERT_NE(teil<QRadioButton>("OptionZylinder")->isChecked(), teil<QRadioButton>("OptionKugel")->isChecked());
        for (const Kasteninfo& k : kaesten())
            ASSERT_EQ(kasten(k.kasten)->text().toStdString(), modell().text(k.kasten))
                << k.name << " step " << schritt;
        ASSERT_EQ(status()->text().toStdString(), modell().statustext()) << "step " << schritt;
    }

    QTemporaryDir ordner;
    std::vector<QWidget*> ziele;
};

TEST_F(Affentest, thousandsOfRandomEventsKeepTheSwitchRulesAndTheViewInStep)
{
    std::mt19937 zufall(20260612);
    auto wuerfel = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(zufall); };
    const QStringList schnipsel{"1", "0", "12,5", "-3", "1.234,5", "abc", " ", "1e999", "90", "45",
                                "1000", "e", ".", ",", "-", "7", "  x "};
    const Antwort antworten[] = {Antwort::ja, Antwort::nein, Antwort::abbrechen};
    bool mitStutzen = false, mitScheibe = false, mitKugel = false, berechnet = false;

    for (int schritt = 0; schritt < 3000; ++schritt) {
        dialoge.sonst = antworten[wuerfel(3)];
        if (!fenster->isVisible() || !fenster->isActiveWindow()) {
            fenster->show();
            fenster->activateWindow();
            ASSERT_TRUE(QTest::qWaitForWindowActive(fenster.get()));
        }
        QWidget* ziel = ziele[wuerfel(static_cast<int>(ziele.size()))];
        switch (wuerfel(6)) {
        case 0:
        case 1:
            if (ziel->isEnabled())
                klicke(ziel);
            break;
        case 2:
            if (QWidget* f = QApplication::focusWidget())
                QTest::keyClicks(f, schnipsel[wuerfel(static_cast<int>(schnipsel.size()))]);
            break;
        case 3: {
            const Qt::Key tasten[] = {Qt::Key_Tab, Qt::Key_Backtab, Qt::Key_Return, Qt::Key_Space,
                                      Qt::Key_Escape, Qt::Key_Backspace, Qt::Key_Up, Qt::Key_Down};
            if (QWidget* f = QApplication::focusWidget())
                QTest::keyClick(f, tasten[wuerfel(8)]);
            break;
        }
        case 4:
            if (ziel->isEnabled())
                ziel->setFocus(wuerfel(2) ? Qt::TabFocusReason : Qt::MouseFocusReason);
            break;
        case 5:
            if (FormErgebnisausgabe* a = fenster->ergebnisausgabe(); a && a->isVisible() && wuerfel(2))
                QTest::mouseClick(a->findChild<QPushButton*>("CommandOK"), Qt::LeftButton);
            else if (QWidget* f = QApplication::focusWidget())
                QTest::keyClick(f, Qt::Key_Tab, Qt::ShiftModifier);
            break;
        }
        QCoreApplication::processEvents();
        pruefeInvarianten(schritt);
        if (testing::Test::HasFatalFailure())
            return;
        mitStutzen |= modell().stutzen();
        mitScheibe |= modell().scheibe();
        mitKugel |= !modell().zylinder();
        berechnet |= modell().berechnet();
    }
    // The walk reached every corner it is meant to shake.
    EXPECT_TRUE(mitStutzen);
    EXPECT_TRUE(mitScheibe);
    EXPECT_TRUE(mitKugel);
    EXPECT_TRUE(berechnet);
    EXPECT_NE(fenster->ergebnisausgabe(), nullptr);
    EXPECT_FALSE(dialoge.fragen.empty());
}

} // namespace
} // namespace velkor
