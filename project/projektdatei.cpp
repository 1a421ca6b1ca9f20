#include "project/projektdatei.h"

#include "project/dateiersatz.h"
#include "project/steuerzeichen.h"
#include "project/systemgrund.h"

#include <QIODevice>
#include <QList>
#include <QString>
#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <optional>
#include <system_error>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace velkor {

namespace {

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

QStringDecoder windows1252Decoder() { return QStringDecoder("windows-1252"); }

std::string ausWindows1252(std::string_view bytes)
{
    if (std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
        return std::string(bytes);
    auto decoder = windows1252Decoder();
    QString text = decoder.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    return text.toStdString();
}

constexpr double groessterWert = 1.79769313486231E+308;

// Up to 15 significant digits, point as separator, exponent from 1E+15 and
// below 1E-04 (as printf's %.15g decides), with a capital E.
void schreibeZahl(std::string& ziel, double wert)
{
    // The file has no spelling for an infinite or undefined value; such a value
    // is never a valid input, and results are recomputed after every load.
    if (!std::isfinite(wert) || wert == 0) {
        ziel += '0'; // also turns -0 into 0
        return;
    }
    // Rounded to 15 digits, the largest doubles would exceed the range and
    // could not be read back; they are written as the largest 15-digit value below.
    if (std::abs(wert) > groessterWert) {
        ziel += wert < 0 ? "-1.79769313486231E+308" : "1.79769313486231E+308";
        return;
    }
    std::array<char, 32> puffer{};
    auto [ende, fehler] = std::to_chars(puffer.data(), puffer.data() + puffer.size(), wert,
                                        std::chars_format::general, 15);
    (void)fehler; // 32 characters always suffice for 15 digits and a three-digit exponent
    for (const char* z = puffer.data(); z != ende; ++z)
        ziel += (*z == 'e') ? 'E' : *z;
}

class Textschreiber {
public:
    // Appends the text in double quotes. A double quote would end the field
    // early and a line break would shift every later line, so both (and the
    // other control characters) are replaced, as is what Windows-1252 cannot hold.
    void schreibe(std::string& ziel, const std::string& utf8)
    {
        ziel += '"';
        const QString text = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
        for (qsizetype i = 0; i < text.size();) {
            const qsizetype laenge = (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) ? 2 : 1;
            const QStringView zeichen = QStringView(text).mid(i, laenge);
            const char32_t cp = laenge == 2 ? QChar::surrogateToUcs4(text[i], text[i + 1]) : text[i].unicode();
            i += laenge;
            if (cp == U'"') {
                ersetze(ziel, zeichen, '\'');
            } else if (istSteuerzeichen(cp)) {
                ersetze(ziel, zeichen, ' ');
            } else if (cp < 0x80) {
                ziel += static_cast<char>(cp);
            } else if (auto byte = alsWindows1252(zeichen)) {
                ziel += *byte;
            } else {
                ersetze(ziel, zeichen, '?');
            }
        }
        ziel += '"';
    }

    std::string ersetzteZeichen;

private:
    void ersetze(std::string& ziel, QStringView zeichen, char ersatz)
    {
        ziel += ersatz;
        const std::string utf8 = zeichen.toString().toStdString();
        if (ersetzteZeichen.find(utf8) == std::string::npos)
            ersetzteZeichen += utf8;
    }

    // The byte for one character, or nothing. Qt's encoder writes 0x1A for a
    // character it cannot map, and its error flag survives resetState(), so the
    // byte is decoded again and must give back the same character.
    std::optional<char> alsWindows1252(QStringView zeichen)
    {
        if (!encoder_) {
            encoder_.emplace("windows-1252");
            decoder_.emplace(windows1252Decoder());
        }
        const QByteArray byte = encoder_->encode(zeichen);
        if (byte.size() != 1 || QString(decoder_->decode(byte)) != zeichen)
            return std::nullopt;
        return byte[0];
    }

    std::optional<QStringEncoder> encoder_;
    std::optional<QStringDecoder> decoder_;
};

bool istLeer(char c) { return c == ' ' || c == '\t'; }

std::string_view ohneFuehrendeLeerzeichen(std::string_view s)
{
    while (!s.empty() && istLeer(s.front()))
        s.remove_prefix(1);
    return s;
}

std::string_view ohneLeerzeichen(std::string_view s)
{
    s = ohneFuehrendeLeerzeichen(s);
    while (!s.empty() && istLeer(s.back()))
        s.remove_suffix(1);
    return s;
}

Leseergebnis fehler(std::string text) { return {std::nullopt, std::move(text)}; }

// A field as a message quotes it: a control character by its code ("U+000D")
// and a byte that Windows-1252 leaves undefined as "\x81", so that nothing that
// makes the field wrong is invisible.
std::string sichtbar(std::string_view bytes)
{
    constexpr std::string_view undefiniert = "\x81\x8D\x8F\x90\x9D";
    constexpr char hex[] = "0123456789ABCDEF";
    std::string text;
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x20 || b == 0x7F)
            text += std::string("U+00") + hex[b >> 4] + hex[b & 15];
        else if (undefiniert.find(c) != std::string_view::npos)
            text += std::string("\\x") + hex[b >> 4] + hex[b & 15];
        else
            text += ausWindows1252(std::string_view(&c, 1));
    }
    return text;
}

Leseergebnis zeilenfehler(std::size_t zeile, std::string_view inhalt, std::string_view was)
{
    constexpr std::size_t gezeigt = 40;
    std::string kurz = sichtbar(inhalt.substr(0, gezeigt));
    if (inhalt.size() > gezeigt)
        kurz += "…";
    return fehler("Zeile " + std::to_string(zeile) + ": „" + kurz + "“ " + std::string(was));
}

Leseergebnis zuGross(std::size_t groesse)
{
    return fehler("Datei zu groß (" + std::to_string(groesse) +
                  " Bytes); eine Projektdatei hat höchstens 64 KiB.");
}

enum class Zahlfehler { keiner, keineZahl, ausserhalb };

// A numeric line holds one number in point notation (exponent allowed) and
// nothing else but blanks; an empty line counts as 0.
Zahlfehler leseZahl(std::string_view feld, double& wert)
{
    wert = 0;
    if (feld.empty())
        return Zahlfehler::keiner;
    std::string_view rest = feld;
    bool plus = rest.front() == '+';
    if (plus)
        rest.remove_prefix(1);
    // from_chars would also take "inf" and "nan"; a project file holds neither.
    const std::size_t ziffer = (!rest.empty() && rest.front() == '-') ? 1 : 0;
    const auto istZiffer = [&](std::size_t i) { return i < rest.size() && rest[i] >= '0' && rest[i] <= '9'; };
    if (!(istZiffer(ziffer) || (ziffer < rest.size() && rest[ziffer] == '.' && istZiffer(ziffer + 1))))
        return Zahlfehler::keineZahl;
    if (plus && ziffer == 1)
        return Zahlfehler::keineZahl;
    auto [ende, ec] = std::from_chars(rest.data(), rest.data() + rest.size(), wert);
    if (ec == std::errc::result_out_of_range)
        return Zahlfehler::ausserhalb;
    if (ec != std::errc() || ende != rest.data() + rest.size())
        return Zahlfehler::keineZahl;
    return Zahlfehler::keiner;
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
