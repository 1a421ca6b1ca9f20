#pragma once

#include "formular/dialoge.h"

#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace velkor {

// Dialogs with scripted answers that record what was asked, so that no modal
// box ever blocks a test.
class SkriptDialoge : public Dialoge {
public:
    std::deque<Antwort> antworten;           // taken one per question
    Antwort sonst = Antwort::abbrechen;      // when no scripted answer is left
    std::optional<std::string> speicherpfad; // answer of every save dialog
    std::optional<std::string> oeffnenpfad;  // answer of every open dialog

    std::vector<std::string> fragen;
    std::vector<std::string> meldungen;
    std::vector<std::string> vorschlaege; // the name each file dialog proposed
    int speicherdialoge = 0;
    int oeffnendialoge = 0;

    Antwort frage(std::string_view text, std::string_view) override
    {
        fragen.emplace_back(text);
        if (antworten.empty())
            return sonst;
        const Antwort a = antworten.front();
        antworten.pop_front();
        return a;
    }
    void meldung(std::string_view text, std::string_view) override { meldungen.emplace_back(text); }
    std::optional<std::string> dateiZumSpeichern(std::string_view, std::string_view,
                                                 const std::string& vorschlag) override
    {
        ++speicherdialoge;
        vorschlaege.push_back(vorschlag);
        return speicherpfad;
    }
    std::optional<std::string> dateiZumOeffnen(std::string_view, std::string_view,
                                               const std::string& vorschlag) override
    {
        ++oeffnendialoge;
        vorschlaege.push_back(vorschlag);
        return oeffnenpfad;
    }
};

} // namespace velkor
