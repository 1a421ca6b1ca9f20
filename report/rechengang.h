#pragma once

#include "report/bericht.h"

#include <optional>
#include <string>
#include <string_view>

namespace velkor {

// The section "RECHENGANG" of one run: every quantity the run formed, in the
// order it formed them, each with its formula in symbols, the formula with the
// values put in and the result with its unit. A run that stopped before its
// verdict is shown as far as it went, with the step and the reason of the stop.
// Only values the run recorded are shown; nothing is computed here. Starts with
// an empty line, CR LF after every line, at most 66 columns.
std::string rechengang(const Berichtsdaten& daten, const Rechenlauf& lauf);

// The same section for the check at test pressure ("RECHENGANG PRÜFZUSTAND"),
// headed by the test pressure and its minimum; `betrieb` is the operating case's data.
std::string rechengang(const Berichtsdaten& betrieb, const Pruefzustand& pruefung);

// The text shown and written with the section: the report followed by the
// section, or for a run without a report the refusal line followed by it.
std::string mitRechengang(const std::optional<std::string>& bericht, std::string_view rechengang);

} // namespace velkor
