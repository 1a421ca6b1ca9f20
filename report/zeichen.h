#pragma once

#include <algorithm>
#include <cstddef>
#include <string_view>

namespace velkor {

// Report lines and drawing labels are measured in characters, not bytes: they
// hold umlauts, ß, ·, √ and ², several bytes each in UTF-8.
constexpr bool beginntZeichen(char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }

constexpr std::size_t zeichenzahl(std::string_view utf8)
{
    return static_cast<std::size_t>(std::ranges::count_if(utf8, beginntZeichen));
}

} // namespace velkor
