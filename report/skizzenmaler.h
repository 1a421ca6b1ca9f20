#pragma once

#include "report/skizze.h"

#include <optional>
#include <string>

class QPainter;
class QRectF;

namespace velkor {

// The sheet of the drawing written alone (--skizze): A4 landscape inside 10 mm margins.
inline constexpr double dateiblattBreite = 277;
inline constexpr double dateiblattHoehe = 190;

// Paints the sheet into `ziel` (the device's units), scaled to fit and centred.
// The one drawing routine for screen, printer, PDF, SVG and PNG.
void maleSkizze(QPainter& maler, const Skizze& skizze, const QRectF& ziel);

// Writes the drawing alone as SVG or PNG, chosen by the name's ending, whole or
// not at all. Nothing on success, else a German reason; an earlier file of that
// name then stays as it was.
std::optional<std::string> schreibeSkizze(const std::string& pfad, const Rechenstand& quelle);

} // namespace velkor
