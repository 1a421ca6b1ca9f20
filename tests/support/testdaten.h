#pragma once

#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace velkor {

// The bytes of a file.
inline std::string inhalt(const std::string& pfad)
{
    std::ifstream f(pfad, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), {}};
}

// The bytes of a file under tests/data.
inline std::string testdaten(const std::string& name) { return inhalt(std::string(VELKOR_TESTDATEN) + "/" + name); }

// A number text with the regional separator ("," or the two bytes of "٫") for its point or comma.
inline std::string mitTrenner(std::string text, const std::string& trenner)
{
    for (std::size_t i = text.find_first_of(".,"); trenner != "." && i != std::string::npos; i = text.find_first_of(".,", i))
        text.replace(i, 1, trenner), i += trenner.size();
    return text;
}

// The rows of a table under tests/data: each line split at tabs; empty lines
// and lines starting with "#" are comments.
inline std::vector<std::vector<std::string>> tabelle(const std::string& name)
{
    std::vector<std::vector<std::string>> zeilen;
    std::istringstream text(testdaten(name));
    for (std::string zeile; std::getline(text, zeile);) {
        if (zeile.empty() || zeile[0] == '#')
            continue;
        std::vector<std::string>& felder = zeilen.emplace_back();
        std::istringstream z(zeile);
        for (std::string feld; std::getline(z, feld, '\t');)
            felder.push_back(feld);
        if (zeile.back() == '\t')
            felder.emplace_back();
    }
    // A missing table must fail the test, not pass it without a single row.
    if (zeilen.empty())
        throw std::runtime_error("Tabelle ohne Zeilen: " + name);
    return zeilen;
}

} // namespace velkor
