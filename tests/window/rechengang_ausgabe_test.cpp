#include "app/kommandozeile.h"
#include "tests/window/fensterhilfe.h"
#include "window/formergebnisausgabe.h"

#include <QClipboard>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <sstream>

namespace velkor {
namespace {

const QString fertig = VELKOR_TESTDATEN "/app/zylinder_stutzen.vlk", gestoppt = VELKOR_TESTDATEN "/app/division_null.vlk";

// What the command writes to standard output; it must end with `status`.
std::string befehl(const QStringList& argumente, int status, const PdfAusgabe& pdf = {})
{
    std::ostringstream aus, fehler;
    EXPECT_EQ(kommandozeile(argumente, aus, fehler, ".", pdf), status) << argumente.join(' ').toStdString();
    return aus.str();
}

TEST_F(Fenster, withRechengangCheckedTheWindowShowsAndCopiesWhatTheCommandLineWritesAndKeepsTheChoice)
{
    oeffne();
    fenster->lade(fertig.toStdString());
    klicke(knopf("CommandTextdatei"));
    FormErgebnisausgabe* aus = fenster->ergebnisausgabe();
    EXPECT_EQ(aus->text().toStdString(), befehl({"--bericht", fertig}, 0));
    aus->findChild<QCheckBox*>("CheckRechengang")->click();
    EXPECT_EQ(aus->text().toStdString(), befehl({"--bericht", "--rechengang", fertig}, 0));
    aus->kopiere();
    EXPECT_EQ(QApplication::clipboard()->text(), aus->text());
    fenster->lade(gestoppt.toStdString());
    klicke(knopf("CommandTextdatei"));
    EXPECT_EQ(aus->text().toStdString(), befehl({"--bericht", "--rechengang", gestoppt}, 3));
    EXPECT_TRUE(FormErgebnisausgabe(dialoge).findChild<QCheckBox*>("CheckRechengang")->isChecked());
    aus->findChild<QCheckBox*>("CheckRechengang")->click();
    EXPECT_EQ(aus->text(), status()->text() + "\r\n"); // the refusal line alone, as the status line says
    EXPECT_FALSE(FormErgebnisausgabe(dialoge).findChild<QCheckBox*>("CheckRechengang")->isChecked());
}

TEST(RechengangBefehl, thePdfGetsTheSectionJsonTheUnroundedIntermediatesAndRechengangAloneIsWrongUsage)
{
    std::string gedruckt;
    befehl({"--pdf", "x.pdf", "--rechengang", gestoppt}, 3, [&](const std::string&, const std::string& t) { return gedruckt = t, std::nullopt; });
    EXPECT_EQ(gedruckt, befehl({"--bericht", "--rechengang", gestoppt}, 3));
    // zylinder_stutzen.vlk: Da 1000, s 10, nozzle Das 100, ss 5 at 90°, no allowances; p 0 in the other.
    const QJsonArray l = QJsonDocument::fromJson(QByteArray::fromStdString(befehl({"--json", fertig, gestoppt}, 3))).array();
    EXPECT_EQ(l[0]["zwischenwerte"]["DaDi"], 1000 / (1000 - 2 * 10.0));
    EXPECT_EQ(l[0]["zwischenwerte"]["pmaxMassgebend"], l[0]["ergebnisse"]["pmaxFV"]);
    EXPECT_EQ(l[0]["schritt"], "urteil");
    EXPECT_EQ(l[1]["zwischenwerte"].toObject().keys(), QStringList({"DaDi", "fA", "fS", "phiRad", "ri", "rm", "se", "ses"}));
    EXPECT_EQ(l[1]["schritt"], "grundkoerper");
    for (const QStringList& falsch : {QStringList{"--rechengang", fertig}, {"--json", "--rechengang", fertig}, {"--speichern-als", "b.vlk", "--rechengang", fertig}})
        EXPECT_TRUE(befehl(falsch, 64).empty() && !fensterdateien(falsch));
}

} // namespace
} // namespace velkor
