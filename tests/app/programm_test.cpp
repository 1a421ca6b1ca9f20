#include "app/kommandozeile.h"
#include "tests/support/testdaten.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <sys/stat.h>
#include <unistd.h>

namespace velkor {
namespace {

namespace fs = std::filesystem;

struct Programmlauf {
    int status = -1;
    std::string aus;
    std::string fehler;
};

// The program itself in `ordner`, without a display and in the C locale unless
// `aenderungen` says otherwise ("NAME=WERT" sets, "-NAME" removes). The arguments
// are a shell fragment, so that a name can hold bytes that are no UTF-8.
Programmlauf starte(const QString& ordner, const QString& argumente, const QStringList& aenderungen = {})
{
    static const QTemporaryDir laufzeit; // keeps the toolkit's note about a missing one away
    QProcessEnvironment umgebung = QProcessEnvironment::systemEnvironment();
    umgebung.remove("QT_QPA_PLATFORM");
    umgebung.insert("DISPLAY", ":987"); // no such display
    umgebung.insert("LC_ALL", "C");
    umgebung.insert("XDG_RUNTIME_DIR", laufzeit.path());
    for (const QString& a : aenderungen)
        a.startsWith('-') ? umgebung.remove(a.mid(1)) : umgebung.insert(a.section('=', 0, 0), a.section('=', 1));
    QProcess p;
    p.setProcessEnvironment(umgebung);
    p.setWorkingDirectory(ordner);
    // A file size limit (in blocks of 512 bytes) makes a write fail halfway, for root too.
    const QString grenze = umgebung.contains("VELKOR_ULIMIT") ? "trap '' XFSZ; ulimit -f " + umgebung.value("VELKOR_ULIMIT") + "; " : "";
    p.start("sh", {"-c", grenze + "exec \"$0\" " + argumente, VELKOR_PROGRAMM});
    EXPECT_TRUE(p.waitForFinished(60000)) << argumente.toStdString();
    EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
    return {p.exitCode(), p.readAllStandardOutput().toStdString(), p.readAllStandardError().toStdString()};
}

// A folder holding every file of tests/data/app as a link, a pipe and a file whose name is no UTF-8.
class Ordner : public testing::Test {
protected:
    void SetUp() override
    {
        for (const QString& name : QDir(VELKOR_TESTDATEN "/app").entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot))
            ASSERT_TRUE(QFile::link(VELKOR_TESTDATEN "/app/" + name, ordner.filePath(name)));
        ASSERT_EQ(::mkfifo(QFile::encodeName(ordner.filePath("rohr.pdf")).constData(), 0600), 0);
        fs::copy_file(VELKOR_BEISPIELE "/kugel.vlk", cafe);
    }
    void TearDown() override { fs::remove(cafe); } // a name the toolkit cannot spell
    QStringList eintraege() const { return QDir(ordner.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System); }
    QTemporaryDir ordner;
    const fs::path cafe = fs::path(ordner.path().toStdString()) / "caf\xe9.vlk";
};

// Rows of tests/data/app/programm.txt; a refused command writes nothing.
TEST_F(Ordner, everyRunOfTheProgramEndsWithItsStatusOutputAndMessages)
{
    const QStringList vorher = eintraege();
    for (const auto& z : tabelle("app/programm.txt")) {
        SCOPED_TRACE(z[0] + " " + z[1]);
        const Programmlauf l = starte(ordner.path(), QString::fromStdString(z[0]), QString::fromStdString(z[1]).split(' ', Qt::SkipEmptyParts));
        std::string fehler;
        for (std::size_t i = 0; i < z[4].size(); ++i)
            fehler += z[4].compare(i, 2, "\\n") == 0 ? (++i, std::string("\n"))
                : z[4].compare(i, 10, "$BENUTZUNG") == 0 ? (i += 9, benutzung()) : std::string(1, z[4][i]);
        EXPECT_EQ(l.status, std::stoi(z[2]));
        if (z[3] != "*") {
            EXPECT_EQ(l.aus, z[3] == "-" ? "" : testdaten("app/" + z[3]));
        }
        EXPECT_EQ(l.fehler, fehler);
    }
    EXPECT_EQ(eintraege(), vorher);
}

// Under a separator of two bytes ("٫") every fraction was cut: S 1.5 became 1. The
// shipped examples are what the program writes from them, in every locale.
TEST_F(Ordner, theExamplesGiveTheSameJsonAndSavedFileInEveryLocale)
{
    std::map<QString, std::string> jsonInC;
    for (const char* gebiet : {"LC_ALL=C", "LC_ALL=de_DE.UTF-8", "LC_ALL=fa_IR.UTF-8"}) {
        for (const QString& b : QDir(VELKOR_BEISPIELE).entryList({"*.vlk"})) {
            const QString quelle = " '" VELKOR_BEISPIELE "/" + b + "'";
            const std::string json = starte(ordner.path(), "--json" + quelle, {gebiet}).aus;
            EXPECT_EQ(json, jsonInC.try_emplace(b, json).first->second) << gebiet << ' ' << b.toStdString();
            starte(ordner.path(), "--speichern-als aus.vlk" + quelle, {gebiet});
            EXPECT_EQ(inhalt(ordner.filePath("aus.vlk").toStdString()), inhalt(VELKOR_BEISPIELE "/" + b.toStdString())) << gebiet;
        }
    }
    EXPECT_EQ(jsonInC.size(), 4u);
}

QStringList zeilen(const QString& text)
{
    QStringList z;
    for (const QString& zeile : text.split(QRegularExpression("\r?\n|\f")))
        if (!zeile.trimmed().isEmpty())
            z << zeile.simplified();
    return z;
}

TEST_F(Ordner, thePdfHoldsTheReportLineForLineAndNeverReplacesTheProjectFile)
{
    EXPECT_EQ(starte(ordner.path(), "--pdf b.pdf unterdimensioniert.vlk").status, 1);
    QProcess text;
    text.start("pdftotext", {"-layout", "-l", "1", ordner.filePath("b.pdf"), "-"}); // the drawing follows on page 2
    ASSERT_TRUE(text.waitForFinished(30000));
    EXPECT_EQ(zeilen(text.readAllStandardOutput()), zeilen(QString::fromStdString(testdaten("app/unterdimensioniert_bericht.txt"))));

    ASSERT_TRUE(QFile::copy(VELKOR_TESTDATEN "/app/zylinder_stutzen.vlk", ordner.filePath("projekt.vlk")));
    ASSERT_TRUE(QFile::link(ordner.filePath("projekt.vlk"), ordner.filePath("verknuepfung.pdf")));
    EXPECT_EQ(starte(ordner.path(), "--pdf verknuepfung.pdf projekt.vlk").status, 64);
    EXPECT_EQ(starte(ordner.path(), "--pdf d.pdf division_null.vlk").status, 3);
    EXPECT_EQ(inhalt(ordner.filePath("projekt.vlk").toStdString()), testdaten("app/zylinder_stutzen.vlk"));
    EXPECT_FALSE(QFile::exists(ordner.filePath("d.pdf")));
}

// The PDF once went straight into the target: a write that failed halfway left a
// cut-off file in place of the earlier one and ended with status 0.
TEST_F(Ordner, aPdfWhoseWriteFailsHalfwayLeavesTheEarlierFileAndSaysWhyInGerman)
{
    std::ofstream(ordner.filePath("alt.pdf").toStdString()) << "%PDF-alt\n";
    const QStringList vorher = eintraege();
    const Programmlauf l = starte(ordner.path(), "--pdf alt.pdf zylinder_stutzen.vlk", {"VELKOR_ULIMIT=16"});
    EXPECT_EQ(l.status, 4);
    EXPECT_EQ(l.fehler, "alt.pdf: PDF nicht möglich: Die Datei kann nicht geschrieben werden (Die Datei ist zu groß); "
                        "eine frühere Datei dieses Namens ist unverändert.\n");
    EXPECT_EQ(inhalt(ordner.filePath("alt.pdf").toStdString()), "%PDF-alt\n");
    EXPECT_EQ(eintraege(), vorher) << "no temporary file stays";
}

} // namespace
} // namespace velkor
