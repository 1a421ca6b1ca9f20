#include "project/projektdatei.h"

#include "project/dateiersatz.h"
#include "project/dateiformat.h"
#include "project/steuerzeichen.h"
#include "project/systemgrund.h"
#include "project/velkorabschnitt.h"

#include <QIODevice>
#include <QString>

#include <algorithm>
#include <array>
#include <cstddef>
#include <optional>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace velkor {

namespace {

using dateiformat::ausWindows1252;
using dateiformat::leseZahl;
using dateiformat::ohneFuehrendeLeerzeichen;
using dateiformat::ohneLeerzeichen;
using dateiformat::schreibeZahl;
using dateiformat::Textschreiber;
using dateiformat::Zahlfehler;

// After the quantities' lines: the shape, the three switches and the three heading texts.
constexpr std::size_t zeileForm = anzahlGroessen + 1;
constexpr std::size_t zeileStutzen = zeileForm + 1;
constexpr std::size_t zeileBezeichnung = zeileStutzen + 3;
constexpr std::size_t anzahlZeilen = zeileBezeichnung + 2;
// A real project file has well under 2 KiB; anything far larger is not one.
constexpr std::size_t hoechstgroesse = 64 * 1024;

std::string zeilenzahl() { return std::to_string(anzahlZeilen) + " Zeilen"; }

// The quantities in the order of their lines.
const std::array<Groesse, anzahlGroessen>& dateiReihenfolge()
{
    static const std::array<Groesse, anzahlGroessen> folge = [] {
        std::array<Groesse, anzahlGroessen> f{};
        for (const Groesseninfo& g : groessen())
            f[static_cast<std::size_t>(g.dateizeile - 1)] = g.groesse;
        return f;
    }();
    return folge;
}

Leseergebnis fehler(std::string text) { return {std::nullopt, std::move(text)}; }

Leseergebnis zeilenfehler(std::size_t zeile, std::string_view inhalt, std::string_view was)
{
    return fehler(dateiformat::zeilenfehler(zeile, inhalt, was));
}

Leseergebnis zuGross(std::size_t groesse)
{
    return fehler("Datei zu groß (" + std::to_string(groesse) +
                  " Bytes); eine Projektdatei hat höchstens 64 KiB.");
}

// A quoted text runs to the next double quote; the rest of the line is ignored.
std::string leseText(std::string_view feld)
{
    if (!feld.empty() && feld.front() == '"') {
        feld.remove_prefix(1);
        feld = feld.substr(0, feld.find('"'));
    }
    return ausWindows1252(feld);
}

} // namespace

Dateiinhalt schreibeProjekt(const Projekt& projekt)
{
    Dateiinhalt inhalt;
    std::string& b = inhalt.bytes;
    b.reserve(640);
    for (Groesse g : dateiReihenfolge()) {
        schreibeZahl(b, wert(projekt.daten, g));
        b += "\r\n";
    }
    b += projekt.daten.zylinder ? "#TRUE#\r\n" : "#FALSE#\r\n";
    for (bool schalter : {projekt.stutzen, projekt.ausgehalst, projekt.scheibe})
        b += schalter ? "1\r\n" : "0\r\n";
    Textschreiber texte;
    for (const std::string* text : {&projekt.bezeichnung, &projekt.nummer, &projekt.bearbeiter}) {
        texte.schreibe(b, *text);
        b += "\r\n";
    }
    schreibeAbschnitt(b, projekt, texte);
    inhalt.ersetzteZeichen = std::move(texte.ersetzteZeichen);
    return inhalt;
}

Leseergebnis leseProjekt(std::string_view bytes)
{
    if (bytes.size() > hoechstgroesse)
        return zuGross(bytes.size());
    if (const auto null = bytes.find('\0'); null != std::string_view::npos) {
        const auto zeile = 1 + std::count(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(null), '\n');
        return fehler("Zeile " + std::to_string(zeile) +
                      ": Die Datei enthält Binärdaten (Nullbytes) und ist keine Projektdatei.");
    }

    std::array<std::string_view, anzahlZeilen> zeilen;
    std::size_t anzahl = 0;
    std::string_view rest = bytes;
    while (anzahl < anzahlZeilen && !rest.empty()) {
        const auto ende = rest.find('\n');
        std::string_view zeile = rest.substr(0, ende);
        rest = ende == std::string_view::npos ? std::string_view() : rest.substr(ende + 1);
        if (!zeile.empty() && zeile.back() == '\r')
            zeile.remove_suffix(1);
        zeilen[anzahl++] = ohneFuehrendeLeerzeichen(zeile);
    }
    if (anzahl == 0)
        return fehler("Die Datei ist leer; eine Projektdatei hat " + zeilenzahl() + ".");
    // Such a file reads as one long line; counting its lines would only confuse.
    if (anzahl < anzahlZeilen && bytes.find('\n') == std::string_view::npos && bytes.find('\r') != std::string_view::npos)
        return fehler("Die Zeilenenden der Datei sind nur CR (ohne LF); eine Projektdatei hat " + zeilenzahl() + " mit CR LF.");
    if (anzahl < anzahlZeilen)
        return fehler("Die Datei endet nach Zeile " + std::to_string(anzahl) +
                      "; eine Projektdatei hat " + zeilenzahl() + ".");

    Projekt projekt;
    for (std::size_t i = 0; i < anzahlGroessen; ++i) {
        const std::string_view feld = ohneLeerzeichen(zeilen[i]);
        switch (leseZahl(feld, wert(projekt.daten, dateiReihenfolge()[i]))) {
        case Zahlfehler::keiner:
            break;
        case Zahlfehler::keineZahl:
            return zeilenfehler(i + 1, feld, "ist keine Zahl.");
        case Zahlfehler::ausserhalb:
            return zeilenfehler(i + 1, feld, "liegt außerhalb des darstellbaren Zahlenbereichs.");
        }
    }

    const std::string_view form = ohneLeerzeichen(zeilen[zeileForm - 1]);
    if (form != "#TRUE#" && form != "#FALSE#" && !form.empty())
        return zeilenfehler(zeileForm, form,
                            "ist keine gültige Form (erlaubt: #TRUE# für Zylinder oder #FALSE# für Kugel).");
    projekt.daten.zylinder = form == "#TRUE#";

    // Only 0 and 1: the report tests a switch for equality with 1 in some
    // places and for "not 0" in others, so any other value would split them.
    bool* schalter[] = {&projekt.stutzen, &projekt.ausgehalst, &projekt.scheibe};
    for (std::size_t i = 0; i < 3; ++i) {
        const std::size_t nr = zeileStutzen + i;
        const std::string_view feld = ohneLeerzeichen(zeilen[nr - 1]);
        if (feld != "0" && feld != "1" && !feld.empty())
            return zeilenfehler(nr, feld, "ist kein gültiger Schalterwert (erlaubt: 0 oder 1).");
        *schalter[i] = feld == "1";
    }

    projekt.bezeichnung = leseText(zeilen[zeileBezeichnung - 1]);
    projekt.nummer = leseText(zeilen[zeileBezeichnung]);
    projekt.bearbeiter = leseText(zeilen[zeileBezeichnung + 1]);
    if (std::string grund = leseAbschnitt(rest, anzahlZeilen + 1, projekt); !grund.empty())
        return fehler(std::move(grund));
    return {std::move(projekt), {}};
}

Speicherergebnis speichereProjektdatei(const std::string& pfad, const Projekt& projekt)
{
    Dateiinhalt inhalt = schreibeProjekt(projekt);
    Speicherergebnis ergebnis;
    ergebnis.ersetzteZeichen = std::move(inhalt.ersetzteZeichen);
    const auto fehler = ersetzeDatei(pfad, [&](QIODevice& datei) {
        const auto groesse = static_cast<qint64>(inhalt.bytes.size());
        return datei.write(inhalt.bytes.data(), groesse) == groesse;
    });
    ergebnis.ok = !fehler;
    ergebnis.fehler = fehler.value_or(std::string());
    return ergebnis;
}

Leseergebnis ladeProjektdatei(const std::string& pfad)
{
    // The reason before the path: a status line cuts long texts at the end.
    const std::string name = ": „" + pfad + "“.";
    const auto misslungen = [&](const std::string& grund) {
        return fehler("Datei kann nicht geöffnet werden, " + grund + name);
    };
    if (pfad.empty())
        return fehler("Datei kann nicht geöffnet werden: Es ist kein Dateiname angegeben.");
    // The system's own calls, byte for byte on the name: their errno tells a
    // missing file from a folder that may not be entered, a name too long or a loop.
    struct stat info {};
    if (::stat(pfad.c_str(), &info) != 0) {
        const int grund = errno;
        return grund == ENOENT ? misslungen("sie existiert nicht")
                               : fehler("Datei kann nicht geöffnet werden (" + systemgrund(grund) + ")" + name);
    }
    if (S_ISDIR(info.st_mode))
        return misslungen("das ist ein Ordner");
    // A pipe or a device could block or never end.
    if (!S_ISREG(info.st_mode))
        return misslungen("das ist keine gewöhnliche Datei");
    if (info.st_size > static_cast<off_t>(hoechstgroesse))
        return zuGross(static_cast<std::size_t>(info.st_size));

    const int datei = ::open(pfad.c_str(), O_RDONLY | O_CLOEXEC);
    if (datei < 0) {
        const int grund = errno;
        return grund == EACCES ? misslungen("keine Leseberechtigung")
                               : fehler("Datei kann nicht geöffnet werden (" + systemgrund(grund) + ")" + name);
    }
    // One byte more than allowed, in case the file grew after the size check.
    std::string bytes(hoechstgroesse + 1, '\0');
    std::size_t gelesen = 0;
    int lesefehler = 0;
    while (gelesen < bytes.size()) {
        const ssize_t n = ::read(datei, bytes.data() + gelesen, bytes.size() - gelesen);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            lesefehler = errno;
        if (n <= 0)
            break;
        gelesen += static_cast<std::size_t>(n);
    }
    ::close(datei);
    if (lesefehler)
        return fehler("Datei kann nicht gelesen werden (" + systemgrund(lesefehler) + ")" + name);
    bytes.resize(gelesen);
    return leseProjekt(bytes);
}

std::string sichtbareZeichen(std::string_view ersetzteZeichen)
{
    std::string liste;
    const QString text = QString::fromUtf8(ersetzteZeichen.data(), static_cast<qsizetype>(ersetzteZeichen.size()));
    for (const char32_t z : text.toUcs4()) {
        if (!liste.empty())
            liste += ", ";
        if (istSteuerzeichen(z))
            liste += "U+" + QString::number(z, 16).toUpper().rightJustified(4, u'0').toStdString();
        else
            liste += "„" + QString::fromUcs4(&z, 1).toStdString() + "“";
    }
    return liste;
}

} // namespace velkor
