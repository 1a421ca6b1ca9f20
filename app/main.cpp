#include "app/kommandozeile.h"

#include <QCoreApplication>
#include <QLocale>

#include <exception>
#include <iostream>

int main(int argc, char** argv)
{
    QCoreApplication anwendung(argc, argv);
    const std::string dezimaltrenner = QLocale::system().decimalPoint().toStdString();
    try {
        if (const auto status = velkor::kommandozeile(anwendung.arguments().mid(1), std::cout, std::cerr,
                                                      dezimaltrenner))
            return *status;
        // No command given: this is where the window starts; until then, say how to call.
        std::cerr << velkor::benutzung();
        return velkor::ausgang::falscherAufruf;
    } catch (const std::exception& e) {
        std::cerr << "velkor: Unerwarteter Fehler: " << e.what() << '\n';
        return velkor::ausgang::abgebrochen;
    }
}
