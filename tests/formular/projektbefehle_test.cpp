#include "formular/projektbefehle.h"

#include "project/projektdatei.h"
#include "tests/formular/formularhilfe.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace velkor {
namespace {

namespace fs = std::filesystem;
using K = Kasten;

const std::string speichernDialog = "speichern SPEICHERN - Kalvero - Velkor | VLK-Dateien|*.vlk | ";
const std::string oeffnenDialog = "oeffnen LADEN - Kalvero - Velkor | VLK-Dateien|*.vlk | ";
const std::string sonderzeichen = "meldung Projektbezeichnung oder Nummer enthalten Sonderzeichen: Automatische "
                                  "Generierung nicht möglich. | Fehler bei Dateinamengenerierung";

std::string frage(std::string_view was) { return "frage Vor dem " + std::string(was) + " speichern? | Geänderte Daten"; }

class Befehle : public testing::Test {
protected:
    Befehle()
    {
        std::string muster = (fs::temp_directory_path() / "velkor-befehle-XXXXXX").string();
        ordner = mkdtemp(muster.data());
    }
    ~Befehle() override { fs::remove_all(ordner); }
    std::string pfad(const std::string& name) const { return (ordner / name).string(); }

    // A cylinder with a set-in nozzle, a pad and an extruded outlet, calculated.
    void entwurf()
    {
        formular.setzeStutzen(true);
        formular.setzeScheibe(true);
        formular.setzeAusgehalst(true);
        for (const auto& [k, t] : std::initializer_list<std::pair<K, const char*>>{
                 {K::TextDa, "1000"}, {K::Texts, "12"}, {K::Textc1, "0,5"}, {K::Textc2, "1"}, {K::Textv, "0,85"},
                 {K::TextK, "235"}, {K::TextDas, "219,1"}, {K::Textss, "8"}, {K::Textc1s, "0,4"}, {K::Textc2s, "1"},
                 {K::TextKs, "235"}, {K::Textls, "150"}, {K::Textlsstrich, "20"}, {K::Textphi, "75"},
                 {K::Textb, "60"}, {K::Texth, "10"}, {K::TextKScheibe, "235"}, {K::TextDruck, "10"},
                 {K::TextBez, "Behälter 1, Teil 2"}, {K::TextNummer, "B-12"}, {K::TextBearb, "Ingenieurin"}})
            eingeben(formular, k, t);
        formular.berechne();
    }

    fs::path ordner;
    Formular formular{","};
    SkriptDialoge dialoge;
    Projektbefehle befehle{formular, dialoge};
};

TEST_F(Befehle, theProposalIsDesignationBlankNumberAsTypedUnlessNoFolderCouldHoldIt)
{
    const std::pair<std::string, std::string> faelle[] = {
        {"Behälter|12", "Behälter 12"}, {"Behälter|", "Behälter "}, {"|12", "12"}, {"|", ""},
        {"Pos. 3.1|Nr. 12-ä", "Pos. 3.1 Nr. 12-ä"}, {"a/b|1", "!"}, {"a\\b|", "!"}, {"a:b|", "!"}, {"*|", "!"},
        {"?|", "!"}, {"\"|", "!"}, {"<|", "!"}, {">|", "!"}, {"||", "!"}, {"a\tb|", "!"}, {"\x7f|", "!"},
        {"\xc2\x85|", "!"}, {"|.", "!"}, {"|..", "!"},
    };
    for (const auto& [kopf, vorschlag] : faelle) {
        SCOPED_TRACE(kopf);
        Formular f(",");
        SkriptDialoge d;
        Projektbefehle b(f, d);
        d.dateien = {pfad("frueher.vlk"), std::nullopt};
        b.speichern(); // the earlier name is dropped for the proposal
        d.protokoll.clear();
        f.tippe(K::TextBez, kopf.substr(0, kopf.rfind('|'))); // typed, not yet left
        f.tippe(K::TextNummer, kopf.substr(kopf.rfind('|') + 1));
        b.speichern();
        EXPECT_EQ(d.protokoll, (vorschlag == "!" ? std::vector{sonderzeichen, speichernDialog}
                                                 : std::vector{speichernDialog + vorschlag}));
    }
}

TEST_F(Befehle, aSavedDesignIsTheGoldenFileAndLoadsBackToTheSameState)
{
    entwurf();
    dialoge.dateien = {pfad("entwurf")};
    befehle.speichern();
    EXPECT_EQ(inhalt(pfad("entwurf.vlk")), testdaten("formular/entwurf.vlk"));
    EXPECT_EQ(formular.statustext(), "Speichern erfolgreich.");
    EXPECT_FALSE(formular.geaendert());

    Formular geladen(",");
    Projektbefehle b(geladen, dialoge);
    dialoge.dateien = {pfad("entwurf.vlk")};
    b.laden();
    EXPECT_EQ(geladen.statustext(), "Laden erfolgreich");
    formular.setzeStatustext("Laden erfolgreich");
    EXPECT_EQ(zustand(geladen), zustand(formular));
    EXPECT_TRUE(b.beendenBestaetigt()) << "nothing unsaved after a load";
    EXPECT_EQ(dialoge.protokoll, (std::vector{speichernDialog + "Behälter 1, Teil 2 B-12", oeffnenDialog}));
}

TEST_F(Befehle, theExtensionIsAppendedUnlessTheChosenNameEndsWithIt)
{
    for (const auto& [gewaehlt, geschrieben] : {std::pair{"p", "p.vlk"}, {"Pos. 1.2", "Pos. 1.2.vlk"},
                                                {"a.txt", "a.txt.vlk"}, {"g.VLK", "g.VLK"}, {"f.vlk", "f.vlk"}}) {
        dialoge.dateien = {pfad(gewaehlt)};
        befehle.speichern();
        EXPECT_EQ(befehle.dateiname(), pfad(geschrieben));
        EXPECT_TRUE(fs::is_regular_file(pfad(geschrieben)));
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(ordner), {}), 5);
}

TEST_F(Befehle, replacedHeadingCharactersAreNamedInTheStatusLine)
{
    eingeben(formular, K::TextBez, "Kessel \"Nord\"\tΩ\xc2\x85");
    dialoge.dateien = {pfad("ersetzt")};
    befehle.speichern();
    EXPECT_EQ(formular.statustext(), "Speichern erfolgreich. Ersetzte Zeichen: „\"“, U+0009, „Ω“, U+0085");
}

TEST_F(Befehle, aCancelledOrFailedSaveWritesNothingAndKeepsTheWorkUnsaved)
{
    entwurf();
    fs::create_directory(pfad("ordner.vlk"));
    eingeben(formular, K::TextDa, "1e999"); // the file would hold a value the box does not show
    EXPECT_EQ(befehle.speichern(), Projektbefehle::Ausgang::fehlgeschlagen);
    EXPECT_EQ(formular.statustext(), "Speichern nicht möglich: Da [mm] (Grundkörper) enthält „1e999“, eine Zahl "
                                     "außerhalb des Wertebereichs. Bitte korrigieren.");
    EXPECT_TRUE(dialoge.protokoll.empty());
    eingeben(formular, K::TextDa, "1000");
    const std::string vorher = zustand(formular);
    dialoge.dateien = {std::nullopt, "", pfad("ordner.vlk")};
    EXPECT_EQ(befehle.speichern(), Projektbefehle::Ausgang::abgebrochen);
    EXPECT_EQ(befehle.speichern(), Projektbefehle::Ausgang::abgebrochen);
    EXPECT_EQ(zustand(formular), vorher);
    EXPECT_EQ(befehle.speichern(), Projektbefehle::Ausgang::fehlgeschlagen);
    EXPECT_EQ(formular.statustext(), "Speichern fehlgeschlagen: Das Ziel ist ein Ordner: „" + pfad("ordner.vlk") + "“.");
    EXPECT_TRUE(formular.geaendert());
    EXPECT_TRUE(fs::is_empty(pfad("ordner.vlk")));
}

TEST_F(Befehle, aFileThatCannotBeLoadedChangesNothingAndSaysWhy)
{
    std::ofstream(pfad("kurz.vlk")) << "1\r\n2\r\n";
    std::ofstream(pfad("leer.vlk"));
    std::ofstream(pfad("binaer.vlk")) << std::string(100, '\0');
    entwurf();
    eingeben(formular, K::TextDa, "1100");
    const std::string vorher = zustand(formular);
    for (const std::string name : {"kurz.vlk", "leer.vlk", "binaer.vlk", "fehlt.vlk"}) {
        dialoge.antworten = {Antwort::nein};
        dialoge.dateien = {pfad(name)};
        befehle.laden();
        EXPECT_EQ(formular.statustext(), "Laden fehlgeschlagen: " + ladeProjektdatei(pfad(name)).fehler);
        EXPECT_EQ(befehle.dateiname(), pfad(name));
        formular.setzeStatustext("Außendurchmesser des Grundkörpers");
        EXPECT_EQ(zustand(formular), vorher);
    }
}

// The three guarded actions and every answer to their question: what is asked
// and shown, in order, and whether the action goes on.
TEST_F(Befehle, clearingQuittingAndLoadingAskFirstAndFollowTheAnswer)
{
    struct Fall {
        std::string aktion; // Löschen, Verlassen, Laden
        bool geaendert;
        std::optional<Antwort> antwort;
        std::optional<std::string> ziel; // the save dialog's answer after Ja
        bool weiter;
    };
    fs::create_directory(pfad("ordner.vlk"));
    const std::vector<Fall> faelle{
        {"Löschen", false, {}, {}, true},   {"Verlassen", false, {}, {}, true},  {"Laden", false, {}, {}, true},
        {"Löschen", true, Antwort::abbrechen, {}, false}, {"Verlassen", true, Antwort::abbrechen, {}, false},
        {"Laden", true, Antwort::abbrechen, {}, false},   {"Löschen", true, Antwort::nein, {}, true},
        {"Verlassen", true, Antwort::nein, {}, true},     {"Laden", true, Antwort::nein, {}, true},
        {"Löschen", true, Antwort::ja, "gesichert", true}, {"Verlassen", true, Antwort::ja, "gesichert", true},
        {"Laden", true, Antwort::ja, "gesichert", true},  {"Laden", true, Antwort::ja, std::nullopt, true},
        {"Löschen", true, Antwort::ja, "ordner.vlk", false}, {"Verlassen", true, Antwort::ja, "ordner.vlk", false},
        {"Laden", true, Antwort::ja, "ordner.vlk", false},
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.aktion + (fall.antwort ? " " + std::to_string(static_cast<int>(*fall.antwort)) : "")
                     + " " + fall.ziel.value_or("-"));
        Formular f(",");
        SkriptDialoge d;
        Projektbefehle b(f, d);
        if (fall.geaendert)
            eingeben(f, K::Textv, "0,9");
        if (fall.antwort)
            d.antworten = {*fall.antwort};
        if (fall.ziel)
            d.dateien = {pfad(*fall.ziel)};
        else if (fall.antwort == Antwort::ja)
            d.dateien = {std::nullopt};
        std::vector<std::string> erwartet;
        if (fall.geaendert)
            erwartet.push_back(frage(fall.aktion));
        if (fall.antwort == Antwort::ja)
            erwartet.push_back(speichernDialog);
        bool weiter = false;
        if (fall.aktion == "Verlassen") {
            weiter = b.beendenBestaetigt();
        } else if (fall.aktion == "Löschen") {
            b.loeschen();
            weiter = f.text(K::Textv) == "0.00";
        } else {
            b.laden();
            weiter = !d.protokoll.empty() && d.protokoll.back().starts_with("oeffnen");
            if (fall.weiter)
                erwartet.push_back(oeffnenDialog + (fall.ziel ? pfad(*fall.ziel + ".vlk") : ""));
        }
        EXPECT_EQ(weiter, fall.weiter);
        EXPECT_EQ(d.protokoll, erwartet);
        EXPECT_EQ(fs::exists(pfad("gesichert.vlk")), fall.ziel == "gesichert");
        EXPECT_EQ(f.geaendert(), fall.geaendert && fall.ziel != "gesichert" && !(fall.aktion == "Löschen" && weiter));
        fs::remove(pfad("gesichert.vlk"));
    }
}

} // namespace
} // namespace velkor
