#pragma once

#include <QIcon>

namespace velkor {

// The program's icon for a title bar, drawn from its SVG when the desktop asks
// for it, with the SVG library the drawing uses anyway: the toolkit's SVG icon
// engine would have its plugin looked up and loaded during start-up.
QIcon programmsymbol();

} // namespace velkor
