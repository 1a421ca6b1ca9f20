#include "project/dateiname.h"
#include "project/projektdatei.h"
#include "tests/support/testdaten.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <vector>

namespace velkor {
namespace {

std::vector<std::string> zeilenVon(const std::string& bytes, const std::string& ende = "\r\n")
{
    std::vector<std::string> zeilen;
    for (std::size_t start = 0; start < bytes.size();) {
        const auto e = bytes.find(ende, start);
        zeilen.push_back(bytes.substr(start, e - start));
        start = e == std::string::npos ? bytes.size() : e + ende.size();
    }
    return zeilen;
}

std::string dateiAus(const std::vector<std::string>& zeilen, const char* ende = "\r\n")
{
    std::string bytes;
    for (const auto& z : zeilen)
        bytes += z + ende;
    return bytes;
}

// "\t", "\n" and "\xNN" as in the table files.
std::string bytesVon(std::string_view s)
{
    std::string b;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\\' && (s.substr(i + 1, 1) == "t" || s.substr(i + 1, 1) == "n")) {
            b += s[i + 1] == 't' ? '\t' : '\n', ++i;
        } else if (s[i] == '\\' && s.substr(i + 1, 1) == "x") {
            b += static_cast<char>(std::stoi(std::string(s.substr(i + 2, 2)), nullptr, 16)), i += 3;
        } else {
            b += s[i];
        }
    }
    return b;
}

// The values of tests/data/beispiel.vlk, set by name (the file has them in its own order).
Projekt beispiel()
{
    Projekt p;
    Berechnungsdaten& d = p.daten;
    d.Da = 1000, d.Das = 219.1, d.s = 12.5, d.ss = 8, d.c1 = 0.5, d.c2 = 1, d.c1s = 0.3, d.c2s = 0.25;
    d.v = 0.85, d.K = 265, d.Ks = 235, d.KScheibe = 255, d.S = 1.5, d.Sis = 1.6, d.SScheibe = 1.7;
    d.ls = 150, d.lsstrich = 20, d.x = 0, d.phi = 90, d.bScheibe = 120, d.hScheibe = 10;
    d.sG = 105.0 / 11, d.sS = 1.93, d.rG = 260.0 / 11, d.rS = -3.25, d.b = std::sqrt(11700.0);
    d.lsm = std::sqrt(1700.0), d.p = 10, d.dmax = 0.00001, d.pmaxG = 1e20, d.pmaxS = 12.34;
    d.As0 = 123456.789, d.As1 = 0.0001, d.As2 = 0, d.Ap = 987654321012345, d.rFV = -0.5;
    d.pmaxFV = 0.1 + 0.2, d.zylinder = false;
    p.stutzen = true, p.ausgehalst = false, p.scheibe = true;
    p.bezeichnung = "Behälter 1, Teil 2", p.nummer = "€-42", p.bearbeiter = "Müller";
    return p;
}

std::string neuGeschrieben(const std::string& bytes)
{
    const Leseergebnis e = leseProjekt(bytes);
    EXPECT_TRUE(e.projekt) << e.fehler;
    return e.projekt ? schreibeProjekt(*e.projekt).bytes : std::string();
}

TEST(Projektdatei, theExampleIsWrittenInFileOrderAndReadBackByteForByte)
{
    const std::string datei = testdaten("beispiel.vlk");
    EXPECT_EQ(schreibeProjekt(beispiel()).bytes, datei);
    EXPECT_EQ(schreibeProjekt(Projekt{}).bytes, testdaten("start.vlk"));
    const Leseergebnis e = leseProjekt(datei);
    ASSERT_TRUE(e.projekt) << e.fehler;
    EXPECT_EQ(e.projekt->daten.c1s, 0.3); // line 7: the file keeps c2 before c1s
    EXPECT_EQ(e.projekt->nummer, "€-42");
    EXPECT_EQ(schreibeProjekt(*e.projekt).bytes, datei);
    // Line feeds alone, a last line without its end and lines after the 44th read as CR LF does.
    const std::string nurLf = dateiAus(zeilenVon(datei), "\n");
    EXPECT_EQ(neuGeschrieben(nurLf), datei);
    EXPECT_EQ(neuGeschrieben(nurLf.substr(0, nurLf.size() - 1)), datei);
    EXPECT_EQ(neuGeschrieben(datei + "Zeile 45\r\n\x01\x02"), datei);
    // The section after them: every key, and keys of a newer version kept as they were.
    const Projekt mitAbschnitt = leseProjekt(testdaten("app/abschnitt.vlk")).projekt.value();
    EXPECT_EQ(mitAbschnitt.angaben, (Angaben{200, "P265GH", "1.4571, EN 10028-7 ä", "P265GH"}));
    EXPECT_EQ(mitAbschnitt.pruefung, (Pruefangaben{true, 25, 300, 0, 280, 1.05, 1.1, 1.05, false}));
    EXPECT_EQ(mitAbschnitt.fremdeZeilen, (std::vector<std::string>{" Neuer Schluessel = 1;2\t", "X=\x80"}));
    EXPECT_EQ(schreibeProjekt(mitAbschnitt).bytes, testdaten("app/abschnitt.vlk"));
}

// Rows of tests/data/project/zeilen.txt: one line of the start-up file replaced.
TEST(Projektdatei, everyLineOfTheTableReadsOrIsRefusedAsItsRowSays)
{
    for (const auto& z : tabelle("project/zeilen.txt")) {
        SCOPED_TRACE(z[0] + ": " + z[1]);
        std::vector<std::string> datei = zeilenVon(testdaten("start.vlk"));
        const auto i = static_cast<std::size_t>(std::stoi(z[0])) - 1;
        if (i >= datei.size()) // the section's head before a row after it
            datei.push_back("[Velkor]"), datei.resize(i + 1);
        datei.at(i) = bytesVon(z[1]);
        const Leseergebnis e = leseProjekt(dateiAus(datei));
        if (z[2].starts_with("=")) {
            ASSERT_TRUE(e.projekt) << e.fehler;
            const auto neu = zeilenVon(schreibeProjekt(*e.projekt).bytes);
            EXPECT_EQ(i < neu.size() ? neu[i] : "", bytesVon(z[2].substr(std::min<std::size_t>(2, z[2].size()))));
        } else {
            EXPECT_FALSE(e.projekt);
            EXPECT_EQ(e.fehler, z[2]);
        }
    }
}

TEST(Projektdatei, aFileThatIsNoProjectFileIsRefusedWithItsReason)
{
    const std::string start = testdaten("start.vlk");
    std::string mitNull = start;
    mitNull[6] = '\0'; // the "0" of line 3
    const std::string zuGross = start + std::string(64 * 1024 - start.size() + 1, 'x');
    const std::pair<std::string, std::string> faelle[] = {
        {"", "Die Datei ist leer; eine Projektdatei hat 44 Zeilen."},
        {dateiAus(std::vector<std::string>(10, "1")), "Die Datei endet nach Zeile 10; eine Projektdatei hat 44 Zeilen."},
        {start.substr(0, start.size() - 6), "Die Datei endet nach Zeile 43; eine Projektdatei hat 44 Zeilen."},
        {mitNull, "Zeile 3: Die Datei enthält Binärdaten (Nullbytes) und ist keine Projektdatei."},
        {zuGross, "Datei zu groß (65537 Bytes); eine Projektdatei hat höchstens 64 KiB."},
    };
    for (const auto& [bytes, meldung] : faelle) {
        const Leseergebnis e = leseProjekt(bytes);
        EXPECT_FALSE(e.projekt);
        EXPECT_EQ(e.fehler, meldung);
    }
    EXPECT_TRUE(leseProjekt(zuGross.substr(0, 64 * 1024)).projekt);
    EXPECT_EQ(neuGeschrieben(std::string(44, '\n')).substr(0, 3), "0\r\n");
}

TEST(Projektdatei, headingCharactersTheFileCannotHoldAreReplacedAndNamedVisibly)
{
    Projekt p;
    p.bezeichnung = "Sagte \"Hallo\"\tund\u0081ging\u009F"; // U+0081 would be the undefined byte 0x81
    p.nummer = "Ω-1 \u2013 €\u007F";                       // the en dash is in Windows-1252 (0x96)
    p.bearbeiter = "Zoë\r\n😀 \"";                          // a line break must not shift the lines
    p.angaben.werkstoffStutzen = "\"P235GH\"\u0085TC1\n✓";  // a double quote is no field end here
    const Dateiinhalt inhalt = schreibeProjekt(p);
    const auto zeilen = zeilenVon(inhalt.bytes);
    ASSERT_EQ(zeilen.size(), 46u);
    EXPECT_EQ(zeilen[41], "\"Sagte 'Hallo' und ging \"");
    EXPECT_EQ(zeilen[42], "\"?-1 \x96 \x80 \"");
    EXPECT_EQ(zeilen[43], "\"Zo\xEB  ? '\"");
    EXPECT_EQ(zeilen[45], "WerkstoffStutzen=\"P235GH\" TC1 ?");
    EXPECT_EQ(sichtbareZeichen(inhalt.ersetzteZeichen),
              "„\"“, U+0009, U+0081, U+009F, „Ω“, U+007F, U+000D, U+000A, „😀“, U+0085, „✓“");
}

// Rows of tests/data/project/dateinamen.txt.
TEST(Dateiname, aNameNoFolderCanHoldIsRefusedAndTheExtensionIsAppendedUnlessPresent)
{
    for (const auto& z : tabelle("project/dateinamen.txt")) {
        EXPECT_EQ(dateinameZulaessig(bytesVon(z[0])), z[1] == "ja") << z[0];
        EXPECT_EQ(mitEndung(bytesVon(z[0]), ".vlk"), bytesVon(z[2])) << z[0];
    }
}

class Projektspeicher : public testing::Test {
protected:
    std::string pfad(const QString& name) const { return ordner.filePath(name).toStdString(); }
    QStringList eintraege() const { return QDir(ordner.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden); }
    QTemporaryDir ordner;
};

TEST_F(Projektspeicher, aSaveReplacesAFileWholeOrSaysWhyNotAndLeavesEveryFileAsItWas)
{
    ASSERT_TRUE(QDir(ordner.path()).mkdir("ordner.vlk"));
    const std::string alt = pfad("datei");
    ASSERT_TRUE(speichereProjektdatei(alt, beispiel()).ok);
    ASSERT_TRUE(speichereProjektdatei(alt, Projekt{}).ok);
    // Folders, pipes, missing folders and a write failing halfway are the command line's tables.
    for (const auto& [ziel, meldung] : {std::pair{pfad("datei/x.vlk"), "Der Pfad davor ist kein Ordner: „" + pfad("datei") + "“."},
                                        {"/dev/null", "Das Ziel ist keine gewöhnliche Datei: „/dev/null“."},
                                        {"", "Es ist kein Dateiname angegeben."}})
        EXPECT_EQ(speichereProjektdatei(ziel, beispiel()).fehler, meldung);

    EXPECT_EQ(inhalt(alt), testdaten("start.vlk"));
    EXPECT_EQ(eintraege(), (QStringList{"datei", "ordner.vlk"}));
    EXPECT_TRUE(QDir(ordner.filePath("ordner.vlk")).isEmpty());
}

// A missing file, a folder, a device and a closed folder are the command line's table.
// A loop of links, a path through a file and a name too long once "did not exist".
TEST_F(Projektspeicher, aFileThatCannotBeLoadedOrReachedSaysTheRealReasonInGerman)
{
    QFile gross(ordner.filePath("gross.vlk"));
    ASSERT_TRUE(gross.open(QIODevice::WriteOnly) && gross.resize(1 << 20));
    gross.close();
    EXPECT_EQ(ladeProjektdatei(pfad("gross.vlk")).fehler, "Datei zu groß (1048576 Bytes); eine Projektdatei hat höchstens 64 KiB.");
    EXPECT_EQ(ladeProjektdatei("").fehler, "Datei kann nicht geöffnet werden: Es ist kein Dateiname angegeben.");
    std::filesystem::create_symlink("schleife.vlk", pfad("schleife.vlk"));
    const std::pair<std::string, std::string> faelle[] = {
        {pfad("schleife.vlk"), "Zu viele Ebenen symbolischer Verknüpfungen (eine Schleife?)"},
        {pfad("gross.vlk/a.vlk"), "Ein Teil des Pfades ist kein Ordner"},
        {pfad(QString(300, u'x')), "Der Name ist zu lang"},
    };
    for (const auto& [ziel, grund] : faelle) {
        EXPECT_EQ(ladeProjektdatei(ziel).fehler, "Datei kann nicht geöffnet werden (" + grund + "): „" + ziel + "“.");
        if (!ziel.ends_with("/a.vlk")) { // the folder before it is a file: the save's table
            EXPECT_EQ(speichereProjektdatei(ziel, Projekt{}).fehler, "Die Datei ist nicht erreichbar (" + grund + "): „" + ziel + "“.");
        }
    }
}

} // namespace
} // namespace velkor
