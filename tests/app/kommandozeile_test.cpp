#include "app/kommandozeile.h"

#include "tests/support/testdaten.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include <sys/stat.h>

namespace velkor {
namespace {

struct Lauf {
    std::optional<int> status;
    std::string aus;
    std::string fehler;
};

// In tests/data/app, where the files are named as the table names them.
Lauf starte(const QStringList& argumente, std::ostream* ausgabe = nullptr)
{
    const QString vorher = QDir::currentPath();
    QDir::setCurrent(VELKOR_TESTDATEN "/app");
    std::ostringstream aus, fehler;
    // Writers that fail: the table sees what reaches them and how a failure is reported.
    const auto skizze = [](const std::string&, const Rechenstand& r) -> std::optional<std::string> {
        return "Probe " + std::string(r.lauf.berechnet ? "nach" : "vor") + " dem Urteil";
    };
    const auto pdf = [&](const std::string& pfad, const std::string& text, const Rechenstand& r) {
        return *skizze(pfad, r) + ", " + std::to_string(std::ranges::count(text, '\n')) + " Zeilen";
    };
    Lauf l{kommandozeile(argumente, ausgabe ? *ausgabe : aus, fehler, ".", pdf, skizze), aus.str(), fehler.str()};
    QDir::setCurrent(vorher);
    return l;
}

// Rows of tests/data/app/aufrufe.txt.
TEST(Kommandozeile, everyCallOfTheTableEndsWithItsStatusOutputAndMessages)
{
    for (const auto& z : tabelle("app/aufrufe.txt")) {
        SCOPED_TRACE(z[0]);
        const Lauf l = starte(QString::fromStdString(z[0]).split(' '));
        std::string fehler;
        for (std::size_t i = 0; i < z[3].size(); ++i)
            fehler += z[3].compare(i, 2, "\\n") == 0 ? (++i, std::string("\n"))
                : z[3].compare(i, 10, "$BENUTZUNG") == 0 ? (i += 9, benutzung()) : std::string(1, z[3][i]);
        EXPECT_EQ(l.status, std::stoi(z[1]));
        EXPECT_EQ(l.aus, z[2] == "-" ? "" : testdaten("app/" + z[2]));
        EXPECT_EQ(l.fehler, fehler);
    }
}

// Standard output on a full disk or a closed pipe.
struct VollerPuffer : std::streambuf {
    int overflow(int) override { return traits_type::eof(); }
};

TEST(Kommandozeile, outputThatCannotBeWrittenGivesStatusFourAndSaysSo)
{
    for (const QStringList& argumente : {QStringList{"--bericht", "unterdimensioniert.vlk"}, {"--json", "zylinder_stutzen.vlk"}, {"-h"}}) {
        VollerPuffer puffer;
        std::ostream aus(&puffer);
        const Lauf l = starte(argumente, &aus);
        EXPECT_EQ(l.status, 4);
        EXPECT_TRUE(l.fehler.ends_with("velkor: Die Ausgabe kann nicht geschrieben werden.\n")) << l.fehler;
    }
}

TEST(Kommandozeile, saveAsWritesWhatTheWindowWouldSaveAfterLoadingOrSaysWhyNot)
{
    QTemporaryDir ordner;
    const auto ziel = [&](const char* name) { return ordner.filePath(name); };
    ASSERT_EQ(::mkfifo(QFile::encodeName(ziel("rohr.vlk")).constData(), 0600), 0);
    const std::tuple<QString, const char*, int, std::string> faelle[] = {
        {ziel("z.vlk"), "zylinder_stutzen.vlk", 0, ""},
        {ziel("s.vlk"), "scheibe_ohne_stutzen.vlk", 0, ""},
        {ziel("n.vlk"), "division_null.vlk", 3, "division_null.vlk: Division durch Null\n"},
        {ziel("t.vlk"), "tabulator.vlk", 0, ": Gespeichert; ersetzt wurden diese Zeichen, die eine Projektdatei nicht aufnehmen kann: U+0009\n"},
        {ziel("fehlt/aus.vlk"), "zylinder_stutzen.vlk", 4, ": Speichern nicht möglich: Der Ordner existiert nicht: „" + ziel("fehlt").toStdString() + "“.\n"},
        {ziel("rohr.vlk"), "zylinder_stutzen.vlk", 4, ": Speichern nicht möglich: Das Ziel ist keine gewöhnliche Datei: „" + ziel("rohr.vlk").toStdString() + "“.\n"},
        {ziel("k.vlk"), "kaputt.vlk", 4, "kaputt.vlk: Zeile 39: „7“ ist kein gültiger Schalterwert (erlaubt: 0 oder 1).\n"},
    };
    for (const auto& [aus, datei, status, fehler] : faelle) {
        const Lauf l = starte({"--speichern-als", aus, datei});
        EXPECT_EQ(l.status, status) << datei;
        EXPECT_EQ(l.fehler, fehler.starts_with(':') ? aus.toStdString() + fehler : fehler);
    }
    EXPECT_EQ(inhalt(ziel("z.vlk").toStdString()), testdaten("app/zylinder_stutzen_gespeichert.vlk"));
    EXPECT_EQ(inhalt(ziel("s.vlk").toStdString()), testdaten("app/scheibe_ohne_stutzen_gespeichert.vlk"));
    EXPECT_NE(inhalt(ziel("t.vlk").toStdString()).find("\r\n\"Tab Stopp\"\r\n"), std::string::npos);
    EXPECT_TRUE(QFileInfo::exists(ziel("n.vlk")));
    EXPECT_FALSE(QFileInfo::exists(ziel("k.vlk")) || QFileInfo(ziel("rohr.vlk")).isFile());
}

// Decided on the arguments before the toolkit starts: a window needs a display.
TEST(Kommandozeile, theWindowOpensExactlyWhenNoCommandHelpOrWrongOptionIsGiven)
{
    const std::pair<QStringList, QStringList> fenster[] = {
        {{}, {}}, {{"a.vlk"}, {"a.vlk"}}, {{"-"}, {"-"}}, {{"--", "-a.vlk"}, {"-a.vlk"}},
        {{"--", "--bericht"}, {"--bericht"}}, {{"a.vlk", "b.vlk"}, {"a.vlk", "b.vlk"}},
    };
    for (const auto& [argumente, dateien] : fenster) {
        EXPECT_EQ(fensterdateien(argumente), dateien) << argumente.join(' ').toStdString();
        EXPECT_EQ(starte(argumente).status, std::nullopt);
    }
    for (const QStringList& argumente : {QStringList{"--bericht", "a.vlk"}, {"--json"}, {"--pdf"}, {"--pdf=x.pdf", "a.vlk"},
                                         {"-h"}, {"-x", "a.vlk"}, {"--rechengang", "a.vlk"}, {"-style", "fusion"}, {"a.vlk", "--speichern-als", "b.vlk"}})
        EXPECT_EQ(fensterdateien(argumente), std::nullopt) << argumente.join(' ').toStdString();
}

} // namespace
} // namespace velkor
