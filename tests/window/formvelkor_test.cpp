#include "app/kommandozeile.h"
#include "formular/kaesten.h"
#include "tests/formular/formularhilfe.h"
#include "window/angabendialog.h"
#include "window/formergebnisausgabe.h"
#include "window/formvelkor.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QFocusEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStyleOptionGroupBox>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <random>
#include <sstream>

namespace velkor {
namespace {

// A shown, active main window with scripted dialogs, and the user's hands.
class Fenster : public ::testing::Test {
protected:
    void SetUp() override
    {
        fenster = std::make_unique<FormVelkor>(dialoge, QStringLiteral("."));
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

using K = Kasten;

QColor textfarbe(const QWidget* w) { return w->palette().color(QPalette::Text); }
QColor hintergrund(const QWidget* w) { return w->palette().color(QPalette::Window); }

// Rows of tests/data/window/fenster.txt; no frame or box is missing and none is left over.
TEST_F(Fenster, everyBoxStandsInItsFrameBesideTheLabelOfItsRowAndNothingCoversMoreThanABorder)
{
    EXPECT_EQ(fenster->windowTitle(), "Velkor");
    EXPECT_TRUE(fenster->minimumSize() == QSize(544, 388) && fenster->maximumSize() == QSize(544, 388));
    for (QWidget* w : fenster->findChildren<QWidget*>())
        EXPECT_TRUE(w->parentWidget()->rect().contains(w->geometry())) << w->objectName().toStdString();
    // Neighbours in a frame share at most their borders.
    const auto name = [](QWidget* w) { auto* l = qobject_cast<QLabel*>(w); return " " + (l ? l->text() : w->objectName()).toStdString(); };
    // So do the frames and the buttons of the window (the check boxes sit on their frames' corners).
    QList<QList<QWidget*>> nachbarschaften{
        fenster->findChildren<QWidget*>(QRegularExpression("^(Frame|Command)"), Qt::FindDirectChildrenOnly)};
    for (QGroupBox* g : fenster->findChildren<QGroupBox*>())
        nachbarschaften.append(g->findChildren<QWidget*>(Qt::FindDirectChildrenOnly));
    for (const QList<QWidget*>& nachbarn : nachbarschaften)
        for (QWidget* a : nachbarn)
            for (QWidget* b : nachbarn)
                EXPECT_TRUE(a == b || (a->geometry() & b->geometry()).height() <= 3) << name(a) << name(b);
    const auto zeilen = tabelle("window/fenster.txt");
    for (const auto& z : zeilen) {
        SCOPED_TRACE(z[0]);
        QWidget* w = teil(QString::fromStdString(z[0]));
        ASSERT_NE(w, nullptr);
        QWidget* rahmen = w->parentWidget();
        EXPECT_EQ(rahmen->objectName().toStdString(), z[1]);
        if (auto* g = qobject_cast<QGroupBox*>(w)) {
            EXPECT_EQ(g->title().toStdString(), z[2]);
            continue;
        }
        const QLabel* links = nullptr;
        for (QLabel* l : rahmen->findChildren<QLabel*>(Qt::FindDirectChildrenOnly))
            if (l->y() == w->y() && l->height() == w->height() && l->geometry().right() < w->x() && (!links || l->x() > links->x()))
                links = l;
        ASSERT_NE(links, nullptr);
        EXPECT_EQ(links->text().toStdString(), z[2]);
    }
    EXPECT_EQ(fenster->findChildren<QWidget*>(QRegularExpression("^(Text|Frame)")).size(), zeilen.size());
    for (QPushButton* b : fenster->findChildren<QPushButton*>())
        EXPECT_EQ(b->isDefault(), b->objectName() == "CommandBerechnen") << b->objectName().toStdString();
    for (const auto& [knopfname, tip] : {std::pair{"CommandTextdatei", "Print: Ergebnisausgabe (Strg+P)"},
                                         {"CommandLaden", "Laden (Strg+O)"}, {"CommandSpeichern", "Speichern (Strg+S)"},
                                         {"CommandBerechnen", "Berechnung (F9)"}})
        EXPECT_EQ(knopf(knopfname)->toolTip(), tip);
    // A frame's caption starts right of the check box on its corner.
    for (const char* name : {"FrameStutzen", "FrameScheibe"}) {
        auto* g = teil<QGroupBox>(name);
        QStyleOptionGroupBox o;
        o.initFrom(g), o.text = g->title(), o.subControls = QStyle::SC_GroupBoxLabel;
        const QRect titel = g->style()->subControlRect(QStyle::CC_GroupBox, &o, QStyle::SC_GroupBoxLabel, g);
        EXPECT_GE(titel.left() + g->fontMetrics().horizontalAdvance("   "), 17) << name;
    }
}

TEST_F(Fenster, tabVisitsTheControlsInTheirOrderAndSkipsDisabledOnes)
{
    const auto folge = [](int n) {
        QStringList besucht{fokusname()};
        for (int i = 0; i < n; ++i) {
            taste(Qt::Key_Tab);
            besucht << fokusname();
        }
        return besucht.join(' ');
    };
    EXPECT_EQ(folge(13), "TextDa Texts Textc1 Textc2 Textv TextK TextSi OptionZylinder TextDruck TextBez "
                         "TextNummer TextBearb CommandAngaben CheckStutzen");
    klicke(knopf("CheckStutzen"));
    klicke(knopf("CheckScheibe"));
    klicke(knopf("OptionKugel"));
    EXPECT_EQ(folge(43), "OptionKugel TextDruck TextBez TextNummer TextBearb CommandAngaben CheckStutzen TextDas Textss Textc1s "
                         "Textc2s TextKs TextSis Textls Textlsstrich Textx Textphi Checkausgehalst CheckScheibe "
                         "Textb Texth TextKScheibe TextSiScheibe CommandTextdatei CommandLaden CommandSpeichern "
                         "CommandLoeschen CommandBerechnen TextErgebnisgk TextErgebnisstutzen TextErgebnisgkprozent "
                         "TextErgebnisstutzenprozent TextErgebnisls TextErgebnisb Textpmaxs Textpmaxgk TextAs0 "
                         "TextAs1 TextAs2 TextAp Textpmaxfv TextFVprozent Textdmax CommandOK");
}

TEST_F(Fenster, enteringABoxShowsItsHelpAndSelectsEntriesButAPopupOrAnotherWindowIsNoLeaving)
{
    EXPECT_EQ(fokusname(), "TextDa");
    EXPECT_EQ(kasten(K::TextDa)->selectedText(), "0.00");
    EXPECT_EQ(status()->text(), "Außendurchmesser des Grundkörpers");
    klicke(kasten(K::TextFVprozent));
    EXPECT_EQ(status()->text(), "Druckreserve Flächenvergleich: (pmax-p) / p");
    EXPECT_FALSE(kasten(K::TextFVprozent)->hasSelectedText());
    klicke(kasten(K::TextSi));
    EXPECT_EQ(kasten(K::TextSi)->selectedText(), "1.5") << "a click selects the whole entry";

    tippe(kasten(K::TextDa), "12,5");
    QFocusEvent aus(QEvent::FocusOut, Qt::PopupFocusReason);
    QApplication::sendEvent(kasten(K::TextDa), &aus);
    QWidget anderes;
    aktiviere(&anderes);
    EXPECT_EQ(kasten(K::TextDa)->text(), "12,5");
    EXPECT_EQ(modell().daten().Da, 0);
}

// c1 = -1 typed: leaving makes it 1 (sG = 2.82 + 1); a run reading the raw text would take -1 (1.82).
TEST_F(Fenster, everyWayOfStartingACommandLeavesTheTypedBoxFirstAndOnlyOnce)
{
    gibBeispielEin();
    tippe(kasten(K::Textc1), "-1");
    klicke(knopf("CommandBerechnen"));
    EXPECT_EQ(kasten(K::TextErgebnisgk)->text(), "3.82");

    tippe(kasten(K::Textc1), "-2");
    taste(Qt::Key_Return); // presses "=" and keeps the focus in the box
    EXPECT_EQ(fokusname(), "Textc1");
    EXPECT_EQ(kasten(K::TextErgebnisgk)->text(), "4.82");
    QTest::keyClicks(kasten(K::Textc1), "-3"); // the rewritten text stays selected
    taste(Qt::Key_Tab);
    EXPECT_EQ(modell().daten().c1, 3) << "typing after Enter makes the next leaving count";

    // Left twice, a typed-over result box would show the zero a stopped run put in the record.
    for (const Qt::Key wie : {Qt::Key_Return, Qt::Key_F9, Qt::Key_unknown}) {
        klicke(knopf("CommandBerechnen"));
        gibEin(K::TextDruck, "0");
        tippe(kasten(K::TextErgebnisgk), "77");
        wie == Qt::Key_unknown ? klicke(knopf("CommandBerechnen")) : taste(wie);
        EXPECT_EQ(status()->text(), "Division durch Null");
        taste(Qt::Key_Tab);
        EXPECT_EQ(kasten(K::TextErgebnisgk)->text(), "5.82") << wie;
        gibEin(K::TextDruck, "10");
    }
    dialoge.antworten = {Antwort::nein, Antwort::nein};
    klicke(knopf("CommandLaden"));
    taste(Qt::Key_Return); // on a focused button Enter presses that button
    EXPECT_EQ(dialoge.protokoll.size(), 4u);
}

TEST_F(Fenster, reservesAndTheStatusLineTakeTheirColours)
{
    gibBeispielEin();
    gibEin(K::Texts, "2");
    klicke(knopf("CommandBerechnen"));
    EXPECT_EQ(textfarbe(kasten(K::TextErgebnisgkprozent)), QColor(192, 0, 0));
    EXPECT_EQ(textfarbe(kasten(K::TextErgebnisstutzenprozent)), QColor(0, 192, 0));
    EXPECT_EQ(hintergrund(status()), QColor(192, 0, 0));
    EXPECT_EQ(status()->palette().color(QPalette::WindowText), QColor(Qt::white)) << "readable on dark red";
    tippe(kasten(K::Texts), "1e999");
    klicke(knopf("CommandBerechnen"));
    EXPECT_EQ(hintergrund(status()), QColor(255, 255, 0));
    gibEin(K::Texts, "10");
    klicke(knopf("CommandBerechnen"));
    EXPECT_EQ(hintergrund(status()), QApplication::palette().color(QPalette::Button));
    EXPECT_EQ(status()->palette().color(QPalette::WindowText), QApplication::palette().color(QPalette::WindowText));
}

TEST_F(Fenster, theReportButtonFillsOneWindowAndARefusalLeavesItsText)
{
    gibBeispielEin();
    for (const auto& [k, t] : {std::pair{K::TextBez, "Behälter 1, Teil 2"}, {K::TextNummer, "12"}, {K::TextBearb, "Müller"}})
        gibEin(k, t);
    klicke(knopf("CommandTextdatei"));
    FormErgebnisausgabe* ausgabe = fenster->ergebnisausgabe();
    ASSERT_NE(ausgabe, nullptr);
    EXPECT_TRUE(ausgabe->isVisible());
    EXPECT_EQ(ausgabe->text().toStdString(), testdaten("app/zylinder_stutzen_punkt.txt"));
    klicke(ausgabe->findChild<QPushButton*>("CommandOK"));
    EXPECT_FALSE(ausgabe->isVisible());

    aktiviere(fenster.get());
    gibEin(K::TextBearb, "Ko");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(fenster->ergebnisausgabe(), ausgabe);
    EXPECT_TRUE(ausgabe->isVisible());
    EXPECT_TRUE(ausgabe->text().contains("Sachbearbeiter: Ko\r\n"));
    aktiviere(fenster.get());
    gibEin(K::TextDruck, "0");
    klicke(knopf("CommandTextdatei"));
    EXPECT_EQ(status()->text(), "Ausgabe nicht möglich: Berechnung abgebrochen.");
    EXPECT_TRUE(ausgabe->text().contains("Sachbearbeiter: Ko\r\n"));
}

// While the report window is the active one, a click into the main window moves
// the focus without a focus-out, and closing comes from the task bar: the box
// being typed in is left all the same, before the command or the next box.
TEST_F(Fenster, aBoxTypedInBeforeTheReportWindowTookTheFocusIsLeftBeforeWhatComesNext)
{
    gibBeispielEin();
    klicke(knopf("CommandTextdatei"));
    FormErgebnisausgabe* ausgabe = fenster->ergebnisausgabe();
    for (int wie = 0; wie < 3; ++wie) {
        aktiviere(fenster.get());
        tippe(kasten(K::Textc1), "-1");
        aktiviere(ausgabe);
        if (wie == 0) {
            klicke(knopf("CommandBerechnen"));
            EXPECT_EQ(kasten(K::TextErgebnisgk)->text(), "3.82");
        } else if (wie == 1) {
            klicke(kasten(K::Texts));
            aktiviere(fenster.get());
            EXPECT_EQ(status()->text(), "Nennwanddicke des Grundkörpers");
        } else {
            dialoge.antworten = {Antwort::abbrechen};
            EXPECT_FALSE(fenster->close());
        }
        EXPECT_EQ(modell().daten().c1, 1) << wie;
        EXPECT_EQ(kasten(K::Textc1)->text(), "1.00") << wie;
    }
    dialoge.antworten = {Antwort::nein};
    klicke(knopf("CommandOK"));
    EXPECT_FALSE(fenster->isVisible());
    EXPECT_FALSE(ausgabe->isVisible()) << "the report window closes with the main window";
    EXPECT_EQ(dialoge.protokoll, (std::vector<std::string>{"frage Vor dem Verlassen speichern? | Geänderte Daten",
                                                           "frage Vor dem Verlassen speichern? | Geänderte Daten"}));
}

// Loaded as at start, before the window is active: typing replaces the first box's text.
TEST_F(Fenster, theFileButtonsAndKeysReachTheirCommandsAndAFileLoadedAtStartShowsItsBeginning)
{
    const std::string datei = VELKOR_TESTDATEN "/app/zylinder_stutzen.vlk";
    fenster = std::make_unique<FormVelkor>(dialoge, QStringLiteral("."));
    fenster->show();
    ASSERT_TRUE(fenster->lade(datei));
    aktiviere(fenster.get());
    EXPECT_EQ(kasten(K::TextBez)->cursorPosition(), 0);
    QTest::keyClicks(QApplication::focusWidget(), "1100");
    taste(Qt::Key_Tab);
    EXPECT_EQ(kasten(K::TextDa)->text(), "1100.00");
    gibEin(K::TextBez, QString(40, u'x'));
    EXPECT_EQ(kasten(K::TextBez)->cursorPosition(), 0) << "a heading left shows its beginning";
    dialoge.antworten = {Antwort::nein};
    klicke(knopf("CommandLoeschen"));
    for (const Qt::Key k : {Qt::Key_O, Qt::Key_S})
        QTest::keyClick(QApplication::focusWidget(), k, Qt::ControlModifier);
    EXPECT_TRUE(fenster->close()) << "nothing unsaved after clearing";
    EXPECT_EQ(dialoge.protokoll, (std::vector<std::string>{"frage Vor dem Löschen speichern? | Geänderte Daten",
                                                           "oeffnen LADEN - Kalvero - Velkor | VLK-Dateien|*.vlk | " + datei,
                                                           "speichern SPEICHERN - Kalvero - Velkor | VLK-Dateien|*.vlk | "}));
}

// Alt+A opens the dialog; Escape there keeps the old values, Enter takes the typed ones over and calculates.
TEST_F(Fenster, theDialogAngabenIsReachedByKeyboardAndOnlyOkTakesItsValuesOverAndCalculates)
{
    ASSERT_TRUE(fenster->lade(VELKOR_TESTDATEN "/app/zylinder_stutzen.vlk"));
    const auto dialog = [this](const char* getippt, Qt::Key schluss) {
        aktiviere(fenster.get());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::AltModifier);
        // A mnemonic clicks after a moment.
        ASSERT_TRUE(QTest::qWaitFor([this] { return fenster->findChild<AngabenDialog*>(); })) << "Alt+A opens it";
        auto* d = fenster->findChild<AngabenDialog*>();
        d->activateWindow(); // a dialog counts as active while its parent is
        ASSERT_TRUE(QTest::qWaitFor([d] { return QApplication::activeWindow() == d; }));
        const QStringList texte = QString(getippt).split('|'); // box by box, from the temperature
        for (const QString& text : texte) {
            QTest::keyClicks(QApplication::focusWidget(), text);
            if (&text != &texte.back())
                taste(Qt::Key_Tab);
        }
        d->findChild<QCheckBox*>("CheckPruefung")->setChecked(true);
        QTest::keyClick(QApplication::focusWidget(), schluss);
        QTest::qWait(1); // the closed dialog is deleted
    };
    dialog("150|P265GH", Qt::Key_Escape);
    EXPECT_FALSE(modell().geaendert());
    EXPECT_EQ(modell().angaben(), Angaben{});
    dialog("200,456|P265GH|P235GH TC1", Qt::Key_Return);
    EXPECT_TRUE(modell().geaendert());
    EXPECT_EQ(modell().angaben(), (Angaben{200.46, "P265GH", "P235GH TC1", ""}));
    EXPECT_DOUBLE_EQ(modell().rechenstand()->pruefung->pTMindest, 1.43 * 10); // p = 10 bar
    aktiviere(fenster.get());
    klicke(knopf("CommandAngaben"));
    auto* d = fenster->findChild<AngabenDialog*>();
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->findChild<QLabel*>("LabelpTMindest")->text(), "pT,min = 14.30 bar");
    // The operating 27.632 bar with S′ = 1.05 for S = 1.5: 27.632 · 1.5 / 1.05.
    EXPECT_EQ(d->findChild<QLineEdit*>("PruefpmaxFV")->text(), "39.47");
}

// With the section checked the window shows, copies and keeps what the command line writes.
TEST_F(Fenster, withRechengangCheckedTheWindowShowsAndCopiesWhatTheCommandLineWritesAndKeepsTheChoice)
{
    const auto befehl = [](const QString& datei, int status) {
        std::ostringstream aus, fehler;
        EXPECT_EQ(kommandozeile({"--bericht", "--rechengang", datei}, aus, fehler, "."), status);
        return QString::fromStdString(aus.str());
    };
    const QString fertig = VELKOR_TESTDATEN "/app/zylinder_stutzen.vlk", gestoppt = VELKOR_TESTDATEN "/app/division_null.vlk";
    const auto bericht = [&](const QString& d) { fenster->lade(d.toStdString()), klicke(knopf("CommandTextdatei")); };
    bericht(fertig);
    FormErgebnisausgabe* aus = fenster->ergebnisausgabe();
    // Its other tab shows the run's drawing.
    aus->findChild<QTabBar*>("Ansichten")->setCurrentIndex(1);
    const QImage skizze = aus->findChild<QWidget*>("Skizze")->grab().toImage();
    int striche = 0;
    for (int i = 0; i < skizze.width() * skizze.height(); ++i)
        striche += qGray(skizze.pixel(i % skizze.width(), i / skizze.width())) < 100;
    EXPECT_GT(striche, 500);
    const int berichtszeilen = static_cast<int>(aus->text().count('\n'));
    aus->findChild<QCheckBox*>("CheckRechengang")->click();
    EXPECT_EQ(aus->text(), befehl(fertig, 0));
    EXPECT_EQ(aus->findChild<QPlainTextEdit*>()->verticalScrollBar()->value(), berichtszeilen); // the section first
    aus->kopiere();
    EXPECT_EQ(QApplication::clipboard()->text(), aus->text());
    bericht(gestoppt);
    EXPECT_NE(aus->findChild<QWidget*>("Skizze")->grab().toImage(), skizze) << "the drawing of the stopped run";
    EXPECT_EQ(aus->text(), befehl(gestoppt, 3));
    EXPECT_TRUE(FormErgebnisausgabe(dialoge).findChild<QCheckBox*>("CheckRechengang")->isChecked());
    aus->findChild<QCheckBox*>("CheckRechengang")->click();
    EXPECT_EQ(aus->text(), status()->text() + "\r\n"); // the refusal line alone, as the status line says
    EXPECT_FALSE(FormErgebnisausgabe(dialoge).findChild<QCheckBox*>("CheckRechengang")->isChecked());
}

// Random clicks, keystrokes and focus changes across the whole window, with
// random answers to every question and file dialog; after every step the
// window must show exactly what the model holds, and the switch rules hold.
TEST_F(Fenster, thousandsOfRandomEventsKeepTheViewInStepWithTheModel)
{
    QTemporaryDir ordner;
    gibBeispielEin();
    const std::string beispiel = ordner.filePath("beispiel.vlk").toStdString();
    const std::string entwurf = testdaten("app/zylinder_stutzen.vlk"); // a load brings a calculable design back
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
            ASSERT_EQ(kasten(k.kasten)->isEnabled(), k.rahmen == Rahmen::stutzen ? modell().stutzen()
                                                     : k.rahmen != Rahmen::scheibe || modell().scheibe()) << k.name;
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
