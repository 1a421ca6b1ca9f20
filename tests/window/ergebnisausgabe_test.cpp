#include "report/druck.h"
#include "window/formergebnisausgabe.h"
#include "tests/formular/skriptdialoge.h"
#include "window/uebersetzung.h"

#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QFontInfo>
#include <QLabel>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>

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

QString pdfText(const QString& pfad, const QStringList& zusatz = {})
{
    QProcess p;
    p.start("pdftotext", QStringList{"-layout"} + zusatz + QStringList{pfad, "-"});
    EXPECT_TRUE(p.waitForFinished(30000));
    EXPECT_EQ(p.exitCode(), 0);
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

// ---------------------------------------------------------------- page layout

TEST(Druckseiten, aReportOfFiftySevenLinesFillsOnePageAndSpillsOntoTheNext)
{
    const QList<QStringList> seiten = druckseiten(bericht(57), 50);
    ASSERT_EQ(seiten.size(), 2);
    EXPECT_EQ(seiten[0].size(), 50);
    EXPECT_EQ(seiten[1].size(), 7);
    EXPECT_EQ(seiten[0].first(), "");
    EXPECT_EQ(seiten[0][1], "Zeile 001 Größe = 1.50 mm²");
    EXPECT_EQ(seiten[1].first(), "Zeile 050 Größe = 75.00 mm²");
    EXPECT_EQ(seiten[1].last(), "Zeile 056 Größe = 84.00 mm²");
}

TEST(Druckseiten, lineEndsOfEitherKindSeparateLinesAndTheLastOneStartsNoExtraLine)
{
    EXPECT_EQ(druckseiten("a\r\nb\nc", 10), QList<QStringList>{QStringList({"a", "b", "c"})});
    EXPECT_EQ(druckseiten("a\r\n\r\n", 10), QList<QStringList>{QStringList({"a", ""})});
    EXPECT_EQ(druckseiten("a\r\nb\r\n", 1), (QList<QStringList>{{"a"}, {"b"}}));
    // An empty text still gives one (empty) page; a lone line end is one empty line.
    EXPECT_EQ(druckseiten("", 50), QList<QStringList>{QStringList()});
    EXPECT_EQ(druckseiten("\r\n", 50), QList<QStringList>{QStringList({""})});
}

// ---------------------------------------------------------------- printing into a PDF

TEST(Drucken, thePrintoutHoldsEveryLineAtTwentyFiveAndFifteenMillimetresInTenPointCourier)
{
    QTemporaryDir ordner;
    const QString pfad = ordner.filePath("bericht.pdf");
    auto drucker = pdfDrucker(pfad);
    ASSERT_TRUE(drucke(*drucker, bericht(20)));

    const QString text = pdfText(pfad);
    for (int i = 1; i < 20; ++i)
        EXPECT_TRUE(text.contains(QStringLiteral("Zeile %1 Größe").arg(i, 3, 10, QLatin1Char('0'))));
    EXPECT_TRUE(text.contains("mm²"));

    // Word boxes in points: the printable area starts 10 mm in, the text 25 mm and 15 mm further.
    const QString boxen = pdfText(pfad, {"-bbox"});
    QRegularExpression wort(R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="[\d.]+" yMax="([\d.]+)">Zeile</word>)re");
    QList<double> links, oben, unten;
    for (auto m = wort.globalMatch(boxen); m.hasNext();) {
        const auto treffer = m.next();
        links << treffer.captured(1).toDouble();
        oben << treffer.captured(2).toDouble();
        unten << treffer.captured(3).toDouble();
    }
    ASSERT_EQ(links.size(), 19);
    const double mm = 72 / 25.4;
    EXPECT_NEAR(links[0], 35 * mm, 1.0);
    // Line 1 is the empty first line; line 2 ("Zeile 001") follows one line pitch lower.
    const double abstand = oben[1] - oben[0];
    EXPECT_NEAR(abstand, 10 * 1.1328, 0.3) << "Liberation Mono at 10 pt";
    EXPECT_NEAR(oben[0] - abstand, 25 * mm, 3.0);
    EXPECT_NEAR(unten[0] - oben[0], 10, 2.5) << "font size 10 pt";
}

TEST(Drucken, aLongTextContinuesOnFurtherPagesWithoutLosingALine)
{
    QTemporaryDir ordner;
    const QString pfad = ordner.filePath("lang.pdf");
    auto drucker = pdfDrucker(pfad);
    ASSERT_TRUE(drucke(*drucker, bericht(150)));
    const QString text = pdfText(pfad);
    const QStringList seiten = text.split(QChar('\f'), Qt::SkipEmptyParts);
    // A4 with 10 mm margins leaves 277 - 15 - 15 mm for lines of 4.0 mm: 61 lines a page.
    ASSERT_EQ(seiten.size(), 3);
    EXPECT_TRUE(seiten[0].contains("Zeile 060 ")) << seiten[0].toStdString();
    EXPECT_FALSE(seiten[0].contains("Zeile 061 "));
    EXPECT_TRUE(seiten[1].contains("Zeile 061 "));
    QRegularExpression zeile("Zeile (\\d\\d\\d) ");
    int erwartet = 1;
    for (auto m = zeile.globalMatch(text); m.hasNext(); ++erwartet)
        EXPECT_EQ(m.next().captured(1).toInt(), erwartet);
    EXPECT_EQ(erwartet, 150);
}

// ---------------------------------------------------------------- the window

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

TEST_F(Ausgabe, theWindowHasItsControlsWhereTheTwipsPutThem)
{
    EXPECT_EQ(fenster->windowTitle(), "Ergebnisausgabe");
    EXPECT_EQ(fenster->size(), QSize(502, 371));
    EXPECT_EQ(kasten()->geometry(), QRect(0, 0, 497, 313));
    EXPECT_EQ(knopf("CommandClipboard")->geometry(), QRect(192, 320, 89, 25));
    EXPECT_EQ(knopf("CommandDrucken")->geometry(), QRect(304, 320, 89, 25));
    EXPECT_EQ(knopf("CommandOK")->geometry(), QRect(408, 320, 89, 25));
    EXPECT_EQ(knopf("CommandClipboard")->text(), "Zwischenablage");
    EXPECT_EQ(knopf("CommandDrucken")->text(), "Drucken");
    EXPECT_EQ(knopf("CommandOK")->text(), "Zurück");
    for (const char* name : {"CommandClipboard", "CommandDrucken", "CommandOK"})
        EXPECT_LE(knopf(name)->fontMetrics().horizontalAdvance(knopf(name)->text()) + 8, knopf(name)->width())
            << name << " shows its whole caption";
    auto* status = fenster->findChild<QLabel*>("StatusBar");
    ASSERT_NE(status, nullptr);
    EXPECT_EQ(status->text(), "Ergebnisausgabe");
    EXPECT_EQ(status->geometry(), QRect(0, 352, 496, 17));
    EXPECT_EQ(kasten()->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_FALSE(kasten()->isReadOnly());
}

TEST_F(Ausgabe, theReportIsShownInAFixedPitchFaceThatIsReallyUsed)
{
    const QFontInfo schrift(kasten()->font());
    EXPECT_TRUE(schrift.fixedPitch());
    EXPECT_EQ(schrift.family(), "Liberation Mono");
    EXPECT_NEAR(schrift.pointSizeF(), 8.25, 0.3);
    const QFontMetrics masse(kasten()->font());
    EXPECT_EQ(masse.horizontalAdvance("iiiii"), masse.horizontalAdvance("WWWWW"));
}

TEST_F(Ausgabe, noButtonIsTheDefaultSoEnterAndEscapePressNothing)
{
    for (const char* name : {"CommandClipboard", "CommandDrucken", "CommandOK"}) {
        EXPECT_FALSE(knopf(name)->isDefault()) << name;
        EXPECT_FALSE(knopf(name)->autoDefault()) << name;
    }
    QApplication::clipboard()->setText("vorher");
    knopf("CommandClipboard")->setFocus();
    QTest::keyClick(knopf("CommandClipboard"), Qt::Key_Return);
    QTest::keyClick(knopf("CommandClipboard"), Qt::Key_Escape);
    EXPECT_EQ(QApplication::clipboard()->text(), "vorher");
    EXPECT_TRUE(fenster->isVisible());
}

TEST_F(Ausgabe, copyingReplacesEveryFormatOnTheClipboardWithThePlainTextAndItsCrLf)
{
    auto* fremd = new QMimeData;
    fremd->setHtml("<b>alt</b>");
    fremd->setData("application/x-fremd", "123");
    QApplication::clipboard()->setMimeData(fremd);
    QTest::mouseClick(knopf("CommandClipboard"), Qt::LeftButton);
    const QMimeData* jetzt = QApplication::clipboard()->mimeData();
    EXPECT_EQ(QApplication::clipboard()->text(), bericht(57));
    EXPECT_FALSE(jetzt->hasHtml());
    EXPECT_FALSE(jetzt->hasFormat("application/x-fremd"));
}

TEST_F(Ausgabe, editsInTheBoxAreWhatIsCopied)
{
    kasten()->setFocus();
    kasten()->moveCursor(QTextCursor::Start);
    QTest::keyClicks(kasten(), "Notiz");
    QTest::keyClick(kasten(), Qt::Key_Return);
    QTest::mouseClick(knopf("CommandClipboard"), Qt::LeftButton);
    EXPECT_EQ(QApplication::clipboard()->text(), "Notiz\r\n" + bericht(57));
}

TEST_F(Ausgabe, aNoBreakSpaceSurvivesTheCopy)
{
    const QString mitNbsp = QStringLiteral("\r\nProjekt:        A\u00a0B\r\n");
    fenster->zeigeBericht(mitNbsp);
    EXPECT_EQ(fenster->text(), mitNbsp);
}

TEST_F(Ausgabe, zurueckHidesTheWindowAndKeepsItsText)
{
    QTest::mouseClick(knopf("CommandOK"), Qt::LeftButton);
    EXPECT_FALSE(fenster->isVisible());
    EXPECT_EQ(fenster->text(), bericht(57));
    fenster->zeigeBericht(bericht(3));
    EXPECT_TRUE(fenster->isVisible());
    EXPECT_EQ(fenster->text(), bericht(3));
}

TEST_F(Ausgabe, aMinimisedWindowComesBackWithTheNextReport)
{
    fenster->showMinimized();
    ASSERT_TRUE(fenster->isMinimized());
    fenster->zeigeBericht(bericht(3));
    EXPECT_FALSE(fenster->isMinimized());
    EXPECT_TRUE(fenster->isVisible());
    EXPECT_EQ(fenster->text(), bericht(3));
}

TEST_F(Ausgabe, pressingDruckenTwiceGivesTwoJobsOfTheEditedText)
{
    QTemporaryDir ordner;
    int auftrag = 0;
    druckerwahl = [&] { return pdfDrucker(ordner.filePath(QStringLiteral("auftrag%1.pdf").arg(++auftrag))); };
    kasten()->moveCursor(QTextCursor::End);
    QTest::keyClicks(kasten(), "Handnotiz");
    QTest::mouseClick(knopf("CommandDrucken"), Qt::LeftButton);
    QTest::mouseClick(knopf("CommandDrucken"), Qt::LeftButton);
    ASSERT_EQ(auftrag, 2);
    for (int i = 1; i <= 2; ++i) {
        const QString text = pdfText(ordner.filePath(QStringLiteral("auftrag%1.pdf").arg(i)));
        EXPECT_TRUE(text.contains("Zeile 056 Größe = 84.00 mm²"));
        EXPECT_TRUE(text.contains("Handnotiz"));
    }
    EXPECT_TRUE(dialoge.meldungen.empty());
}

TEST_F(Ausgabe, withoutAPrinterTheUserIsToldAndNothingElseChanges)
{
    QTest::mouseClick(knopf("CommandDrucken"), Qt::LeftButton);
    ASSERT_EQ(dialoge.meldungen.size(), 1u);
    EXPECT_EQ(dialoge.meldungen[0], "Es ist kein Drucker eingerichtet. Der Bericht wurde nicht gedruckt.");
    EXPECT_TRUE(fenster->isVisible());
    EXPECT_EQ(fenster->text(), bericht(57));
}

TEST_F(Ausgabe, aPrinterThatRefusesTheJobIsReportedToo)
{
    druckerwahl = [] { return pdfDrucker("/nicht/vorhanden/ordner/x.pdf"); };
    QTest::mouseClick(knopf("CommandDrucken"), Qt::LeftButton);
    ASSERT_EQ(dialoge.meldungen.size(), 1u);
    EXPECT_EQ(dialoge.meldungen[0],
              "Der Ordner existiert nicht: „/nicht/vorhanden/ordner“. Der Bericht wurde nicht gedruckt.");
    EXPECT_EQ(fenster->text(), bericht(57));
}

// ---------------------------------------------------------------- German toolkit texts

TEST(Uebersetzung, standardButtonsReadGermanWhateverTheUsersLanguage)
{
    QLocale::setDefault(QLocale(QLocale::English));
    ASSERT_TRUE(ladeDeutscheUebersetzung(*QCoreApplication::instance()));
    QDialogButtonBox knoepfe(QDialogButtonBox::Yes | QDialogButtonBox::No | QDialogButtonBox::Cancel);
    EXPECT_EQ(knoepfe.button(QDialogButtonBox::Cancel)->text().remove('&'), "Abbrechen");
    EXPECT_EQ(knoepfe.button(QDialogButtonBox::Yes)->text().remove('&'), "Ja");
    EXPECT_EQ(QCoreApplication::translate("QWidgetTextControl", "&Copy").remove('&'), "Kopieren");
    QLocale::setDefault(QLocale::c());
}

} // namespace
} // namespace velkor
