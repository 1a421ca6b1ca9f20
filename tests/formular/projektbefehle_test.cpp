#include "formular/projektbefehle.h"

#include "project/projektdatei.h"
#include "formular/formular.h"

#include <gtest/gtest.h>

#include <sys/resource.h>

#include <charconv>
#include <csignal>
#include <deque>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

namespace velkor {
namespace {

namespace fs = std::filesystem;

// Answers scripted by the test; every question and dialog is written down in
// order, and one that the script did not expect fails the test.
class Skriptdialoge : public Dialoge {
public:
    std::vector<std::string> protokoll;
    std::deque<Antwort> antworten;
    std::deque<std::optional<std::string>> dateien; // for both file dialogs, in order

    Antwort frage(std::string_view text, std::string_view titel) override
    {
        protokoll.push_back("frage " + std::string(text) + " | " + std::string(titel));
        if (antworten.empty()) {
            ADD_FAILURE() << "unerwartete Frage: " << text;
            return Antwort::abbrechen;
        }
        const Antwort a = antworten.front();
        antworten.pop_front();
        return a;
    }
    void meldung(std::string_view text, std::string_view titel) override
    {
        protokoll.push_back("meldung " + std::string(text) + " | " + std::string(titel));
    }
    std::optional<std::string> dateiZumSpeichern(std::string_view titel, std::string_view filter,
                                                 const std::string& vorschlag) override
    {
        return datei("speichern", titel, filter, vorschlag);
    }
    std::optional<std::string> dateiZumOeffnen(std::string_view titel, std::string_view filter,
                                               const std::string& vorschlag) override
    {
        return datei("oeffnen", titel, filter, vorschlag);
    }

private:
    std::optional<std::string> datei(std::string_view art, std::string_view titel, std::string_view filter,
                                     const std::string& vorschlag)
    {
        protokoll.push_back(std::string(art) + " " + std::string(titel) + " | " + std::string(filter) + " | "
                            + vorschlag);
        if (dateien.empty()) {
            ADD_FAILURE() << "unerwarteter Dateidialog: " << art;
            return std::nullopt;
        }
        std::optional<std::string> d = dateien.front();
        dateien.pop_front();
        return d;
    }
};

const std::string speichernDialog = "speichern SPEICHERN - Kalvero - Velkor | VLK-Dateien|*.vlk | ";
const std::string oeffnenDialog = "oeffnen LADEN - Kalvero - Velkor | VLK-Dateien|*.vlk | ";
const std::string sonderzeichen = "meldung Projektbezeichnung oder Nummer enthalten Sonderzeichen: Automatische "
                                  "Generierung nicht möglich. | Fehler bei Dateinamengenerierung";

std::string frage(std::string_view was) { return "frage Vor dem " + std::string(was) + " speichern? | Geänderte Daten"; }

std::string lies(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void schreibe(const fs::path& p, const std::string& bytes)
{
    std::ofstream out(p, std::ios::binary);
    out << bytes;
}

// The 44 lines of a file, joined with CR LF.
std::string datei(const std::vector<std::string>& zeilen)
{
    std::string s;
    for (const std::string& z : zeilen)
        s += z + "\r\n";
    return s;
}

std::vector<std::string> zeilenVon(const std::string& bytes)
{
    std::vector<std::string> z;
    for (std::size_t anfang = 0, ende; (ende = bytes.find("\r\n", anfang)) != std::string::npos; anfang = ende + 2)
        z.push_back(bytes.substr(anfang, ende - anfang));
    return z;
}

std::string zahl(double w)
{
    char puffer[32];
    auto [ende, fehler] = std::to_chars(puffer, puffer + sizeof puffer, w);
    return std::string(puffer, ende);
}

// Everything the window shows and keeps, one line per item, so that a
// difference reads as a line of the diff.
std::string zustand(const Formular& f)
{
    std::string s;
    for (const Kasteninfo& k : kaesten())
        s += std::string(k.name) + " '" + f.text(k.kasten) + "' " + (f.freigegeben(k.kasten) ? "frei" : "gesperrt")
             + "\n";
    for (const Groesseninfo& g : groessen())
        s += std::string(g.name) + " = " + zahl(wert(f.daten(), g.groesse)) + "\n";
    for (Kasten k : {Kasten::TextBez, Kasten::TextNummer, Kasten::TextBearb})
        s += "gespeichert '" + f.gespeicherterText(k) + "'\n";
    for (Groesse r : {Groesse::rG, Groesse::rS, Groesse::rFV})
        s += std::string(info(r).name) + (f.reservefarbe(r) == Reservefarbe::gruen ? " gruen\n" : " rot\n");
    s += std::string("zylinder ") + (f.zylinder() ? "1" : "0") + " daten.zylinder " + (f.daten().zylinder ? "1" : "0")
         + " stutzen " + (f.stutzen() ? "1" : "0") + " scheibe " + (f.scheibe() ? "1" : "0") + " ausgehalst "
         + (f.ausgehalst() ? "1" : "0") + " ausgehalstFrei " + (f.ausgehalstFreigegeben() ? "1" : "0")
         + " automatisch " + (f.dateinameAutomatisch() ? "1" : "0") + " geaendert " + (f.geaendert() ? "1" : "0")
         + " berechnet " + (f.berechnet() ? "1" : "0") + " farbe " + std::to_string(static_cast<int>(f.statusfarbe()))
         + "\n";
    return s;
}

void eingeben(Formular& f, Kasten k, const std::string& text)
{
    f.fokusErhalten(k);
    f.tippe(k, text);
    f.fokusVerloren(k);
}

// A cylinder with a set-in nozzle, a pad and an extruded outlet.
void vollerEntwurf(Formular& f)
{
    f.setzeStutzen(true);
    f.setzeScheibe(true);
    f.setzeAusgehalst(true);
    const std::vector<std::pair<Kasten, std::string>> werte{
        {Kasten::TextDa, "1000"}, {Kasten::Texts, "12"},     {Kasten::Textc1, "0,5"},  {Kasten::Textc2, "1"},
        {Kasten::Textv, "0,85"},  {Kasten::TextK, "235"},    {Kasten::TextSi, "1,5"},  {Kasten::TextDas, "219,1"},
        {Kasten::Textss, "8"},    {Kasten::Textc1s, "0,4"},  {Kasten::Textc2s, "1"},   {Kasten::TextKs, "235"},
        {Kasten::TextSis, "1,5"}, {Kasten::Textls, "150"},   {Kasten::Textlsstrich, "20"},
        {Kasten::Textx, "0"},     {Kasten::Textphi, "75"},   {Kasten::Textb, "60"},    {Kasten::Texth, "10"},
        {Kasten::TextKScheibe, "235"}, {Kasten::TextSiScheibe, "1,5"}, {Kasten::TextDruck, "10"},
        {Kasten::TextBez, "Behälter 1, Teil 2"}, {Kasten::TextNummer, "B-12"}, {Kasten::TextBearb, "Ingenieurin"},
    };
    for (const auto& [k, t] : werte)
        eingeben(f, k, t);
    f.berechne();
}

class Projektbefehle_ : public testing::Test {
protected:
    Projektbefehle_()
    {
        std::string muster = (fs::temp_directory_path() / "velkor-befehle-XXXXXX").string();
        ordner = mkdtemp(muster.data());
    }
    ~Projektbefehle_() override
    {
        std::error_code fehler;
        fs::remove_all(ordner, fehler);
    }
    void TearDown() override
    {
        EXPECT_TRUE(dialoge.antworten.empty()) << "nicht gestellte Fragen";
        EXPECT_TRUE(dialoge.dateien.empty()) << "nicht gezeigte Dateidialoge";
    }
    std::string pfad(const std::string& name) const { return (ordner / name).string(); }

    // Puts a design into the model and saves it to `name`, leaving the script empty.
    void gespeicherterEntwurf(const std::string& name)
    {
        vollerEntwurf(formular);
        formular.setzeDateinameAutomatisch(false);
        dialoge.dateien.push_back(pfad(name));
        befehle.speichern();
        ASSERT_EQ(formular.statustext(), "Speichern erfolgreich.");
        dialoge.protokoll.clear();
    }

    fs::path ordner;
    Formular formular{","};
    Skriptdialoge dialoge;
    Projektbefehle befehle{formular, dialoge};
};

using Speichern = Projektbefehle_;

TEST_F(Speichern, proposesDesignationBlankAndNumberFromWhatTheBoxesShowAndDropsTheEarlierName)
{
    struct Fall {
        std::string bez, nummer, vorschlag;
    };
    for (const Fall& fall : {Fall{"Behälter", "12", "Behälter 12"}, Fall{"Behälter", "", "Behälter "},
                             Fall{"", "12", "12"}, Fall{"", "", ""},
                             Fall{"Wärmetauscher Pos. 3.1", "Nr. 12-ä", "Wärmetauscher Pos. 3.1 Nr. 12-ä"}}) {
        SCOPED_TRACE(fall.vorschlag);
        Formular f(",");
        Skriptdialoge d;
        Projektbefehle b(f, d);
        // An earlier save leaves its path as the dialog's name.
        d.dateien.push_back(pfad("frueher.vlk"));
        b.speichern();
        ASSERT_EQ(b.dateiname(), pfad("frueher.vlk"));
        // Typed but not yet left: the proposal takes the box text, not the stored one.
        f.tippe(Kasten::TextBez, fall.bez);
        f.tippe(Kasten::TextNummer, fall.nummer);
        d.dateien.push_back(std::nullopt);
        b.speichern();
        EXPECT_EQ(d.protokoll.back(), speichernDialog + fall.vorschlag);
        EXPECT_EQ(b.dateiname(), fall.vorschlag);
    }
}

TEST_F(Speichern, refusesAProposalNoFolderCanHoldThenOffersAnEmptyNameAndSavesTheFileChosenThere)
{
    for (std::string zeichen : {"\\", "/", ":", "*", "?", "\"", "<", ">", "|", "\t", "\n", "\x01", "\x7f",
                                "\xc2\x85"}) {
        SCOPED_TRACE(testing::PrintToString(zeichen));
        Formular f(",");
        Skriptdialoge d;
        Projektbefehle b(f, d);
        f.tippe(Kasten::TextBez, "Beh" + zeichen + "lter");
        f.tippe(Kasten::TextNummer, "12");
        d.dateien.push_back(pfad("gewaehlt.vlk"));
        b.speichern();
        EXPECT_EQ(d.protokoll, (std::vector<std::string>{sonderzeichen, speichernDialog}));
        EXPECT_EQ(f.statustext(), "Speichern erfolgreich.");
        EXPECT_TRUE(fs::exists(pfad("gewaehlt.vlk")));
        fs::remove(pfad("gewaehlt.vlk"));
    }
    // The number alone can name "." or "..", which are folders, not files.
    for (std::string nummer : {".", ".."}) {
        SCOPED_TRACE(nummer);
        Formular f(",");
        Skriptdialoge d;
        Projektbefehle b(f, d);
        f.tippe(Kasten::TextNummer, nummer);
        d.dateien.push_back(std::nullopt);
        b.speichern();
        EXPECT_EQ(d.protokoll, (std::vector<std::string>{sonderzeichen, speichernDialog}));
        EXPECT_EQ(b.dateiname(), "");
    }
}

TEST_F(Speichern, cancellingWritesNothingChangesNothingAndTheProposalStaysForTheNextDialog)
{
    vollerEntwurf(formular);
    formular.tippe(Kasten::TextNummer, "B-13");
    const std::string vorher = zustand(formular);
    const std::string status = formular.statustext();
    for (std::optional<std::string> abbruch : {std::optional<std::string>(), std::optional<std::string>("")}) {
        dialoge.dateien.push_back(abbruch);
        befehle.speichern();
        EXPECT_EQ(zustand(formular), vorher);
        EXPECT_EQ(formular.statustext(), status);
        EXPECT_TRUE(fs::is_empty(ordner));
    }
    // The load dialog proposes the name the cancelled save dialog held.
    dialoge.antworten.push_back(Antwort::nein);
    dialoge.dateien.push_back(std::nullopt);
    befehle.laden();
    EXPECT_EQ(dialoge.protokoll.back(), oeffnenDialog + "Behälter 1, Teil 2 B-13");
    EXPECT_EQ(zustand(formular), vorher);
}

TEST_F(Speichern, withoutAutomaticNamesProposesTheLastPathAndWritesThatFileAgain)
{
    gespeicherterEntwurf("erster.vlk");
    const std::string alt = lies(pfad("erster.vlk"));
    eingeben(formular, Kasten::TextDa, "1200");
    dialoge.dateien.push_back(pfad("erster.vlk"));
    befehle.speichern();
    EXPECT_EQ(dialoge.protokoll, (std::vector<std::string>{speichernDialog + pfad("erster.vlk")}));
    const std::string neu = lies(pfad("erster.vlk"));
    EXPECT_NE(neu, alt);
    EXPECT_EQ(neu.substr(0, 6), "1200\r\n");
    EXPECT_FALSE(formular.geaendert());
}

TEST_F(Speichern, appendsTheProjectExtensionUnlessTheNameEndsWithIt)
{
    struct Fall {
        std::string gewaehlt, geschrieben;
    };
    for (const Fall& fall : {Fall{"projekt", "projekt.vlk"}, Fall{"Pos. 1.2", "Pos. 1.2.vlk"},
                             Fall{"alt.txt", "alt.txt.vlk"}, Fall{"gross.VLK", "gross.VLK"},
                             Fall{"fertig.vlk", "fertig.vlk"}}) {
        SCOPED_TRACE(fall.gewaehlt);
        dialoge.dateien.push_back(pfad(fall.gewaehlt));
        befehle.speichern();
        EXPECT_EQ(befehle.dateiname(), pfad(fall.geschrieben));
        EXPECT_TRUE(fs::is_regular_file(pfad(fall.geschrieben)));
        if (fall.gewaehlt != fall.geschrieben) {
            EXPECT_FALSE(fs::exists(pfad(fall.gewaehlt)));
        }
    }
}

TEST_F(Speichern, afterClearingWritesZerosCylinderAndEmptyHeadingsByteForByte)
{
    vollerEntwurf(formular);
    dialoge.antworten.push_back(Antwort::nein);
    befehle.loeschen();
    dialoge.dateien.push_back(pfad("leer"));
    befehle.speichern();
    std::vector<std::string> zeilen(37, "0");
    zeilen.insert(zeilen.end(), {"#TRUE#", "0", "0", "0", "\"\"", "\"\"", "\"\""});
    EXPECT_EQ(lies(pfad("leer.vlk")), datei(zeilen));
}

TEST_F(Speichern, writesTheStoredValuesAndHeadingInWindows1252)
{
    vollerEntwurf(formular);
    dialoge.dateien.push_back(pfad("entwurf"));
    befehle.speichern();
    const std::vector<std::string> z = zeilenVon(lies(pfad("entwurf.vlk")));
    ASSERT_EQ(z.size(), 44u);
    // Lines 1 to 10: Da, Das, s, ss, c1, then the shell's c2 before the nozzle's c1s, c2s, v, K;
    // line 28 the pressure.
    EXPECT_EQ(std::vector<std::string>(z.begin(), z.begin() + 10),
              (std::vector<std::string>{"1000", "219.1", "12", "8", "0.5", "1", "0.4", "1", "0.85", "235"}));
    EXPECT_EQ(z[27], "10");
    EXPECT_EQ(std::vector<std::string>(z.begin() + 37, z.end()),
              (std::vector<std::string>{"#TRUE#", "1", "1", "1", "\"Beh\xe4lter 1, Teil 2\"", "\"B-12\"",
                                        "\"Ingenieurin\""}));
}

TEST_F(Speichern, namesTheReplacedCharactersInTheStatusLine)
{
    // A pasted tab and a character Windows-1252 lacks, besides the quotes.
    eingeben(formular, Kasten::TextBez, "Kessel \"Nord\"\tΩ \"Süd\"\xc2\x85");
    dialoge.dateien.push_back(pfad("ersetzt"));
    befehle.speichern();
    EXPECT_EQ(zeilenVon(lies(pfad("ersetzt.vlk"))).at(41), "\"Kessel 'Nord' ? 'S\xfc" "d' \"");
    EXPECT_EQ(formular.statustext(), "Speichern erfolgreich. Ersetzte Zeichen: „\"“, U+0009, „Ω“, U+0085");
    EXPECT_FALSE(formular.geaendert());
}

// Root ignores permission bits, so each failure here is one the file system itself reports.
TEST_F(Speichern, aFailedSaveKeepsTheEarlierFileAndTheFlagAndSaysWhy)
{
    gespeicherterEntwurf("bestand.vlk");
    const std::string bestand = lies(pfad("bestand.vlk"));
    eingeben(formular, Kasten::TextDa, "1500");
    ASSERT_TRUE(formular.geaendert());

    // A file size limit below the file's length: the write itself fails.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit alt{};
    getrlimit(RLIMIT_FSIZE, &alt);
    rlimit klein = alt;
    klein.rlim_cur = 64;
    setrlimit(RLIMIT_FSIZE, &klein);
    dialoge.dateien.push_back(pfad("bestand.vlk"));
    befehle.speichern();
    setrlimit(RLIMIT_FSIZE, &alt);
    EXPECT_EQ(lies(pfad("bestand.vlk")), bestand);
    EXPECT_EQ(std::distance(fs::directory_iterator(ordner), fs::directory_iterator()), 1) << "Reste im Ordner";

    fs::create_directory(pfad("ordner.vlk"));
    schreibe(pfad("keinordner"), "x");
    const auto pruefe = [&] {
        EXPECT_EQ(formular.statustext().rfind("Speichern fehlgeschlagen: ", 0), 0u) << formular.statustext();
        EXPECT_GT(formular.statustext().size(), std::string("Speichern fehlgeschlagen: ").size());
        EXPECT_TRUE(formular.geaendert());
        EXPECT_EQ(formular.text(Kasten::TextDa), "1500,00");
        formular.setzeStatustext("vorher");
    };
    pruefe();
    // The target is a folder, and the target's folder is a file.
    for (const std::string& ziel : {pfad("ordner.vlk"), pfad("keinordner") + "/neu.vlk"}) {
        SCOPED_TRACE(ziel);
        dialoge.dateien.push_back(ziel);
        befehle.speichern();
        pruefe();
        EXPECT_TRUE(fs::is_directory(pfad("ordner.vlk")));
        EXPECT_EQ(lies(pfad("keinordner")), "x");
    }
    EXPECT_EQ(lies(pfad("bestand.vlk")), bestand);
}

using Laden = Projektbefehle_;

TEST_F(Laden, aSavedDesignComesBackWithTheSameBoxesSwitchesAndResults)
{
    for (const std::string trenner : {",", "."}) {
        SCOPED_TRACE(trenner);
        Formular quelle(trenner);
        Skriptdialoge d;
        Projektbefehle b(quelle, d);
        vollerEntwurf(quelle);
        ASSERT_TRUE(quelle.berechnet()) << quelle.statustext();
        ASSERT_NE(quelle.daten().As1, 0);
        ASSERT_NE(quelle.daten().As2, 0);
        d.dateien.push_back(pfad("rund.vlk"));
        b.speichern();

        Formular ziel(trenner);
        Projektbefehle zb(ziel, d);
        d.dateien.push_back(pfad("rund.vlk"));
        zb.laden();
        EXPECT_EQ(ziel.statustext(), "Laden erfolgreich");
        // Saving cleared the flag in the source; loading clears it in the target.
        EXPECT_EQ(zustand(ziel), zustand(quelle));
        EXPECT_EQ(ziel.text(Kasten::TextDa), "1000" + trenner + "00");
        EXPECT_EQ(zb.dateiname(), pfad("rund.vlk"));
        // Nothing unsaved after a load: quitting asks nothing.
        EXPECT_TRUE(zb.beendenBestaetigt());
        EXPECT_EQ(d.protokoll.size(), 2u);
    }
}

TEST_F(Laden, aPadWithoutANozzleEndsSwitchedOff)
{
    std::vector<std::string> zeilen(37, "0");
    zeilen[0] = "1000";
    zeilen.insert(zeilen.end(), {"#TRUE#", "0", "0", "1", "\"A\"", "\"1\"", "\"B\""});
    schreibe(pfad("scheibe.vlk"), datei(zeilen));
    formular.setzeStutzen(true);
    formular.setzeScheibe(true);
    formular.setzeAusgehalst(true);
    ASSERT_TRUE(befehle.laden(pfad("scheibe.vlk")));
    EXPECT_FALSE(formular.stutzen());
    EXPECT_FALSE(formular.scheibe());
    EXPECT_FALSE(formular.ausgehalst());
    for (Kasten k : {Kasten::TextDas, Kasten::Textphi, Kasten::Textb, Kasten::Texth, Kasten::TextKScheibe,
                     Kasten::TextSiScheibe})
        EXPECT_FALSE(formular.freigegeben(k)) << info(k).name;
    EXPECT_FALSE(formular.ausgehalstFreigegeben());
    EXPECT_EQ(formular.text(Kasten::TextBez), "A");
    EXPECT_EQ(formular.statustext(), "Laden erfolgreich");
    EXPECT_FALSE(formular.geaendert());
}

TEST_F(Laden, aBadFileLeavesEveryBoxSwitchAndFlagAsItWasAndSaysWhy)
{
    std::vector<std::string> gut(37, "7");
    gut.insert(gut.end(), {"#FALSE#", "0", "0", "0", "\"A\"", "\"1\"", "\"B\""});
    const std::vector<std::string> zehn(gut.begin(), gut.begin() + 10);
    std::vector<std::string> schalter = gut;
    schalter[38] = "3";
    std::string binaer(4096, '\0');
    std::mt19937 zufall(17);
    for (char& c : binaer)
        c = static_cast<char>(zufall());
    // A valid file followed by far more than any project file needs.
    const std::string riesig = datei(gut) + std::string(1 << 20, 'x');
    schreibe(pfad("zehn.vlk"), datei(zehn));
    schreibe(pfad("schalter.vlk"), datei(schalter));
    schreibe(pfad("binaer.vlk"), binaer);
    schreibe(pfad("riesig.vlk"), riesig);
    schreibe(pfad("leer.vlk"), "");
    fs::create_directory(pfad("ordner.vlk"));

    vollerEntwurf(formular);
    eingeben(formular, Kasten::TextDa, "1100");
    formular.setzeDateinameAutomatisch(false);
    ASSERT_TRUE(formular.geaendert());
    const std::string vorher = zustand(formular);
    for (const std::string name :
         {"zehn.vlk", "schalter.vlk", "binaer.vlk", "riesig.vlk", "leer.vlk", "ordner.vlk", "fehlt.vlk"}) {
        SCOPED_TRACE(name);
        dialoge.antworten.push_back(Antwort::nein);
        dialoge.dateien.push_back(pfad(name));
        befehle.laden();
        EXPECT_EQ(zustand(formular), vorher);
        const Leseergebnis direkt = ladeProjektdatei(pfad(name));
        ASSERT_FALSE(direkt.projekt);
        ASSERT_FALSE(direkt.fehler.empty());
        EXPECT_EQ(formular.statustext(), "Laden fehlgeschlagen: " + direkt.fehler);
        // The dialog keeps the chosen name, as after any chosen file.
        EXPECT_EQ(befehle.dateiname(), pfad(name));
        EXPECT_FALSE(befehle.laden(pfad(name)));
        EXPECT_EQ(zustand(formular), vorher);
    }
}

TEST_F(Laden, cancellingTheOpenDialogReloadsNothing)
{
    gespeicherterEntwurf("geladen.vlk");
    dialoge.dateien.push_back(pfad("geladen.vlk"));
    befehle.laden();
    eingeben(formular, Kasten::TextDa, "900");
    const std::string vorher = zustand(formular);
    for (std::optional<std::string> abbruch : {std::optional<std::string>(), std::optional<std::string>("")}) {
        dialoge.antworten.push_back(Antwort::nein);
        dialoge.dateien.push_back(abbruch);
        befehle.laden();
        EXPECT_EQ(dialoge.protokoll.back(), oeffnenDialog + pfad("geladen.vlk"));
        EXPECT_EQ(zustand(formular), vorher);
        EXPECT_EQ(befehle.dateiname(), pfad("geladen.vlk"));
    }
}

// The three guarded actions: clearing, quitting or closing, and loading.
enum class Aktion { loeschen, beenden, laden };

class Frage : public Projektbefehle_, public testing::WithParamInterface<Aktion> {
protected:
    std::string text() const
    {
        switch (GetParam()) {
        case Aktion::loeschen: return frage("Löschen");
        case Aktion::beenden: return frage("Verlassen");
        case Aktion::laden: return frage("Laden");
        }
        return {};
    }
    // Runs the action; true when it went on past the question.
    bool ausfuehren()
    {
        switch (GetParam()) {
        case Aktion::loeschen: {
            // Every test leaves Textv at something else than what clearing writes.
            befehle.loeschen();
            return formular.text(Kasten::Textv) == "0.00";
        }
        case Aktion::beenden: return befehle.beendenBestaetigt();
        case Aktion::laden: {
            const std::size_t n = dialoge.protokoll.size();
            befehle.laden();
            return dialoge.protokoll.size() > n && dialoge.protokoll.back().rfind("oeffnen", 0) == 0;
        }
        }
        return false;
    }
    void ladenAbbrechenFallsNoetig()
    {
        if (GetParam() == Aktion::laden)
            dialoge.dateien.push_back(std::nullopt);
    }
};

TEST_P(Frage, isNotAskedWithoutUnsavedChanges)
{
    for (int durchgang = 0; durchgang < 2; ++durchgang) {
        // At start-up, then right after a successful save.
        if (durchgang == 1) {
            eingeben(formular, Kasten::TextDa, "1000");
            eingeben(formular, Kasten::Textv, "0,9");
            dialoge.dateien.push_back(pfad("gesichert"));
            befehle.speichern();
        }
        ASSERT_FALSE(formular.geaendert());
        dialoge.protokoll.clear();
        ladenAbbrechenFallsNoetig();
        EXPECT_TRUE(ausfuehren());
        for (const std::string& zeile : dialoge.protokoll)
            EXPECT_EQ(zeile.rfind("frage", 0), std::string::npos) << zeile;
    }
}

TEST_P(Frage, abbrechenStopsTheActionAndChangesNothing)
{
    eingeben(formular, Kasten::TextDa, "1000");
    const std::string vorher = zustand(formular);
    dialoge.antworten.push_back(Antwort::abbrechen);
    EXPECT_FALSE(ausfuehren());
    EXPECT_EQ(dialoge.protokoll, (std::vector<std::string>{text()}));
    EXPECT_EQ(zustand(formular), vorher);
    EXPECT_TRUE(fs::is_empty(ordner));
}

TEST_P(Frage, neinGoesOnWithoutSaving)
{
    eingeben(formular, Kasten::TextDa, "1000");
    dialoge.antworten.push_back(Antwort::nein);
    ladenAbbrechenFallsNoetig();
    EXPECT_TRUE(ausfuehren());
    EXPECT_EQ(dialoge.protokoll.front(), text());
    EXPECT_TRUE(fs::is_empty(ordner));
}

TEST_P(Frage, jaSavesFirstThenGoesOn)
{
    eingeben(formular, Kasten::TextDa, "1000");
    eingeben(formular, Kasten::TextBez, "Kessel");
    dialoge.antworten.push_back(Antwort::ja);
    dialoge.dateien.push_back(pfad("gefragt"));
    ladenAbbrechenFallsNoetig();
    EXPECT_TRUE(ausfuehren());
    ASSERT_GE(dialoge.protokoll.size(), 2u);
    EXPECT_EQ(dialoge.protokoll[0], text());
    EXPECT_EQ(dialoge.protokoll[1], speichernDialog + "Kessel ");
    EXPECT_EQ(lies(pfad("gefragt.vlk")).substr(0, 6), "1000\r\n");
}

TEST_P(Frage, jaGoesOnWhenTheSaveDialogIsCancelled)
{
    eingeben(formular, Kasten::Textv, "0,9");
    dialoge.antworten.push_back(Antwort::ja);
    dialoge.dateien.push_back(std::nullopt);
    ladenAbbrechenFallsNoetig();
    EXPECT_TRUE(ausfuehren());
    EXPECT_EQ(dialoge.protokoll[0], text());
    EXPECT_EQ(dialoge.protokoll[1].rfind(speichernDialog, 0), 0u);
    EXPECT_TRUE(fs::is_empty(ordner));
}

TEST_P(Frage, jaStopsTheActionWhenTheSaveFailsSoTheWorkAndTheReasonStay)
{
    fs::create_directory(pfad("ordner.vlk"));
    eingeben(formular, Kasten::Textv, "0,9");
    dialoge.antworten.push_back(Antwort::ja);
    dialoge.dateien.push_back(pfad("ordner.vlk"));
    EXPECT_FALSE(ausfuehren());
    EXPECT_EQ(dialoge.protokoll.size(), 2u) << "no open dialog after a failed save";
    EXPECT_EQ(formular.text(Kasten::Textv), "0,90");
    EXPECT_TRUE(formular.geaendert());
    EXPECT_EQ(formular.statustext().rfind("Speichern fehlgeschlagen: ", 0), 0u) << formular.statustext();
    EXPECT_TRUE(fs::is_directory(pfad("ordner.vlk")));
}

INSTANTIATE_TEST_SUITE_P(LoeschenBeendenLaden, Frage,
                         testing::Values(Aktion::loeschen, Aktion::beenden, Aktion::laden),
                         [](const testing::TestParamInfo<Aktion>& p) {
                             switch (p.param) {
                             case Aktion::loeschen: return std::string("loeschen");
                             case Aktion::beenden: return std::string("beenden");
                             case Aktion::laden: return std::string("laden");
                             }
                             return std::string();
                         });

using Loeschen = Projektbefehle_;

TEST_F(Loeschen, givesZerosEverywhereACylinderNoSectionsAndAutomaticNamesAgain)
{
    vollerEntwurf(formular);
    formular.setzeZylinder(false);
    formular.setzeDateinameAutomatisch(false);
    dialoge.antworten.push_back(Antwort::nein);
    befehle.loeschen();
    for (const Kasteninfo& k : kaesten()) {
        const std::string leer = k.art == Kastenart::projekt ? "" : k.kasten == Kasten::TextFVprozent ? "0" : "0.00";
        EXPECT_EQ(formular.text(k.kasten), leer) << k.name;
        if (const auto g = groesseVon(k.kasten)) {
            EXPECT_EQ(wert(formular.daten(), *g), 0) << k.name;
        }
    }
    EXPECT_TRUE(formular.zylinder());
    EXPECT_FALSE(formular.stutzen() || formular.scheibe() || formular.ausgehalst());
    EXPECT_FALSE(formular.freigegeben(Kasten::TextDas));
    EXPECT_FALSE(formular.freigegeben(Kasten::Textb));
    EXPECT_TRUE(formular.dateinameAutomatisch());
    EXPECT_FALSE(formular.geaendert());
    EXPECT_EQ(formular.statustext(), "Bitte Eingaben vervollständigen");
    // Nothing unsaved after clearing.
    EXPECT_TRUE(befehle.beendenBestaetigt());
    EXPECT_EQ(dialoge.protokoll, (std::vector<std::string>{frage("Löschen")}));
}

} // namespace
} // namespace velkor
