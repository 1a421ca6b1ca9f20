#include "window/formvelkor.h"
#include "window/qtdialoge.h"
#include "window/uebersetzung.h"

#include <QApplication>
#include <QTimer>

int main(int argc, char** argv)
{
    QApplication anwendung(argc, argv);
    velkor::ladeDeutscheUebersetzung(anwendung);
    velkor::QtDialoge dialoge;
    velkor::FormVelkor fenster(dialoge);
    fenster.show();
    // Start-up measurement only (scripts/startzeit.sh): end once the window is up.
    if (qEnvironmentVariableIsSet("VELKOR_STARTMESSUNG"))
        QTimer::singleShot(0, &anwendung, &QCoreApplication::quit);
    return anwendung.exec();
}
