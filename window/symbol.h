#pragma once

#include <QIcon>

namespace velkor {

// The program's icon for a title bar, drawn from its SVG. Drawn here, with the SVG
// library the drawing uses anyway, rather than by the toolkit's SVG icon engine,
// whose plugin would be looked up and loaded during start-up.
QIcon programmsymbol();

} // namespace velkor
