#pragma once

#include "formular/dialoge.h"
#include "formular/formular.h"

#include <string>
#include <string_view>

namespace velkor {

// Saving, loading, clearing and quitting, with the unsaved-changes question.
// Works on the window's model and asks through Dialoge, so it runs without a display.
class Projektbefehle {
public:
    Projektbefehle(Formular& formular, Dialoge& dialoge);

    // How a save ended. Clearing, loading and quitting after Ja go on only when
    // the work was saved; cancelled or failed, it stays in the window.
    enum class Ausgang { gespeichert, abgebrochen, fehlgeschlagen };

    Ausgang speichern();                      // save dialog, proposal, atomic write
    void laden();                             // question, open dialog, read, apply
    // Loads the given file without a dialog (a file named on the command line).
    bool laden(const std::string& pfad);
    void loeschen();                          // question, then clear
    // The question before quitting or closing; false when the user chose Abbrechen.
    bool beendenBestaetigt();

    // The file dialog's name, kept between uses.
    const std::string& dateiname() const { return dateiname_; }
    // The file the design was last read from or saved to; empty for a new or cleared one.
    const std::string& datei() const { return datei_; }

private:
    // The unsaved-changes question: true when the action may go on.
    bool weiterNachFrage(std::string_view frage);

    Formular& formular_;
    Dialoge& dialoge_;
    std::string dateiname_;
    std::string datei_;
};

} // namespace velkor
