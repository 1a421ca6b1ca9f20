#include "project/dateiersatz.h"

#include <QBuffer>
#include <QByteArray>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <cstring>

#include <unistd.h>

namespace velkor {

namespace {

// The reason the system gave, in German where the usual texts exist; otherwise
// the system's own text rather than none at all.
std::string systemgrund(int fehlernummer)
{
    switch (fehlernummer) {
    case EIO: return "Ein-/Ausgabefehler";
    case ENOSPC: return "Kein Speicherplatz mehr auf dem Gerät";
    case EDQUOT: return "Das Speicherkontingent (Quota) ist überschritten";
    case EROFS: return "Das Dateisystem ist nur lesbar";
    case EACCES: return "Keine Berechtigung";
    case EPERM: return "Die Operation ist nicht erlaubt";
    case EFBIG: return "Die Datei ist zu groß";
    case ENOENT: return "Datei oder Verzeichnis nicht gefunden";
    case ENOTDIR: return "Ist kein Verzeichnis";
    case EISDIR: return "Ist ein Verzeichnis";
    case ENAMETOOLONG: return "Der Dateiname ist zu lang";
    case EINVAL: return "Ungültiges Argument";
    case EMFILE:
    case ENFILE: return "Zu viele offene Dateien";
    default: return std::strerror(fehlernummer);
    }
}

// Every byte, or the errno of the write that failed.
int schreibeGanz(int datei, const QByteArray& inhalt)
{
    const char* rest = inhalt.constData();
    qsizetype offen = inhalt.size();
    while (offen > 0) {
        const ssize_t geschrieben = ::write(datei, rest, static_cast<std::size_t>(offen));
        if (geschrieben < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        rest += geschrieben;
        offen -= geschrieben;
    }
    return 0;
}

const std::string unveraendert = "; eine frühere Datei dieses Namens ist unverändert.";

} // namespace

// Each message gives its reason before the path: a status line cuts long
// texts at the end, and a path can be long.
std::optional<std::string> ersetzeDatei(const std::string& pfad, const std::function<bool(QIODevice&)>& schreibe)
{
    if (pfad.empty())
        return "Es ist kein Dateiname angegeben.";

    const QString qpfad = QString::fromStdString(pfad);
    const QFileInfo ziel(qpfad);
    const QString ordnerpfad = ziel.absolutePath();
    const QFileInfo ordner(ordnerpfad);
    const std::string name = "„" + pfad + "“.";
    const std::string ordnername = "„" + ordnerpfad.toStdString() + "“.";
    if (ziel.isDir())
        return "Das Ziel ist ein Ordner: " + name;
    // The temporary file would be renamed over a pipe or a device such as /dev/null.
    if (ziel.exists() && !ziel.isFile())
        return "Das Ziel ist keine gewöhnliche Datei: " + name;
    if (!ordner.exists())
        return "Der Ordner existiert nicht: " + ordnername;
    if (!ordner.isDir())
        return "Der Pfad davor ist kein Ordner: " + ordnername;
    if (!ordner.isWritable())
        return "Der Ordner ist schreibgeschützt: " + ordnername;
    if (ziel.exists() && !ziel.isWritable())
        return "Die Datei ist schreibgeschützt: " + name;

    // Made in memory first: content that cannot be made leaves no trace on disk,
    // and the bytes then go out by plain system calls, whose errno names the reason.
    QByteArray inhalt;
    {
        QBuffer puffer(&inhalt);
        puffer.open(QIODevice::WriteOnly);
        if (!schreibe(puffer))
            return "Der Inhalt der Datei kann nicht erzeugt werden" + unveraendert;
    }

    // Never fall back to writing the target in place: an interrupted write
    // would destroy the earlier file.
    QSaveFile datei(qpfad);
    datei.setDirectWriteFallback(false);
    if (!datei.open(QIODevice::WriteOnly))
        return "Im Ordner kann keine Datei angelegt werden (" + datei.errorString().toStdString() + "): " + ordnername;
    // commit() syncs too but ignores a failure of it; here a failed sync fails the write.
    // Leaving without commit() discards the temporary file.
    if (const int fehler = schreibeGanz(datei.handle(), inhalt))
        return "Die Datei kann nicht geschrieben werden (" + systemgrund(fehler) + ")" + unveraendert;
    if (::fsync(datei.handle()) != 0) {
        const int fehler = errno;
        return "Die Datei kann nicht auf den Datenträger geschrieben werden (" + systemgrund(fehler) + ")" + unveraendert;
    }
    if (!datei.commit())
        return "Die Datei kann nicht ersetzt werden (" + datei.errorString().toStdString() + ")" + unveraendert;
    return std::nullopt;
}

} // namespace velkor
