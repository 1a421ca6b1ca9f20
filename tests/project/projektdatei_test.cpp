#include "project/projektdatei.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/resource.h>

#include <cmath>
#include <csignal>
#include <fstream>
#include <iterator>
#include <vector>

namespace velkor {
namespace {

std::string testdatei(const std::string& name)
{
    std::ifstream f(std::string(VELKOR_TESTDATEN) + "/" + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), {}};
}

std::vector<std::string> zeilenVon(const std::string& bytes)
{
    std::vector<std::string> zeilen;
    for (std::size_t start = 0; start < bytes.size();) {
        const auto ende = bytes.find("\r\n", start);
        zeilen.push_back(bytes.substr(start, ende - start));
        start = ende + 2;
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

// The start-up file with line nr (1-based) replaced.
std::string startMitZeile(std::size_t nr, const std::string& inhalt)
{
    auto zeilen = zeilenVon(testdatei("start.vlk"));
    zeilen.at(nr - 1) = inhalt;
    return dateiAus(zeilen);
}

std::string text(const QByteArray& a) { return a.toStdString(); }

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

Projekt gelesen(const std::string& bytes)
{
    Leseergebnis e = leseProjekt(bytes);
    EXPECT_TRUE(e.projekt.has_value()) << e.fehler;
    return e.projekt.value_or(Projekt{});
}

TEST(Projektdatei, writesTheExampleByteForByteInFileOrder)
{
    const Dateiinhalt inhalt = schreibeProjekt(beispiel());
    EXPECT_EQ(inhalt.bytes, testdatei("beispiel.vlk"));
    EXPECT_EQ(inhalt.ersetzteZeichen, "");
}

TEST(Projektdatei, readsTheExampleBackWithWindows1252Texts)
{
    const std::string datei = testdatei("beispiel.vlk");
    ASSERT_NE(datei.find("\"Beh\xE4lter 1, Teil 2\"\r\n\"\x80-42\""), std::string::npos);
    const Projekt p = gelesen(datei);
    EXPECT_EQ(p.daten.c2, 1);     // line 6
    EXPECT_EQ(p.daten.c1s, 0.3);  // line 7
    EXPECT_EQ(p.daten.p, 10);     // line 28
    EXPECT_EQ(p.daten.dmax, 1e-5);
    EXPECT_EQ(p.daten.sG, 9.54545454545454);
    EXPECT_FALSE(p.daten.zylinder);
    EXPECT_TRUE(p.stutzen);
    EXPECT_FALSE(p.ausgehalst);
    EXPECT_TRUE(p.scheibe);
    EXPECT_EQ(p.bezeichnung, "Behälter 1, Teil 2");
    EXPECT_EQ(p.nummer, "€-42");
    EXPECT_EQ(p.bearbeiter, "Müller");
    EXPECT_EQ(schreibeProjekt(p).bytes, datei);
}

TEST(Projektdatei, fileOfTheStartUpStateHoldsZerosTrueAndEmptyTexts)
{
    EXPECT_EQ(schreibeProjekt(Projekt{}).bytes, testdatei("start.vlk"));
    const Projekt p = gelesen(testdatei("start.vlk"));
    EXPECT_TRUE(p.daten.zylinder);
    EXPECT_EQ(schreibeProjekt(p).bytes, testdatei("start.vlk"));
}

TEST(Projektdatei, numberSpellingsReadTheSame)
{
    for (const char* zeile : {"0.5", ".5", "5E-1", "5e-01", "+0.5", "  \t0.5", "0.5  \t", "0.500"}) {
        SCOPED_TRACE(zeile);
        EXPECT_EQ(gelesen(startMitZeile(28, zeile)).daten.p, 0.5);
    }
    EXPECT_EQ(gelesen(startMitZeile(1, "-.25")).daten.Da, -0.25);
    EXPECT_EQ(gelesen(startMitZeile(1, "1E+20")).daten.Da, 1e20);

    // Line feeds alone and a last line without its end read as CR LF does.
    const std::string datei = testdatei("beispiel.vlk");
    const std::string nurLf = dateiAus(zeilenVon(datei), "\n");
    EXPECT_EQ(schreibeProjekt(gelesen(nurLf)).bytes, datei);
    EXPECT_EQ(schreibeProjekt(gelesen(nurLf.substr(0, nurLf.size() - 1))).bytes, datei);
    // Lines after the 44th are not read.
    EXPECT_EQ(schreibeProjekt(gelesen(datei + "Zeile 45\r\n\x01\x02")).bytes, datei);
}

TEST(Projektdatei, emptyLinesGiveZeroOffSphereAndEmptyText)
{
    const std::string erwartet =
        dateiAus(std::vector<std::string>(37, "0")) + "#FALSE#\r\n0\r\n0\r\n0\r\n\"\"\r\n\"\"\r\n\"\"\r\n";
    EXPECT_EQ(schreibeProjekt(gelesen(std::string(44, '\n'))).bytes, erwartet);
    EXPECT_EQ(schreibeProjekt(gelesen(dateiAus(std::vector<std::string>(44, "  ")))).bytes, erwartet);
}

TEST(Projektdatei, textLinesQuotedOrNot)
{
    auto zeilen = zeilenVon(testdatei("start.vlk"));
    zeilen[41] = "  \"Kessel\" , Rest";  // the quoted text ends at its second quote
    zeilen[42] = "  Nr. 7, \"B\" ";       // unquoted: as it stands after the leading blanks
    zeilen[43] = "\"offen bis zum Ende";   // no closing quote
    const Projekt p = gelesen(dateiAus(zeilen));
    EXPECT_EQ(p.bezeichnung, "Kessel");
    EXPECT_EQ(p.nummer, "Nr. 7, \"B\" ");
    EXPECT_EQ(p.bearbeiter, "offen bis zum Ende");
}

TEST(Projektdatei, everyReaderFailureNamesItsCause)
{
    const std::string start = testdatei("start.vlk");
    const std::string zehnZeilen = dateiAus(std::vector<std::string>(10, "1"));
    const std::string zuGross = start + std::string(64 * 1024 - start.size() + 1, 'x');
    std::string mitNull = start;
    mitNull[6] = '\0'; // the "0" of line 3
    const struct {
        std::string bytes;
        std::string meldung;
    } faelle[] = {
        {zehnZeilen, "Die Datei endet nach Zeile 10; eine Projektdatei hat 44 Zeilen."},
        {start.substr(0, start.size() - 6), "Die Datei endet nach Zeile 43; eine Projektdatei hat 44 Zeilen."},
        {"", "Die Datei ist leer; eine Projektdatei hat 44 Zeilen."},
        {startMitZeile(39, "2"), "Zeile 39: „2“ ist kein gültiger Schalterwert (erlaubt: 0 oder 1)."},
        {startMitZeile(40, "x"), "Zeile 40: „x“ ist kein gültiger Schalterwert (erlaubt: 0 oder 1)."},
        {startMitZeile(41, "1.0"), "Zeile 41: „1.0“ ist kein gültiger Schalterwert (erlaubt: 0 oder 1)."},
        {startMitZeile(38, "#true#"),
         "Zeile 38: „#true#“ ist keine gültige Form (erlaubt: #TRUE# für Zylinder oder #FALSE# für Kugel)."},
        {startMitZeile(12, "Stahl"), "Zeile 12: „Stahl“ ist keine Zahl."},
        {startMitZeile(7, "1,5"), "Zeile 7: „1,5“ ist keine Zahl."},
        {startMitZeile(1, "12 mm"), "Zeile 1: „12 mm“ ist keine Zahl."},
        {startMitZeile(2, "inf"), "Zeile 2: „inf“ ist keine Zahl."},
        {startMitZeile(2, "-nan"), "Zeile 2: „-nan“ ist keine Zahl."},
        {startMitZeile(3, "1e"), "Zeile 3: „1e“ ist keine Zahl."},
        {startMitZeile(4, "+-1"), "Zeile 4: „+-1“ ist keine Zahl."},
        {startMitZeile(5, "0x10"), "Zeile 5: „0x10“ ist keine Zahl."},
        {startMitZeile(6, "\"5\""), "Zeile 6: „\"5\"“ ist keine Zahl."},
        {startMitZeile(8, "Gr\xF6\xDF"
                          "e"),
         "Zeile 8: „Größe“ ist keine Zahl."},
        {startMitZeile(9, std::string(50, '7') + "x"),
         "Zeile 9: „" + std::string(40, '7') + "…“ ist keine Zahl."},
        {startMitZeile(37, "1e999"), "Zeile 37: „1e999“ liegt außerhalb des darstellbaren Zahlenbereichs."},
        {startMitZeile(36, "-1E-400"), "Zeile 36: „-1E-400“ liegt außerhalb des darstellbaren Zahlenbereichs."},
        {mitNull, "Zeile 3: Die Datei enthält Binärdaten (Nullbytes) und ist keine Projektdatei."},
        {zuGross, "Datei zu groß (65537 Bytes); eine Projektdatei hat höchstens 64 KiB."},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.meldung);
        const Leseergebnis e = leseProjekt(f.bytes);
        EXPECT_FALSE(e.projekt.has_value());
        EXPECT_EQ(e.fehler, f.meldung);
    }
    EXPECT_TRUE(leseProjekt(zuGross.substr(0, 64 * 1024)).projekt.has_value());
}

TEST(Projektdatei, headingCharactersTheFileCannotHoldAreReplacedAndReported)
{
    Projekt p;
    p.bezeichnung = "Sagte \"Hallo\"\tund\u0081ging"; // U+0081 would be the undefined byte 0x81
    p.nummer = "Ω-1 \u2013 €";                // Ω is not in Windows-1252, the en dash is (0x96)
    p.bearbeiter = "Zoë\r\n😀 Ω \"";          // a line break must not shift the lines
    const Dateiinhalt inhalt = schreibeProjekt(p);
    const auto zeilen = zeilenVon(inhalt.bytes);
    ASSERT_EQ(zeilen.size(), 44u);
    EXPECT_EQ(zeilen[41], "\"Sagte 'Hallo' und ging\"");
    EXPECT_EQ(zeilen[42], "\"?-1 \x96 \x80\"");
    EXPECT_EQ(zeilen[43], "\"Zo\xEB  ? ? '\"");
    EXPECT_EQ(inhalt.ersetzteZeichen, "\"\t\u0081Ω\r\n😀");

    const Projekt zurueck = gelesen(inhalt.bytes);
    EXPECT_EQ(zurueck.bezeichnung, "Sagte 'Hallo' und ging");
    EXPECT_EQ(zurueck.nummer, "?-1 \u2013 €");
    EXPECT_EQ(zurueck.bearbeiter, "Zoë  ? ? '");
}

TEST(Projektdatei, extremeValuesRoundTripWithFifteenDigits)
{
    Projekt p;
    p.daten.Da = 1e-300, p.daten.Das = 1e300, p.daten.s = -0.0, p.daten.ss = 0.1 + 0.2;
    p.daten.c1 = 4.9406564584124654e-324, p.daten.c2 = -1.7976931348623157e308, p.daten.c1s = 2.0 / 3;
    p.daten.c2s = -1e-5, p.daten.v = 1e15, p.daten.K = 999999999999999, p.daten.Ks = 0.0001;
    const auto zeilen = zeilenVon(schreibeProjekt(p).bytes);
    const std::vector<std::string> erwartet{"1E-300", "1E+300", "0", "0.3", "4.94065645841247E-324",
                                            "-1.79769313486231E+308", "0.666666666666667", "-1E-05", "1E+15",
                                            "999999999999999", "0.0001"};
    EXPECT_EQ(std::vector<std::string>(zeilen.begin(), zeilen.begin() + 11), erwartet);

    const Projekt zurueck = gelesen(schreibeProjekt(p).bytes);
    EXPECT_EQ(zurueck.daten.Da, 1e-300);
    EXPECT_EQ(zurueck.daten.Das, 1e300);
    EXPECT_FALSE(std::signbit(zurueck.daten.s));
    EXPECT_EQ(zurueck.daten.ss, 0.3);
    EXPECT_EQ(zurueck.daten.c1, 4.9406564584124654e-324);
    EXPECT_EQ(zurueck.daten.c2, -1.79769313486231e308);
    EXPECT_EQ(zurueck.daten.c1s, 0.666666666666667);
}

class Projektspeicher : public testing::Test {
protected:
    std::string pfad(const QString& name) const { return ordner.filePath(name).toStdString(); }
    QStringList eintraege() const { return QDir(ordner.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden); }
    QTemporaryDir ordner;
};

TEST_F(Projektspeicher, savesAndLoadsAndReplacesAnEarlierFile)
{
    const std::string ziel = pfad("Behälter 12.vlk");
    ASSERT_TRUE(speichereProjektdatei(ziel, Projekt{}).ok);
    const Speicherergebnis e = speichereProjektdatei(ziel, beispiel());
    EXPECT_TRUE(e.ok) << e.fehler;
    EXPECT_EQ(e.fehler, "");

    QFile f(QString::fromStdString(ziel));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(text(f.readAll()), testdatei("beispiel.vlk"));
    EXPECT_EQ(eintraege(), QStringList{"Behälter 12.vlk"});

    const Leseergebnis geladen = ladeProjektdatei(ziel);
    ASSERT_TRUE(geladen.projekt) << geladen.fehler;
    EXPECT_EQ(schreibeProjekt(*geladen.projekt).bytes, testdatei("beispiel.vlk"));
}

TEST_F(Projektspeicher, savingReportsReplacedCharacters)
{
    Projekt p;
    p.bearbeiter = "\"Ω\"";
    const Speicherergebnis e = speichereProjektdatei(pfad("a.vlk"), p);
    EXPECT_TRUE(e.ok);
    EXPECT_EQ(e.ersetzteZeichen, "\"Ω");
}

TEST_F(Projektspeicher, failedSavesLeaveEverythingAsItWas)
{
    ASSERT_TRUE(QDir(ordner.path()).mkdir("ordner.vlk"));
    QFile datei(ordner.filePath("datei"));
    ASSERT_TRUE(datei.open(QIODevice::WriteOnly));
    datei.write("alt");
    datei.close();

    const struct {
        std::string pfad;
        std::string meldung;
    } faelle[] = {
        {pfad("ordner.vlk"), "Das Ziel ist ein Ordner: „" + pfad("ordner.vlk") + "“."},
        {pfad("datei/x.vlk"), "Der Pfad davor ist kein Ordner: „" + pfad("datei") + "“."},
        {pfad("fehlt/x.vlk"), "Der Ordner existiert nicht: „" + pfad("fehlt") + "“."},
        {"", "Es ist kein Dateiname angegeben."},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.pfad);
        const Speicherergebnis e = speichereProjektdatei(f.pfad, beispiel());
        EXPECT_FALSE(e.ok);
        EXPECT_EQ(e.fehler, f.meldung);
    }
    EXPECT_EQ(eintraege(), (QStringList{"datei", "ordner.vlk"}));
    EXPECT_TRUE(QDir(ordner.filePath("ordner.vlk")).isEmpty());
    ASSERT_TRUE(datei.open(QIODevice::ReadOnly));
    EXPECT_EQ(text(datei.readAll()), "alt");
}

// A file size limit makes the write itself fail, also for root, where
// permission bits would not stop it.
TEST_F(Projektspeicher, aWriteThatFailsKeepsTheEarlierFileByteForByte)
{
    const std::string ziel = pfad("projekt.vlk");
    ASSERT_TRUE(speichereProjektdatei(ziel, Projekt{}).ok);

    rlimit vorher{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &vorher), 0);
    const auto signal = std::signal(SIGXFSZ, SIG_IGN);
    rlimit klein = vorher;
    klein.rlim_cur = 100; // the example needs 320 bytes
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &klein), 0);
    const Speicherergebnis e = speichereProjektdatei(ziel, beispiel());
    setrlimit(RLIMIT_FSIZE, &vorher);
    std::signal(SIGXFSZ, signal);

    EXPECT_FALSE(e.ok);
    EXPECT_EQ(e.fehler.rfind("Die Datei kann nicht geschrieben werden (", 0), 0u) << e.fehler;
    EXPECT_NE(e.fehler.find("); eine frühere Datei dieses Namens ist unverändert."), std::string::npos);
    QFile f(QString::fromStdString(ziel));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(text(f.readAll()), testdatei("start.vlk"));
    EXPECT_EQ(eintraege(), QStringList{"projekt.vlk"});
}

TEST_F(Projektspeicher, loadingFailuresSayWhy)
{
    ASSERT_TRUE(QDir(ordner.path()).mkdir("ordner"));
    QFile gross(ordner.filePath("gross.vlk"));
    ASSERT_TRUE(gross.open(QIODevice::WriteOnly));
    ASSERT_TRUE(gross.resize(1 << 20));
    gross.close();
    QFile kurz(ordner.filePath("kurz.vlk"));
    ASSERT_TRUE(kurz.open(QIODevice::WriteOnly));
    kurz.write("1\r\n2\r\n");
    kurz.close();

    const struct {
        std::string pfad;
        std::string meldung;
    } faelle[] = {
        {pfad("fehlt.vlk"), "Datei kann nicht geöffnet werden, sie existiert nicht: „" + pfad("fehlt.vlk") + "“."},
        {pfad("ordner"), "Datei kann nicht geöffnet werden, das ist ein Ordner: „" + pfad("ordner") + "“."},
        {"/dev/zero", "Datei kann nicht geöffnet werden, das ist keine gewöhnliche Datei: „/dev/zero“."},
        {"", "Datei kann nicht geöffnet werden: Es ist kein Dateiname angegeben."},
        {pfad("gross.vlk"), "Datei zu groß (1048576 Bytes); eine Projektdatei hat höchstens 64 KiB."},
        {pfad("kurz.vlk"), "Die Datei endet nach Zeile 2; eine Projektdatei hat 44 Zeilen."},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.pfad);
        const Leseergebnis e = ladeProjektdatei(f.pfad);
        EXPECT_FALSE(e.projekt.has_value());
        EXPECT_EQ(e.fehler, f.meldung);
    }
}

} // namespace
} // namespace velkor
