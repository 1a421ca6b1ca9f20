#include "app/kommandozeile.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sstream>

#include <unistd.h>

namespace velkor {
namespace {

QString daten(const char* name) { return QStringLiteral(VELKOR_TESTDATEN "/app/") + QString::fromUtf8(name); }

struct Programmlauf {
    int status = -1;
    QByteArray aus;
    QString fehler;
};

// Commands must run without a display; the window gets the offscreen platform.
Programmlauf starteProgramm(const QStringList& argumente, bool fenster = false)
{
    QProcess p;
    QProcessEnvironment umgebung = QProcessEnvironment::systemEnvironment();
    umgebung.insert("LC_ALL", "C");
    umgebung.remove("DISPLAY");
    umgebung.remove("QT_QPA_PLATFORM");
    // A runtime folder of its own keeps the toolkit's note about a missing one off stderr.
    static const QTemporaryDir laufzeit;
    umgebung.insert("XDG_RUNTIME_DIR", laufzeit.path());
    if (fenster) {
        umgebung.insert("QT_QPA_PLATFORM", "offscreen");
        umgebung.insert("VELKOR_STARTMESSUNG", "1"); // quits once the window is up
    }
    p.setProcessEnvironment(umgebung);
    p.start(VELKOR_PROGRAMM, argumente);
    EXPECT_TRUE(p.waitForFinished(60000));
    EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
    return {p.exitCode(), p.readAllStandardOutput(), QString::fromUtf8(p.readAllStandardError())};
}

QStringList pdfZeilen(const QString& pfad)
{
    QProcess p;
    // The report's page; the drawing follows on the next.
    p.start("pdftotext", {"-layout", "-l", "1", pfad, "-"});
    EXPECT_TRUE(p.waitForFinished(30000));
    QStringList zeilen;
    for (const QString& z : QString::fromUtf8(p.readAllStandardOutput()).split('\n'))
        if (!z.trimmed().isEmpty())
            zeilen << z.trimmed().simplified();
    return zeilen;
}

TEST(PdfBefehl, thePdfHoldsEveryLineOfTheReportInOrder)
{
    QTemporaryDir ordner;
    const QString pdf = ordner.filePath("bericht.pdf");
    const Programmlauf lauf = starteProgramm({"--pdf", pdf, daten("zylinder_stutzen.vlk")});
    EXPECT_EQ(lauf.status, 0);
    EXPECT_EQ(lauf.fehler, "");
    EXPECT_TRUE(lauf.aus.isEmpty());

    const Programmlauf bericht = starteProgramm({"--bericht", daten("zylinder_stutzen.vlk")});
    QStringList erwartet;
    for (const QString& z : QString::fromUtf8(bericht.aus).split("\r\n"))
        if (!z.trimmed().isEmpty())
            erwartet << z.trimmed().simplified();
    ASSERT_GT(erwartet.size(), 40);
    EXPECT_EQ(pdfZeilen(pdf), erwartet);
}

TEST(PdfBefehl, statusAndMessagesFollowTheReportCommand)
{
    QTemporaryDir ordner;
    const QString pdf = ordner.filePath("x.pdf");

    const Programmlauf knapp = starteProgramm({"--pdf", pdf, daten("unterdimensioniert.vlk")});
    EXPECT_EQ(knapp.status, 1);
    EXPECT_EQ(knapp.fehler, daten("unterdimensioniert.vlk") + ": Nicht ausreichend dimensioniert!\n");
    EXPECT_TRUE(QFile::exists(pdf));
    QFile::remove(pdf);

    const Programmlauf fehlt = starteProgramm({"--pdf", pdf, ordner.filePath("fehlt.vlk")});
    EXPECT_EQ(fehlt.status, 4);
    EXPECT_TRUE(fehlt.fehler.startsWith(ordner.filePath("fehlt.vlk") + ": ")) << fehlt.fehler.toStdString();
    EXPECT_FALSE(QFile::exists(pdf));

    const QString unerreichbar = ordner.filePath("kein/ordner/x.pdf");
    const Programmlauf ungeschrieben = starteProgramm({"--pdf", unerreichbar, daten("zylinder_stutzen.vlk")});
    EXPECT_EQ(ungeschrieben.status, 4);
    EXPECT_EQ(ungeschrieben.fehler, unerreichbar + ": PDF nicht möglich: Die Datei kann nicht geschrieben werden.\n");
}

TEST(PdfBefehl, aReportThatIsRefusedWritesNoPdf)
{
    QTemporaryDir ordner;
    const QString pdf = ordner.filePath("x.pdf");
    const Programmlauf lauf = starteProgramm({"--pdf", pdf, daten("division_null.vlk")});
    EXPECT_EQ(lauf.status, 3);
    EXPECT_TRUE(lauf.fehler.contains("Ausgabe nicht möglich: Berechnung abgebrochen.")) << lauf.fehler.toStdString();
    EXPECT_FALSE(QFile::exists(pdf));
}

TEST(PdfBefehl, aTargetThatIsTheProjectFileItselfIsRefusedAndTheFileStays)
{
    QTemporaryDir ordner;
    const QString projekt = ordner.filePath("projekt.vlk");
    ASSERT_TRUE(QFile::copy(daten("zylinder_stutzen.vlk"), projekt));
    const QString verknuepfung = ordner.filePath("verknuepfung.pdf");
    ASSERT_TRUE(QFile::link(projekt, verknuepfung));
    const QString fest = ordner.filePath("fest.pdf");
    ASSERT_EQ(::link(QFile::encodeName(projekt).constData(), QFile::encodeName(fest).constData()), 0);

    for (const QString& ziel : {projekt, ordner.filePath("./projekt.vlk"), verknuepfung, fest}) {
        const Programmlauf lauf = starteProgramm({"--pdf", ziel, projekt});
        EXPECT_EQ(lauf.status, 64) << ziel.toStdString();
        EXPECT_TRUE(lauf.fehler.startsWith("velkor: Die Zieldatei von --pdf ist die Projektdatei selbst.\n"))
            << lauf.fehler.toStdString();
        QFile f(projekt);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        QFile original(daten("zylinder_stutzen.vlk"));
        ASSERT_TRUE(original.open(QIODevice::ReadOnly));
        EXPECT_EQ(f.readAll(), original.readAll()) << ziel.toStdString();
    }
}

TEST(PdfBefehl, wrongUsageIsRefusedWithStatus64)
{
    std::ostringstream aus, fehler;
    const auto pdf = [](const std::string&, const std::string&, const Skizzenquelle&) -> std::optional<std::string> {
        ADD_FAILURE() << "nothing may be printed";
        return std::nullopt;
    };
    const std::pair<QStringList, std::string> faelle[] = {
        {{"--pdf"}, "Nach --pdf fehlt der Name der Zieldatei."},
        {{"--pdf", "aus.pdf"}, "--pdf braucht genau eine Datei."},
        {{"--pdf", "aus.pdf", "--bericht", "a.vlk"},
         "Nur einer der Befehle --bericht, --speichern-als, --json, --pdf und --skizze ist möglich."},
    };
    for (const auto& [argumente, grund] : faelle) {
        fehler.str("");
        EXPECT_EQ(kommandozeile(argumente, aus, fehler, ".", pdf), 64);
        EXPECT_EQ(fehler.str(), "velkor: " + grund + "\n\n" + benutzung());
    }
    EXPECT_EQ(aus.str(), "");
}

TEST(Programm, withoutACommandTheWindowOpensWithOrWithoutAFileAfterDashesAndTwoFilesAreRefused)
{
    const Programmlauf leer = starteProgramm({}, true);
    EXPECT_EQ(leer.status, 0) << leer.fehler.toStdString();
    const Programmlauf mitDatei = starteProgramm({daten("zylinder_stutzen.vlk")}, true);
    EXPECT_EQ(mitDatei.status, 0) << mitDatei.fehler.toStdString();
    const Programmlauf nachStrichen = starteProgramm({"--", daten("zylinder_stutzen.vlk")}, true);
    EXPECT_EQ(nachStrichen.status, 0) << nachStrichen.fehler.toStdString();
    const Programmlauf zwei = starteProgramm({daten("zylinder_stutzen.vlk"), daten("kaputt.vlk")}, true);
    EXPECT_EQ(zwei.status, 64);
    EXPECT_TRUE(zwei.fehler.startsWith("velkor: Das Fenster öffnet höchstens eine Datei.")) << zwei.fehler.toStdString();
}

} // namespace
} // namespace velkor
