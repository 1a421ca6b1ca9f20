#include "project/velkorabschnitt.h"

#include <array>
#include <map>
#include <optional>
#include <string>
#include <type_traits>
#include <variant>

namespace velkor {

namespace {

using dateiformat::ohneLeerzeichen;
using dateiformat::zeilenfehler;

constexpr std::string_view kopfzeile = "[Velkor]";

// The keys in the order they are written.
constexpr std::array<std::string_view, 13> namen{
    "Temperatur", "WerkstoffGrundkoerper", "WerkstoffStutzen", "WerkstoffScheibe",
    "Pruefung", "Pruefdruck", "K20Grundkoerper", "K20Stutzen", "K20Scheibe",
    "SPruefGrundkoerper", "SPruefStutzen", "SPruefScheibe", "c2InPruefung",
};

using Feld = std::variant<std::optional<double>*, std::string*, double*, bool*>;

// The value behind each key of `namen`; a default-constructed project holds the defaults.
std::array<Feld, namen.size()> felder(Projekt& p)
{
    Angaben& a = p.angaben;
    Pruefangaben& t = p.pruefung;
    // to_array: a missing or extra entry does not compile.
    return std::to_array<Feld>({&a.temperatur, &a.werkstoffGrundkoerper, &a.werkstoffStutzen, &a.werkstoffScheibe,
                                &t.an, &t.pT, &t.K20, &t.K20s, &t.K20Scheibe,
                                &t.SPruef, &t.SPruefs, &t.SPruefScheibe, &t.c2Abziehen});
}

// Reads one value; an empty one is the key's default. The reason when it is not one.
std::optional<std::string> leseWert(Feld feld, Feld vorgabe, std::string_view schluessel, std::string_view wert,
                                    std::size_t nr)
{
    const std::string wessen = " (" + std::string(schluessel) + ")";
    const auto zahl = [&](double& ziel) -> std::optional<std::string> {
        switch (dateiformat::leseZahl(wert, ziel)) {
        case dateiformat::Zahlfehler::keiner: return std::nullopt;
        case dateiformat::Zahlfehler::keineZahl: return zeilenfehler(nr, wert, "ist keine Zahl" + wessen + ".");
        case dateiformat::Zahlfehler::ausserhalb: break;
        }
        return zeilenfehler(nr, wert, "liegt außerhalb des darstellbaren Zahlenbereichs" + wessen + ".");
    };
    if (auto* text = std::get_if<std::string*>(&feld)) {
        **text = dateiformat::ausWindows1252(wert);
        return std::nullopt;
    }
    if (auto* schalter = std::get_if<bool*>(&feld)) {
        if (wert != "0" && wert != "1")
            return zeilenfehler(nr, wert, "ist kein gültiger Schalterwert für " + std::string(schluessel) +
                                              " (erlaubt: 0 oder 1).");
        **schalter = wert == "1";
        return std::nullopt;
    }
    if (wert.empty()) {
        std::visit([&](auto* ziel) { *ziel = *std::get<decltype(ziel)>(vorgabe); }, feld);
        return std::nullopt;
    }
    if (auto* temperatur = std::get_if<std::optional<double>*>(&feld))
        return zahl((*temperatur)->emplace());
    return zahl(*std::get<double*>(feld));
}

} // namespace

void schreibeAbschnitt(std::string& ziel, const Projekt& projekt, dateiformat::Textschreiber& texte)
{
    Projekt werte, vorgaben;
    werte.angaben = projekt.angaben;
    werte.pruefung = projekt.pruefung;
    const auto ist = felder(werte);
    const auto soll = felder(vorgaben);
    std::string zeilen;
    for (std::size_t i = 0; i < namen.size(); ++i) {
        std::visit(
            [&](auto* wert) {
                using Zeiger = decltype(wert);
                if (*wert == *std::get<Zeiger>(soll[i]))
                    return;
                std::string text;
                if constexpr (std::is_same_v<Zeiger, std::string*>)
                    texte.schreibeWert(text, *wert);
                else if constexpr (std::is_same_v<Zeiger, bool*>)
                    text = *wert ? "1" : "0";
                else if constexpr (std::is_same_v<Zeiger, double*>)
                    dateiformat::schreibeZahl(text, *wert);
                else
                    dateiformat::schreibeZahl(text, **wert);
                // The reader drops blanks around a value, also those a control character became.
                const std::string_view wertText = ohneLeerzeichen(text);
                if (wertText.empty())
                    return;
                zeilen += std::string(namen[i]) + "=" + std::string(wertText) + "\r\n";
            },
            ist[i]);
    }
    for (const std::string& fremd : projekt.fremdeZeilen)
        zeilen += fremd + "\r\n";
    if (zeilen.empty())
        return;
    ziel += kopfzeile;
    ziel += "\r\n";
    ziel += zeilen;
}

std::string leseAbschnitt(std::string_view rest, std::size_t ersteZeile, Projekt& projekt)
{
    Projekt vorgaben;
    const auto ziele = felder(projekt);
    const auto soll = felder(vorgaben);
    bool imAbschnitt = false;
    std::map<std::string, std::size_t, std::less<>> gelesen; // key, its line
    for (std::size_t nr = ersteZeile; !rest.empty(); ++nr) {
        const auto ende = rest.find('\n');
        std::string_view zeile = rest.substr(0, ende);
        rest = ende == std::string_view::npos ? std::string_view() : rest.substr(ende + 1);
        if (!zeile.empty() && zeile.back() == '\r')
            zeile.remove_suffix(1);
        if (ohneLeerzeichen(zeile).empty())
            continue;
        if (!imAbschnitt) {
            if (ohneLeerzeichen(zeile) != kopfzeile)
                return {}; // anything else after the 44 lines is not ours
            imAbschnitt = true;
            continue;
        }
        const auto gleich = zeile.find('=');
        if (gleich == std::string_view::npos)
            return zeilenfehler(nr, zeile, "ist keine Zeile der Form Schlüssel=Wert.");
        const std::string_view schluessel = ohneLeerzeichen(zeile.substr(0, gleich));
        if (schluessel.empty())
            return zeilenfehler(nr, zeile, "hat keinen Schlüssel vor dem „=“.");
        if (const auto frueher = gelesen.find(schluessel); frueher != gelesen.end())
            return zeilenfehler(nr, zeile, "nennt den Schlüssel " + dateiformat::ausWindows1252(schluessel) +
                                               " ein zweites Mal (zuerst in Zeile " + std::to_string(frueher->second) + ").");
        gelesen.emplace(schluessel, nr);
        std::size_t i = 0;
        while (i < namen.size() && namen[i] != schluessel)
            ++i;
        if (i == namen.size()) {
            projekt.fremdeZeilen.emplace_back(zeile);
            continue;
        }
        if (auto grund = leseWert(ziele[i], soll[i], schluessel, ohneLeerzeichen(zeile.substr(gleich + 1)), nr))
            return *grund;
    }
    return {};
}

} // namespace velkor
