#include "project/dateiersatz.h"

#include "project/systemgrund.h"

#include <QBuffer>
#include <QByteArray>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>

#include <sys/stat.h>
#include <unistd.h>

namespace velkor {

namespace {

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

// The errno of stat(), 0 when it found the path.
int untersuche(const std::string& pfad, struct stat& info)
{
    return ::stat(pfad.c_str(), &info) == 0 ? 0 : errno;
}

} // namespace

// Each message gives its reason before the path: a status line cuts long
// texts at the end, and a path can be long.
std::optional<std::string> ersetzeDatei(const std::string& pfad, const std::function<bool(QIODevice&)>& schreibe)
{
    if (pfad.empty())
        return "Es ist kein Dateiname angegeben.";

    const QString qpfad = QString::fromStdString(pfad);
    const QFileInfo ziel(qpfad);
    const std::string ordnerpfad = ziel.absolutePath().toStdString();
    const std::string name = "„" + pfad + "“.";
    const std::string ordnername = "„" + ordnerpfad + "“.";
    // stat() rather than "exists": a folder that may not be entered, a name too
    // long or a loop of links is no missing file, and the message says which.
    struct stat info {};
    const int zielfehler = untersuche(pfad, info);
    const bool gibtEs = zielfehler == 0;
    if (gibtEs && S_ISDIR(info.st_mode))
        return "Das Ziel ist ein Ordner: " + name;
    // The temporary file would be renamed over a pipe or a device such as /dev/null.
    if (gibtEs && !S_ISREG(info.st_mode))
        return "Das Ziel ist keine gewöhnliche Datei: " + name;
    if (const int fehler = untersuche(ordnerpfad, info); fehler == ENOENT)
        return "Der Ordner existiert nicht: " + ordnername;
    else if (fehler != 0)
        return "Der Ordner ist nicht erreichbar (" + systemgrund(fehler) + "): " + ordnername;
    if (!S_ISDIR(info.st_mode))
        return "Der Pfad davor ist kein Ordner: " + ordnername;
    if (!gibtEs && zielfehler != ENOENT)
        return "Die Datei ist nicht erreichbar (" + systemgrund(zielfehler) + "): " + name;
    if (!QFileInfo(QString::fromStdString(ordnerpfad)).isWritable())
        return "Der Ordner ist schreibgeschützt: " + ordnername;
    if (gibtEs && !ziel.isWritable())
        return "Die Datei ist schreibgeschützt: " + name;
    // Said only where there was an earlier file to keep.
    const std::string unveraendert = gibtEs ? "; eine frühere Datei dieses Namens ist unverändert."
                                            : "; es wurde keine Datei angelegt.";

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
    // The toolkit's reasons are English; the errno of its failed call is the system's.
    errno = 0;
    if (!datei.open(QIODevice::WriteOnly)) {
        const int fehler = errno;
        return "Im Ordner kann keine Datei angelegt werden (" + systemgrund(fehler) + "): " + ordnername;
    }
    // commit() syncs too but ignores a failure of it; here a failed sync fails the write.
    // Leaving without commit() discards the temporary file.
    if (const int fehler = schreibeGanz(datei.handle(), inhalt))
        return "Die Datei kann nicht geschrieben werden (" + systemgrund(fehler) + ")" + unveraendert;
    if (::fsync(datei.handle()) != 0) {
        const int fehler = errno;
        return "Die Datei kann nicht auf den Datenträger geschrieben werden (" + systemgrund(fehler) + ")" + unveraendert;
    }
    errno = 0;
    if (!datei.commit()) {
        const int fehler = errno;
        return "Die Datei kann nicht ersetzt werden (" + systemgrund(fehler) + ")" + unveraendert;
    }
    return std::nullopt;
}

} // namespace velkor
