#pragma once

#include <QStringDecoder>
#include <QStringEncoder>

#include <optional>
#include <string>
#include <string_view>

// The spelling of numbers and texts in a project file, shared by its 44 lines
// and its section [Velkor].
namespace velkor::dateiformat {

std::string ausWindows1252(std::string_view bytes);

// Up to 15 significant digits, point as separator, exponent from 1E+15 and
// below 1E-04 (as printf's %.15g decides), with a capital E.
void schreibeZahl(std::string& ziel, double wert);

enum class Zahlfehler { keiner, keineZahl, ausserhalb };

// One number in point notation (exponent allowed) and nothing else but blanks;
// an empty field counts as 0.
Zahlfehler leseZahl(std::string_view feld, double& wert);

// Appends UTF-8 texts in Windows-1252. Control characters and what
// Windows-1252 cannot hold are replaced and noted, so that a text never breaks
// a line or becomes unreadable.
class Textschreiber {
public:
    // In double quotes, a double quote inside becoming "'" (it would end the field early).
    void schreibe(std::string& ziel, const std::string& utf8);
    // As it is, the value of a "Schlüssel=Wert" line.
    void schreibeWert(std::string& ziel, const std::string& utf8);

    // Each replaced character once, in order of appearance (UTF-8).
    std::string ersetzteZeichen;

private:
    void schreibeZeichen(std::string& ziel, const std::string& utf8, bool inAnfuehrung);
    void ersetze(std::string& ziel, QStringView zeichen, char ersatz);
    std::optional<char> alsWindows1252(QStringView zeichen);

    std::optional<QStringEncoder> encoder_;
    std::optional<QStringDecoder> decoder_;
};

std::string_view ohneFuehrendeLeerzeichen(std::string_view s);
std::string_view ohneLeerzeichen(std::string_view s);

// "Zeile 39: „7“ ist …": the field shortened, every byte that makes it wrong visible.
std::string zeilenfehler(std::size_t zeile, std::string_view inhalt, std::string_view was);

} // namespace velkor::dateiformat
