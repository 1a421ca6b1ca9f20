#include "formular/projektbefehle.h"

#include "project/dateiname.h"
#include "project/projektdatei.h"

namespace velkor {

namespace {

constexpr std::string_view filter = "VLK-Dateien|*.vlk";
constexpr std::string_view endung = ".vlk";
constexpr std::string_view titelSpeichern = "SPEICHERN - Kalvero - Velkor";
constexpr std::string_view titelLaden = "LADEN - Kalvero - Velkor";
constexpr std::string_view titelFrage = "Geänderte Daten";

} // namespace

Projektbefehle::Projektbefehle(Formular& formular, Dialoge& dialoge)
    : formular_(formular), dialoge_(dialoge)
{
}

Projektbefehle::Ausgang Projektbefehle::speichern()
{
    // The file would hold the earlier stored value while the box shows another
    // number: refused, so that a question before clearing, loading or quitting
    // stops too and the entry can be corrected.
    if (const std::optional<Kasten> k = formular_.kastenAusserhalbWertebereich()) {
        formular_.setzeStatustext("Speichern nicht möglich: " + beschriftung(*k) + " enthält „" + formular_.text(*k)
                                  + "“, eine Zahl außerhalb des Wertebereichs. Bitte korrigieren.");
        return Ausgang::fehlgeschlagen;
    }
    if (formular_.dateinameAutomatisch()) {
        // From what the boxes show now, not from the stored texts.
        const std::string& bezeichnung = formular_.text(Kasten::TextBez);
        std::string vorschlag = bezeichnung.empty() ? std::string() : bezeichnung + ' ';
        vorschlag += formular_.text(Kasten::TextNummer);
        dateiname_ = std::move(vorschlag);
        if (!dateinameZulaessig(dateiname_)) {
            dateiname_.clear();
            dialoge_.meldung("Projektbezeichnung oder Nummer enthalten Sonderzeichen: "
                             "Automatische Generierung nicht möglich.",
                             "Fehler bei Dateinamengenerierung");
        }
    }
    const std::optional<std::string> gewaehlt = dialoge_.dateiZumSpeichern(titelSpeichern, filter, dateiname_);
    if (!gewaehlt || gewaehlt->empty())
        return Ausgang::abgebrochen;
    dateiname_ = mitEndung(*gewaehlt, endung);

    const Speicherergebnis ergebnis = speichereProjektdatei(dateiname_, formular_.projekt());
    if (!ergebnis.ok) {
        formular_.setzeStatustext("Speichern fehlgeschlagen: " + ergebnis.fehler);
        return Ausgang::fehlgeschlagen;
    }
    formular_.gespeichert();
    datei_ = dateiname_;
    if (!ergebnis.ersetzteZeichen.empty())
        formular_.setzeStatustext(formular_.statustext() + " Ersetzte Zeichen: " + sichtbareZeichen(ergebnis.ersetzteZeichen));
    return Ausgang::gespeichert;
}

void Projektbefehle::laden()
{
    // Unlike the other two guarded actions a load once replaced unsaved work
    // without a word; it asks as they do.
    if (!weiterNachFrage("Vor dem Laden speichern?"))
        return;
    const std::optional<std::string> gewaehlt = dialoge_.dateiZumOeffnen(titelLaden, filter, dateiname_);
    if (!gewaehlt || gewaehlt->empty())
        return;
    laden(*gewaehlt);
}

bool Projektbefehle::laden(const std::string& pfad)
{
    dateiname_ = pfad;
    const Leseergebnis ergebnis = ladeProjektdatei(pfad);
    if (!ergebnis.projekt) {
        formular_.setzeStatustext("Laden fehlgeschlagen: " + ergebnis.fehler);
        return false;
    }
    formular_.uebernehme(*ergebnis.projekt);
    datei_ = pfad;
    return true;
}

void Projektbefehle::loeschen()
{
    if (weiterNachFrage("Vor dem Löschen speichern?")) {
        formular_.loesche();
        datei_.clear();
    }
}

bool Projektbefehle::beendenBestaetigt() { return weiterNachFrage("Vor dem Verlassen speichern?"); }

bool Projektbefehle::weiterNachFrage(std::string_view frage)
{
    if (!formular_.geaendert())
        return true;
    switch (dialoge_.frage(frage, titelFrage)) {
    case Antwort::ja:
        // Only a save that happened lets the action go on: the user who said Ja
        // wants the work kept, so a cancelled dialog stops as a failed write does.
        return speichern() == Ausgang::gespeichert;
    case Antwort::nein:
        return true;
    case Antwort::abbrechen:
        return false;
    }
    return false;
}

} // namespace velkor
