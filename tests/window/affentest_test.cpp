#include "tests/window/fensterhilfe.h"

#include "window/formergebnisausgabe.h"

#include <QTemporaryDir>

#include <fstream>
#include <random>

namespace velkor {
namespace {

// Random clicks, keystrokes and focus changes across the whole window, with
// random answers to every question and file dialog; after every step the
// window must show exactly what the model holds, and the switch rules hold.
TEST_F(Fenster, thousandsOfRandomEventsKeepTheViewInStepWithTheModel)
{
    QTemporaryDir ordner;
    gibBeispielEin();
    const std::string beispiel = ordner.filePath("beispiel.vlk").toStdString();
    klicke(knopf("CommandBerechnen")); // stores every value the boxes show
    dialoge.dateien = {beispiel};
    klicke(knopf("CommandSpeichern")); // loading brings a calculable design back
    const std::string entwurf = inhalt(beispiel);
    std::vector<QWidget*> ziele;
    for (QWidget* w : fenster->findChildren<QWidget*>())
        if (w->focusPolicy() != Qt::NoFocus)
            ziele.push_back(w);
    std::mt19937 zufall(20260612);
    auto wuerfel = [&](std::size_t n) { return static_cast<std::size_t>(zufall() % n); };
    const QStringList schnipsel{"1", "0", "12,5", "-3", "1.234,5", "abc", " ", "1e999", "90", "45", "1000", "-", "7"};
    const Qt::Key tasten[] = {Qt::Key_Tab, Qt::Key_Backtab, Qt::Key_Return, Qt::Key_Space, Qt::Key_Escape,
                              Qt::Key_Backspace, Qt::Key_Up, Qt::Key_Down};
    bool gesehen[4] = {};
    for (int schritt = 0; schritt < 3000; ++schritt) {
        dialoge.antworten = {std::array{Antwort::ja, Antwort::nein, Antwort::abbrechen}[wuerfel(3)]};
        // Saved first, after Ja, then loaded: the one a load reads is always the calculable design.
        const std::string affe = ordner.filePath("affe.vlk").toStdString();
        dialoge.dateien = {beispiel, affe};
        for (const std::string& datei : {beispiel, affe})
            std::ofstream(datei, std::ios::binary) << entwurf;
        if (!fenster->isActiveWindow())
            aktiviere(fenster.get());
        QWidget* ziel = ziele[wuerfel(ziele.size())];
        QWidget* fokus = QApplication::focusWidget();
        switch (wuerfel(5)) {
        case 0: case 1:
            if (ziel->isEnabled())
                klicke(ziel);
            break;
        case 2:
            if (fokus)
                QTest::keyClicks(fokus, schnipsel[static_cast<qsizetype>(wuerfel(schnipsel.size()))]);
            break;
        case 3:
            if (fokus)
                QTest::keyClick(fokus, tasten[wuerfel(8)]);
            break;
        default:
            if (ziel->isEnabled())
                ziel->setFocus(wuerfel(2) ? Qt::TabFocusReason : Qt::MouseFocusReason);
            break;
        }
        QCoreApplication::processEvents();
        SCOPED_TRACE(testing::Message() << "Schritt " << schritt);
        // The view shows the model, and the sections follow their switches.
        for (const Kasteninfo& k : kaesten()) {
            ASSERT_EQ(kasten(k.kasten)->text().toStdString(), modell().text(k.kasten)) << k.name;
            const bool imStutzen = std::ranges::count(stutzenKaesten, k.kasten), inScheibe = std::ranges::count(scheibenKaesten, k.kasten);
            ASSERT_EQ(kasten(k.kasten)->isEnabled(), imStutzen ? modell().stutzen() : !inScheibe || modell().scheibe()) << k.name;
        }
        ASSERT_EQ(knopf("CheckStutzen")->isChecked(), modell().stutzen());
        ASSERT_EQ(knopf("CheckScheibe")->isChecked(), modell().scheibe());
        ASSERT_TRUE(!modell().scheibe() || modell().stutzen());
        ASSERT_EQ(knopf("Checkausgehalst")->isChecked(), modell().ausgehalst());
        ASSERT_EQ(knopf("Checkausgehalst")->isEnabled(), modell().stutzen());
        ASSERT_EQ(knopf("OptionZylinder")->isChecked(), modell().zylinder());
        ASSERT_NE(knopf("OptionZylinder")->isChecked(), knopf("OptionKugel")->isChecked());
        ASSERT_EQ(status()->text().toStdString(), modell().statustext());
        ASSERT_EQ(status()->toolTip(), status()->text()) << "the whole message, however much the line shows";
        for (int i = 0; bool an : {modell().scheibe(), !modell().zylinder(), modell().berechnet(), fenster->ergebnisausgabe() != nullptr})
            gesehen[i++] |= an;
    }
    // The walk reached every corner it is meant to shake.
    EXPECT_TRUE(gesehen[0] && gesehen[1] && gesehen[2] && gesehen[3]);
}

} // namespace
} // namespace velkor
