#include "app/kommandozeile.h"

#include "tests/support/testdaten.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include <sys/stat.h>
#include <unistd.h>

namespace velkor {
namespace {

struct Lauf {
    std::optional<int> status;
    std::string aus;
    std::string fehler;
};

// In tests/data/app, where the files are named as the table names them.
Lauf starte(const QStringList& argumente)
{
    const QString vorher = QDir::currentPath();
    QDir::setCurrent(VELKOR_TESTDATEN "/app");
    std::ostringstream aus, fehler;
    // Writers that fail: the table sees what reaches them and how a failure is reported.
    const auto skizze = [](const std::string&, const Rechenstand& r) -> std::optional<std::string> {
        return "Probe " + std::string(r.lauf.berechnet() ? "nach" : "vor") + " dem Urteil";
    };
    const auto pdf = [&](const std::string& pfad, const std::string& uebersicht, const std::vector<PdfTeil>& teile) {
        std::string was = uebersicht.empty() ? "" : "Übersicht, " + std::to_string(std::ranges::count(uebersicht, '\n')) + " Zeilen; ";
        for (const PdfTeil& t : teile)
            was += t.datei + ": " + *skizze(pfad, t.stand) + ", " + std::to_string(std::ranges::count(t.bericht, '\n')) + " Zeilen; ";
        return was.substr(0, was.size() - 2);
    };
    Lauf l{kommandozeile(argumente, aus, fehler, ".", pdf, skizze), aus.str(), fehler.str()};
    QDir::setCurrent(vorher);
    return l;
}

// A row's last three fields against a run: the status, standard output (a file of
// tests/data/app, - for nothing, * unchecked) and standard error (\n a line end,
// $BENUTZUNG the usage).
void pruefe(const Lauf& l, const std::string* z)
{
    std::string fehler;
    for (std::size_t i = 0; i < z[2].size(); ++i)
        fehler += z[2].compare(i, 2, "\\n") == 0 ? (++i, std::string("\n"))
            : z[2].compare(i, 10, "$BENUTZUNG") == 0 ? (i += 9, benutzung()) : std::string(1, z[2][i]);
    EXPECT_EQ(l.status, std::stoi(z[0]));
    if (z[1] != "*") {
        EXPECT_EQ(l.aus, z[1] == "-" ? "" : testdaten("app/" + z[1]));
    }
    EXPECT_EQ(l.fehler, fehler);
}

// Rows of tests/data/app/aufrufe.txt.
TEST(Kommandozeile, everyCallOfTheTableEndsWithItsStatusOutputAndMessages)
{
    for (const auto& z : tabelle("app/aufrufe.txt")) {
        SCOPED_TRACE(z[0]);
        pruefe(starte(QString::fromStdString(z[0]).split(' ')), &z[1]);
    }
}

// What a save writes is the examples' test in every locale.
TEST(Kommandozeile, saveAsWritesWhatTheWindowWouldSaveAfterLoadingOrSaysWhyNot)
{
    QTemporaryDir ordner;
    const auto ziel = [&](const char* name) { return ordner.filePath(name); };
    const std::tuple<QString, const char*, int, std::string> faelle[] = {
        {ziel("n.vlk"), "division_null.vlk", 3, "division_null.vlk: Division durch Null\n"},
        {ziel("t.vlk"), "tabulator.vlk", 0, ": Gespeichert; ersetzt wurden diese Zeichen, die eine Projektdatei nicht aufnehmen kann: U+0009\n"},
        {ziel("fehlt/aus.vlk"), "zylinder_stutzen.vlk", 4, ": Speichern nicht möglich: Der Ordner existiert nicht: „" + ziel("fehlt").toStdString() + "“.\n"},
        {ziel("k.vlk"), "kaputt.vlk", 4, "kaputt.vlk: Zeile 39: „7“ ist kein gültiger Schalterwert (erlaubt: 0 oder 1).\n"},
        {ziel("a.vlk"), "abschnitt.vlk", 0, ""},
    };
    for (const auto& [aus, datei, status, fehler] : faelle) {
        const Lauf l = starte({"--speichern-als", aus, datei});
        EXPECT_EQ(l.status, status) << datei;
        EXPECT_EQ(l.fehler, fehler.starts_with(':') ? aus.toStdString() + fehler : fehler);
    }
    EXPECT_TRUE(QFileInfo::exists(ziel("n.vlk")) && !QFileInfo::exists(ziel("k.vlk"))) << "saved despite the stop, not from a bad file";
    EXPECT_EQ(inhalt(ziel("a.vlk").toStdString()), testdaten("app/abschnitt.vlk")) << "keys of a newer version kept";
}

namespace fs = std::filesystem;

// The program itself in `ordner`, without a display and in the C locale unless
// `aenderungen` says otherwise ("NAME=WERT" sets, "-NAME" removes). The arguments
// are a shell fragment, so that a name can hold bytes that are no UTF-8.
Lauf starte(const QString& ordner, const QString& argumente, const QStringList& aenderungen = {})
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
    // Root may enter every folder: a closed one is tried as another user.
    const QString als = umgebung.contains("VELKOR_NIEMAND") && ::geteuid() == 0 ? "setpriv --reuid=nobody --regid=nogroup --clear-groups " : "";
    p.start("sh", {"-c", grenze + "exec " + als + "\"$0\" " + argumente, VELKOR_PROGRAMM});
    EXPECT_TRUE(p.waitForFinished(60000)) << argumente.toStdString();
    EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
    return {p.exitCode(), p.readAllStandardOutput().toStdString(), p.readAllStandardError().toStdString()};
}

// A folder holding every file of tests/data/app as a link, a pipe, a file whose name
// is no UTF-8 and a folder nobody may enter ("geheim", open to the others' search).
class Ordner : public testing::Test {
protected:
    void SetUp() override
    {
        for (const QString& name : QDir(VELKOR_TESTDATEN "/app").entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot))
            ASSERT_TRUE(QFile::link(VELKOR_TESTDATEN "/app/" + name, ordner.filePath(name)));
        ASSERT_EQ(::mkfifo(QFile::encodeName(ordner.filePath("rohr.pdf")).constData(), 0600), 0);
        ASSERT_EQ(::mkdir(QFile::encodeName(ordner.filePath("geheim")).constData(), 0), 0);
        ASSERT_EQ(::chmod(QFile::encodeName(ordner.path()).constData(), 0755), 0);
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
        pruefe(starte(ordner.path(), QString::fromStdString(z[0]), QString::fromStdString(z[1]).split(' ', Qt::SkipEmptyParts)), &z[2]);
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

// Page 0: all pages.
QString pdfSeite(const QString& pfad, int seite)
{
    QProcess text;
    const QStringList seiten = seite > 0 ? QStringList{"-f", QString::number(seite), "-l", QString::number(seite)} : QStringList();
    text.start("pdftotext", QStringList{"-layout"} + seiten + QStringList{pfad, "-"});
    EXPECT_TRUE(text.waitForFinished(30000));
    return text.readAllStandardOutput();
}

// The PDF: the report line for line, then the drawing the SVG and PNG show alone.
TEST_F(Ordner, thePdfHoldsTheReportAndTheDrawingAndNeverReplacesTheProjectFile)
{
    for (const char* ziel : {"--pdf b.pdf", "--skizze s.svg", "--skizze s.PNG"})
        EXPECT_EQ(starte(ordner.path(), ziel + QString(" unterdimensioniert.vlk")).status, 1) << ziel;
    const QStringList seite1 = zeilen(pdfSeite(ordner.filePath("b.pdf"), 1));
    EXPECT_EQ(seite1.mid(1, seite1.size() - 2), zeilen(QString::fromStdString(testdaten("app/unterdimensioniert_bericht.txt"))));
    const QString seite2 = pdfSeite(ordner.filePath("b.pdf"), 2);
    for (const char* text : {"As1 = 148.72 mm²", "p = 10.00 bar > pmax = 8.86 bar (Grundkörper)\n", "Seite 2 von 2"})
        EXPECT_TRUE(seite2.contains(text)) << text;
    EXPECT_TRUE(QSvgRenderer(ordner.filePath("s.svg")).isValid());
    EXPECT_NE(inhalt(ordner.filePath("s.svg").toStdString()).find("As1 = 148.72 mm²"), std::string::npos);
    const QImage png(ordner.filePath("s.PNG"));
    EXPECT_EQ(png.size(), QSize(1636, 1122));
    EXPECT_EQ(png.dotsPerMeterX(), 5906) << "150 dpi";

    ASSERT_TRUE(QFile::copy(VELKOR_TESTDATEN "/app/zylinder_stutzen.vlk", ordner.filePath("projekt.vlk")));
    ASSERT_TRUE(QFile::link(ordner.filePath("projekt.vlk"), ordner.filePath("verknuepfung.pdf")));
    EXPECT_EQ(starte(ordner.path(), "--pdf verknuepfung.pdf projekt.vlk").status, 64);
    EXPECT_EQ(starte(ordner.path(), "--pdf d.pdf division_null.vlk").status, 3);
    EXPECT_EQ(inhalt(ordner.filePath("projekt.vlk").toStdString()), testdaten("app/zylinder_stutzen.vlk"));
    EXPECT_FALSE(QFile::exists(ordner.filePath("d.pdf")));
}

// Several designs: the list first, the pages numbered through, each naming its
// design's file, and no page begins inside a formula's block.
TEST_F(Ordner, severalDesignsPrintIntoOneNumberedPdfAfterTheirList)
{
    const QString pdf = ordner.filePath("alle.pdf");
    EXPECT_EQ(starte(ordner.path(), "--pdf alle.pdf --rechengang hinweise.vlk fehlt.vlk unterdimensioniert.vlk").status, 4);
    EXPECT_EQ(starte(ordner.path(), "--pdf alle.pdf zylinder_stutzen.vlk eingaben_pruefen.vlk").status, 2);
    EXPECT_EQ(starte(ordner.path(), "--pdf alle.pdf --rechengang zylinder_stutzen.vlk hinweise.vlk unterdimensioniert.vlk division_null.vlk fehlt.vlk").status, 4);
    const QStringList seiten = pdfSeite(pdf, 0).split('\f', Qt::SkipEmptyParts);
    const QStringList liste = zeilen(seiten.front());
    EXPECT_EQ(liste.mid(1, liste.size() - 2), zeilen(QString::fromStdString(testdaten("app/uebersicht.txt"))));
    QStringList dateien;
    for (qsizetype s = 0; s < seiten.size(); ++s) {
        const QStringList z = zeilen(seiten[s]);
        EXPECT_TRUE(z.back().endsWith(QStringLiteral("Seite %1 von %2").arg(s + 1).arg(seiten.size()))) << z.back().toStdString();
        const QString datei = z.front().section("Datei: ", 1);
        if (s > 0 && dateien.value(dateien.size() - 1) != datei)
            dateien << datei;
        EXPECT_FALSE(QString("=+−/·").contains(z[1].front())) << "page " << s + 1 << " begins inside a block";
        EXPECT_EQ(seiten[s].contains("F = p/10·Ap"), seiten[s].contains("= 10.00/10·")) << "page " << s + 1;
    }
    EXPECT_EQ(dateien, QStringList({"zylinder_stutzen.vlk", "hinweise.vlk", "unterdimensioniert.vlk", "division_null.vlk"}));
}

// The PDF once went straight into the target: a write that failed halfway left a
// cut-off file in place of the earlier one and ended with status 0.
TEST_F(Ordner, aPdfWhoseWriteFailsHalfwayLeavesTheEarlierFileAndSaysWhyInGerman)
{
    std::ofstream(ordner.filePath("alt.pdf").toStdString()) << "%PDF-alt\n";
    const QStringList vorher = eintraege();
    const Lauf l = starte(ordner.path(), "--pdf alt.pdf zylinder_stutzen.vlk", {"VELKOR_ULIMIT=16"});
    EXPECT_EQ(l.status, 4);
    EXPECT_EQ(l.fehler, "alt.pdf: PDF nicht möglich: Die Datei kann nicht geschrieben werden (Die Datei ist zu groß); "
                        "eine frühere Datei dieses Namens ist unverändert.\n");
    EXPECT_EQ(inhalt(ordner.filePath("alt.pdf").toStdString()), "%PDF-alt\n");
    EXPECT_EQ(starte(ordner.path(), "--pdf neu.pdf zylinder_stutzen.vlk", {"VELKOR_ULIMIT=16"}).fehler,
              "neu.pdf: PDF nicht möglich: Die Datei kann nicht geschrieben werden (Die Datei ist zu groß); "
              "es wurde keine Datei angelegt.\n") << "no earlier file to keep";
    EXPECT_EQ(eintraege(), vorher) << "no temporary file stays";
}

} // namespace
} // namespace velkor
