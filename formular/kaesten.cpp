#include "formular/kaesten.h"

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

constexpr std::array<Kasteninfo, anzahlKaesten> tabelle{{
    {K::TextDa, "TextDa", eingabe, normal, zwei, "0.00", "Außendurchmesser",
     "Außendurchmesser des Grundkörpers"},
    {K::TextDas, "TextDas", eingabe, normal, zwei, "0.00", "Außendurchmesser",
     "Außendurchmesser des Stutzens"},
    {K::Texts, "Texts", eingabe, normal, zwei, "0.00", "Wanddicke", "Nennwanddicke des Grundkörpers"},
    {K::Textss, "Textss", eingabe, normal, zwei, "0.00", "Wanddicke", "Nennwanddicke des Stutzens"},
    {K::Textc1, "Textc1", eingabe, betrag, zwei, "0.00", "Minustoleranz", minustoleranz},
    {K::Textc1s, "Textc1s", eingabe, betrag, zwei, "0.00", "Minustoleranz", minustoleranz},
    {K::Textc2, "Textc2", eingabe, betrag, zwei, "0.00", "Wanddickenabnutzung", abnutzung},
    {K::Textc2s, "Textc2s", eingabe, betrag, zwei, "0.00", "Wanddickenabnutzung", abnutzung},
    {K::Textv, "Textv", eingabe, normal, zwei, "1.00", "Schweißnahtfaktor", "Schweißnahtfaktor"},
    {K::TextK, "TextK", eingabe, normal, zwei, "265.00", "Rp0,2 bzw. Rp1,0", festigkeit},
    {K::TextKs, "TextKs", eingabe, normal, zwei, "265.00", "Rp0,2 bzw. Rp1,0", festigkeit},
    {K::TextKScheibe, "TextKScheibe", eingabe, normal, zwei, "265.00", "Rp0,2 bzw. Rp1,0", festigkeit},
    {K::TextSi, "TextSi", eingabe, normal, zwei, "1.5", "Sicherheitsbeiwert", sicherheit},
    {K::TextSis, "TextSis", eingabe, normal, zwei, "1.5", "Sicherheitsbeiwert", sicherheit},
    {K::TextSiScheibe, "TextSiScheibe", eingabe, normal, zwei, "1.5", "Sicherheitsbeiwert", sicherheit},
    {K::Textls, "Textls", eingabe, normal, zwei, "0.00", "Stutzenlänge außerhalb Grundkörper",
     "Länge des Stutzens außerhalb des Grundkörpers"},
    {K::Textlsstrich, "Textlsstrich", eingabe, normal, zwei, "0.00", "Stutzenlänge eingesteckt",
     "Länge des Stutzens innerhalb des Grundkörpers"},
    {K::Textx, "Textx", eingabe, normal, zwei, "0.00", "Abstand zur nächsten Störstelle",
     "Abstand zur Störstelle:Behälternaht, mittragende Breite naher Stutzen(0=Keine)"},
    {K::Textphi, "Textphi", eingabe, winkel, zwei, "90.00",
     "45°-90°: Winkel zwischen Stutzen und Behälterlängsachse",
     "Spitzer Winkel (45°-90°) zwischen Stutzen und Grundkörperlängsachse"},
    {K::Textb, "Textb", eingabe, normal, zwei, "0.00", "Scheibenbreite",
     "Breite der Verstärkungsscheibe (b=(da-di)/2)"},
    {K::Texth, "Texth", eingabe, normal, zwei, "0.00", "Scheibenhöhe", "Höhe der Verstärkungsscheibe"},
    {K::TextErgebnisgk, "TextErgebnisgk", ergebnis, zurueck, zwei, "0.00",
     "Erforderliche Wanddicke des Grundkörpers", "Erforderliche Wanddicke des Grundkörpers"},
    {K::TextErgebnisstutzen, "TextErgebnisstutzen", ergebnis, zurueck, zwei, "0.00",
     "Erforderliche Wanddicke des Stutzens ohne Flächenvergleich, nur Innendruck",
     "Erforderliche Wanddicke des Stutzens ohne Flächenvergleich, nur Innendruck"},
    {K::TextErgebnisgkprozent, "TextErgebnisgkprozent", ergebnis, zurueck, ganz, "0",
     "Wanddickenreserve Grundkörper", "Wanddickenreserve Grundkörper"},
    {K::TextErgebnisstutzenprozent, "TextErgebnisstutzenprozent", ergebnis, zurueck, ganz, "0",
     "Wanddickenreserve Stutzen", "Wanddickenreserve Stutzen"},
    {K::TextErgebnisb, "TextErgebnisb", ergebnis, zurueck, zwei, "0.00",
     "Mittragende Breite des Grundkörpers", "Mittragende Breite des Grundkörpers"},
    {K::TextErgebnisls, "TextErgebnisls", ergebnis, zurueck, zwei, "0.00",
     "Mittragende Länge des Stutzens", "Mittragende Länge des Stutzens"},
    {K::TextDruck, "TextDruck", eingabe, betrag, zwei, "0.5", "Berechnungsdruck",
     "Berechnungsüberdruck des zugeordneten Druckraumes"},
    {K::Textdmax, "Textdmax", ergebnis, zurueck, zwei, "0.00",
     "Maximal zulässiger unverstärkter Ausschnitt", "Maximaler unverstärkter Ausschnitt des Grundkörpers"},
    {K::Textpmaxgk, "Textpmaxgk", ergebnis, zurueck, zwei, "0.00", pmaxOhne, pmaxOhne},
    {K::Textpmaxs, "Textpmaxs", ergebnis, zurueck, zwei, "0.00", pmaxOhne, pmaxOhne},
    // The area boxes are restored without decimals, although the calculation writes them with two.
    {K::TextAs0, "TextAs0", ergebnis, zurueck, ganz, "0.00", "Drucktragende Fläche Grundkörper",
     "Drucktragende Fläche des Grundkörpers"},
    {K::TextAs1, "TextAs1", ergebnis, zurueck, ganz, "0.00", "Drucktragende Fläche Stutzen",
     "Drucktragende Fläche des Stutzens"},
    {K::TextAs2, "TextAs2", ergebnis, zurueck, ganz, "0.00", "Drucktragende Fläche Scheibe",
     "Drucktragende Fläche der Scheibe"},
    {K::TextAp, "TextAp", ergebnis, zurueck, ganz, "0.00", "Druckbeaufschlagte Fläche",
     "Druckbeaufschlagte Fläche"},
    {K::TextFVprozent, "TextFVprozent", ergebnis, zurueck, ganz, "0", "Reserve des Flächenvergleiches",
     "Druckreserve Flächenvergleich: (pmax-p) / p"},
    {K::Textpmaxfv, "Textpmaxfv", ergebnis, zurueck, zwei, "0.00",
     "Maximal zulässiger Berechnungsdruck mit Flächenvergleich",
     "Maximal zulässiger Berechnungsdruck mit Flächenvergleich"},
    {K::TextBez, "TextBez", projekt, text, zwei, "", "Projektbezeichnung", "Bezeichnung des Projektes"},
    {K::TextNummer, "TextNummer", projekt, text, zwei, "", "Nummer oder Unterpunkt",
     "Berechnungsnummer oder Unterpunkt"},
    {K::TextBearb, "TextBearb", projekt, text, zwei, "", "Sachbearbeiter", "Sachbearbeiter"},
}};

constexpr bool inKastenOrder()
{
    for (std::size_t i = 0; i < tabelle.size(); ++i)
        if (static_cast<std::size_t>(tabelle[i].kasten) != i)
            return false;
    return true;
}
static_assert(inKastenOrder(), "the table must follow the order of Kasten");

} // namespace

const std::array<Kasteninfo, anzahlKaesten>& kaesten() { return tabelle; }

const Kasteninfo& info(Kasten k) { return tabelle[static_cast<std::size_t>(k)]; }

std::string beschriftung(Kasten k)
{
    const auto mit = [](std::string_view bezeichnung, std::string_view rahmen) {
        return std::string(bezeichnung) + " (" + std::string(rahmen) + ")";
    };
    constexpr std::string_view mantel = "Grundkörper";
    constexpr std::string_view stutzen = "Stutzen";
    constexpr std::string_view scheibe = "Verstärkungsscheibe";
    switch (k) {
    case K::TextDa: return mit("Da [mm]", mantel);
    case K::Texts: return mit("s [mm]", mantel);
    case K::Textc1: return mit("c1 [mm]", mantel);
    case K::Textc2: return mit("c2 [mm]", mantel);
    case K::Textv: return mit("v [-]", mantel);
    case K::TextK: return mit("K [N/mm²]", mantel);
    case K::TextSi: return mit("S [-]", mantel);
    case K::TextDruck: return mit("Druck [bar]", "Betriebsdaten");
    case K::TextDas: return mit("Da [mm]", stutzen);
    case K::Textss: return mit("s [mm]", stutzen);
    case K::Textc1s: return mit("c1 [mm]", stutzen);
    case K::Textc2s: return mit("c2 [mm]", stutzen);
    case K::TextKs: return mit("K [N/mm²]", stutzen);
    case K::TextSis: return mit("S [-]", stutzen);
    case K::Textls: return mit("ls [mm]", stutzen);
    case K::Textlsstrich: return mit("ls' [mm]", stutzen);
    case K::Textx: return mit("x [mm]", stutzen);
    case K::Textphi: return mit("phi [°]", stutzen);
    case K::Textb: return mit("b [mm]", scheibe);
    case K::Texth: return mit("h [mm]", scheibe);
    case K::TextKScheibe: return mit("K [N/mm²]", scheibe);
    case K::TextSiScheibe: return mit("S [-]", scheibe);
    default: return std::string(info(k).name);
    }
}

} // namespace velkor
