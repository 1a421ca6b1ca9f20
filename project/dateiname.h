#pragma once

#include <string>
#include <string_view>

namespace velkor {

// Whether a name proposed from the project heading can name one file in a
// folder: no path separator, none of \ / : * ? " < > |, no control character,
// and neither "." nor "..". The empty name is allowed (the dialog then starts empty).
bool dateinameZulaessig(std::string_view name);

// The path with `endung` (".vlk") appended unless it already ends with it, in
// any case. A designation such as "Pos. 1.2" has no extension of its own, so
// nothing short of the project extension counts as one.
std::string mitEndung(std::string pfad, std::string_view endung);

} // namespace velkor
