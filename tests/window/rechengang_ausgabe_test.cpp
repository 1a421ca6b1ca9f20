#include "app/kommandozeile.h"
#include "tests/window/fensterhilfe.h"
#include "window/formergebnisausgabe.h"

#include <QClipboard>

#include <sstream>

namespace velkor {
namespace {

const QString fertig = VELKOR_TESTDATEN "/app/zylinder_stutzen.vlk";
const QString gestoppt = VELKOR_TESTDATEN "/app/division_null.vlk"; // p = 0

// What the command writes to standard output; it must end with `status`.
std::string befehl(const QStringList& argumente, int status, const PdfAusgabe& pdf = {})
{
    std::ostringstream aus, fehler;
    EXPECT_EQ(kommandozeile(argumente, aus, fehler, ".", pdf), status) << argumente.join(' ').toStdString();
    return aus.str();
}

TEST_F(Fenster, withRechengangCheckedTheWindowShowsAndCopiesWhatTheCommandLineWritesAndKeepsTheChoice)
{
    const auto bericht = [&](const QString& d) { fenster->lade(d.toStdString()), klicke(knopf("CommandTextdatei")); };
    bericht(fertig);
    FormErgebnisausgabe* aus = fenster->ergebnisausgabe();
    aus->findChild<QCheckBox*>("CheckRechengang")->click();
    EXPECT_EQ(aus->text().toStdString(), befehl({"--bericht", "--rechengang", fertig}, 0));
    aus->kopiere();
    EXPECT_EQ(QApplication::clipboard()->text(), aus->text());
    bericht(gestoppt);
    EXPECT_EQ(aus->text().toStdString(), befehl({"--bericht", "--rechengang", gestoppt}, 3));
    EXPECT_TRUE(FormErgebnisausgabe(dialoge).findChild<QCheckBox*>("CheckRechengang")->isChecked());
    aus->findChild<QCheckBox*>("CheckRechengang")->click();
    EXPECT_EQ(aus->text(), status()->text() + "\r\n"); // the refusal line alone, as the status line says
    EXPECT_FALSE(FormErgebnisausgabe(dialoge).findChild<QCheckBox*>("CheckRechengang")->isChecked());
}

// The window, the command line and the PDF show one text.
TEST(RechengangBefehl, thePdfGetsTheTextTheCommandLineWrites)
{
    std::string gedruckt;
    const auto pdf = [&](const std::string&, const std::string& t, const Rechenstand&) { return gedruckt = t, std::nullopt; };
    befehl({"--pdf", "x.pdf", "--rechengang", gestoppt}, 3, pdf);
    EXPECT_EQ(gedruckt, befehl({"--bericht", "--rechengang", gestoppt}, 3));
}

} // namespace
} // namespace velkor
