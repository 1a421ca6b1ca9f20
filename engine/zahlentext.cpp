#include "engine/zahlentext.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstdint>
#include <limits>

namespace velkor {

namespace {

bool istLeer(char c) { return c == ' ' || c == '\t' || c == '\n'; }
bool istZiffer(char c) { return c >= '0' && c <= '9'; }

// Walks the entry text with the blanks between the characters of a number
// skipped and every comma and regional separator read as a point.
class Leser {
public:
    // A point or comma as regional separator needs no search of its own.
    Leser(std::string_view text, std::string_view regionalerTrenner)
        : text_(text), trenner_(regionalerTrenner == "." || regionalerTrenner == "," ? "" : regionalerTrenner)
    {
    }

    char zeichen()
    {
        while (pos_ < text_.size() && istLeer(text_[pos_]))
            ++pos_;
        laenge_ = 1;
        if (pos_ == text_.size())
            return '\0';
        const char c = text_[pos_];
        if (c == ',')
            return '.';
        if (!trenner_.empty() && c == trenner_.front() && text_.substr(pos_, trenner_.size()) == trenner_) {
            laenge_ = trenner_.size();
            return '.';
        }
        return c;
    }
    // Past the character zeichen() read last.
    void weiter() { pos_ += laenge_; }

private:
    std::string_view text_;
    std::string_view trenner_;
    std::size_t pos_ = 0;
    std::size_t laenge_ = 1;
};

// Beyond these decimal exponents a double is certainly infinite or zero; the
// cap keeps the exponent arithmetic from overflowing on absurd entries.
constexpr long long groessterExponent = 400;
constexpr long long exponentKappe = 1'000'000'000'000'000;

// The powers of ten a double holds exactly.
constexpr double zehnHoch[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                               1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

} // namespace

double zahlAusText(std::string_view text, std::string_view regionalerTrenner)
{
    Leser leser(text, regionalerTrenner);
    char c = leser.zeichen();
    bool negativ = false;
    if (c == '+' || c == '-') {
        negativ = c == '-';
        leser.weiter();
        c = leser.zeichen();
    }

    // The value is 0.<ziffern> · 10^exponent; leading zeros are dropped so
    // that the exponent alone tells an overflow from an underflow. The digits
    // and then "e<n>" (at most 21 characters) go into a stack buffer, which
    // holds every entry a person types; only a longer text needs the heap.
    char klein[64];
    std::string gross;
    char* ziffern = klein;
    if (text.size() + 24 > sizeof klein) {
        gross.resize(text.size() + 24);
        ziffern = gross.data();
    }
    std::size_t anzahl = 0;
    std::uint64_t mantisse = 0; // the first 19 digits as an integer
    long long exponent = 0;
    bool hatZiffer = false;
    bool hatPunkt = false;
    for (;; leser.weiter(), c = leser.zeichen()) {
        if (istZiffer(c)) {
            hatZiffer = true;
            if (anzahl == 0 && c == '0') {
                if (hatPunkt)
                    --exponent;
                continue;
            }
            if (!hatPunkt)
                ++exponent;
            if (anzahl < 19)
                mantisse = mantisse * 10 + static_cast<std::uint64_t>(c - '0');
            ziffern[anzahl++] = c;
        } else if (c == '.' && !hatPunkt) {
            hatPunkt = true;
        } else {
            break;
        }
    }
    if (!hatZiffer)
        return 0;

    if (c == 'E' || c == 'e' || c == 'D' || c == 'd') {
        leser.weiter();
        c = leser.zeichen();
        bool exponentNegativ = false;
        if (c == '+' || c == '-') {
            exponentNegativ = c == '-';
            leser.weiter();
            c = leser.zeichen();
        }
        long long angegeben = 0;
        for (; istZiffer(c); leser.weiter(), c = leser.zeichen())
            angegeben = std::min(angegeben * 10 + (c - '0'), exponentKappe);
        exponent += exponentNegativ ? -angegeben : angegeben;
    }

    if (anzahl == 0)
        return 0;
    const double unendlich = std::numeric_limits<double>::infinity();
    if (exponent > groessterExponent)
        return negativ ? -unendlich : unendlich;
    if (exponent < -groessterExponent)
        return 0;

    // The value as the integer <ziffern> · 10^mantissenExponent. Where both
    // factors are exact doubles, one multiplication or division rounds correctly.
    const long long mantissenExponent = exponent - static_cast<long long>(anzahl);
    if (anzahl <= 19 && mantisse <= (std::uint64_t{1} << 53) && mantissenExponent >= -22
        && mantissenExponent <= 22) {
        const double zehnerpotenz = zehnHoch[std::abs(mantissenExponent)];
        const double m = static_cast<double>(mantisse);
        const double wert = mantissenExponent < 0 ? m / zehnerpotenz : m * zehnerpotenz;
        return negativ ? -wert : wert;
    }
    // Otherwise from_chars rounds the text "<ziffern>e<mantissenExponent>".
    ziffern[anzahl] = 'e';
    const char* ende = std::to_chars(ziffern + anzahl + 1, ziffern + anzahl + 24, mantissenExponent).ptr;

    double wert = 0;
    const auto fehler = std::from_chars(ziffern, ende, wert).ec;
    if (fehler == std::errc::result_out_of_range)
        wert = exponent > 0 ? unendlich : 0;
    return negativ && wert != 0 ? -wert : wert;
}

namespace {

// The digits of `betrag` rounded to `stellen` places, as the shortest decimal
// that reads back as it: the number as a person wrote it (2.675, not
// 2.67499999…), rounded half away from zero as on paper.
std::string alsGeschriebenGerundet(double betrag, long stellen)
{
    char kurz[32]; // "d.dddddddddddddddde+308" at the longest
    const char* ende = std::to_chars(kurz, std::end(kurz), betrag, std::chars_format::scientific).ptr;
    const char* e = std::find(static_cast<const char*>(kurz), ende, 'e');
    char ziffern[20];
    long anzahl = 0;
    for (const char* c = kurz; c != e; ++c)
        if (*c != '.')
            ziffern[anzahl++] = *c;
    int exponent = 0;
    std::from_chars(e[1] == '+' ? e + 2 : e + 1, ende, exponent);
    // The digit at position i after the point (before it for negative i).
    const long vorKomma = exponent + 1;
    const auto ziffer = [&](long i) {
        const long k = vorKomma + i;
        return k >= 0 && k < anzahl ? ziffern[k] : '0';
    };

    std::string zeile;
    for (long i = -std::max(vorKomma, 1L); i < stellen; ++i)
        zeile += ziffer(i);
    if (ziffer(stellen) >= '5') {
        std::size_t i = zeile.size();
        while (i > 0 && zeile[i - 1] == '9')
            zeile[--i] = '0';
        if (i == 0)
            zeile.insert(zeile.begin(), '1');
        else
            ++zeile[i - 1];
    }
    return zeile;
}

} // namespace

std::string anzeigetext(double wert, Muster muster, std::string_view dezimaltrenner)
{
    if (std::isnan(wert))
        return "NaN";
    if (std::isinf(wert))
        return wert < 0 ? "-∞" : "∞";

    const long stellen = muster == Muster::zweiStellen ? 2 : 0;
    const double betrag = std::fabs(wert);
    std::string text;
    if (wert < 0)
        text += '-';

    // Far from a tie, the value and the decimal it was written as round alike,
    // and plain arithmetic is exact enough: no digits of the decimal needed.
    if (betrag < 0x1p52) {
        const double faktor = stellen == 2 ? 100 : 1;
        auto ganzteil = static_cast<std::uint64_t>(betrag);
        const double q = (betrag - static_cast<double>(ganzteil)) * faktor; // the subtraction is exact
        auto unten = static_cast<unsigned>(q);
        const double abstand = (q - unten) - 0.5;
        const double ulp = betrag * 0x1p-52; // at least one unit in the last place
        if (std::fabs(abstand) > 4 * faktor * ulp) {
            if (abstand > 0 && ++unten == faktor) {
                ++ganzteil;
                unten = 0;
            }
            char zahl[24];
            text.append(zahl, std::to_chars(zahl, std::end(zahl), ganzteil).ptr);
            if (stellen > 0) {
                const char nachKomma[2] = {static_cast<char>('0' + unten / 10), static_cast<char>('0' + unten % 10)};
                text.append(dezimaltrenner).append(nachKomma, 2);
            }
            return text;
        }
    }

    const std::string zeile = alsGeschriebenGerundet(betrag, stellen);
    const std::size_t nach = static_cast<std::size_t>(stellen);
    text.append(zeile, 0, zeile.size() - nach);
    if (nach > 0)
        text.append(dezimaltrenner).append(zeile, zeile.size() - nach, nach);
    return text;
}

} // namespace velkor
