#pragma once

#include "formular/kaesten.h"
#include "tests/formular/formularhilfe.h"
#include "window/formvelkor.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace velkor {

// A shown, active main window with scripted dialogs, and the user's hands.
class Fenster : public ::testing::Test {
protected:
    void SetUp() override { oeffne(); }
    void oeffne(const QString& dezimaltrenner = QStringLiteral("."))
    {
        fenster = std::make_unique<FormVelkor>(dialoge, dezimaltrenner);
        aktiviere(fenster.get());
    }
    static void aktiviere(QWidget* w)
    {
        w->show();
        w->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(w));
    }
    const Formular& modell() const { return fenster->formular(); }
    template <typename T = QWidget> T* teil(const QString& name) const
    {
        auto* w = fenster->findChild<T*>(name);
        EXPECT_NE(w, nullptr) << name.toStdString();
        return w;
    }
    QLineEdit* kasten(Kasten k) const { return teil<QLineEdit>(QString::fromUtf8(info(k).name.data())); }
    QAbstractButton* knopf(const char* name) const { return teil<QAbstractButton>(name); }
    QLabel* status() const { return teil<QLabel>("StatusBar"); }

    static void klicke(QWidget* w)
    {
        QTest::mouseClick(w, Qt::LeftButton);
        QCoreApplication::processEvents();
    }
    // Clicks into the box, selects its whole text as a user would and types over it.
    static void tippe(QLineEdit* box, const QString& text)
    {
        klicke(box);
        QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
        for (QChar c : text) // key events for umlauts too
            QTest::sendKeyEvent(QTest::Click, box, c.unicode() < 128 ? Qt::Key(QChar(c).toUpper().unicode()) : Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
    static void taste(Qt::Key k)
    {
        QTest::keyClick(QApplication::focusWidget(), k);
        QCoreApplication::processEvents();
    }
    // Types the text into the box and leaves it with Tab.
    void gibEin(Kasten k, const QString& text)
    {
        tippe(kasten(k), text);
        taste(Qt::Key_Tab);
    }
    static QString fokusname() { return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : ""; }

    // Cylinder with a nozzle: shell Da 1000, s 10, p 10, nozzle Das 100, ss 5, ls 100.
    void gibBeispielEin()
    {
        klicke(knopf("CheckStutzen"));
        for (const auto& [k, t] : {std::pair{Kasten::TextDa, "1000"}, {Kasten::Texts, "10"}, {Kasten::TextDruck, "10"},
                                   {Kasten::TextDas, "100"}, {Kasten::Textss, "5"}, {Kasten::Textls, "100"}})
            gibEin(k, t);
    }

    SkriptDialoge dialoge;
    std::unique_ptr<FormVelkor> fenster;
};

} // namespace velkor
