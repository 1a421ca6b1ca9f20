#include "window/uebersetzung.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace velkor {

bool ladeDeutscheUebersetzung(QCoreApplication& anwendung)
{
    auto* uebersetzer = new QTranslator(&anwendung);
    if (!uebersetzer->load(QStringLiteral("qtbase_de"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete uebersetzer;
        return false;
    }
    return QCoreApplication::installTranslator(uebersetzer);
}

} // namespace velkor
