#pragma once

#include "engine/projekt.h"
#include "project/dateiformat.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace velkor {

// The section [Velkor] after the 44 lines, which readers of the 44-line format
// never reach: design temperature, materials and the test data, one
// "Schlüssel=Wert" a line, each only when it differs from its default, then the
// lines of keys this version does not know, as they were read.
// Appends nothing when there is nothing to keep.
void schreibeAbschnitt(std::string& ziel, const Projekt& projekt, dateiformat::Textschreiber& texte);

// Reads what follows line 44 (`rest`, its first line numbered `ersteZeile`) into
// the project. Text that does not begin with a line "[Velkor]" (after empty
// lines) is ignored. Returns the reason that refuses the file, naming the line,
// or an empty text.
std::string leseAbschnitt(std::string_view rest, std::size_t ersteZeile, Projekt& projekt);

} // namespace velkor
