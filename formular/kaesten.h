#pragma once

#include "engine/berechnungsdaten.h"

#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace velkor {

constexpr std::size_t nummer(Groesse g) { return static_cast<std::size_t>(g); }

// The text boxes of the main window by control name: a numeric box shares its
// quantity's index, and the three heading boxes follow the quantities.
enum class Kasten : std::size_t {
    TextDa = nummer(Groesse::Da), TextDas = nummer(Groesse::Das), Texts = nummer(Groesse::s), Textss = nummer(Groesse::ss),
    Textc1 = nummer(Groesse::c1), Textc1s = nummer(Groesse::c1s), Textc2 = nummer(Groesse::c2), Textc2s = nummer(Groesse::c2s),
    Textv = nummer(Groesse::v), TextK = nummer(Groesse::K), TextKs = nummer(Groesse::Ks), TextKScheibe = nummer(Groesse::KScheibe),
    TextSi = nummer(Groesse::S), TextSis = nummer(Groesse::Sis), TextSiScheibe = nummer(Groesse::SScheibe),
    Textls = nummer(Groesse::ls), Textlsstrich = nummer(Groesse::lsstrich), Textx = nummer(Groesse::x),
    Textphi = nummer(Groesse::phi), Textb = nummer(Groesse::bScheibe), Texth = nummer(Groesse::hScheibe),
    TextErgebnisgk = nummer(Groesse::sG), TextErgebnisstutzen = nummer(Groesse::sS),
    TextErgebnisgkprozent = nummer(Groesse::rG), TextErgebnisstutzenprozent = nummer(Groesse::rS),
    TextErgebnisb = nummer(Groesse::b), TextErgebnisls = nummer(Groesse::lsm), TextDruck = nummer(Groesse::p),
    Textdmax = nummer(Groesse::dmax), Textpmaxgk = nummer(Groesse::pmaxG), Textpmaxs = nummer(Groesse::pmaxS),
    TextAs0 = nummer(Groesse::As0), TextAs1 = nummer(Groesse::As1), TextAs2 = nummer(Groesse::As2), TextAp = nummer(Groesse::Ap),
    TextFVprozent = nummer(Groesse::rFV), Textpmaxfv = nummer(Groesse::pmaxFV),
    TextBez = anzahlGroessen, TextNummer, TextBearb,
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
