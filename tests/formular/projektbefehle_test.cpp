#include "formular/angabenformular.h"
#include "formular/projektbefehle.h"

#include "project/projektdatei.h"
#include "tests/formular/formularhilfe.h"

#include <gtest/gtest.h>

#include <algorithm>
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

    // A cylinder with a set-in nozzle, a pad and an extruded outlet, calculated; its
    // temperature and materials typed into the dialog "Angaben".
    void entwurf()
    {
        formular.setzeStutzen(true);
        formular.setzeScheibe(true);
        formular.setzeAusgehalst(true);
        Angabenformular angaben(formular.angaben(), formular.pruefangaben(), ",");
        for (const auto& z : tabelle("formular/entwurf.txt")) {
            if (const auto k = std::ranges::find(kaesten(), z[0], &Kasteninfo::name); k != kaesten().end()) {
                eingeben(formular, k->kasten, z[1]);
            } else {
                const Angabenfeld f = std::ranges::find(angabenfelder(), z[0], &Angabenfeldinfo::name)->feld;
                angaben.tippe(f, z[1]);
                angaben.fokusVerloren(f);
            }
        }
        formular.setzeAngaben(angaben.angaben());
        formular.berechne();
    }

    fs::path ordner;
    Formular formular{","};
    SkriptDialoge dialoge;
    Projektbefehle befehle{formular, dialoge};
};

TEST_F(Befehle, theProposalIsDesignationBlankNumberAsTypedUnlessNoFolderCouldHoldIt)
{
    // What a folder cannot hold is the file name rules' table; here the command follows them.
    const std::pair<std::string, std::string> faelle[] = {{"Behälter|12", "Behälter 12"}, {"Behälter|", "Behälter "},
                                                          {"|12", "12"}, {"|", ""}, {"Pos. 3.1|Nr. 12-ä", "Pos. 3.1 Nr. 12-ä"},
                                                          {"a/b|1", "!"}, {"|..", "!"}};
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

TEST_F(Befehle, aCancelledOrFailedSaveWritesNothingAndAReplacingOneNamesTheCharacters)
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
    // Saved, and the heading characters the file cannot hold are named.
    eingeben(formular, K::TextBez, "Kessel \"Nord\"\tΩ\xc2\x85");
    dialoge.dateien = {pfad("ersetzt")};
    befehle.speichern();
    EXPECT_EQ(formular.statustext(), "Speichern erfolgreich. Ersetzte Zeichen: „\"“, U+0009, „Ω“, U+0085");
}

TEST_F(Befehle, aFileThatCannotBeLoadedChangesNothingAndSaysWhy)
{
    std::ofstream(pfad("kurz.vlk")) << "1\r\n2\r\n";
    entwurf();
    eingeben(formular, K::TextDa, "1100");
    const std::string vorher = zustand(formular);
    for (const std::string name : {"kurz.vlk", "fehlt.vlk"}) {
        dialoge.antworten = {Antwort::nein};
        dialoge.dateien = {pfad(name)};
        befehle.laden();
        EXPECT_EQ(formular.statustext(), "Laden fehlgeschlagen: " + ladeProjektdatei(pfad(name)).fehler);
        EXPECT_EQ(befehle.dateiname(), pfad(name));
        formular.setzeStatustext("Außendurchmesser des Grundkörpers");
        EXPECT_EQ(zustand(formular), vorher);
    }
}

// Rows of tests/data/formular/rueckfragen.txt: the three guarded actions and every
// answer to their question, what is asked and shown, in order, and whether the action goes on.
TEST_F(Befehle, clearingQuittingAndLoadingAskFirstAndFollowTheAnswer)
{
    fs::create_directory(pfad("ordner.vlk"));
    for (const auto& z : tabelle("formular/rueckfragen.txt")) {
        const auto& [aktion, antwort, ziel, weiter] = std::tie(z[0], z[1], z[2], z[3]);
        SCOPED_TRACE(aktion + " " + antwort + " " + ziel);
        Formular f(",");
        SkriptDialoge d;
        Projektbefehle b(f, d);
        const bool geaendert = !antwort.empty();
        if (geaendert)
            eingeben(f, K::Textv, "0,9");
        d.antworten = {antwort == "ja" ? Antwort::ja : antwort == "nein" ? Antwort::nein : Antwort::abbrechen};
        d.dateien = {ziel == "-" ? std::nullopt : std::optional(pfad(ziel))};
        std::vector<std::string> erwartet;
        if (geaendert)
            erwartet.push_back(frage(aktion));
        if (!ziel.empty())
            erwartet.push_back(speichernDialog);
        bool ging = false;
        if (aktion == "Verlassen") {
            ging = b.beendenBestaetigt();
        } else if (aktion == "Löschen") {
            b.loeschen();
            ging = f.text(K::Textv) == "0.00";
        } else {
            b.laden();
            ging = !d.protokoll.empty() && d.protokoll.back().starts_with("oeffnen");
            if (weiter == "ja")
                erwartet.push_back(oeffnenDialog + (ziel.empty() || ziel == "-" ? "" : pfad(ziel + ".vlk")));
        }
        EXPECT_EQ(ging, weiter == "ja");
        EXPECT_EQ(d.protokoll, erwartet);
        EXPECT_EQ(fs::exists(pfad("gesichert.vlk")), ziel == "gesichert");
        EXPECT_EQ(f.geaendert(), geaendert && ziel != "gesichert" && !(aktion == "Löschen" && weiter == "ja"));
        fs::remove(pfad("gesichert.vlk"));
    }
}

} // namespace
} // namespace velkor
