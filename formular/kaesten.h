#pragma once

#include "engine/berechnungsdaten.h"

#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace velkor {

// The text boxes of the main window. The first ones follow the record order of
// Groesse, so a numeric box and its quantity share one index; the three
// heading boxes come last.
enum class Kasten {
    TextDa, TextDas, Texts, Textss, Textc1, Textc1s, Textc2, Textc2s, Textv,
    TextK, TextKs, TextKScheibe, TextSi, TextSis, TextSiScheibe,
    Textls, Textlsstrich, Textx, Textphi, Textb, Texth,
    TextErgebnisgk, TextErgebnisstutzen, TextErgebnisgkprozent, TextErgebnisstutzenprozent,
    TextErgebnisb, TextErgebnisls, TextDruck, Textdmax, Textpmaxgk, Textpmaxs,
    TextAs0, TextAs1, TextAs2, TextAp, TextFVprozent, Textpmaxfv,
    TextBez, TextNummer, TextBearb,
};
inline constexpr std::size_t anzahlKaesten = anzahlGroessen + 3;

constexpr Kasten kastenVon(Groesse g) { return static_cast<Kasten>(g); }
constexpr std::optional<Groesse> groesseVon(Kasten k)
{
    if (static_cast<std::size_t>(k) < anzahlGroessen)
        return static_cast<Groesse>(k);
    return std::nullopt;
}

enum class Kastenart { eingabe, projekt, ergebnis };

// What leaving a box does.
enum class Regel {
    normal,           // parse and store the number as it is
    betrag,           // parse and store its magnitude (allowances, pressure)
    winkel,           // parse; below 45 or above 90 becomes 90
    text,             // store the text unchanged (project boxes)
    wiederherstellen, // write the stored result back (result boxes)
};

// A box: for a numeric one its quantity's row of the table of quantities
// with the form's own texts.
struct Kasteninfo {
    Kasten kasten;
    std::string_view name;       // control name, "TextDa"
    Kastenart art;
    Regel regel;
    Muster muster;               // pattern on leaving (numeric boxes)
    std::string_view starttext;  // text at start-up
    std::string_view tooltip;
    std::string_view hilfetext;  // status line text while the box has the focus
    Rahmen rahmen;
    std::string beschriftung;    // its label: "Da [mm]", "v [-]", "Bez.:"
};

// All boxes in the order of Kasten.
const std::array<Kasteninfo, anzahlKaesten>& kaesten();
const Kasteninfo& info(Kasten k);
// The boxes of one frame in their turn: the order of Tab, and the order in
// which a switch enables and disables them.
std::span<const Kasten> kaestenIn(Rahmen r);

// An entry box as the window labels it, with its frame, so that a message can
// point to it: "Da [mm] (Grundkörper)". Other boxes give their control name.
std::string beschriftung(Kasten k);

} // namespace velkor
