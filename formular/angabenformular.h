#pragma once

#include "engine/projekt.h"
#include "engine/pruefzustand.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace velkor {

// The boxes of the dialog "Angaben" in their turn.
enum class Angabenfeld {
    temperatur, werkstoffGrundkoerper, werkstoffStutzen, werkstoffScheibe,
    pT, K20, K20s, K20Scheibe, SPruef, SPruefs, SPruefScheibe,
};
inline constexpr std::size_t anzahlAngabenfelder = 11;

struct Angabenfeldinfo {
    Angabenfeld feld;
    std::string_view name;         // control name, "TextTemperatur"
    std::string_view beschriftung; // "Auslegungstemperatur [°C]"
    bool zahl;
    // A number box's value when it is empty; nothing: no value (the temperature).
    // This value shows as an empty box unless zeigeVorgabe.
    std::optional<double> vorgabe;
    bool zeigeVorgabe;
};
const std::array<Angabenfeldinfo, anzahlAngabenfelder>& angabenfelder();
const Angabenfeldinfo& info(Angabenfeld f);

// The dialog "Angaben" without any toolkit: its box texts and switches, taken
// from the design's Angaben and Pruefangaben and turned back into them. The
// boxes follow the main window's rules: the user's separator (point and comma
// too), a number rewritten with two decimals on leaving, a number beyond the
// range of a double kept as typed and not taken over.
class Angabenformular {
public:
    Angabenformular(const Angaben& angaben, const Pruefangaben& pruefung, std::string dezimaltrenner);

    const std::string& text(Angabenfeld f) const { return texte_[static_cast<std::size_t>(f)]; }
    void tippe(Angabenfeld f, std::string text) { texte_[static_cast<std::size_t>(f)] = std::move(text); }
    void fokusVerloren(Angabenfeld f);
    bool pruefung() const { return pruefung_; }
    void setzePruefung(bool an) { pruefung_ = an; }
    bool c2Abziehen() const { return c2Abziehen_; }
    void setzeC2Abziehen(bool an) { c2Abziehen_ = an; }
    // Empty, or why a box's number is not taken over.
    const std::string& statustext() const { return statustext_; }

    // What the boxes hold now; a box beyond the range of a double gives the value it was opened with.
    Angaben angaben() const;
    Pruefangaben pruefangaben() const;
    // A number box's value as angaben() and pruefangaben() take it; nothing for a text box.
    std::optional<double> zahl(Angabenfeld f) const;

private:
    std::string dezimaltrenner_;
    std::array<std::string, anzahlAngabenfelder> texte_;
    std::array<std::optional<double>, anzahlAngabenfelder> anfangswerte_;
    bool pruefung_;
    bool c2Abziehen_;
    std::string statustext_;
};

// The results of the check at test pressure as the dialog shows them, in the
// user's separator; texts empty before it ran.
struct Pruefanzeige {
    std::string pTMindest;                     // "pT,min = 22.88 bar"
    std::string status;                        // how its run ended
    std::array<std::string, 14> werte;         // of pruefgroessen, empty where the run gave none
};
inline constexpr std::array<Groesse, 14> pruefgroessen{
    Groesse::sG, Groesse::rG, Groesse::pmaxG, Groesse::sS, Groesse::rS, Groesse::pmaxS, Groesse::b,
    Groesse::lsm, Groesse::As0, Groesse::As1, Groesse::As2, Groesse::Ap, Groesse::rFV, Groesse::pmaxFV};
// Its label: "sG [mm]", "rFV [%]".
std::string pruefbeschriftung(Groesse g);
Pruefanzeige pruefanzeige(const std::optional<Pruefzustand>& pruefung, std::string_view dezimaltrenner);

} // namespace velkor
