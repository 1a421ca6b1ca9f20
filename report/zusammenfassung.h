#pragma once

#include "report/bericht.h"

#include <string>
#include <string_view>
#include <vector>

namespace velkor {

// What closes a design on paper: the design pressure against the governing
// allowable pressure and what governs, the verdict, the notes, and a signature
// block left blank for hand. A run that stopped says so in place of the first
// two. CR LF after every line.
std::string zusammenfassung(const Rechenstand& stand);

// One design of a printed document, as its list names it: read and calculated,
// or the German reason why its file could not be read.
struct Uebersichtseintrag {
    std::string datei;
    const Rechenstand* stand = nullptr; // nothing when the file could not be read
    std::string fehler;
};

// The list of designs that opens a document of several: a heading, a line of
// column names, then one line per design (file, designation and number, shape,
// p, governing pmax, the three reserves, verdict). CR LF after every line.
std::string uebersicht(const std::vector<Uebersichtseintrag>& eintraege);

} // namespace velkor
