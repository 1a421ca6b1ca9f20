#include "engine/berechnungsdaten.h"

#include <algorithm>

namespace velkor {

namespace {

using B = Berechnungsdaten;
using enum Rahmen;
constexpr auto zwei = Muster::zweiStellen;
constexpr auto ganz = Muster::ganz;

// name, symbol, unit, field, entered, pattern; symbol beside its frame, the report's
// description, frame and turn in it, start text, file line. The file keeps the shell's
// c2 (line 6) before the nozzle's c1s (line 7), unlike the record; files in use depend on it.
constexpr std::array<Groesseninfo, anzahlGroessen> tabelle{{
    {Groesse::Da, "Da", "Da", "mm", &B::Da, true, zwei, "Da", "Aussendurchmesser", grundkoerper, 1, "0.00", 1},
    {Groesse::Das, "Das", "Das", "mm", &B::Das, true, zwei, "Da", "Aussendurchmesser", stutzen, 1, "0.00", 2},
    {Groesse::s, "s", "s", "mm", &B::s, true, zwei, "s", "Wanddicke", grundkoerper, 2, "0.00", 3},
    {Groesse::ss, "ss", "ss", "mm", &B::ss, true, zwei, "s", "Wanddicke", stutzen, 2, "0.00", 4},
    {Groesse::c1, "c1", "c1", "mm", &B::c1, true, zwei, "c1", "Minustoleranz", grundkoerper, 3, "0.00", 5},
    {Groesse::c1s, "c1s", "c1s", "mm", &B::c1s, true, zwei, "c1", "Minustoleranz", stutzen, 3, "0.00", 7},
    {Groesse::c2, "c2", "c2", "mm", &B::c2, true, zwei, "c2", "Wanddickenabnutzung", grundkoerper, 4, "0.00", 6},
    {Groesse::c2s, "c2s", "c2s", "mm", &B::c2s, true, zwei, "c2", "Wanddickenabnutzung", stutzen, 4, "0.00", 8},
    {Groesse::v, "v", "v", "", &B::v, true, zwei, "v", "Schweißnahtwertigkeit", grundkoerper, 5, "1.00", 9},
    {Groesse::K, "K", "K", "N/mm²", &B::K, true, zwei, "K", "Streckgrenze", grundkoerper, 6, "265.00", 10},
    {Groesse::Ks, "Ks", "Ks", "N/mm²", &B::Ks, true, zwei, "K", "Streckgrenze", stutzen, 5, "265.00", 11},
    {Groesse::KScheibe, "KScheibe", "KScheibe", "N/mm²", &B::KScheibe, true, zwei, "K", "Streckgrenze", scheibe, 3,
     "265.00", 12},
    {Groesse::S, "S", "S", "", &B::S, true, zwei, "S", "Sicherheitsfaktor", grundkoerper, 7, "1.5", 13},
    {Groesse::Sis, "Sis", "Sis", "", &B::Sis, true, zwei, "S", "Sicherheitsfaktor", stutzen, 6, "1.5", 14},
    {Groesse::SScheibe, "SScheibe", "SScheibe", "", &B::SScheibe, true, zwei, "S", "Sicherheitsfaktor", scheibe, 4,
     "1.5", 15},
    {Groesse::ls, "ls", "ls", "mm", &B::ls, true, zwei, "ls", "Stutzenlänge außen", stutzen, 7, "0.00", 16},
    {Groesse::lsstrich, "lsstrich", "ls'", "mm", &B::lsstrich, true, zwei, "ls'", "Stutzenlänge innen", stutzen, 8,
     "0.00", 17},
    {Groesse::x, "x", "x", "mm", &B::x, true, zwei, "x", "Störstellenabstand", stutzen, 9, "0.00", 18},
    {Groesse::phi, "phi", "phi", "°", &B::phi, true, zwei, "phi", "Winkel", stutzen, 10, "90.00", 19},
    {Groesse::bScheibe, "bScheibe", "bScheibe", "mm", &B::bScheibe, true, zwei, "b", "Breite", scheibe, 1, "0.00", 20},
    {Groesse::hScheibe, "hScheibe", "hScheibe", "mm", &B::hScheibe, true, zwei, "h", "Höhe", scheibe, 2, "0.00", 21},
    {Groesse::sG, "sG", "sG", "mm", &B::sG, false, zwei, "s", "Erforderliche Wanddicke", ergebnisse, 1, "0.00", 22},
    {Groesse::sS, "sS", "sS", "mm", &B::sS, false, zwei, "ss", "Erforderliche Wanddicke", ergebnisse, 2, "0.00", 23},
    {Groesse::rG, "rG", "rG", "%", &B::rG, false, ganz, "", "Wanddickenreserve", ergebnisse, 3, "0", 24},
    {Groesse::rS, "rS", "rS", "%", &B::rS, false, ganz, "", "Wanddickenreserve", ergebnisse, 4, "0", 25},
    {Groesse::b, "b", "b", "mm", &B::b, false, zwei, "b", "Mittragende Breite", ergebnisse, 6, "0.00", 26},
    {Groesse::lsm, "lsm", "lsm", "mm", &B::lsm, false, zwei, "ls", "Mittragende Länge", ergebnisse, 5, "0.00", 27},
    {Groesse::p, "p", "p", "bar", &B::p, true, zwei, "p", "Druck", betriebsdaten, 1, "0.5", 28},
    {Groesse::dmax, "dmax", "dmax", "mm", &B::dmax, false, zwei, "dmax", "unverstärkter Ausschnitt", flaechenvergleich,
     7, "0.00", 29},
    {Groesse::pmaxG, "pmaxG", "pmaxG", "bar", &B::pmaxG, false, zwei, "pmax", "Maximal zul. Druck", ergebnisse, 8,
     "0.00", 30},
    {Groesse::pmaxS, "pmaxS", "pmaxS", "bar", &B::pmaxS, false, zwei, "pmax", "Maximal zul. Druck", ergebnisse, 7,
     "0.00", 31},
    {Groesse::As0, "As0", "As0", "mm²", &B::As0, false, zwei, "As0", "Drucktragende Fläche Grundkörper",
     flaechenvergleich, 1, "0.00", 32},
    {Groesse::As1, "As1", "As1", "mm²", &B::As1, false, zwei, "As1", "Drucktragende Fläche Stutzen", flaechenvergleich,
     2, "0.00", 33},
    {Groesse::As2, "As2", "As2", "mm²", &B::As2, false, zwei, "As2", "Drucktragende Fläche Scheibe", flaechenvergleich,
     3, "0.00", 34},
    {Groesse::Ap, "Ap", "Ap", "mm²", &B::Ap, false, zwei, "Ap", "Druckbeaufschlagte Fläche", flaechenvergleich, 4,
     "0.00", 35},
    {Groesse::rFV, "rFV", "rFV", "%", &B::rFV, false, ganz, "", "Reserve Flächenvergleich", flaechenvergleich, 6, "0",
     36},
    {Groesse::pmaxFV, "pmaxFV", "pmaxFV", "bar", &B::pmaxFV, false, zwei, "pmax", "Maximal zul. Druck",
     flaechenvergleich, 5, "0.00", 37},
}};

constexpr bool inRecordOrder()
{
    for (std::size_t i = 0; i < tabelle.size(); ++i)
        if (static_cast<std::size_t>(tabelle[i].groesse) != i)
            return false;
    return true;
}
static_assert(inRecordOrder(), "the table must follow the order of Groesse");

// Each of the n quantities of a frame has one of the turns 1 to n; each file line is used once.
constexpr bool eindeutig()
{
    for (const Groesseninfo& g : tabelle) {
        int imRahmen = 0;
        for (const Groesseninfo& h : tabelle) {
            if (h.rahmen == g.rahmen) {
                ++imRahmen;
                if (h.platz == g.platz && h.groesse != g.groesse)
                    return false;
            }
            if (h.dateizeile == g.dateizeile && h.groesse != g.groesse)
                return false;
        }
        if (g.platz < 1 || g.platz > imRahmen || g.dateizeile < 1 || g.dateizeile > int(anzahlGroessen))
            return false;
    }
    return true;
}
static_assert(eindeutig(), "turns within a frame and file lines must each be used once");

constexpr bool vor(Groesse a, Groesse b)
{
    const Groesseninfo& x = tabelle[static_cast<std::size_t>(a)];
    const Groesseninfo& y = tabelle[static_cast<std::size_t>(b)];
    return x.rahmen != y.rahmen ? x.rahmen < y.rahmen : x.platz < y.platz;
}

// Every quantity, frame by frame in their turn.
constexpr std::array<Groesse, anzahlGroessen> folge = [] {
    std::array<Groesse, anzahlGroessen> f{};
    for (std::size_t i = 0; i < f.size(); ++i)
        f[i] = tabelle[i].groesse;
    std::sort(f.begin(), f.end(), vor);
    return f;
}();

} // namespace

std::string_view rahmenname(Rahmen r)
{
    constexpr std::array<std::string_view, anzahlRahmen> namen{
        "Grundkörper", "Betriebsdaten", "Projekt", "Stutzen", "Verstärkungsscheibe", "Ergebnisse Innendruck",
        "Flächenvergleich",
    };
    return namen[static_cast<std::size_t>(r)];
}

const std::array<Groesseninfo, anzahlGroessen>& groessen() { return tabelle; }

const Groesseninfo& info(Groesse g) { return tabelle[static_cast<std::size_t>(g)]; }

std::span<const Groesse> groessenIn(Rahmen r)
{
    const auto von = std::find_if(folge.begin(), folge.end(), [r](Groesse g) { return info(g).rahmen == r; });
    return {von, std::find_if(von, folge.end(), [r](Groesse g) { return info(g).rahmen != r; })};
}

} // namespace velkor
