#pragma once

#include <functional>
#include <optional>
#include <string>

class QIODevice;

namespace velkor {

// Writes a file whole or not at all. `schreibe` writes the whole content into
// the device it is given (a buffer in memory) and returns false when that
// failed. The bytes then go into a temporary file in the target's folder, which
// is flushed to disk and renamed over the target. The target must be missing or
// a regular file: a folder, a pipe or a device is refused before anything is
// written. Nothing on success, else a German reason (the system's in German);
// an earlier file of that name is then left byte for byte as it was, and the
// reason says so only where there was one.
std::optional<std::string> ersetzeDatei(const std::string& pfad, const std::function<bool(QIODevice&)>& schreibe);

} // namespace velkor
