#include "app/kommandozeile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <clocale>
#include <sstream>
#include <string>

#include <sys/stat.h>

namespace velkor {
namespace {

// Expected numbers below were computed independently from the design formulas
// (circle constant 3.14159); the golden files were written from the report layout.

QString daten(const char* name) { return QStringLiteral(VELKOR_TESTDATEN "/app/") + QString::fromUtf8(name); }
QString beispiel(const char* name) { return QStringLiteral(VELKOR_BEISPIELE "/") + QString::fromUtf8(name); }

std::string bytes(const QString& pfad)
{
    QFile f(pfad);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << pfad.toStdString();
    return f.readAll().toStdString();
}

struct Lauf {
    std::optional<int> status;
    std::string aus;
    std::string fehler;
};

Lauf starte(const QStringList& argumente, const std::string& dezimaltrenner = ".")
{
    std::ostringstream aus;
    std::ostringstream fehler;
    Lauf l;
    l.status = kommandozeile(argumente, aus, fehler, dezimaltrenner);
    l.aus = aus.str();
    l.fehler = fehler.str();
    return l;
}

std::string zeile(const QString& datei, const std::string& text) { return datei.toStdString() + ": " + text + "\n"; }

TEST(Kommandozeile, reportOfACylinderWithNozzleIsTheWindowsReportAfterLoading)
{
    const Lauf l = starte({"--bericht", daten("zylinder_stutzen.vlk")});
    EXPECT_EQ(l.status, 0);
    EXPECT_EQ(l.aus, bytes(daten("zylinder_stutzen_punkt.txt")));
    EXPECT_EQ(l.fehler, "");
}

TEST(Kommandozeile, germanLocaleChangesTheSeparatorShownButNotHowNumbersAreRead)
{
    // Under this locale strtod would read the file's "1.5" as 1.
    const std::string vorher = std::setlocale(LC_ALL, nullptr);
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8"))
        GTEST_SKIP() << "de_DE.UTF-8 fehlt (scripts/einrichten.sh erzeugt es)";
    const Lauf l = starte({"--bericht", daten("zylinder_stutzen.vlk")}, ",");
    std::setlocale(LC_ALL, vorher.c_str());
    EXPECT_EQ(l.status, 0);
    EXPECT_EQ(l.aus, bytes(daten("zylinder_stutzen_komma.txt")));
}

TEST(Kommandozeile, theProgramTakesTheSeparatorFromTheUsersLocale)
{
    const std::pair<const char*, const char*> faelle[] = {
        {"C", "zylinder_stutzen_punkt.txt"},
        {"de_DE.UTF-8", "zylinder_stutzen_komma.txt"},
    };
    for (const auto& [gebietsschema, golden] : faelle) {
        QProcess p;
        QProcessEnvironment umgebung = QProcessEnvironment::systemEnvironment();
        umgebung.insert("LC_ALL", gebietsschema);
        p.setProcessEnvironment(umgebung);
        p.start(VELKOR_PROGRAMM, {"--bericht", daten("zylinder_stutzen.vlk")});
        ASSERT_TRUE(p.waitForFinished(60000));
        EXPECT_EQ(p.exitCode(), 0) << gebietsschema;
        EXPECT_EQ(p.readAllStandardOutput().toStdString(), bytes(daten(golden))) << gebietsschema;
    }
}

TEST(Kommandozeile, reportExitStatusFollowsTheVerdictAndStderrSaysWhy)
{
    struct Fall {
        const char* datei;
        int status;
        std::string meldung;
        const char* schluss; // last line of the report, empty when none is printed
    };
    const Fall faelle[] = {
        {"unterdimensioniert.vlk", 1, "Nicht ausreichend dimensioniert!", "NICHT AUSREICHEND DIMENSIONIERT!\r\n"},
        {"eingaben_pruefen.vlk", 2, "Eingaben überprüfen.", "\r\nAusreichend dimensioniert.\r\n"},
        {"division_null.vlk", 3, "Ausgabe nicht möglich: Berechnung abgebrochen. (Division durch Null)", ""},
    };
    for (const Fall& f : faelle) {
        const Lauf l = starte({"--bericht", daten(f.datei)});
        EXPECT_EQ(l.status, f.status) << f.datei;
        EXPECT_EQ(l.fehler, zeile(daten(f.datei), f.meldung));
        if (*f.schluss)
            EXPECT_TRUE(l.aus.starts_with("\r\nKalvero Modul Velkor\r\n") && l.aus.ends_with(f.schluss)) << l.aus;
        else
            EXPECT_EQ(l.aus, "");
    }
}

TEST(Kommandozeile, missingOrBrokenFileGivesStatusFourNamingFileAndLine)
{
    const Lauf kaputt = starte({"--bericht", daten("kaputt.vlk")});
    EXPECT_EQ(kaputt.status, 4);
    EXPECT_EQ(kaputt.aus, "");
    EXPECT_TRUE(kaputt.fehler.starts_with(daten("kaputt.vlk").toStdString() + ": Zeile 39")) << kaputt.fehler;

    const Lauf fehlt = starte({"--bericht", daten("fehlt.vlk")});
    EXPECT_EQ(fehlt.status, 4);
    EXPECT_EQ(fehlt.aus, "");
    EXPECT_TRUE(fehlt.fehler.starts_with(daten("fehlt.vlk").toStdString() + ": ")) << fehlt.fehler;
}

QJsonArray json(const Lauf& l)
{
    QJsonParseError fehler;
    const QJsonDocument d = QJsonDocument::fromJson(QByteArray::fromStdString(l.aus), &fehler);
    EXPECT_EQ(fehler.error, QJsonParseError::NoError) << l.aus;
    EXPECT_TRUE(d.isArray());
    return d.array();
}

void erwarteNahe(const QJsonObject& o, const char* name, double soll)
{
    ASSERT_TRUE(o.value(name).isDouble()) << name;
    EXPECT_NEAR(o.value(name).toDouble(), soll, 1e-9 * std::max(1.0, std::abs(soll))) << name;
}

TEST(Kommandozeile, jsonListsEveryFileWithUnroundedResultsAndReasonsForBadOnes)
{
    const Lauf l = starte({"--json", daten("zylinder_stutzen.vlk"), daten("fehlt.vlk"), daten("kaputt.vlk"),
                           daten("unterdimensioniert.vlk"), daten("scheibe_ohne_stutzen.vlk"),
                           daten("division_null.vlk")});
    EXPECT_EQ(l.status, 4);
    const QJsonArray a = json(l);
    ASSERT_EQ(a.size(), 6);

    const QJsonObject gut = a[0].toObject();
    EXPECT_EQ(gut.value("datei").toString(), daten("zylinder_stutzen.vlk"));
    EXPECT_EQ(gut.value("status").toString(), "Ausreichend dimensioniert.");
    EXPECT_EQ(gut.value("statusfarbe").toString(), "normal");
    EXPECT_EQ(gut.value("berechnet"), QJsonValue(true));
    const QJsonObject ein = gut.value("eingaben").toObject();
    EXPECT_EQ(ein.keys(), (QStringList{"Da", "Das", "K", "KScheibe", "Ks", "S", "SScheibe", "Sis", "ausgehalst",
                                       "bScheibe", "c1", "c1s", "c2", "c2s", "hScheibe", "ls", "lsstrich", "p",
                                       "phi", "s", "scheibe", "ss", "stutzen", "v", "x", "zylinder"}));
    EXPECT_EQ(ein.value("Da").toDouble(), 1000.0); // the file's 1000.004 as the box rounds it
    EXPECT_EQ(ein.value("S").toDouble(), 1.5);
    EXPECT_EQ(ein.value("zylinder"), QJsonValue(true));
    EXPECT_EQ(ein.value("stutzen"), QJsonValue(true));
    EXPECT_EQ(ein.value("scheibe"), QJsonValue(false));
    const QJsonObject erg = gut.value("ergebnisse").toObject();
    EXPECT_EQ(erg.keys(), (QStringList{"Ap", "As0", "As1", "As2", "b", "dmax", "lsm", "pmaxFV", "pmaxG", "pmaxS",
                                       "rFV", "rG", "rS", "sG", "sS"}));
    erwarteNahe(erg, "sG", 2.822201317027281);
    erwarteNahe(erg, "rS", 1671.6666666666665);
    erwarteNahe(erg, "dmax", 506.116943008234);
    erwarteNahe(erg, "As1", 186.21559198564603);
    erwarteNahe(erg, "Ap", 74930.32474611716);
    erwarteNahe(erg, "rFV", 177.70946008416598);
    erwarteNahe(erg, "pmaxFV", 27.63197065221847);

    for (int i : {1, 2}) {
        const QJsonObject o = a[i].toObject();
        EXPECT_EQ(o.keys(), (QStringList{"datei", "fehler"})) << i;
        EXPECT_FALSE(o.value("fehler").toString().isEmpty()) << i;
    }
    EXPECT_TRUE(a[2].toObject().value("fehler").toString().startsWith("Zeile 39"));
    EXPECT_EQ(l.fehler.find(daten("fehlt.vlk").toStdString() + ": "), 0u) << l.fehler;
    EXPECT_NE(l.fehler.find("\n" + daten("kaputt.vlk").toStdString() + ": Zeile 39"), std::string::npos);

    const QJsonObject zuDuenn = a[3].toObject();
    EXPECT_EQ(zuDuenn.value("status").toString(), "Nicht ausreichend dimensioniert!");
    EXPECT_EQ(zuDuenn.value("statusfarbe").toString(), "rot");
    erwarteNahe(zuDuenn.value("ergebnisse").toObject(), "rG", -11.416666666666659);
    erwarteNahe(zuDuenn.value("ergebnisse").toObject(), "rFV", -5.611940721873083);

    // Loading switches the pad off with the nozzle; the file's old nozzle reserve stays
    // in the record but no longer counts.
    const QJsonObject ohne = a[4].toObject();
    EXPECT_EQ(ohne.value("status").toString(), "Ausreichend dimensioniert.");
    EXPECT_EQ(ohne.value("eingaben").toObject().value("scheibe"), QJsonValue(false));
    EXPECT_EQ(ohne.value("eingaben").toObject().value("ausgehalst"), QJsonValue(true));
    EXPECT_EQ(ohne.value("eingaben").toObject().value("bScheibe").toDouble(), 0.0);
    EXPECT_EQ(ohne.value("eingaben").toObject().value("KScheibe").toDouble(), 265.0);
    EXPECT_EQ(ohne.value("ergebnisse").toObject().value("rS").toDouble(), -7.0);
    EXPECT_EQ(ohne.value("ergebnisse").toObject().value("rFV").toDouble(), 0.0);

    const QJsonObject null = a[5].toObject();
    EXPECT_EQ(null.value("status").toString(), "Division durch Null");
    EXPECT_EQ(null.value("statusfarbe").toString(), "normal");
    EXPECT_EQ(null.value("berechnet"), QJsonValue(false));
}

TEST(Kommandozeile, theHighestStatusOfAllFilesApplies)
{
    const std::pair<QStringList, int> faelle[] = {
        {{"zylinder_stutzen.vlk"}, 0},
        {{"zylinder_stutzen.vlk", "unterdimensioniert.vlk", "zylinder_stutzen.vlk"}, 1},
        {{"unterdimensioniert.vlk", "eingaben_pruefen.vlk"}, 2},
        {{"division_null.vlk", "eingaben_pruefen.vlk"}, 3},
        {{"fehlt.vlk", "division_null.vlk"}, 4},
    };
    for (const auto& [namen, status] : faelle) {
        QStringList argumente{"--json"};
        for (const QString& n : namen)
            argumente << daten(n.toUtf8().constData());
        const Lauf l = starte(argumente);
        EXPECT_EQ(l.status, status) << namen.join(' ').toStdString();
        EXPECT_EQ(json(l).size(), namen.size());
    }
    const QJsonArray pruefen = json(starte({"--json", daten("eingaben_pruefen.vlk")}));
    EXPECT_EQ(pruefen.at(0).toObject().value("statusfarbe").toString(), "gelb");
    EXPECT_EQ(pruefen.at(0).toObject().value("berechnet"), QJsonValue(true));
}

TEST(Kommandozeile, wrongUsageGivesUsageOnStderrAndStatus64)
{
    const QString d = daten("zylinder_stutzen.vlk");
    const std::pair<QStringList, std::string> faelle[] = {
        {{"--unbekannt", d}, "Unbekannte Option: --unbekannt"},
        {{"-x", d}, "Unbekannte Option: -x"},
        {{"--speichern-als"}, "Nach --speichern-als fehlt der Name der Zieldatei."},
        {{"--speichern-als", "aus.vlk"}, "--speichern-als braucht genau eine Datei."},
        {{"--bericht"}, "--bericht braucht genau eine Datei."},
        {{"--bericht", d, d}, "--bericht braucht genau eine Datei."},
        {{"--json"}, "--json braucht mindestens eine Datei."},
        {{"--bericht", "--json", d}, "Nur einer der Befehle --bericht, --speichern-als, --json, --pdf und --skizze ist möglich."},
    };
    for (const auto& [argumente, grund] : faelle) {
        const Lauf l = starte(argumente);
        EXPECT_EQ(l.status, 64) << grund;
        EXPECT_EQ(l.aus, "");
        EXPECT_EQ(l.fehler, "velkor: " + grund + "\n\n" + benutzung());
    }
    EXPECT_TRUE(benutzung().starts_with("Aufruf:\n"));
}

TEST(Kommandozeile, withoutACommandTheWindowDecidesAndHelpGoesToStdout)
{
    EXPECT_EQ(starte({}).status, std::nullopt);
    EXPECT_EQ(starte({daten("zylinder_stutzen.vlk")}).status, std::nullopt);
    const Lauf hilfe = starte({"--hilfe"});
    EXPECT_EQ(hilfe.status, 0);
    EXPECT_EQ(hilfe.aus, benutzung());
    EXPECT_EQ(hilfe.fehler, "");
}

// Decided before the toolkit starts: a window must never be started without a display.
TEST(Kommandozeile, theWindowOpensExactlyWhenNoCommandHelpOrWrongOptionIsGiven)
{
    const std::pair<QStringList, QStringList> fenster[] = {
        {{}, {}},
        {{"a.vlk"}, {"a.vlk"}},
        {{"-"}, {"-"}},
        {{"--", "-a.vlk"}, {"-a.vlk"}},
        {{"--", "--bericht"}, {"--bericht"}},
        {{"a.vlk", "b.vlk"}, {"a.vlk", "b.vlk"}},
    };
    for (const auto& [argumente, dateien] : fenster)
        EXPECT_EQ(fensterdateien(argumente), dateien) << argumente.join(' ').toStdString();
    for (const QStringList& argumente :
         {QStringList{"--bericht", "a.vlk"}, {"--json"}, {"--pdf"}, {"--pdf=x.pdf", "a.vlk"}, {"-h"},
          {"--hilfe"}, {"-x", "a.vlk"}, {"-style", "fusion"}, {"a.vlk", "--speichern-als", "b.vlk"}})
        EXPECT_EQ(fensterdateien(argumente), std::nullopt) << argumente.join(' ').toStdString();
}

// Standard output on a full disk or a closed pipe.
struct VollerPuffer : std::streambuf {
    int overflow(int) override { return traits_type::eof(); }
};

TEST(Kommandozeile, outputThatCannotBeWrittenGivesStatusFourAndSaysSo)
{
    const std::pair<QStringList, int> faelle[] = {
        {{"--bericht", daten("zylinder_stutzen.vlk")}, 0},
        {{"--bericht", daten("unterdimensioniert.vlk")}, 1},
        {{"--json", daten("zylinder_stutzen.vlk")}, 0},
        {{"--hilfe"}, 0},
    };
    for (const auto& [argumente, sonst] : faelle) {
        VollerPuffer puffer;
        std::ostream aus(&puffer);
        std::ostringstream fehler;
        EXPECT_EQ(kommandozeile(argumente, aus, fehler, "."), 4) << argumente.join(' ').toStdString();
        EXPECT_TRUE(fehler.str().ends_with("velkor: Die Ausgabe kann nicht geschrieben werden.\n")) << fehler.str();
        // The same command with a working output ends as its verdict says.
        EXPECT_EQ(starte(argumente).status, sonst);
    }
}

TEST(Kommandozeile, saveAsWritesTheRecalculatedStoredValuesAsTheWindowWould)
{
    QTemporaryDir ordner;
    ASSERT_TRUE(ordner.isValid());
    const std::pair<const char*, const char*> faelle[] = {
        {"zylinder_stutzen.vlk", "zylinder_stutzen_gespeichert.vlk"},
        // the pad goes off with the nozzle and its values are reset; old nozzle results stay
        {"scheibe_ohne_stutzen.vlk", "scheibe_ohne_stutzen_gespeichert.vlk"},
    };
    for (const auto& [eingabe, erwartet] : faelle) {
        const QString ziel = ordner.filePath(eingabe);
        const Lauf l = starte({"--speichern-als", ziel, daten(eingabe)});
        EXPECT_EQ(l.status, 0) << eingabe;
        EXPECT_EQ(l.fehler, "");
        EXPECT_EQ(l.aus, "");
        EXPECT_EQ(bytes(ziel), bytes(daten(erwartet))) << eingabe;
    }
}

TEST(Kommandozeile, saveAsReportsAbortedRunsAndFailedWrites)
{
    QTemporaryDir ordner;
    ASSERT_TRUE(ordner.isValid());
    // The window saves after an aborted run too, with the results that run did not reach.
    const QString ziel = ordner.filePath("null.vlk");
    const Lauf null = starte({"--speichern-als", ziel, daten("division_null.vlk")});
    EXPECT_EQ(null.status, 3);
    EXPECT_EQ(null.fehler, zeile(daten("division_null.vlk"), "Division durch Null"));
    EXPECT_TRUE(QFile::exists(ziel));

    const QString unmoeglich = ordner.filePath("fehlt/aus.vlk");
    const Lauf fehler = starte({"--speichern-als", unmoeglich, daten("zylinder_stutzen.vlk")});
    EXPECT_EQ(fehler.status, 4);
    EXPECT_TRUE(fehler.fehler.starts_with(unmoeglich.toStdString() + ": Speichern nicht möglich: ")) << fehler.fehler;
    EXPECT_FALSE(QFile::exists(unmoeglich));

    // A tab in a heading text would survive no round trip through the file.
    const QString tab = ordner.filePath("tab.vlk");
    const Lauf ersetzt = starte({"--speichern-als", tab, daten("tabulator.vlk")});
    EXPECT_EQ(ersetzt.status, 0);
    EXPECT_EQ(ersetzt.fehler, zeile(tab, "Gespeichert; ersetzt wurden diese Zeichen, die eine Projektdatei "
                                         "nicht aufnehmen kann: U+0009"));
    EXPECT_NE(bytes(tab).find("\r\n\"Tab Stopp\"\r\n"), std::string::npos);

    // A pipe or a device (say /dev/null) is never replaced by a project file.
    const QString rohr = ordner.filePath("rohr.vlk");
    ASSERT_EQ(::mkfifo(QFile::encodeName(rohr).constData(), 0600), 0);
    const Lauf aufRohr = starte({"--speichern-als", rohr, daten("zylinder_stutzen.vlk")});
    EXPECT_EQ(aufRohr.status, 4);
    EXPECT_EQ(aufRohr.fehler, zeile(rohr, "Speichern nicht möglich: „" + rohr.toStdString()
                                              + "“ ist keine gewöhnliche Datei."));
    EXPECT_TRUE(QFileInfo(rohr).exists() && !QFileInfo(rohr).isFile());

    const Lauf quelleFehlt = starte({"--speichern-als", ziel, daten("kaputt.vlk")});
    EXPECT_EQ(quelleFehlt.status, 4);
    EXPECT_TRUE(quelleFehlt.fehler.starts_with(daten("kaputt.vlk").toStdString() + ": Zeile 39"));
}

TEST(Kommandozeile, shippedExamplesAreWhatTheProgramWritesFromTheirInputs)
{
    QTemporaryDir ordner;
    ASSERT_TRUE(ordner.isValid());
    const std::pair<const char*, const char*> beispiele[] = {
        {"beispiel_zylinder_stutzen.vlk", "zylinder-stutzen.vlk"},
        {"beispiel_kugel.vlk", "kugel.vlk"},
        {"beispiel_scheibe_schraeg.vlk", "scheibe-schraeg.vlk"},
        {"beispiel_unterdimensioniert.vlk", "unterdimensioniert.vlk"},
    };
    for (const auto& [eingabe, name] : beispiele) {
        const QString ziel = ordner.filePath(name);
        starte({"--speichern-als", ziel, daten(eingabe)});
        EXPECT_EQ(bytes(ziel), bytes(beispiel(name))) << name;
    }

    const Lauf l = starte({"--json", beispiel("zylinder-stutzen.vlk"), beispiel("kugel.vlk"),
                           beispiel("scheibe-schraeg.vlk"), beispiel("unterdimensioniert.vlk")});
    EXPECT_EQ(l.status, 1);
    const QJsonArray a = json(l);
    ASSERT_EQ(a.size(), 4);
    for (int i : {0, 1, 2})
        EXPECT_EQ(a[i].toObject().value("status").toString(), "Ausreichend dimensioniert.") << i;
    EXPECT_EQ(a[3].toObject().value("status").toString(), "Nicht ausreichend dimensioniert!");
    EXPECT_EQ(a[1].toObject().value("eingaben").toObject().value("zylinder"), QJsonValue(false));

    // Oblique nozzle at 60° with ls' >= ss: the pad counts with 0.8.
    const QJsonObject schraeg = a[2].toObject().value("ergebnisse").toObject();
    erwarteNahe(schraeg, "As2", 768);
    erwarteNahe(schraeg, "lsm", 47.44992682350053);
    erwarteNahe(schraeg, "Ap", 168345.4831471612);
    erwarteNahe(schraeg, "rFV", 147.99788977877895);
    erwarteNahe(schraeg, "pmaxFV", 24.69396758469937); // As2 holds the pad factor; it counts once
    erwarteNahe(a[3].toObject().value("ergebnisse").toObject(), "rFV", -49.629012264123375);
    erwarteNahe(a[1].toObject().value("ergebnisse").toObject(), "Ap", 181696.1977174338);
}

TEST(Kommandozeile, theProgramPassesTheStatusOnAndNeverCrashesOnBadInput)
{
    const std::pair<QStringList, int> faelle[] = {
        {{"--bericht", daten("kaputt.vlk")}, 4},
        {{"--json", daten("unterdimensioniert.vlk")}, 1},
        {{"--gibtsnicht"}, 64},
    };
    for (const auto& [argumente, status] : faelle) {
        QProcess p;
        p.start(VELKOR_PROGRAMM, argumente);
        ASSERT_TRUE(p.waitForFinished(60000));
        EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(p.exitCode(), status) << argumente.join(' ').toStdString();
    }
}

} // namespace
} // namespace velkor
