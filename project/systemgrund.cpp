#include "project/systemgrund.h"

#include <cerrno>

namespace velkor {

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
    case ENOENT: return "Datei oder Ordner nicht gefunden";
    case ENOTDIR: return "Ein Teil des Pfades ist kein Ordner";
    case EISDIR: return "Das ist ein Ordner";
    case ENAMETOOLONG: return "Der Name ist zu lang";
    case ELOOP: return "Zu viele Ebenen symbolischer Verknüpfungen (eine Schleife?)";
    case EINVAL: return "Ungültiges Argument";
    case EBUSY: return "Das Gerät oder die Datei ist belegt";
    case ETXTBSY: return "Die Datei wird gerade ausgeführt";
    case EXDEV: return "Der Pfad führt auf ein anderes Dateisystem";
    case EMFILE:
    case ENFILE: return "Zu viele offene Dateien";
    case ENOMEM: return "Nicht genügend Speicher";
    case ESTALE: return "Die Netzwerkdatei ist nicht mehr gültig";
    case EINTR: return "Unterbrochen";
    case 0: return "Grund unbekannt";
    default: return "Systemfehler Nr. " + std::to_string(fehlernummer);
    }
}

} // namespace velkor
