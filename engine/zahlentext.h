#pragma once

#include "engine/berechnungsdaten.h"

#include <string>
#include <string_view>

namespace velkor {

// Entry text to number: every comma, and the user's regional decimal separator
// (which may be several bytes, as "٫" is), becomes a point; then the leading
// decimal number is read (leading blanks skipped; sign, digits, one point,
// exponent with E or D; blanks, tabs and line feeds between its characters
// skipped). A text without a leading number gives 0. A number beyond the range
// of a double gives an infinite value with its sign; callers must not store it.
// Never depends on the process locale, only on the separator handed in.
double zahlAusText(std::string_view text, std::string_view regionalerTrenner);

// Number to display text in the given pattern with the given decimal
// separator (the user's regional one): no digit grouping, at least one
// integer digit. The shortest decimal that reads back as the value is rounded
// half away from zero, so an entry of 2.675 shows 2.68. A negative value that
// rounds to zero keeps its minus sign ("-0.00", "-0"), so a negative reserve
// never reads as a non-negative one; negative zero gives "0.00". Values that
// are not finite (the calculation never writes one) give "∞", "-∞" and "NaN".
std::string anzeigetext(double wert, Muster muster, std::string_view dezimaltrenner);

} // namespace velkor
