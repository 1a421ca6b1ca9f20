#include "app/kommandozeile.h"
#include "report/druck.h"
#include "report/skizzenmaler.h"
#include "window/formvelkor.h"
#include "window/qtdialoge.h"
#include "window/uebersetzung.h"

#include <QApplication>
#include <QLocale>
#include <QTimer>

#include <cstdlib>
#include <exception>
#include <iostream>
#include <optional>

int main(int argc, char** argv)
{
    // Taken before the toolkit removes its own options from argv.
    QStringList argumente;
    for (int i = 1; i < argc; ++i)
        argumente << QString::fromLocal8Bit(argv[i]);
    const std::optional<QStringList> fensterdateien = velkor::fensterdateien(argumente);
    // A command shows no window, so it must run without a display too; it still
    // needs fonts and printing for --pdf.
    if (!fensterdateien) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        // Scripts read standard error: it carries our German messages only, not
        // the toolkit's English notes (say, a missing XDG_RUNTIME_DIR).
        qInstallMessageHandler([](QtMsgType typ, const QMessageLogContext&, const QString& text) {
            if (typ == QtFatalMsg) {
                std::cerr << text.toStdString() << '\n';
                std::abort();
            }
        });
    }
    QApplication anwendung(argc, argv);
    const std::string dezimaltrenner = QLocale::system().decimalPoint().toStdString();
    if (!fensterdateien) {
        try {
            const auto pdf = [](const std::string& pfad, const std::string& bericht,
                                const velkor::Skizzenquelle& skizze) {
                return velkor::druckeInPdf(pfad, QString::fromStdString(bericht), &skizze);
            };
            return velkor::kommandozeile(argumente, std::cout, std::cerr, dezimaltrenner, pdf, velkor::schreibeSkizze)
                .value_or(velkor::ausgang::falscherAufruf);
        } catch (const std::exception& e) {
            std::cerr << "velkor: Unerwarteter Fehler: " << e.what() << '\n';
            return velkor::ausgang::abgebrochen;
        }
    }
    if (fensterdateien->size() > 1) {
        std::cerr << "velkor: Das Fenster öffnet höchstens eine Datei.\n\n" << velkor::benutzung();
        return velkor::ausgang::falscherAufruf;
    }

    velkor::ladeDeutscheUebersetzung(anwendung);
    velkor::QtDialoge dialoge;
    velkor::FormVelkor fenster(dialoge);
    fenster.show();
    if (!fensterdateien->isEmpty())
        fenster.lade(fensterdateien->front().toStdString());
    // Start-up measurement only (scripts/startzeit.sh): end once the window is up.
    if (qEnvironmentVariableIsSet("VELKOR_STARTMESSUNG"))
        QTimer::singleShot(0, &anwendung, &QCoreApplication::quit);
    return anwendung.exec();
}
