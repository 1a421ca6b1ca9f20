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
    // Refused before anything is read or written: such a name would reach
    // another file than the one the user named.
    const std::optional<QStringList> alsText = velkor::argumenteAlsText(argc, argv, std::cerr);
    if (!alsText)
        return velkor::ausgang::falscherAufruf;
    const QStringList& argumente = *alsText;
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
    // The toolkit sees only the program name: an option of its own (-platform,
    // -style, …) is none of ours and must not change or abort a run. Every
    // argument was judged above; the window's file names are already taken.
    int qtArgc = 1;
    char* qtArgv[] = {argv[0], nullptr};
    QApplication anwendung(qtArgc, qtArgv);
    const std::string dezimaltrenner = QLocale::system().decimalPoint().toStdString();
    if (!fensterdateien) {
        try {
            const auto pdf = [](const std::string& pfad, const std::string& uebersicht,
                                const std::vector<velkor::PdfTeil>& teile) {
                velkor::Druckwerk werk{QString::fromStdString(uebersicht), {}};
                for (const velkor::PdfTeil& t : teile)
                    werk.teile.append({QString::fromStdString(t.datei), QString::fromStdString(t.bericht), t.stand});
                return velkor::druckeInPdf(pfad, werk);
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
    // Started from a terminal or a file manager, a file that cannot be loaded is said on stderr too.
    if (!fensterdateien->isEmpty() && !fenster.lade(fensterdateien->front().toStdString()))
        std::cerr << "velkor: " << fenster.formular().statustext() << '\n';
    // Start-up measurement only (scripts/startzeit.sh): end once the window is up.
    if (qEnvironmentVariableIsSet("VELKOR_STARTMESSUNG"))
        QTimer::singleShot(0, &anwendung, &QCoreApplication::quit);
    return anwendung.exec();
}
