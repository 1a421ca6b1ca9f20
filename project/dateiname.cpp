#include "project/dateiname.h"

#include "project/steuerzeichen.h"

#include <algorithm>

namespace velkor {

namespace {

char klein(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

} // namespace

bool dateinameZulaessig(std::string_view name)
{
    if (name == "." || name == "..")
        return false;
    constexpr std::string_view verboten = "\\/:*?\"<>|";
    for (std::size_t i = 0; i < name.size(); ++i)
        if (steuerzeichenAn(name, i) || verboten.find(name[i]) != std::string_view::npos)
            return false;
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
