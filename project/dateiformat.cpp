#include "project/dateiformat.h"

#include "project/steuerzeichen.h"

#include <QString>

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <system_error>

namespace velkor::dateiformat {

namespace {

QStringDecoder windows1252Decoder() { return QStringDecoder("windows-1252"); }

constexpr double groessterWert = 1.79769313486231E+308;

bool istLeer(char c) { return c == ' ' || c == '\t'; }

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

} // namespace

std::string ausWindows1252(std::string_view bytes)
{
    if (std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
        return std::string(bytes);
    auto decoder = windows1252Decoder();
    QString text = decoder.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    return text.toStdString();
}

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

void Textschreiber::schreibe(std::string& ziel, const std::string& utf8)
{
    ziel += '"';
    schreibeZeichen(ziel, utf8, true);
    ziel += '"';
}

void Textschreiber::schreibeWert(std::string& ziel, const std::string& utf8) { schreibeZeichen(ziel, utf8, false); }

// A line break would shift every later line, so it (and the other control
// characters) is replaced, as is what Windows-1252 cannot hold.
void Textschreiber::schreibeZeichen(std::string& ziel, const std::string& utf8, bool inAnfuehrung)
{
    const QString text = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype laenge = (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) ? 2 : 1;
        const QStringView zeichen = QStringView(text).mid(i, laenge);
        const char32_t cp = laenge == 2 ? QChar::surrogateToUcs4(text[i], text[i + 1]) : text[i].unicode();
        i += laenge;
        if (cp == char32_t('"') && inAnfuehrung) {
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
}

void Textschreiber::ersetze(std::string& ziel, QStringView zeichen, char ersatz)
{
    ziel += ersatz;
    const std::string utf8 = zeichen.toString().toStdString();
    if (ersetzteZeichen.find(utf8) == std::string::npos)
        ersetzteZeichen += utf8;
}

// The byte for one character, or nothing. Qt's encoder writes 0x1A for a
// character it cannot map, and its error flag survives resetState(), so the
// byte is decoded again and must give back the same character.
std::optional<char> Textschreiber::alsWindows1252(QStringView zeichen)
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

std::string zeilenfehler(std::size_t zeile, std::string_view inhalt, std::string_view was)
{
    constexpr std::size_t gezeigt = 40;
    std::string kurz = sichtbar(inhalt.substr(0, gezeigt));
    if (inhalt.size() > gezeigt)
        kurz += "…";
    return "Zeile " + std::to_string(zeile) + ": „" + kurz + "“ " + std::string(was);
}

} // namespace velkor::dateiformat
