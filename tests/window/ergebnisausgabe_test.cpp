#include "report/druck.h"
#include "tests/formular/formularhilfe.h"
#include "tests/support/testdaten.h"
#include "window/formergebnisausgabe.h"
#include "window/uebersetzung.h"

#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QDate>
#include <QFontInfo>
#include <QLabel>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace velkor {
namespace {

// A report-like text: a leading empty line, CR LF after every line, umlauts.
QString bericht(int zeilen)
{
    QString t = QStringLiteral("\r\n");
    for (int i = 1; i < zeilen; ++i)
        t += QStringLiteral("Zeile %1 Größe = %2 mm²\r\n").arg(i, 3, 10, QLatin1Char('0')).arg(i * 1.5, 0, 'f', 2);
    return t;
}

QString pdfText(const QString& pfad, const QString& art = "-layout")
{
    QProcess p;
    p.start("pdftotext", {art, pfad, "-"});
    EXPECT_TRUE(p.waitForFinished(30000) && p.exitCode() == 0);
    return QString::fromUtf8(p.readAllStandardOutput());
}

std::unique_ptr<QPrinter> pdfDrucker(const QString& pfad)
{
    auto d = std::make_unique<QPrinter>(QPrinter::HighResolution);
    d->setOutputFormat(QPrinter::PdfFormat);
    d->setOutputFileName(pfad);
    d->setPageSize(QPageSize(QPageSize::A4));
    d->setPageMargins(QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
    return d;
}

// Word boxes in points: the printable area starts 10 mm in, the text 25 mm and 15 mm further.
TEST(Druck, everyLineIsPrintedAtTwentyFiveAndFifteenMillimetresInTenPointCourierOnAsManyPagesAsItNeeds)
{
    QTemporaryDir ordner;
    const QString pfad = ordner.filePath("bericht.pdf");
    ASSERT_TRUE(drucke(*pdfDrucker(pfad), Druckwerk{{}, {Druckteil{"Bericht.vlk", bericht(150), std::nullopt}}}));
    QRegularExpression wort(R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="[\d.]+" yMax="([\d.]+)">Zeile</word>)re");
    QList<QList<double>> w; // left, top, bottom of each line's first word
    for (auto m = wort.globalMatch(pdfText(pfad, "-bbox")); m.hasNext();) {
        const auto z = m.next();
        w.append({z.captured(1).toDouble(), z.captured(2).toDouble(), z.captured(3).toDouble()});
    }
    ASSERT_EQ(w.size(), 149);
    const double mm = 72 / 25.4, abstand = w[1][1] - w[0][1];
    EXPECT_NEAR(w[0][0], 35 * mm, 1.0);
    EXPECT_NEAR(w[0][2] - w[0][1], 10, 2.5) << "10 pt";
    EXPECT_NEAR(abstand, 10 * 1.1328, 0.3) << "Liberation Mono at 10 pt";
    EXPECT_NEAR(w[0][1] - abstand, 25 * mm, 3.0) << "line 1 is the empty first line";
    // A4 with 10 mm margins leaves 277 - 15 - 15 mm for lines of 4.0 mm: 61 lines a page.
    const QStringList seiten = pdfText(pfad).split(QChar('\f'), Qt::SkipEmptyParts);
    ASSERT_EQ(seiten.size(), 3);
    EXPECT_TRUE(seiten[0].contains("Zeile 060 ") && !seiten[0].contains("Zeile 061 "));
    EXPECT_TRUE(seiten[2].contains("Zeile 149 Größe = 223.50 mm²"));
    const QString tag = QDate::currentDate().toString("dd.MM.yyyy");
    for (int s = 0; s < 3; ++s)
        EXPECT_TRUE(seiten[s].contains(QRegularExpression("Projekt: +Datei: Bericht.vlk\\s.*Gedruckt am " + tag
                                                          + " +Velkor 0.1 +Seite " + QString::number(s + 1) + " von 3\\s*$",
                                                          QRegularExpression::DotMatchesEverythingOption)))
            << seiten[s].toStdString();
}

// Rows of tests/data/druck/seiten.txt.
TEST(Druck, aPageBreaksBeforeABlockThatNoLongerFitsAndNeverAfterAHeading)
{
    for (const auto& z : tabelle("druck/seiten.txt")) {
        QStringList seiten;
        for (const QStringList& seite : druckseiten(QString::fromStdString(z[0]).replace('|', "\r\n"), std::stoi(z[1])))
            seiten << QString::number(seite.size());
        EXPECT_EQ(seiten.join(' ').toStdString(), z[2]) << z[0];
    }
}

class Ausgabe : public ::testing::Test {
protected:
    void SetUp() override
    {
        fenster = std::make_unique<FormErgebnisausgabe>(dialoge, [this] { return druckerwahl(); });
        fenster->zeigeBericht(bericht(57));
        ASSERT_TRUE(QTest::qWaitForWindowExposed(fenster.get()));
    }
    QPlainTextEdit* kasten() const { return fenster->findChild<QPlainTextEdit*>("TextErgebnisAusgabe"); }
    QPushButton* knopf(const char* name) const { return fenster->findChild<QPushButton*>(name); }

    std::function<std::unique_ptr<QPrinter>()> druckerwahl = [] { return std::unique_ptr<QPrinter>(); };
    SkriptDialoge dialoge;
    std::unique_ptr<FormErgebnisausgabe> fenster;
};

// Enter and Escape press no button; the columns of the report line up.
TEST_F(Ausgabe, theReportComesFirstInAFixedPitchFaceAndNoButtonIsTheDefault)
{
    EXPECT_FALSE(fenster->findChild<QWidget*>("Skizze")->isVisible());
    for (QPushButton* b : fenster->findChildren<QPushButton*>())
        EXPECT_FALSE(b->isDefault() || b->autoDefault()) << b->objectName().toStdString();
    EXPECT_EQ(QFontInfo(kasten()->font()).family(), "Liberation Mono");
}

// Typed or pasted text was copied and printed as the report (and Alt+S typed an "s").
TEST_F(Ausgabe, nothingTypedOrPastedChangesTheReportAndCopyingReplacesEveryClipboardFormat)
{
    auto* fremd = new QMimeData;
    fremd->setHtml("<b>alt</b>");
    fremd->setText("eingefügt");
    QApplication::clipboard()->setMimeData(fremd);
    kasten()->moveCursor(QTextCursor::Start);
    QTest::keyClicks(kasten(), "Notiz");
    for (const auto& [taste, mit] : {std::pair{Qt::Key_Return, Qt::NoModifier}, {Qt::Key_V, Qt::ControlModifier},
                                     {Qt::Key_S, Qt::AltModifier}, {Qt::Key_Delete, Qt::NoModifier}})
        QTest::keyClick(kasten(), taste, mit);
    EXPECT_EQ(fenster->text(), bericht(57));
    QTest::mouseClick(knopf("CommandClipboard"), Qt::LeftButton);
    EXPECT_EQ(QApplication::clipboard()->text(), bericht(57));
    EXPECT_FALSE(QApplication::clipboard()->mimeData()->hasHtml());
}

// A stray Tab once went into the report and so into what was copied and printed;
// the drawing could not be reached by keyboard.
TEST_F(Ausgabe, tabMovesOnToTheButtonsAndTheTabsAndControlTabSwitchesToAnEnabledView)
{
    ASSERT_TRUE(QTest::qWaitForWindowActive(fenster.get()));
    kasten()->setFocus();
    for (const char* naechster : {"CheckRechengang", "CommandClipboard", "CommandDrucken", "CommandPdf", "CommandOK", "Ansichten",
                                  "TextErgebnisAusgabe"}) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget()->objectName(), naechster);
    }
    EXPECT_EQ(fenster->text(), bericht(57));
    auto* ansichten = fenster->findChild<QTabBar*>("Ansichten");
    const auto wechsle = [&](Qt::Key taste, Qt::KeyboardModifiers mit) {
        QTest::keyClick(QApplication::focusWidget(), taste, mit);
        return ansichten->currentIndex();
    };
    EXPECT_EQ(wechsle(Qt::Key_Tab, Qt::ControlModifier), 0) << "a run without a drawing";
    Formular f(".");
    f.berechne();
    fenster->zeigeBericht(bericht(57), {}, f.rechenstand());
    const std::tuple<Qt::Key, Qt::KeyboardModifiers, int> schritte[] = {
        {Qt::Key_Tab, Qt::ControlModifier, 1}, {Qt::Key_PageDown, Qt::ControlModifier, 0},
        {Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier, 1}, {Qt::Key_PageUp, Qt::ControlModifier, 0}};
    for (const auto& [taste, mit, tab] : schritte) {
        EXPECT_EQ(wechsle(taste, mit), tab) << taste;
        EXPECT_EQ(fenster->findChild<QWidget*>("Skizze")->isVisible(), tab == 1) << "the drawing shows on its tab only";
    }
}

TEST_F(Ausgabe, druckenAndAlsPdfPrintTheReportOnceAJobOrSayWhyNot)
{
    QTemporaryDir ordner;
    fenster->zeigeBericht(bericht(57), {}, std::nullopt, "/p/Behälter 1.vlk");
    dialoge.dateien = {ordner.filePath("b.pdf").toStdString(), "/dev/full", std::nullopt};
    for (int i = 0; i < 3; ++i)
        QTest::mouseClick(knopf("CommandPdf"), Qt::LeftButton);
    EXPECT_TRUE(pdfText(ordner.filePath("b.pdf")).contains("Datei: /p/Behälter 1.vlk"));
    EXPECT_EQ(fenster->findChild<QLabel*>("StatusBar")->text(), "PDF gespeichert: " + ordner.filePath("b.pdf"));
    int auftrag = 0;
    druckerwahl = [&] { return pdfDrucker(ordner.filePath(QStringLiteral("auftrag%1.pdf").arg(++auftrag))); };
    QTest::mouseClick(knopf("CommandDrucken"), Qt::LeftButton);
    QTest::mouseClick(knopf("CommandDrucken"), Qt::LeftButton);
    for (int i = 1; i <= 2; ++i)
        EXPECT_TRUE(pdfText(ordner.filePath(QStringLiteral("auftrag%1.pdf").arg(i))).contains("Zeile 056 Größe = 84.00 mm²"));
    // No printer, a file printer with a bad target, a printer that refuses the job.
    for (const QString ziel : {"-", "/nicht/vorhanden/x.pdf", "/dev/full", ""}) {
        druckerwahl = [ziel] { return ziel == "-" ? std::unique_ptr<QPrinter>() : pdfDrucker(ziel); };
        QTest::mouseClick(knopf("CommandDrucken"), Qt::LeftButton);
    }
    EXPECT_EQ(dialoge.protokoll,
              (std::vector<std::string>{
                  "speichern Als PDF speichern | PDF-Dateien|*.pdf | /p/Behälter 1",
                  "speichern Als PDF speichern | PDF-Dateien|*.pdf | /p/Behälter 1",
                  "meldung Das Ziel ist keine gewöhnliche Datei: „/dev/full“. Das PDF wurde nicht geschrieben. | Als PDF speichern",
                  "speichern Als PDF speichern | PDF-Dateien|*.pdf | /p/Behälter 1",
                  "meldung Es ist kein Drucker eingerichtet. Der Bericht wurde nicht gedruckt; „Als PDF“ speichert ihn als Datei. | Drucken",
                  "meldung Der Ordner existiert nicht: „/nicht/vorhanden“. Der Bericht wurde nicht gedruckt. | Drucken",
                  "meldung Das Ziel ist keine gewöhnliche Datei: „/dev/full“. Der Bericht wurde nicht gedruckt. | Drucken",
                  "meldung Der Drucker hat den Auftrag nicht angenommen. Der Bericht wurde nicht gedruckt. | Drucken"}));
    EXPECT_EQ(fenster->text(), bericht(57));
}

TEST(Uebersetzung, standardButtonsReadGermanWhateverTheUsersLanguage)
{
    QLocale::setDefault(QLocale(QLocale::English));
    ASSERT_TRUE(ladeDeutscheUebersetzung(*QCoreApplication::instance()));
    QDialogButtonBox knoepfe(QDialogButtonBox::Yes | QDialogButtonBox::Cancel);
    EXPECT_EQ(knoepfe.button(QDialogButtonBox::Cancel)->text().remove('&'), "Abbrechen");
    EXPECT_EQ(knoepfe.button(QDialogButtonBox::Yes)->text().remove('&'), "Ja");
    QLocale::setDefault(QLocale::c());
}

} // namespace
} // namespace velkor
