#include "app/kommandozeile.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <set>

#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

namespace velkor {
namespace {

struct Lauf {
    int status = -1;
    QByteArray aus;
    std::string fehler;
};

// The program in `ordner`; its arguments are a shell fragment, so that a row
// can pass bytes that are no UTF-8 ("$(printf 'caf\351')").
Lauf starte(const QString& ordner, const QString& argumente, const char* gebiet = "C")
{
    QProcess p;
    QProcessEnvironment umgebung = QProcessEnvironment::systemEnvironment();
    umgebung.insert("LC_ALL", gebiet);
    umgebung.remove("DISPLAY"); // a toolkit option such as -platform xcb then aborted
    p.setProcessEnvironment(umgebung);
    p.setWorkingDirectory(ordner);
    p.start("sh", {"-c", "exec \"$0\" " + argumente, VELKOR_PROGRAMM});
    EXPECT_TRUE(p.waitForFinished(60000)) << argumente.toStdString();
    return {p.exitCode(), p.readAllStandardOutput(), p.readAllStandardError().toStdString()};
}

QByteArray inhalt(const QString& pfad)
{
    QFile f(pfad);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(fehlt)");
}

std::set<std::string> eintraege(const QString& ordner)
{
    std::set<std::string> namen;
    for (const auto& e : std::filesystem::directory_iterator(ordner.toStdString()))
        namen.insert(e.path().filename().native());
    return namen;
}

// Under a separator of two bytes ("٫") every fraction was cut: S 1.5 became 1.
TEST(Gebietsschema, theExamplesGiveTheSameJsonAndSavedFileAsUnderTheCLocale)
{
    QTemporaryDir ordner;
    const QStringList beispiele = QDir(VELKOR_BEISPIELE).entryList({"*.vlk"});
    ASSERT_EQ(beispiele.size(), 4);
    std::map<QString, QByteArray> imC;
    for (const auto& [gebiet, trenner] : {std::pair{"C", "0.0"}, {"de_DE.UTF-8", "0,0"}, {"fa_IR.UTF-8", "0٫0"}}) {
        for (const QString& b : beispiele) {
            const QString quelle = "'" VELKOR_BEISPIELE "/" + b + "'";
            EXPECT_TRUE(starte(ordner.path(), "--bericht " + quelle, gebiet).aus.contains(trenner)) << gebiet;
            const Lauf json = starte(ordner.path(), "--json " + quelle, gebiet);
            starte(ordner.path(), "--speichern-als aus.vlk " + quelle, gebiet);
            for (const auto& [art, bytes] : {std::pair{"json", json.aus}, {"vlk", inhalt(ordner.filePath("aus.vlk"))}}) {
                if (!imC.try_emplace(b + art, bytes).second) {
                    EXPECT_EQ(bytes.toStdString(), imC[b + art].toStdString()) << gebiet << ' ' << b.toStdString();
                }
            }
        }
    }
}

// Each row of abgewiesen.txt: a toolkit option once aborted with status 134; a
// name that is no UTF-8 opened or wrote another file than the one named; a PDF
// target that cannot take the file gave status 0 (or hung, on a pipe); a load
// error hid the characters that made the line wrong.
TEST(Aufruf, aRefusedCallGivesItsStatusAndAVisibleReasonAndWritesNothing)
{
    QTemporaryDir ordner;
    const std::string cafe = "caf\xe9.vlk"; // raw bytes: a QString would make them U+FFFD
    std::filesystem::copy_file(VELKOR_BEISPIELE "/kugel.vlk", std::filesystem::path(ordner.path().toStdString()) / cafe);
    ASSERT_EQ(::mkfifo(QFile::encodeName(ordner.filePath("rohr.pdf")).constData(), 0600), 0);
    QString tabelle = QString::fromUtf8(inhalt(VELKOR_TESTDATEN "/aufrufe/abgewiesen.txt"));
    tabelle.replace("DATEN", VELKOR_TESTDATEN).replace("BEISPIELE", VELKOR_BEISPIELE);
    int faelle = 0;
    for (const QString& zeile : tabelle.split('\n', Qt::SkipEmptyParts)) {
        const QStringList feld = zeile.split('|');
        if (zeile.startsWith('#') || feld.size() != 3)
            continue;
        ++faelle;
        const Lauf l = starte(ordner.path(), feld[0]);
        EXPECT_EQ(l.status, feld[1].toInt()) << zeile.toStdString();
        EXPECT_EQ(l.fehler, feld[2].toStdString() + (l.status == 64 ? "\n\n" + benutzung() : "\n"));
        EXPECT_EQ(l.aus, "");
    }
    EXPECT_EQ(faelle, 12);
    EXPECT_EQ(eintraege(ordner.path()), (std::set<std::string>{cafe, "rohr.pdf"}));
}

TEST(PdfZiel, onAFullDiskTheEarlierPdfStaysByteForByteAndTheReasonIsGerman)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "Nur als root: ein volles Dateisystem braucht mount.";
    QTemporaryDir ordner;
    const QByteArray pfad = QFile::encodeName(ordner.path());
    ASSERT_EQ(::mount("tmpfs", pfad.constData(), "tmpfs", 0, "size=64k"), 0);
    const struct Aushaengen {
        QByteArray pfad;
        ~Aushaengen() { EXPECT_EQ(::umount(pfad.constData()), 0); }
    } aushaengen{pfad};
    QFile alt(ordner.filePath("alt.pdf"));
    ASSERT_TRUE(alt.open(QIODevice::WriteOnly) && alt.write("%PDF-alt\n") == 9 && alt.flush());
    QFile fueller(ordner.filePath("fueller"));
    ASSERT_TRUE(fueller.open(QIODevice::WriteOnly));
    while (fueller.write(QByteArray(4096, 'x')) == 4096 && fueller.flush()) {
    }
    const Lauf l = starte(ordner.path(), "--pdf alt.pdf '" VELKOR_BEISPIELE "/kugel.vlk'");
    EXPECT_EQ(l.status, 4);
    EXPECT_EQ(l.fehler, "alt.pdf: PDF nicht möglich: Die Datei kann nicht geschrieben werden (Kein Speicherplatz "
                        "mehr auf dem Gerät); eine frühere Datei dieses Namens ist unverändert.\n");
    EXPECT_EQ(inhalt(ordner.filePath("alt.pdf")), "%PDF-alt\n");
    EXPECT_EQ(eintraege(ordner.path()), (std::set<std::string>{"alt.pdf", "fueller"}));
}

} // namespace
} // namespace velkor
