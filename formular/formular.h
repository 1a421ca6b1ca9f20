#pragma once

#include "engine/berechnung.h"
#include "engine/projekt.h"
#include "formular/kaesten.h"
#include "report/bericht.h"
#include "report/skizze.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace velkor {

// Background of the status line: the system's button face, dark red (192, 0, 0)
// or yellow (255, 255, 0).
enum class Statusfarbe { normal, rot, gelb };
// Text colour of a reserve box: green (0, 192, 0) for zero or more, dark red (192, 0, 0) below.
enum class Reservefarbe { gruen, rot };

Statusfarbe statusfarbe(Ausgang a);

inline constexpr std::string_view startstatus = "Bitte Eingaben vervollständigen";
// Status text and tooltip of Checkausgehalst.
inline constexpr std::string_view ausgehalstText =
    "ausgehalste Ausschnitte nach B9 4.4.1 (As wird mit 0.9 multipliziert)";
// Status text when a numeric entry lies beyond the range of a double: the box
// keeps its text and its stored value stays as it was.
inline constexpr std::string_view ausserhalbWertebereich =
    "Zahl außerhalb des Wertebereichs: Eingabe bitte korrigieren.";

// The main window's state and behaviour, without any toolkit: the text and
// enabled state of every box, the switches, the stored values, the status line
// and the flags geaendert and berechnet. The window only mirrors it: it passes
// every user event in and shows what the model holds afterwards.
//
// Every change of a box text goes through one place, so that an entry or
// project box whose text really changes sets geaendert, whether the user typed
// or the program wrote; writing the text a box already has changes nothing.
class Formular {
public:
    // dezimaltrenner: the user's regional decimal separator for every rewritten number.
    explicit Formular(std::string dezimaltrenner);

    // State
    const std::string& text(Kasten k) const;
    bool freigegeben(Kasten k) const;               // enabled
    bool stutzen() const;                           // CheckStutzen checked (= stored flag)
    bool scheibe() const;                           // CheckScheibe checked
    bool ausgehalst() const;                        // Checkausgehalst checked
    bool ausgehalstFreigegeben() const;             // Checkausgehalst enabled
    bool zylinder() const;                          // OptionZylinder selected
    bool dateinameAutomatisch() const;              // Checkdateiname
    const std::string& statustext() const;
    Statusfarbe statusfarbe() const;
    Reservefarbe reservefarbe(Groesse reserve) const; // rG, rS or rFV
    const Berechnungsdaten& daten() const;          // stored values
    const std::string& gespeicherterText(Kasten projektkasten) const;
    bool geaendert() const;
    bool berechnet() const;
    const std::string& dezimaltrenner() const;
    // The first entry box whose text is a number beyond the range of a double:
    // its stored value does not follow the box until the entry is corrected.
    std::optional<Kasten> kastenAusserhalbWertebereich() const;

    // User events
    void tippe(Kasten k, const std::string& text);  // the box's text changed by typing
    void fokusErhalten(Kasten k);                   // help text into the status line
    void fokusVerloren(Kasten k);                   // the box's leaving rule
    // Setting a switch runs its behaviour exactly as a click does; setting the
    // state it already has runs nothing.
    void setzeStutzen(bool an);
    void setzeScheibe(bool an);
    void setzeAusgehalst(bool an);
    void setzeZylinder(bool zylinder);              // selects OptionZylinder or OptionKugel
    void setzeDateinameAutomatisch(bool an);

    // Commands
    Rechenlauf berechne();
    // Runs the calculation; the report text, or nothing when the run did not
    // reach its verdict (the status line then says why).
    std::optional<std::string> bericht();
    // The section "RECHENGANG" of the last run, also of one that stopped; nothing
    // before the first run. Shows the values and switches that run used.
    std::optional<std::string> rechengang() const;
    // The last run with what it read and wrote, for the drawing: nothing before the first run.
    std::optional<Rechenstand> rechenstand() const { return letzterLauf_; }
    // How the last run ended with both cases: the status line's verdict.
    Urteil urteil() const;
    // Design temperature and materials; the data of the check at test pressure,
    // which each calculation runs after the operating case when it is switched on.
    const Angaben& angaben() const { return angaben_; }
    void setzeAngaben(const Angaben& angaben);
    const Pruefangaben& pruefangaben() const { return pruefangaben_; }
    void setzePruefangaben(const Pruefangaben& angaben);
    // Clears every box, value and switch (the question is the caller's).
    void loesche();
    // Applies a project that was read whole: values and boxes, heading texts,
    // switches through their behaviour; then calculates, reports
    // "Laden erfolgreich" and clears geaendert. Returns what the calculation reported.
    Rechenlauf uebernehme(const Projekt& projekt);
    // The stored values, as the file writer takes them.
    Projekt projekt() const;
    // After a successful save: "Speichern erfolgreich." and geaendert cleared.
    void gespeichert();
    void setzeStatus(std::string text, Statusfarbe farbe);
    void setzeStatustext(std::string text);         // keeps the colour

private:
    void schreibe(Kasten k, std::string text);
    Berichtsdaten berichtsdaten() const;
    void schalteFrei(Kasten k, bool frei);

    std::string dezimaltrenner_;
    std::array<std::string, anzahlKaesten> texte_;
    std::array<bool, anzahlKaesten> frei_{};
    std::array<std::string, 3> projekttexte_;
    Berechnungsdaten daten_;
    std::array<Reservefarbe, 3> reservefarben_{};
    bool stutzen_ = false;
    bool scheibe_ = false;
    bool ausgehalst_ = false;
    bool zylinder_ = true;
    bool dateinameAutomatisch_ = true;
    std::string statustext_{startstatus};
    Statusfarbe statusfarbe_ = Statusfarbe::normal;
    bool geaendert_ = false;
    bool berechnet_ = false;
    // The last run with what it read and wrote, kept whole: later typing
    // changes the stored values but not what that run computed with.
    std::optional<Rechenstand> letzterLauf_;
    Angaben angaben_;
    Pruefangaben pruefangaben_;
    std::vector<std::string> fremdeZeilen_; // kept from the loaded file, written back as read
};

} // namespace velkor
