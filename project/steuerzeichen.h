#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace velkor {

// C0 controls, DEL and the C1 controls U+0080 to U+009F. Invisible, they would
// break a project file's line, a folder's name, a terminal or an SVG's XML.
constexpr bool istSteuerzeichen(char32_t z) { return z < 0x20 || (z >= 0x7F && z <= 0x9F); }

// The length in bytes of the control character at `i` of a UTF-8 text, 0 for none.
std::size_t steuerzeichenAn(std::string_view utf8, std::size_t i);

// The heading text with every control character a blank, as a project file holds it.
std::string ohneSteuerzeichen(std::string_view utf8);

} // namespace velkor
