#pragma once

#include "engine/projekt.h"

#include <optional>
#include <string>
#include <string_view>

namespace velkor {

// A file is read whole or not at all: either the complete project or a German
// reason that names the line ("Zeile 39: ...").
struct Leseergebnis {
    std::optional<Projekt> projekt;
    std::string fehler;
};

// The lines of a project file, Windows-1252 with CR LF.
struct Dateiinhalt {
    std::string bytes;
    // Characters of the heading texts and materials that the file cannot hold as they are,
    // each once, in order of appearance (UTF-8); empty when nothing was replaced.
    std::string ersetzteZeichen;
};

struct Speicherergebnis {
    bool ok = false;
    std::string fehler;           // German reason when !ok
    std::string ersetzteZeichen;  // as in Dateiinhalt
};

Dateiinhalt schreibeProjekt(const Projekt& projekt);
Leseergebnis leseProjekt(std::string_view bytes);

// Writes atomically: a temporary file in the target's folder, flushed to disk,
// then renamed over the target. A failed save leaves an earlier file as it was.
Speicherergebnis speichereProjektdatei(const std::string& pfad, const Projekt& projekt);

// Replaced characters (as in Speicherergebnis) for a message: each in „…“, a
// control character by its code ("U+0009"), so none is invisible or breaks the line.
std::string sichtbareZeichen(std::string_view ersetzteZeichen);
Leseergebnis ladeProjektdatei(const std::string& pfad);

} // namespace velkor
