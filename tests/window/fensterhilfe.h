#pragma once

#include "tests/formular/skriptdialoge.h"
#include "window/formvelkor.h"
#include "formular/kaesten.h"

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
    void oeffne(const QString& dezimaltrenner = QStringLiteral("."))
    {
        fenster = std::make_unique<FormVelkor>(dialoge, dezimaltrenner);
        fenster->show();
        fenster->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(fenster.get()));
    }

    const Formular& modell() const { return fenster->formular(); }

    QLineEdit* kasten(Kasten k) const
    {
        auto* box = fenster->findChild<QLineEdit*>(QString::fromUtf8(info(k).name.data(), info(k).name.size()));
        EXPECT_NE(box, nullptr) << info(k).name;
        return box;
    }
    template <typename T> T* teil(const char* name) const
    {
        auto* w = fenster->findChild<T*>(name);
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    QPushButton* knopf(const char* name) const { return teil<QPushButton>(name); }
    QCheckBox* check(const char* name) const { return teil<QCheckBox>(name); }
    QLabel* status() const { return teil<QLabel>("StatusBar"); }

    static void klicke(QWidget* w)
    {
        QTest::mouseClick(w, Qt::LeftButton);
        QCoreApplication::processEvents();
    }
    // Clicks into the box, selects its whole text as a user would and types over it
    // (a click into the box that already has the focus selects nothing by itself).
    static void tippe(QLineEdit* box, const QString& text)
    {
        klicke(box);
        QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
        schreibe(box, text);
    }
    // Key clicks for every character, umlauts included.
    static void schreibe(QWidget* w, const QString& text)
    {
        for (QChar c : text) {
            if (c.unicode() < 128)
                QTest::keyClick(w, c.toLatin1());
            else
                QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(c), Qt::NoModifier);
        }
    }
    static void taste(Qt::Key k, Qt::KeyboardModifiers mod = Qt::NoModifier)
    {
        QTest::keyClick(QApplication::focusWidget(), k, mod);
        QCoreApplication::processEvents();
    }
    // Types the text into the box and leaves it with Tab.
    void gibEin(Kasten k, const QString& text)
    {
        tippe(kasten(k), text);
        taste(Qt::Key_Tab);
    }
    QString fokusname() const
    {
        QWidget* w = QApplication::focusWidget();
        return w ? w->objectName() : QString();
    }

    // Cylinder with a nozzle: shell Da 1000, s 10, p 10, nozzle Das 100, ss 5, ls 100.
    void gibBeispielEin()
    {
        gibEin(Kasten::TextDa, "1000");
        gibEin(Kasten::Texts, "10");
        gibEin(Kasten::TextDruck, "10");
        klicke(check("CheckStutzen"));
        gibEin(Kasten::TextDas, "100");
        gibEin(Kasten::Textss, "5");
        gibEin(Kasten::Textls, "100");
    }

    SkriptDialoge dialoge;
    std::unique_ptr<FormVelkor> fenster;
};

} // namespace velkor
