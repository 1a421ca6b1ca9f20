#include "tests/window/fensterhilfe.h"
#include "window/formergebnisausgabe.h"

#include <QFile>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QTemporaryDir>

namespace velkor {
namespace {

const QString bericht = QStringLiteral("Zeile 1\r\nZeile 2\r\n");

// A stray Tab once went into the report and so into what was copied and printed.
TEST(Berichtsfenster, tabMovesOnToTheButtonsAndNeverEditsTheReport)
{
    SkriptDialoge dialoge;
    FormErgebnisausgabe fenster(dialoge);
    fenster.zeigeBericht(bericht);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&fenster));
    fenster.findChild<QPlainTextEdit*>("TextErgebnisAusgabe")->setFocus();
    for (const char* naechster : {"CommandClipboard", "CommandDrucken", "CommandOK"}) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget()->objectName(), naechster);
    }
    EXPECT_EQ(fenster.text(), bericht);
}

// The print engine wrote into the device without a word when the write failed.
TEST(Berichtsfenster, aPrintJobThatFailsIsReportedAndTheWindowStaysAsItWas)
{
    SkriptDialoge dialoge;
    FormErgebnisausgabe fenster(dialoge, [] {
        auto drucker = std::make_unique<QPrinter>(QPrinter::HighResolution);
        drucker->setOutputFormat(QPrinter::PdfFormat);
        drucker->setOutputFileName("/dev/full");
        return drucker;
    });
    fenster.zeigeBericht(bericht);
    fenster.druckeText();
    EXPECT_EQ(dialoge.protokoll, std::vector<std::string>{"meldung Das Ziel ist keine gewöhnliche Datei: „/dev/full“. "
                                                          "Der Bericht wurde nicht gedruckt. | Drucken"});
    EXPECT_TRUE(fenster.isVisible());
    EXPECT_EQ(fenster.text(), bericht);
}

// "S" once saved the earlier stored value while the box still showed 1e999.
TEST_F(Fenster, aNumberBeyondTheRangeOfADoubleStopsTheSaveAndSoTheClearingThatAskedForIt)
{
    QTemporaryDir ordner;
    dialoge.dateien = {ordner.filePath("x.vlk").toStdString()};
    dialoge.antworten = {Antwort::ja};
    gibEin(Kasten::TextDa, "1e999");
    klicke(knopf("CommandLoeschen"));
    EXPECT_EQ(dialoge.protokoll, std::vector<std::string>{"frage Vor dem Löschen speichern? | Geänderte Daten"});
    EXPECT_FALSE(QFile::exists(ordner.filePath("x.vlk")));
    EXPECT_EQ(kasten(Kasten::TextDa)->text(), "1e999");
    EXPECT_EQ(status()->text(), "Speichern nicht möglich: Da [mm] (Grundkörper) enthält „1e999“, eine Zahl "
                                "außerhalb des Wertebereichs. Bitte korrigieren.");
    EXPECT_EQ(status()->toolTip(), status()->text()) << "the whole message, however much the line shows";
}

} // namespace
} // namespace velkor
