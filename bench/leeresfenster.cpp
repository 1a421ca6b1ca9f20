// The start-up floor: a Qt Widgets program that shows a window with one label
// and quits, built like velkor, for scripts/startzeit.sh to compare against.
// The label makes it load the fonts, as every window with text must.
#include <QApplication>
#include <QLabel>
#include <QTimer>
#include <QWidget>

int main(int argc, char** argv)
{
    QApplication anwendung(argc, argv);
    QWidget fenster;
    fenster.resize(544, 388);
    QLabel beschriftung("Velkor", &fenster);
    fenster.show();
    QTimer::singleShot(0, &anwendung, &QCoreApplication::quit);
    return anwendung.exec();
}
