#include "formular/kaesten.h"

#include <algorithm>

namespace velkor {

namespace {

using K = Kasten;
constexpr auto eingabe = Kastenart::eingabe;
constexpr auto projekt = Kastenart::projekt;
constexpr auto ergebnis = Kastenart::ergebnis;
constexpr auto normal = Regel::normal;
constexpr auto betrag = Regel::betrag;
constexpr auto winkel = Regel::winkel;
constexpr auto text = Regel::text;
constexpr auto zurueck = Regel::wiederherstellen;
constexpr auto zwei = Muster::zweiStellen;
constexpr auto ganz = Muster::ganz;

// Texts shared by several boxes.
constexpr std::string_view festigkeit =
    "Festigkeit bei Berechnungstemperatur: Rp0,2 bei Ferriten, Rp1,0 bei Austeniten";
constexpr std::string_view sicherheit =
    "Sicherheitsbeiwert:Walz/Schmiedest/Al1,5(1,05);St.guss2,0(1,4);Guss2,4-5,0(1,2-2,5)";
constexpr std::string_view minustoleranz = "Fertigungsbedingte Minustoleranz (Austenit 0mm)";
constexpr std::string_view abnutzung = "Abnutzungszuschlag (Ferrit 1mm (s<30mm), Austenit 0mm)";
constexpr std::string_view pmaxOhne = "Maximal zulässiger Berechnungsdruck ohne Flächenvergleich";

// The form's own texts of a quantity's box. Its label is the quantity's symbol
// beside its frame and its unit ("c1 [mm]", "v [-]") unless a symbol of its own is given.
struct Kastentext {
    Groesse groesse;
    std::string_view name;
    Regel regel;
    std::string_view tooltip;
    std::string_view hilfetext;
    std::string_view beschriftungssymbol = {};
};

using G = Groesse;

constexpr std::array<Kastentext, anzahlGroessen> kastentexte{{
    {G::Da, "TextDa", normal, "Außendurchmesser", "Außendurchmesser des Grundkörpers"},
    {G::Das, "TextDas", normal, "Außendurchmesser", "Außendurchmesser des Stutzens"},
    {G::s, "Texts", normal, "Wanddicke", "Nennwanddicke des Grundkörpers"},
    {G::ss, "Textss", normal, "Wanddicke", "Nennwanddicke des Stutzens"},
    {G::c1, "Textc1", betrag, "Minustoleranz", minustoleranz},
    {G::c1s, "Textc1s", betrag, "Minustoleranz", minustoleranz},
    {G::c2, "Textc2", betrag, "Wanddickenabnutzung", abnutzung},
    {G::c2s, "Textc2s", betrag, "Wanddickenabnutzung", abnutzung},
    {G::v, "Textv", normal, "Schweißnahtfaktor", "Schweißnahtfaktor"},
    {G::K, "TextK", normal, "Rp0,2 bzw. Rp1,0", festigkeit},
    {G::Ks, "TextKs", normal, "Rp0,2 bzw. Rp1,0", festigkeit},
    {G::KScheibe, "TextKScheibe", normal, "Rp0,2 bzw. Rp1,0", festigkeit},
    {G::S, "TextSi", normal, "Sicherheitsbeiwert", sicherheit},
    {G::Sis, "TextSis", normal, "Sicherheitsbeiwert", sicherheit},
    {G::SScheibe, "TextSiScheibe", normal, "Sicherheitsbeiwert", sicherheit},
    {G::ls, "Textls", normal, "Stutzenlänge außerhalb Grundkörper", "Länge des Stutzens außerhalb des Grundkörpers"},
    {G::lsstrich, "Textlsstrich", normal, "Stutzenlänge eingesteckt", "Länge des Stutzens innerhalb des Grundkörpers"},
    {G::x, "Textx", normal, "Abstand zur nächsten Störstelle",
     "Abstand zur Störstelle:Behälternaht, mittragende Breite naher Stutzen(0=Keine)"},
    {G::phi, "Textphi", winkel, "45°-90°: Winkel zwischen Stutzen und Behälterlängsachse",
     "Spitzer Winkel (45°-90°) zwischen Stutzen und Grundkörperlängsachse"},
    {G::bScheibe, "Textb", normal, "Scheibenbreite", "Breite der Verstärkungsscheibe (b=(da-di)/2)"},
    {G::hScheibe, "Texth", normal, "Scheibenhöhe", "Höhe der Verstärkungsscheibe"},
    {G::sG, "TextErgebnisgk", zurueck, "Erforderliche Wanddicke des Grundkörpers",
     "Erforderliche Wanddicke des Grundkörpers"},
    {G::sS, "TextErgebnisstutzen", zurueck, "Erforderliche Wanddicke des Stutzens ohne Flächenvergleich, nur Innendruck",
     "Erforderliche Wanddicke des Stutzens ohne Flächenvergleich, nur Innendruck"},
    {G::rG, "TextErgebnisgkprozent", zurueck, "Wanddickenreserve Grundkörper", "Wanddickenreserve Grundkörper"},
    {G::rS, "TextErgebnisstutzenprozent", zurueck, "Wanddickenreserve Stutzen", "Wanddickenreserve Stutzen"},
    {G::b, "TextErgebnisb", zurueck, "Mittragende Breite des Grundkörpers", "Mittragende Breite des Grundkörpers"},
    {G::lsm, "TextErgebnisls", zurueck, "Mittragende Länge des Stutzens", "Mittragende Länge des Stutzens"},
    {G::p, "TextDruck", betrag, "Berechnungsdruck", "Berechnungsüberdruck des zugeordneten Druckraumes", "Druck"},
    {G::dmax, "Textdmax", zurueck, "Maximal zulässiger unverstärkter Ausschnitt",
     "Maximaler unverstärkter Ausschnitt des Grundkörpers"},
    {G::pmaxG, "Textpmaxgk", zurueck, pmaxOhne, pmaxOhne},
    {G::pmaxS, "Textpmaxs", zurueck, pmaxOhne, pmaxOhne},
    {G::As0, "TextAs0", zurueck, "Drucktragende Fläche Grundkörper", "Drucktragende Fläche des Grundkörpers"},
    {G::As1, "TextAs1", zurueck, "Drucktragende Fläche Stutzen", "Drucktragende Fläche des Stutzens"},
    {G::As2, "TextAs2", zurueck, "Drucktragende Fläche Scheibe", "Drucktragende Fläche der Scheibe"},
    // Two blanks: "Ap  [mm²]" lines up with the labels of As0 to As2.
    {G::Ap, "TextAp", zurueck, "Druckbeaufschlagte Fläche", "Druckbeaufschlagte Fläche", "Ap "},
    {G::rFV, "TextFVprozent", zurueck, "Reserve des Flächenvergleiches", "Druckreserve Flächenvergleich: (pmax-p) / p"},
    {G::pmaxFV, "Textpmaxfv", zurueck, "Maximal zulässiger Berechnungsdruck mit Flächenvergleich",
     "Maximal zulässiger Berechnungsdruck mit Flächenvergleich"},
}};

constexpr bool inRecordOrder()
{
    for (std::size_t i = 0; i < kastentexte.size(); ++i)
        if (static_cast<std::size_t>(kastentexte[i].groesse) != i)
            return false;
    return true;
}
static_assert(inRecordOrder(), "the table must follow the order of Groesse");

struct Kopfkasten {
    Kasten kasten;
    std::string_view name, beschriftung, tooltip, hilfetext;
};

// The heading boxes, in their turn in the frame "Projekt".
constexpr std::array<Kopfkasten, 3> kopfkaesten{{
    {K::TextBez, "TextBez", "Bez.:", "Projektbezeichnung", "Bezeichnung des Projektes"},
    {K::TextNummer, "TextNummer", "Nummer:", "Nummer oder Unterpunkt", "Berechnungsnummer oder Unterpunkt"},
    {K::TextBearb, "TextBearb", "Bearb.:", "Sachbearbeiter", "Sachbearbeiter"},
}};
static_assert(anzahlGroessen + kopfkaesten.size() == anzahlKaesten);

Kasteninfo kasteninfo(const Groesseninfo& g)
{
    const Kastentext& t = kastentexte[static_cast<std::size_t>(g.groesse)];
    const std::string_view symbol = t.beschriftungssymbol.empty() ? g.zeichen : t.beschriftungssymbol;
    const std::string einheit = "[" + std::string(g.einheit.empty() ? "-" : g.einheit) + "]";
    // The area boxes are restored without decimals, although the calculation writes them with two.
    const Muster muster = !g.eingabe && g.einheit == "mm²" ? ganz : g.muster;
    return {kastenVon(g.groesse), t.name, g.eingabe ? eingabe : ergebnis, t.regel, muster, g.starttext,
            t.tooltip, t.hilfetext, g.rahmen, symbol.empty() ? einheit : std::string(symbol) + " " + einheit};
}

std::array<Kasteninfo, anzahlKaesten> alleKaesten()
{
    std::array<Kasteninfo, anzahlKaesten> t;
    for (const Groesseninfo& g : groessen())
        t[static_cast<std::size_t>(g.groesse)] = kasteninfo(g);
    for (const Kopfkasten& k : kopfkaesten)
        t[static_cast<std::size_t>(k.kasten)] = {k.kasten, k.name, projekt, text, zwei, "", k.tooltip,
                                                 k.hilfetext, Rahmen::projekt, std::string(k.beschriftung)};
    return t;
}

// Every box, frame by frame in their turn.
std::array<Kasten, anzahlKaesten> kastenfolge()
{
    std::array<Kasten, anzahlKaesten> f{};
    std::size_t n = 0;
    for (std::size_t r = 0; r < anzahlRahmen; ++r) {
        for (Groesse g : groessenIn(static_cast<Rahmen>(r)))
            f[n++] = kastenVon(g);
        if (static_cast<Rahmen>(r) == Rahmen::projekt)
            for (const Kopfkasten& k : kopfkaesten)
                f[n++] = k.kasten;
    }
    return f;
}

} // namespace

const std::array<Kasteninfo, anzahlKaesten>& kaesten()
{
    static const std::array<Kasteninfo, anzahlKaesten> tabelle = alleKaesten();
    return tabelle;
}

const Kasteninfo& info(Kasten k) { return kaesten()[static_cast<std::size_t>(k)]; }

std::span<const Kasten> kaestenIn(Rahmen r)
{
    static const std::array<Kasten, anzahlKaesten> folge = kastenfolge();
    const auto von = std::find_if(folge.begin(), folge.end(), [r](Kasten k) { return info(k).rahmen == r; });
    return {von, std::find_if(von, folge.end(), [r](Kasten k) { return info(k).rahmen != r; })};
}

std::string beschriftung(Kasten k)
{
    const Kasteninfo& kasten = info(k);
    if (kasten.art != Kastenart::eingabe)
        return std::string(kasten.name);
    return kasten.beschriftung + " (" + std::string(rahmenname(kasten.rahmen)) + ")";
}

} // namespace velkor
