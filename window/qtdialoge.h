#pragma once

#include "formular/dialoge.h"

namespace velkor {

// The commands' message boxes and file dialogs with Qt, parented to the active
// window. Button captions are German whatever translations are installed.
// The save dialog appends the filter's extension as the commands do, and asks
// before replacing a file under that final name.
class QtDialoge : public Dialoge {
public:
    Antwort frage(std::string_view text, std::string_view titel) override;
    void meldung(std::string_view text, std::string_view titel) override;
    std::optional<std::string> dateiZumSpeichern(std::string_view titel, std::string_view filter,
                                                 const std::string& vorschlag) override;
    std::optional<std::string> dateiZumOeffnen(std::string_view titel, std::string_view filter,
                                               const std::string& vorschlag) override;
};

} // namespace velkor
