#pragma once

#include "formular/dialoge.h"
#include "formular/formular.h"
#include "project/projektdatei.h"
#include "tests/support/testdaten.h"

#include <charconv>
#include <deque>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

namespace velkor {

// Dialogs with scripted answers that write down, in order, every question,
// message and file dialog ("frage TEXT | TITEL", "speichern TITEL | FILTER | VORSCHLAG"),
// so that no modal box ever blocks a test. Unscripted, a question is answered
// with Abbrechen and a file dialog is cancelled.
class SkriptDialoge : public Dialoge {
public:
    std::vector<std::string> protokoll;
    std::deque<Antwort> antworten;
    std::deque<std::optional<std::string>> dateien; // for both file dialogs, in order

    Antwort frage(std::string_view text, std::string_view titel) override
    {
        protokoll.push_back("frage " + std::string(text) + " | " + std::string(titel));
        return naechste(antworten, Antwort::abbrechen);
    }
    void meldung(std::string_view text, std::string_view titel) override
    {
        protokoll.push_back("meldung " + std::string(text) + " | " + std::string(titel));
    }
    std::optional<std::string> dateiZumSpeichern(std::string_view titel, std::string_view filter, const std::string& vorschlag) override
    {
        protokoll.push_back("speichern " + std::string(titel) + " | " + std::string(filter) + " | " + vorschlag);
        return naechste(dateien, std::optional<std::string>());
    }
    std::optional<std::string> dateiZumOeffnen(std::string_view titel, std::string_view filter, const std::string& vorschlag) override
    {
        protokoll.push_back("oeffnen " + std::string(titel) + " | " + std::string(filter) + " | " + vorschlag);
        return naechste(dateien, std::optional<std::string>());
    }

private:
    template <typename T> static T naechste(std::deque<T>& liste, T sonst)
    {
        if (!liste.empty())
            sonst = liste.front(), liste.pop_front();
        return sonst;
    }
};

// What the user does in one box: enter it, type, leave it.
inline void eingeben(Formular& f, Kasten k, const std::string& text)
{
    f.fokusErhalten(k);
    f.tippe(k, text);
    f.fokusVerloren(k);
}

// Everything the model shows and keeps, one line per item, so that a
// difference reads as a line of a diff.
inline std::string zustand(const Formular& f)
{
    const auto ja = [](bool b) { return b ? " ja" : " nein"; };
    std::string s;
    for (const Kasteninfo& k : kaesten())
        s += std::string(k.name) + " '" + f.text(k.kasten) + "'" + (f.freigegeben(k.kasten) ? "" : " gesperrt") + "\n";
    for (const Groesseninfo& g : groessen()) {
        char zahl[32];
        s += std::string(g.name) + " = "
            + std::string(zahl, std::to_chars(zahl, std::end(zahl), wert(f.daten(), g.groesse)).ptr) + "\n";
    }
    for (Kasten k : {Kasten::TextBez, Kasten::TextNummer, Kasten::TextBearb})
        s += "gespeichert '" + f.gespeicherterText(k) + "'\n";
    for (Groesse r : {Groesse::rG, Groesse::rS, Groesse::rFV})
        s += "farbe " + std::string(info(r).name) + (f.reservefarbe(r) == Reservefarbe::gruen ? " gruen\n" : " rot\n");
    s += std::string("zylinder") + ja(f.zylinder()) + ja(f.daten().zylinder) + "\nstutzen" + ja(f.stutzen())
        + "\nscheibe" + ja(f.scheibe()) + "\nausgehalst" + ja(f.ausgehalst()) + ja(f.ausgehalstFreigegeben())
        + "\ndateiname automatisch" + ja(f.dateinameAutomatisch()) + "\ngeaendert" + ja(f.geaendert())
        + "\nberechnet" + ja(f.berechnet()) + "\nstatus '" + f.statustext() + "' "
        + std::to_string(static_cast<int>(f.statusfarbe())) + "\n";
    const std::string datei = schreibeProjekt(f.projekt()).bytes; // its section after the 44 lines
    const auto abschnitt = datei.find("\r\n[Velkor]");
    return s + "abschnitt '" + (abschnitt == std::string::npos ? "" : datei.substr(abschnitt + 2)) + "'\n";
}

} // namespace velkor
