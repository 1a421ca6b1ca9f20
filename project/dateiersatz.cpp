#include "project/dateiersatz.h"

#include <QFileInfo>
#include <QSaveFile>

#include <unistd.h>

namespace velkor {

std::optional<std::string> ersetzeDatei(const std::string& pfad, const std::function<bool(QIODevice&)>& schreibe)
{
    if (pfad.empty())
        return "Es ist kein Dateiname angegeben.";

    const QString qpfad = QString::fromStdString(pfad);
    const QFileInfo ziel(qpfad);
    const QString ordnerpfad = ziel.absolutePath();
    const QFileInfo ordner(ordnerpfad);
    const std::string ordnertext = "„" + ordnerpfad.toStdString() + "“";
    if (ziel.isDir())
        return "„" + pfad + "“ ist ein Ordner.";
    // The temporary file would be renamed over a pipe or a device such as /dev/null.
    if (ziel.exists() && !ziel.isFile())
        return "„" + pfad + "“ ist keine gewöhnliche Datei.";
    if (!ordner.exists())
        return "Der Ordner " + ordnertext + " existiert nicht.";
    if (!ordner.isDir())
        return ordnertext + " ist kein Ordner.";
    if (!ordner.isWritable())
        return "Der Ordner " + ordnertext + " ist schreibgeschützt.";
    if (ziel.exists() && !ziel.isWritable())
        return "Die Datei „" + pfad + "“ ist schreibgeschützt.";

    // Never fall back to writing the target in place: an interrupted write
    // would destroy the earlier file.
    QSaveFile datei(qpfad);
    datei.setDirectWriteFallback(false);
    if (!datei.open(QIODevice::WriteOnly))
        return "Im Ordner " + ordnertext + " kann keine Datei angelegt werden (" + datei.errorString().toStdString()
            + ").";
    // commit() syncs too but ignores a failure of it; here a failed sync fails the write.
    // Leaving without commit() discards the temporary file.
    if (!schreibe(datei) || datei.error() != QFileDevice::NoError || !datei.flush() || ::fsync(datei.handle()) != 0)
        return "Die Datei kann nicht geschrieben werden (" + datei.errorString().toStdString()
            + "); eine frühere Datei dieses Namens ist unverändert.";
    if (!datei.commit())
        return "Die Datei kann nicht ersetzt werden (" + datei.errorString().toStdString()
            + "); eine frühere Datei dieses Namens ist unverändert.";
    return std::nullopt;
}

} // namespace velkor
