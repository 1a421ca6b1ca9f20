// The start-up floor: a Qt Widgets program that shows an empty window and quits,
// built like velkor, for scripts/startzeit.sh to compare against.
#include <QApplication>
#include <QTimer>
#include <QWidget>

int main(int argc, char** argv)
{
    QApplication anwendung(argc, argv);
    QWidget fenster;
    fenster.resize(544, 388);
    fenster.show();
    QTimer::singleShot(0, &anwendung, &QCoreApplication::quit);
    return anwendung.exec();
}
