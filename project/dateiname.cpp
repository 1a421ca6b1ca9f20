#include "project/dateiname.h"

#include <algorithm>

namespace velkor {

namespace {

bool steuerzeichen(unsigned char c) { return c < 0x20 || c == 0x7F; }

char klein(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

} // namespace

bool dateinameZulaessig(std::string_view name)
{
    if (name == "." || name == "..")
        return false;
    constexpr std::string_view verboten = "\\/:*?\"<>|";
    for (std::size_t i = 0; i < name.size(); ++i) {
        const auto c = static_cast<unsigned char>(name[i]);
        if (steuerzeichen(c) || verboten.find(name[i]) != std::string_view::npos)
            return false;
        // U+0080 to U+009F, the C1 control characters, in UTF-8.
        if (c == 0xC2 && i + 1 < name.size()) {
            const auto folge = static_cast<unsigned char>(name[i + 1]);
            if (folge >= 0x80 && folge <= 0x9F)
                return false;
        }
    }
    return true;
}

std::string mitEndung(std::string pfad, std::string_view endung)
{
    const bool hatEndung =
        pfad.size() >= endung.size()
        && std::equal(endung.begin(), endung.end(), pfad.end() - static_cast<std::ptrdiff_t>(endung.size()),
                      [](char a, char b) { return klein(a) == klein(b); });
    if (!hatEndung)
        pfad += endung;
    return pfad;
}

} // namespace velkor
