#pragma once

#include <string>

namespace velkor {

// The German reason for an errno value of a file operation, such as
// "Kein Speicherplatz mehr auf dem Gerät". Every file message takes its reason
// from here, never the system's or the toolkit's English text.
std::string systemgrund(int fehlernummer);

} // namespace velkor
