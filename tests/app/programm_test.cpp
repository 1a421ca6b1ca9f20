#include "tests/support/testdaten.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace velkor {
namespace {

struct Programmlauf {
    int status = -1;
    std::string aus;
    std::string fehler;
};

// The program itself in tests/data/app, without a display and in the C locale
// unless `aenderungen` says otherwise ("NAME=WERT" sets, "-NAME" removes).
Programmlauf starteProgramm(const QStringList& argumente, const QStringList& aenderungen = {})
{
    static const QTemporaryDir laufzeit; // keeps the toolkit's note about a missing one away
    QProcessEnvironment umgebung = QProcessEnvironment::systemEnvironment();
    umgebung.remove("DISPLAY");
    umgebung.remove("QT_QPA_PLATFORM");
    umgebung.insert("LC_ALL", "C");
    umgebung.insert("XDG_RUNTIME_DIR", laufzeit.path());
    for (const QString& a : aenderungen)
        a.startsWith('-') ? umgebung.remove(a.mid(1)) : umgebung.insert(a.section('=', 0, 0), a.section('=', 1));
    QProcess p;
    p.setProcessEnvironment(umgebung);
    p.setWorkingDirectory(VELKOR_TESTDATEN "/app");
    p.start(VELKOR_PROGRAMM, argumente);
    EXPECT_TRUE(p.waitForFinished(60000));
    EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
    return {p.exitCode(), p.readAllStandardOutput().toStdString(), p.readAllStandardError().toStdString()};
}

TEST(Programm, commandsRunWithoutADisplayShowTheUsersSeparatorAndPassTheirStatusOn)
{
    const std::tuple<QStringList, QStringList, int, std::string> faelle[] = {
        {{"--bericht", "zylinder_stutzen.vlk"}, {}, 0, "zylinder_stutzen_punkt.txt"},
        {{"--bericht", "zylinder_stutzen.vlk"}, {"LC_ALL=de_DE.UTF-8"}, 0, "zylinder_stutzen_komma.txt"},
        // The toolkit warns of the missing folder; no warning may end a command or reach its stderr.
        {{"--bericht", "zylinder_stutzen.vlk"}, {"-XDG_RUNTIME_DIR"}, 0, "zylinder_stutzen_punkt.txt"},
        {{"--bericht", "kaputt.vlk"}, {}, 4, ""},
        {{"--json", "unterdimensioniert.vlk"}, {}, 1, ""},
        {{"--gibtsnicht"}, {}, 64, ""},
    };
    for (const auto& [argumente, aenderungen, status, golden] : faelle) {
        const Programmlauf l = starteProgramm(argumente, aenderungen);
        EXPECT_EQ(l.status, status) << argumente.join(' ').toStdString();
        if (!golden.empty()) {
            EXPECT_EQ(l.aus, testdaten("app/" + golden));
            EXPECT_EQ(l.fehler, "");
        }
    }
}

TEST(Programm, withoutACommandTheWindowOpensWithTheFileGivenAndSaysWhenItCannotLoadIt)
{
    const QStringList fenster{"QT_QPA_PLATFORM=offscreen", "VELKOR_STARTMESSUNG=1"}; // quits once it is up
    for (const QStringList& argumente : {QStringList{}, {"zylinder_stutzen.vlk"}, {"--", "zylinder_stutzen.vlk"}}) {
        const Programmlauf l = starteProgramm(argumente, fenster);
        EXPECT_EQ(l.status, 0) << l.fehler;
        EXPECT_EQ(l.fehler, "");
    }
    const Programmlauf fehlt = starteProgramm({"fehlt.vlk"}, fenster);
    EXPECT_EQ(fehlt.status, 0);
    EXPECT_EQ(fehlt.fehler, "velkor: Laden fehlgeschlagen: Datei kann nicht geöffnet werden, sie existiert nicht: „fehlt.vlk“.\n");
    const Programmlauf zwei = starteProgramm({"zylinder_stutzen.vlk", "kaputt.vlk"}, fenster);
    EXPECT_EQ(zwei.status, 64);
    EXPECT_TRUE(zwei.fehler.starts_with("velkor: Das Fenster öffnet höchstens eine Datei.")) << zwei.fehler;
}

QStringList zeilen(const QString& text)
{
    QStringList z;
    for (const QString& zeile : text.split(QRegularExpression("\r?\n|\f")))
        if (!zeile.trimmed().isEmpty())
            z << zeile.simplified();
    return z;
}

TEST(Programm, thePdfHoldsTheReportLineForLineAndNeverReplacesTheProjectFile)
{
    QTemporaryDir ordner;
    const QString pdf = ordner.filePath("bericht.pdf");
    EXPECT_EQ(starteProgramm({"--pdf", pdf, "unterdimensioniert.vlk"}).fehler,
              "unterdimensioniert.vlk: Nicht ausreichend dimensioniert!\n");
    QProcess text;
    text.start("pdftotext", {"-layout", pdf, "-"});
    ASSERT_TRUE(text.waitForFinished(30000));
    EXPECT_EQ(zeilen(text.readAllStandardOutput()), zeilen(QString::fromStdString(testdaten("app/unterdimensioniert_bericht.txt"))));

    const QString projekt = ordner.filePath("projekt.vlk");
    ASSERT_TRUE(QFile::copy(VELKOR_TESTDATEN "/app/zylinder_stutzen.vlk", projekt));
    ASSERT_TRUE(QFile::link(projekt, ordner.filePath("verknuepfung.pdf")));
    EXPECT_EQ(starteProgramm({"--pdf", ordner.filePath("verknuepfung.pdf"), projekt}).status, 64);
    EXPECT_EQ(starteProgramm({"--pdf", ordner.filePath("kein/x.pdf"), "division_null.vlk"}).status, 3);
    EXPECT_EQ(inhalt(projekt.toStdString()), testdaten("app/zylinder_stutzen.vlk"));
    EXPECT_FALSE(QFile::exists(ordner.filePath("kein")));
}

} // namespace
} // namespace velkor
