#include "fensterhilfe.h"

#include <QTemporaryDir>

#include <fstream>
#include <iterator>

namespace velkor {
namespace {

using K = Kasten;

std::string lies(const QString& pfad)
{
    std::ifstream in(pfad.toStdString(), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

class Dateibefehle : public Fenster {
protected:
    void SetUp() override { oeffne(); }
    std::string pfad(const char* name) const { return ordner.filePath(name).toStdString(); }

    QTemporaryDir ordner;
};

TEST_F(Dateibefehle, savingProposesTheHeadingStillBeingTypedAndWritesIt)
{
    tippe(kasten(K::TextBez), "Kessel");
    tippe(kasten(K::TextNummer), "7");
    dialoge.speicherpfad = pfad("kessel");
    klicke(knopf("CommandSpeichern"));
    EXPECT_EQ(dialoge.vorschlaege, std::vector<std::string>{"Kessel 7"});
    const std::string datei = lies(ordner.filePath("kessel.vlk"));
    EXPECT_NE(datei.find("\r\n\"Kessel\"\r\n\"7\"\r\n\"\"\r\n"), std::string::npos) << datei;
    EXPECT_EQ(status()->text(), "Speichern erfolgreich.");
    EXPECT_FALSE(modell().geaendert());
}

TEST_F(Dateibefehle, loadingWithUnsavedChangesAsksAndJaSavesTheTypedEntryBeforeOpening)
{
    tippe(kasten(K::TextDa), "1200");
    dialoge.antworten = {Antwort::ja};
    dialoge.speicherpfad = pfad("vorher.vlk");
    dialoge.oeffnenpfad = VELKOR_TESTDATEN "/app/zylinder_stutzen.vlk";
    klicke(knopf("CommandLaden"));
    EXPECT_EQ(dialoge.fragen, std::vector<std::string>{"Vor dem Laden speichern?"});
    EXPECT_EQ(lies(ordner.filePath("vorher.vlk")).substr(0, 6), "1200\r\n");
    EXPECT_EQ(kasten(K::TextDa)->text(), "1000.00");
    EXPECT_TRUE(check("CheckStutzen")->isChecked());
    EXPECT_EQ(status()->text(), "Laden erfolgreich");
    EXPECT_FALSE(modell().geaendert());
    // Nothing unsaved now: a second load asks nothing and proposes the file just loaded.
    dialoge.oeffnenpfad.reset();
    klicke(knopf("CommandLaden"));
    EXPECT_EQ(dialoge.fragen.size(), 1u);
    EXPECT_EQ(dialoge.vorschlaege.back(), VELKOR_TESTDATEN "/app/zylinder_stutzen.vlk");
}

TEST_F(Dateibefehle, abbrechenBeforeLoadingKeepsTheTypedEntryAndOpensNothing)
{
    tippe(kasten(K::TextDa), "1200");
    dialoge.antworten = {Antwort::abbrechen};
    klicke(knopf("CommandLaden"));
    EXPECT_EQ(dialoge.oeffnendialoge, 0);
    EXPECT_EQ(kasten(K::TextDa)->text(), "1200.00");
    EXPECT_TRUE(modell().geaendert());
}

TEST_F(Dateibefehle, closingWithJaShowsTheSaveDialogAndClosesAlsoWhenItIsCancelled)
{
    tippe(kasten(K::TextDa), "1200");
    dialoge.antworten = {Antwort::ja};
    EXPECT_TRUE(fenster->close());
    EXPECT_EQ(dialoge.fragen, std::vector<std::string>{"Vor dem Verlassen speichern?"});
    EXPECT_EQ(dialoge.speicherdialoge, 1);
    EXPECT_FALSE(fenster->isVisible());
}

TEST_F(Dateibefehle, aBadFileNamedAtStartLeavesTheWindowAsItWasAndShowsWhy)
{
    std::ofstream(pfad("kurz.vlk"), std::ios::binary) << "1000\r\n10\r\n";
    EXPECT_FALSE(fenster->lade(pfad("kurz.vlk")));
    EXPECT_TRUE(status()->text().startsWith("Laden fehlgeschlagen: ")) << status()->text().toStdString();
    EXPECT_EQ(kasten(K::TextDa)->text(), "0.00");
    EXPECT_EQ(kasten(K::Textv)->text(), "1.00");
    EXPECT_FALSE(modell().geaendert());
}

} // namespace
} // namespace velkor
