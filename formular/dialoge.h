#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace velkor {

enum class Antwort { ja, nein, abbrechen };

// Every message box and file dialog of the commands goes through this, so
// that tests can hand in scripted answers.
class Dialoge {
public:
    virtual ~Dialoge() = default;
    // Modal question with Ja, Nein and Abbrechen (Ja the default, no icon);
    // closing the box answers abbrechen.
    virtual Antwort frage(std::string_view text, std::string_view titel) = 0;
    // Modal message with one OK button and no icon.
    virtual void meldung(std::string_view text, std::string_view titel) = 0;
    // File dialogs: `vorschlag` is the proposed name (may be empty); the chosen
    // full path, or nothing when the user cancelled.
    virtual std::optional<std::string> dateiZumSpeichern(std::string_view titel, std::string_view filter,
                                                         const std::string& vorschlag) = 0;
    virtual std::optional<std::string> dateiZumOeffnen(std::string_view titel, std::string_view filter,
                                                       const std::string& vorschlag) = 0;
};

} // namespace velkor
