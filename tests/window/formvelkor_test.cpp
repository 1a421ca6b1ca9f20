#include "fensterhilfe.h"

#include "window/formergebnisausgabe.h"

#include <QFile>
#include <QFocusEvent>
#include <QGroupBox>
#include <QPlainTextEdit>
#include <QStyleOptionGroupBox>

#include <cmath>
#include <string>
#include <vector>

namespace velkor {
namespace {

using K = Kasten;

const std::vector<K> stutzenKaesten{K::TextDas, K::Textss, K::Textc1s, K::Textc2s, K::TextKs,
                                    K::TextSis, K::Textls, K::Textlsstrich, K::Textx, K::Textphi};
const std::vector<K> scheibenKaesten{K::Textb, K::Texth, K::TextKScheibe, K::TextSiScheibe};

bool istAbschnittskasten(K k)
{
    for (K s : stutzenKaesten)
        if (s == k)
            return true;
    for (K s : scheibenKaesten)
        if (s == k)
            return true;
    return false;
}

QColor textfarbe(const QWidget* w) { return w->palette().color(QPalette::Text); }
QColor hintergrund(const QWidget* w) { return w->palette().color(QPalette::Window); }

const QColor blau(0, 0, 255);
const QColor gruen(0, 192, 0);
const QColor dunkelrot(192, 0, 0);
const QColor gelb(255, 255, 0);

// ---------------------------------------------------------------- start-up

class Start : public Fenster {
protected:
    void SetUp() override { oeffne(); }
};

TEST_F(Start, startUpShowsDefaultsOnlyTheShellEnabledAndTheFocusInTheFirstBox)
{
    EXPECT_EQ(fenster->windowTitle(), "Velkor");
    EXPECT_EQ(fenster->width(), 544);
    EXPECT_EQ(fenster->minimumSize(), fenster->maximumSize());
    for (const Kasteninfo& k : kaesten()) {
        EXPECT_EQ(kasten(k.kasten)->isEnabled(), !istAbschnittskasten(k.kasten)) << k.name;
        EXPECT_EQ(kasten(k.kasten)->toolTip().toStdString(), k.tooltip) << k.name;
    }
    const std::vector<std::pair<K, QString>> texte{
        {K::TextDa, "0.00"}, {K::Textv, "1.00"}, {K::TextK, "265.00"}, {K::TextSi, "1.5"}, {K::TextDruck, "0.5"},
        {K::Textphi, "90.00"}, {K::TextBez, ""}, {K::TextErgebnisgkprozent, "0"}, {K::TextAs0, "0.00"}};
    for (const auto& [k, text] : texte)
        EXPECT_EQ(kasten(k)->text(), text) << info(k).name;
    EXPECT_EQ(modell().daten().K, 0.0) << "stored only when the box is left or read";

    EXPECT_TRUE(check("CheckStutzen")->isEnabled() && check("CheckScheibe")->isEnabled());
    EXPECT_FALSE(check("CheckStutzen")->isChecked() || check("CheckScheibe")->isChecked());
    EXPECT_FALSE(check("Checkausgehalst")->isEnabled());
    EXPECT_TRUE(check("Checkdateiname")->isChecked());
    EXPECT_TRUE(teil<QRadioButton>("OptionZylinder")->isChecked());
    EXPECT_FALSE(modell().geaendert());

    EXPECT_EQ(fokusname(), "TextDa");
    EXPECT_EQ(kasten(K::TextDa)->selectedText(), "0.00");
    EXPECT_EQ(status()->text(), "Außendurchmesser des Grundkörpers");
    EXPECT_TRUE(status()->autoFillBackground());
    EXPECT_EQ(hintergrund(status()), QApplication::palette().color(QPalette::Button));
    for (const Kasteninfo& k : kaesten()) {
        const bool reserve = k.kasten == K::TextErgebnisgkprozent || k.kasten == K::TextErgebnisstutzenprozent ||
                             k.kasten == K::TextFVprozent;
        if (k.art == Kastenart::ergebnis) {
            EXPECT_EQ(textfarbe(kasten(k.kasten)), reserve ? gruen : blau) << k.name;
        }
    }
}

TEST_F(Start, controlsStandWhereTheLayoutPutsThemAboveTheStatusLine)
{
    auto imFenster = [this](QWidget* w) { return QRect(w->mapTo(fenster.get(), QPoint(0, 0)), w->size()); };
    EXPECT_EQ(imFenster(kasten(K::TextDa)), QRect(87, 32, 60, 19));
    EXPECT_EQ(imFenster(kasten(K::TextSiScheibe)), QRect(263, 307, 60, 19));
    EXPECT_EQ(imFenster(kasten(K::Textdmax)), QRect(456, 269, 73, 19));
    EXPECT_EQ(imFenster(check("CheckStutzen")), QRect(184, 8, 17, 17));
    EXPECT_EQ(imFenster(check("CheckScheibe")), QRect(184, 240, 17, 17));
    EXPECT_EQ(imFenster(knopf("CommandOK")), QRect(480, 336, 57, 25));
    for (const Kasteninfo& k : kaesten())
        EXPECT_EQ(kasten(k.kasten)->height(), 19) << k.name;

    // The status line is the lowest control and spans the window.
    const QRect s = status()->geometry();
    EXPECT_EQ(s.x(), 8);
    EXPECT_EQ(s.width(), 528);
    EXPECT_EQ(s.height(), 17);
    EXPECT_LE(s.bottom(), fenster->height() - 1);
    for (QWidget* w : fenster->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        EXPECT_TRUE(fenster->rect().contains(w->geometry())) << w->objectName().toStdString();
        if (w != status()) {
            EXPECT_LT(w->geometry().bottom(), s.top()) << w->objectName().toStdString();
        }
    }
}

TEST_F(Start, everyCaptionFitsItsLabelAndEveryDefaultFitsItsBox)
{
    for (QLabel* l : fenster->findChildren<QLabel*>()) {
        if (l == status())
            continue;
        EXPECT_LE(l->fontMetrics().horizontalAdvance(l->text()), l->contentsRect().width())
            << l->text().toStdString();
    }
    for (QAbstractButton* b : fenster->findChildren<QAbstractButton*>()) {
        if (qobject_cast<QPushButton*>(b) || b->text().isEmpty())
            continue;
        const int marke = b->style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, b) +
                          b->style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, b);
        EXPECT_LE(marke + b->fontMetrics().horizontalAdvance(b->text()), b->width())
            << b->objectName().toStdString();
    }
    // A caption starts to the right of the check box on its frame's corner.
    for (const char* name : {"FrameStutzen", "FrameScheibe"}) {
        auto* g = teil<QGroupBox>(name);
        QStyleOptionGroupBox option;
        option.initFrom(g);
        option.text = g->title();
        option.subControls = QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
        const QRect titel = g->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, g);
        const int textanfang = titel.left() + g->fontMetrics().horizontalAdvance("   ");
        EXPECT_GE(textanfang, 17) << name;
        EXPECT_LE(titel.left() + g->fontMetrics().horizontalAdvance(g->title()), g->width()) << name;
    }
    EXPECT_LE(status()->fontMetrics().height(), status()->height());
}

// ---------------------------------------------------------------- tab sequence

TEST_F(Start, tabVisitsEveryControlInTheDocumentedOrderWithAllSectionsOn)
{
    klicke(check("CheckStutzen"));
    klicke(check("CheckScheibe"));
    klicke(kasten(K::TextDa));
    QStringList besucht{fokusname()};
    for (int i = 0; i < 52; ++i) {
        taste(Qt::Key_Tab);
        besucht << fokusname();
    }
    const QStringList erwartet{
        "TextDa", "Texts", "Textc1", "Textc2", "Textv", "TextK", "TextSi", "OptionZylinder", "TextDruck",
        "TextBez", "TextNummer", "TextBearb", "CheckStutzen", "TextDas", "Textss", "Textc1s", "Textc2s",
        "TextKs", "TextSis", "Textls", "Textlsstrich", "Textx", "Textphi", "Checkausgehalst", "CheckScheibe",
        "Textb", "Texth", "TextKScheibe", "TextSiScheibe", "CommandTextdatei", "CommandLaden",
        "CommandSpeichern", "CommandLoeschen", "CommandBerechnen", "TextErgebnisgk", "TextErgebnisstutzen",
        "TextErgebnisgkprozent", "TextErgebnisstutzenprozent", "TextErgebnisls", "TextErgebnisb",
        "Textpmaxs", "Textpmaxgk", "TextAs0", "TextAs1", "TextAs2", "TextAp", "Textpmaxfv",
        "TextFVprozent", "Textdmax", "CommandOK", "Checkdateiname", "TextDa", "Texts"};
    EXPECT_EQ(besucht, erwartet);
}

TEST_F(Start, tabSkipsTheDisabledNozzleAndEntersTheSelectedShapeOption)
{
    klicke(teil<QRadioButton>("OptionKugel"));
    klicke(kasten(K::TextSi));
    taste(Qt::Key_Tab);
    EXPECT_EQ(fokusname(), "OptionKugel");
    taste(Qt::Key_Tab);
    EXPECT_EQ(fokusname(), "TextDruck");
    klicke(kasten(K::TextBearb));
    taste(Qt::Key_Tab);
    EXPECT_EQ(fokusname(), "CheckStutzen");
    taste(Qt::Key_Tab);
    EXPECT_EQ(fokusname(), "CheckScheibe");
    taste(Qt::Key_Tab);
    EXPECT_EQ(fokusname(), "CommandTextdatei");
}

// ---------------------------------------------------------------- typing and leaving

struct Eintrag {
    K kasten;
    const char* getippt;
    const char* gezeigt;
    double gespeichert;
};

class Verlassen : public Fenster, public ::testing::WithParamInterface<Eintrag> {
protected:
    void SetUp() override { oeffne(); }
};

TEST_P(Verlassen, leavingABoxParsesStoresAndRewritesIt)
{
    const Eintrag e = GetParam();
    if (istAbschnittskasten(e.kasten))
        klicke(check("CheckStutzen"));
    gibEin(e.kasten, e.getippt);
    EXPECT_EQ(kasten(e.kasten)->text().toStdString(), e.gezeigt);
    EXPECT_EQ(wert(modell().daten(), *groesseVon(e.kasten)), e.gespeichert);
}

INSTANTIATE_TEST_SUITE_P(Beispiele, Verlassen,
                         ::testing::Values(Eintrag{K::TextDa, "12,5", "12.50", 12.5},
                                           Eintrag{K::TextDa, "1.234,5", "1.23", 1.234},
                                           Eintrag{K::TextDa, "abc", "0.00", 0},
                                           Eintrag{K::Textc1, "-3", "3.00", 3},
                                           Eintrag{K::Textphi, "30", "90.00", 90},
                                           Eintrag{K::Textphi, "60", "60.00", 60}));

TEST_F(Start, aNumberBeyondTheRangeOfADoubleStaysAsTypedAndIsNotStored)
{
    gibEin(K::TextDa, "12");
    tippe(kasten(K::TextDa), "1e999");
    QTest::keyClick(kasten(K::TextDa), Qt::Key_Tab);
    EXPECT_EQ(kasten(K::TextDa)->text(), "1e999");
    EXPECT_EQ(modell().daten().Da, 12.0);
    EXPECT_EQ(status()->text(), "Zahl außerhalb des Wertebereichs: Eingabe bitte korrigieren.");
}

TEST_F(Start, gainingTheFocusShowsTheHelpTextAndSelectsEntriesButNotResults)
{
    klicke(kasten(K::TextSi));
    EXPECT_EQ(status()->text(),
              "Sicherheitsbeiwert:Walz/Schmiedest/Al1,5(1,05);St.guss2,0(1,4);Guss2,4-5,0(1,2-2,5)");
    EXPECT_EQ(kasten(K::TextSi)->selectedText(), "1.5");
    klicke(kasten(K::TextFVprozent));
    EXPECT_EQ(status()->text(), "Druckreserve Flächenvergleich: (pmax-p) / p");
    EXPECT_FALSE(kasten(K::TextFVprozent)->hasSelectedText());
    // The help text stays after leaving until something else writes the line.
    klicke(knopf("CommandLaden"));
    EXPECT_EQ(status()->text(), "Druckreserve Flächenvergleich: (pmax-p) / p");
}

TEST_F(Start, aContextMenuOrAnotherWindowTakingTheFocusIsNoLeaving)
{
    tippe(kasten(K::TextDa), "12,5");
    QFocusEvent aus(QEvent::FocusOut, Qt::PopupFocusReason);
    QApplication::sendEvent(kasten(K::TextDa), &aus);
    EXPECT_EQ(kasten(K::TextDa)->text(), "12,5");

    QWidget anderes;
    anderes.show();
    anderes.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&anderes));
    EXPECT_EQ(kasten(K::TextDa)->text(), "12,5");
    EXPECT_EQ(modell().daten().Da, 0.0);
}

// ---------------------------------------------------------------- unsaved changes

TEST_F(Start, typingTabbingThroughAShortDefaultAndTypingOverAResultMarkChangesOrNot)
{
    klicke(kasten(K::TextK));
    taste(Qt::Key_Tab);
    EXPECT_FALSE(modell().geaendert()) << "265.00 already has the rewritten form";
    taste(Qt::Key_Tab);
    EXPECT_EQ(kasten(K::TextSi)->text(), "1.50");
    EXPECT_TRUE(modell().geaendert()) << "1.5 is rewritten as 1.50";

    oeffne();
    tippe(kasten(K::TextAs0), "4711");
    taste(Qt::Key_Tab);
    EXPECT_EQ(kasten(K::TextAs0)->text(), "0");
    EXPECT_FALSE(modell().geaendert()) << "typing over a result is no change";
    tippe(kasten(K::TextBearb), "M");
    EXPECT_TRUE(modell().geaendert()) << "one typed character is";
}

class KommaFenster : public Fenster {
protected:
    void SetUp() override { oeffne(QStringLiteral(",")); }
};

TEST_F(KommaFenster, numbersAreShownWithTheRegionalSeparatorAndPointDefaultsChangeOnLeaving)
{
    klicke(kasten(K::Texts));
    taste(Qt::Key_Tab);
    EXPECT_EQ(kasten(K::Texts)->text(), "0,00");
    EXPECT_TRUE(modell().geaendert());
    gibEin(K::TextDa, "12.5");
    EXPECT_EQ(kasten(K::TextDa)->text(), "12,50");
    gibEin(K::TextDa, "1,5");
    EXPECT_EQ(kasten(K::TextDa)->text(), "1,50");
    EXPECT_EQ(modell().daten().Da, 1.5);
}

// ---------------------------------------------------------------- switches

TEST_F(Start, clickingNozzlePadAndExtrudedOutletSwitchesTheirSectionsAndKeepsTheirTexts)
{
    auto freigegeben = [this](const std::vector<K>& liste, bool an) {
        for (K k : liste)
            EXPECT_EQ(kasten(k)->isEnabled(), an) << info(k).name;
    };
    klicke(check("CheckScheibe"));
    EXPECT_FALSE(check("CheckScheibe")->isChecked()) << "no pad without a nozzle";
    EXPECT_TRUE(modell().geaendert());

    klicke(check("CheckStutzen"));
    freigegeben(stutzenKaesten, true);
    freigegeben(scheibenKaesten, false);
    EXPECT_TRUE(check("Checkausgehalst")->isEnabled());
    klicke(check("CheckScheibe"));
    freigegeben(scheibenKaesten, true);
    gibEin(K::Textb, "40");
    klicke(check("Checkausgehalst"));
    EXPECT_EQ(status()->text(), "ausgehalste Ausschnitte nach B9 4.4.1 (As wird mit 0.9 multipliziert)");

    klicke(check("CheckStutzen"));
    EXPECT_FALSE(check("CheckScheibe")->isChecked());
    freigegeben(stutzenKaesten, false);
    freigegeben(scheibenKaesten, false);
    EXPECT_FALSE(check("Checkausgehalst")->isEnabled());
    EXPECT_TRUE(check("Checkausgehalst")->isChecked());
    EXPECT_FALSE(modell().stutzen() || modell().scheibe());
    EXPECT_TRUE(modell().ausgehalst());

    klicke(check("CheckStutzen"));
    EXPECT_FALSE(check("CheckScheibe")->isChecked());
    EXPECT_EQ(kasten(K::Textb)->text(), "40.00");
}

TEST_F(Start, theShapeOptionsAndTheFileNameSwitchFollowTheirClicks)
{
    klicke(teil<QRadioButton>("OptionKugel"));
    EXPECT_FALSE(modell().zylinder());
    EXPECT_FALSE(teil<QRadioButton>("OptionZylinder")->isChecked());
    EXPECT_TRUE(modell().geaendert());
    klicke(teil<QRadioButton>("OptionZylinder"));
    EXPECT_TRUE(modell().zylinder());
    klicke(check("Checkdateiname"));
    EXPECT_FALSE(modell().dateinameAutomatisch());
}

// ---------------------------------------------------------------- commands leave the focused box first

class Befehl : public Fenster {
protected:
    void SetUp() override
    {
        oeffne();
        gibBeispielEin();
    }
};

// c1 = -1 typed: leaving makes it 1 (sG = 2.82 + 1); a run reading the raw text would take -1 (1.82).
TEST_F(Befehl, aMouseClickOnTheCalculationButtonLeavesTheBoxBeforeCalculating)
{
    tippe(kasten(K::Textc1), "-1");
    klicke(knopf("CommandBerechnen"));
    EXPECT_EQ(kasten(K::Textc1)->text(), "1.00");
    EXPECT_EQ(kasten(K::TextErgebnisgk)->text(), "3.82");
}

TEST_F(Befehl, enterLeavesTheBoxBeforeCalculatingAndKeepsTheFocusThere)
{
    tippe(kasten(K::Textc1), "-1");
    taste(Qt::Key_Return);
    EXPECT_EQ(fokusname(), "Textc1");
    EXPECT_EQ(kasten(K::Textc1)->text(), "1.00");
    EXPECT_EQ(kasten(K::TextErgebnisgk)->text(), "3.82");
    EXPECT_EQ(status()->text(), "Ausreichend dimensioniert.");
}

TEST_F(Befehl, enterOnAFocusedButtonPressesThatButton)
{
    dialoge.sonst = Antwort::nein;
    klicke(knopf("CommandLaden"));
    ASSERT_EQ(dialoge.oeffnendialoge, 1);
    taste(Qt::Key_Return);
    EXPECT_EQ(dialoge.oeffnendialoge, 2);
    EXPECT_FALSE(modell().berechnet()) << "Enter on L must not calculate";
}

// A run that stops at a zero divisor zeroes sG without rewriting its box; a second
// leaving of the result box would then show 0.00.
TEST_F(Befehl, aResultBoxIsLeftOnceWhetherEnterOrAClickRunsTheCommand)
{
    for (bool mitEnter : {true, false}) {
        gibEin(K::TextDruck, "10");
        klicke(knopf("CommandBerechnen"));
        gibEin(K::TextDruck, "0");
        tippe(kasten(K::TextErgebnisgk), "77");
        if (mitEnter)
            taste(Qt::Key_Return);
        else
            klicke(knopf("CommandBerechnen"));
        EXPECT_EQ(status()->text(), "Division durch Null");
        EXPECT_EQ(modell().daten().sG, 0.0);
        EXPECT_EQ(kasten(K::TextErgebnisgk)->text(), "2.82") << mitEnter;
        taste(Qt::Key_Tab);
        EXPECT_EQ(kasten(K::TextErgebnisgk)->text(), "2.82") << mitEnter;
    }
}

TEST_F(Befehl, typingAgainAfterEnterMakesTheNextLeavingCount)
{
    tippe(kasten(K::Textc1), "-1");
    taste(Qt::Key_Return);
    // The rewritten text stays selected, so typing replaces it.
    schreibe(kasten(K::Textc1), "-2");
    EXPECT_EQ(kasten(K::Textc1)->text(), "-2");
    taste(Qt::Key_Tab);
    EXPECT_EQ(kasten(K::Textc1)->text(), "2.00");
    EXPECT_EQ(modell().daten().c1, 2.0);
}

// ---------------------------------------------------------------- calculation

// Expected texts computed by hand from the code sheet formulas (see the report test below).
TEST_F(Befehl, aFullCalculationFromTypedEntriesShowsEveryResultAndTheVerdict)
{
    klicke(knopf("CommandBerechnen"));
    const std::vector<std::pair<K, QString>> erwartet{
        {K::TextErgebnisgk, "2.82"},       {K::TextErgebnisstutzen, "0.28"},
        {K::TextErgebnisgkprozent, "254"}, {K::TextErgebnisstutzenprozent, "1672"},
        {K::TextErgebnisb, "99.50"},       {K::TextErgebnisls, "27.24"},
        {K::Textpmaxgk, "35.69"},          {K::Textpmaxs, "185.96"},
        {K::TextAs0, "994.99"},            {K::TextAs1, "186.22"},
        {K::TextAs2, "0.00"},              {K::TextAp, "74930.32"},
        {K::TextFVprozent, "178"},         {K::Textpmaxfv, "27.63"},
        {K::Textdmax, "506.12"},           {K::TextSi, "1.50"},
        {K::TextDruck, "10.00"},
    };
    for (const auto& [k, text] : erwartet)
        EXPECT_EQ(kasten(k)->text(), text) << info(k).name;
    EXPECT_EQ(status()->text(), "Ausreichend dimensioniert.");
    EXPECT_EQ(hintergrund(status()), QApplication::palette().color(QPalette::Button));
    EXPECT_EQ(textfarbe(kasten(K::TextErgebnisgkprozent)), gruen);
    EXPECT_EQ(textfarbe(kasten(K::TextFVprozent)), gruen);
    EXPECT_EQ(textfarbe(kasten(K::TextAp)), blau);
    EXPECT_TRUE(modell().berechnet());
}

TEST_F(Befehl, anInsufficientShellTurnsItsReserveAndTheStatusLineDarkRed)
{
    gibEin(K::Texts, "2");
    klicke(knopf("CommandBerechnen"));
    EXPECT_EQ(kasten(K::TextErgebnisgkprozent)->text(), "-29");
    EXPECT_EQ(textfarbe(kasten(K::TextErgebnisgkprozent)), dunkelrot);
    EXPECT_EQ(textfarbe(kasten(K::TextErgebnisstutzenprozent)), gruen);
    EXPECT_EQ(status()->text(), "Nicht ausreichend dimensioniert!");
    EXPECT_EQ(hintergrund(status()), dunkelrot);
    EXPECT_EQ(status()->palette().color(QPalette::WindowText), QColor(Qt::white)) << "readable on dark red";

    gibEin(K::Texts, "10");
    klicke(knopf("CommandBerechnen"));
    EXPECT_EQ(textfarbe(kasten(K::TextErgebnisgkprozent)), gruen);
    EXPECT_EQ(hintergrund(status()), QApplication::palette().color(QPalette::Button));
    EXPECT_EQ(status()->palette().color(QPalette::WindowText), QApplication::palette().color(QPalette::WindowText));
}

TEST_F(Befehl, anEntryBeyondTheRangeOfADoubleEndsTheRunOnYellow)
{
    tippe(kasten(K::TextDa), "1e999");
    klicke(knopf("CommandBerechnen"));
    EXPECT_EQ(status()->text(), "Allgemeiner Fehler: Berechnung abgebrochen!");
    EXPECT_EQ(hintergrund(status()), gelb);
    EXPECT_FALSE(modell().berechnet());
}

// ---------------------------------------------------------------- report

std::string golden(const char* name)
{
    QFile f(QStringLiteral(VELKOR_TESTDATEN "/app/") + name);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << name;
    return f.readAll().toStdString();
}

class Bericht : public Befehl {
protected:
    void SetUp() override
    {
        Befehl::SetUp();
        gibEin(K::TextBez, "Behälter 1, Teil 2");
        gibEin(K::TextNummer, "12");
        gibEin(K::TextBearb, "Müller");
    }
    QPlainTextEdit* berichtskasten() const
    {
        return fenster->ergebnisausgabe()->findChild<QPlainTextEdit*>("TextErgebnisAusgabe");
    }
};

TEST_F(Bericht, theReportButtonShowsTheReportByteForByte)
{
    EXPECT_EQ(fenster->ergebnisausgabe(), nullptr);
    klicke(knopf("CommandTextdatei"));
    ASSERT_NE(fenster->ergebnisausgabe(), nullptr);
    EXPECT_TRUE(fenster->ergebnisausgabe()->isVisible());
    EXPECT_FALSE(fenster->ergebnisausgabe()->isModal());
    // The golden report of this design was written by hand from the report layout.
    EXPECT_EQ(fenster->ergebnisausgabe()->text().toStdString(), golden("zylinder_stutzen_punkt.txt"));
    EXPECT_EQ(status()->text(), "Ausreichend dimensioniert.");
}

TEST_F(Bericht, afterZurueckTheNextReportFillsAndShowsTheSameWindowAgain)
{
    klicke(knopf("CommandTextdatei"));
    FormErgebnisausgabe* erstes = fenster->ergebnisausgabe();
    klicke(erstes->findChild<QPushButton*>("CommandOK"));
    EXPECT_FALSE(erstes->isVisible());
    fenster->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(fenster.get()));
    gibEin(K::TextBearb, "Ko");
    klicke(knopf("CommandTextdatei"));
    EXPECT_EQ(fenster->ergebnisausgabe(), erstes);
    EXPECT_TRUE(erstes->isVisible());
    EXPECT_TRUE(erstes->text().contains("Sachbearbeiter: Ko\r\n"));
    EXPECT_FALSE(erstes->text().contains("Müller"));
}

TEST_F(Bericht, aRefusedReportLeavesTheEarlierOneUntouched)
{
    klicke(knopf("CommandTextdatei"));
    QTest::keyClicks(berichtskasten(), "Notiz");
    const QString vorher = fenster->ergebnisausgabe()->text();
    klicke(fenster->ergebnisausgabe()->findChild<QPushButton*>("CommandOK"));
    fenster->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(fenster.get()));

    gibEin(K::TextDruck, "0");
    klicke(knopf("CommandTextdatei"));
    EXPECT_EQ(status()->text(), "Ausgabe nicht möglich: Berechnung abgebrochen.");
    EXPECT_FALSE(fenster->ergebnisausgabe()->isVisible());
    EXPECT_EQ(fenster->ergebnisausgabe()->text(), vorher);
}

TEST_F(Start, aProjectLoadedAtStartShowsTheBeginningOfLongTextsAndKeepsTheFocusedBoxSelected)
{
    ASSERT_TRUE(fenster->lade(VELKOR_TESTDATEN "/app/zylinder_stutzen.vlk"));
    EXPECT_EQ(status()->text(), "Laden erfolgreich");
    EXPECT_FALSE(kasten(K::TextBez)->text().isEmpty());
    EXPECT_EQ(kasten(K::TextBez)->cursorPosition(), 0);
    EXPECT_TRUE(check("CheckStutzen")->isChecked());
    EXPECT_TRUE(kasten(K::TextDas)->isEnabled());
    EXPECT_EQ(kasten(K::TextDa)->selectedText(), kasten(K::TextDa)->text());
    EXPECT_FALSE(modell().geaendert());
}

TEST_F(Start, theFileButtonsReachTheirCommands)
{
    klicke(knopf("CommandLaden"));
    EXPECT_EQ(dialoge.oeffnendialoge, 1);
    klicke(knopf("CommandSpeichern"));
    EXPECT_EQ(dialoge.speicherdialoge, 1);
}

TEST_F(Start, clearingAsksFirstAndThenZeroesEveryEntry)
{
    klicke(check("CheckStutzen"));
    dialoge.antworten = {Antwort::nein};
    klicke(knopf("CommandLoeschen"));
    EXPECT_EQ(dialoge.fragen, std::vector<std::string>{"Vor dem Löschen speichern?"});
    EXPECT_EQ(kasten(K::Textv)->text(), "0.00");
    EXPECT_FALSE(check("CheckStutzen")->isChecked());
    EXPECT_FALSE(kasten(K::TextDas)->isEnabled());
    EXPECT_EQ(status()->text(), "Bitte Eingaben vervollständigen");
    EXPECT_FALSE(modell().geaendert());
}

TEST_F(Start, closingWithoutChangesAsksNothing)
{
    EXPECT_TRUE(fenster->close());
    EXPECT_TRUE(dialoge.fragen.empty());
    EXPECT_FALSE(fenster->isVisible());
}

TEST_F(Start, quittingOrClosingCommitsTheTypedEntryAndCancelKeepsTheWindow)
{
    tippe(kasten(K::TextDa), "12,5");
    dialoge.antworten = {Antwort::abbrechen};
    klicke(knopf("CommandOK"));
    EXPECT_EQ(dialoge.fragen, std::vector<std::string>{"Vor dem Verlassen speichern?"});
    EXPECT_TRUE(fenster->isVisible());
    EXPECT_EQ(kasten(K::TextDa)->text(), "12.50");
    EXPECT_EQ(modell().daten().Da, 12.5);

    tippe(kasten(K::TextDa), "7,25");
    dialoge.antworten = {Antwort::abbrechen};
    EXPECT_FALSE(fenster->close());
    EXPECT_EQ(dialoge.fragen.size(), 2u);
    EXPECT_EQ(modell().daten().Da, 7.25);
}

// Closed from the task bar while the report window is the active one: the entry
// still being typed in the main window is taken in before the question.
TEST_F(Bericht, closingWhileTheReportWindowIsActiveStillCommitsTheTypedEntry)
{
    klicke(knopf("CommandTextdatei"));
    fenster->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(fenster.get()));
    tippe(kasten(K::TextDa), "12,5");
    fenster->ergebnisausgabe()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(fenster->ergebnisausgabe()));

    dialoge.antworten = {Antwort::abbrechen};
    EXPECT_FALSE(fenster->close());
    EXPECT_EQ(dialoge.fragen, std::vector<std::string>{"Vor dem Verlassen speichern?"});
    EXPECT_EQ(modell().daten().Da, 12.5);
    EXPECT_EQ(kasten(K::TextDa)->text(), "12.50");
}

// A click into the main window while the report window is the active one moves
// the focus without a focus-out for the box being typed in; that box is still left
// before the command runs, or before the next box is entered.
TEST_F(Bericht, aBoxTypedInBeforeAnotherWindowTookTheFocusIsLeftBeforeTheNextCommandOrBox)
{
    klicke(knopf("CommandTextdatei"));
    for (bool befehl : {true, false}) {
        fenster->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(fenster.get()));
        tippe(kasten(K::Textc1), "-1");
        fenster->ergebnisausgabe()->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(fenster->ergebnisausgabe()));

        if (befehl) {
            // c1 = 1 after leaving: sG = 2.82 + 1; the raw -1 would give 1.82.
            klicke(knopf("CommandBerechnen"));
            EXPECT_EQ(kasten(K::Textc1)->text(), "1.00");
            EXPECT_EQ(kasten(K::TextErgebnisgk)->text(), "3.82");
        } else {
            klicke(kasten(K::Texts));
            fenster->activateWindow();
            ASSERT_TRUE(QTest::qWaitForWindowActive(fenster.get()));
            EXPECT_EQ(kasten(K::Textc1)->text(), "1.00");
            EXPECT_EQ(modell().daten().c1, 1.0);
            EXPECT_EQ(status()->text(), "Nennwanddicke des Grundkörpers");
        }
    }
}

TEST_F(Bericht, quittingAsksOnceAndClosesTheReportWindowToo)
{
    klicke(knopf("CommandTextdatei"));
    klicke(fenster->ergebnisausgabe()->findChild<QPushButton*>("CommandOK"));
    fenster->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(fenster.get()));
    klicke(knopf("CommandTextdatei"));
    ASSERT_TRUE(fenster->ergebnisausgabe()->isVisible());
    dialoge.antworten = {Antwort::nein};
    klicke(knopf("CommandOK"));
    EXPECT_EQ(dialoge.fragen.size(), 1u);
    EXPECT_FALSE(fenster->isVisible());
    EXPECT_FALSE(fenster->ergebnisausgabe()->isVisible());
}

} // namespace
} // namespace velkor
