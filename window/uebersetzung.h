#pragma once

class QCoreApplication;

namespace velkor {

// Installs the toolkit's own German texts (standard buttons, context menus),
// whatever the user's language, since the whole program speaks German.
// False when the translation file is not installed; the program then runs with English ones.
bool ladeDeutscheUebersetzung(QCoreApplication& anwendung);

} // namespace velkor
