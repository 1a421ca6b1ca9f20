#include "report/zusammenfassung.h"

#include "engine/zahlentext.h"
#include "report/hinweise.h"
#include "report/meldung.h"
#include "report/rechengangsatz.h"
#include "report/zeichen.h"

#include <optional>

namespace velkor {

namespace {

constexpr std::string_view zeilenende = "\r\n";
constexpr std::string_view fehlt = "–";

std::optional<double> pmaxMassgebend(const Rechenlauf& lauf)
{
    return lauf.zwischenwerte[Zwischengroesse::pmaxMassgebend];
}

// With a nozzle, whichever of the three the governing value is; else the shell.
std::string_view massgebend(const Rechenstand& r, const Rechenlauf& lauf, double pmax)
{
    const Berechnungsdaten& w = lauf.daten;
    if (r.daten.stutzen && pmax != w.pmaxG)
        return pmax == w.pmaxS ? "Stutzen" : "Flächenvergleich";
    return "Grundkörper";
}

std::string zweiStellen(const Rechenstand& r, double wert)
{
    return anzeigetext(wert, Muster::zweiStellen, r.daten.dezimaltrenner);
}

// The box text of a quantity the run showed, else a dash.
std::string gezeigt(const Rechenstand& r, Groesse g)
{
    return r.lauf.gezeigt[static_cast<std::size_t>(g)] ? text(r.daten.texte, g) : std::string(fehlt);
}

// The text left-aligned in a column of `breite` characters and a blank after it;
// a longer text is kept whole and pushes the rest of the line.
std::string spalte(std::string_view text, std::size_t breite)
{
    std::string s(text);
    s.append(std::max<std::size_t>(breite, zeichenzahl(text)) - zeichenzahl(text) + 1, ' ');
    return s;
}

std::string rechts(std::string_view text, std::size_t breite)
{
    std::string s(std::max<std::size_t>(breite, zeichenzahl(text)) - zeichenzahl(text), ' ');
    return s.append(text) + ' ';
}

std::string urteil(const Rechenstand& r)
{
    return r.lauf.berechnet() ? std::string(urteilszeile(r.daten, r.lauf)) : std::string(meldung(r.lauf.ausgang));
}

} // namespace

std::string zusammenfassung(const Rechenstand& r)
{
    Rechensatz satz(r.daten.dezimaltrenner);
    satz.zeile();
    satz.zeile("ZUSAMMENFASSUNG:");
    // The design pressure (or the test pressure) against the governing allowable one.
    const auto druck = [&](std::string_view name, const Rechenlauf& lauf, double pmax) {
        satz.zeile(std::string(name) + " = " + zweiStellen(r, lauf.daten.p) + " bar" + (lauf.daten.p <= pmax ? " ≤ " : " > ")
                   + "pmax = " + zweiStellen(r, pmax) + " bar (" + std::string(massgebend(r, lauf, pmax)) + ")");
    };
    if (const std::optional<double> pmax = pmaxMassgebend(r.lauf); pmax && r.lauf.berechnet()) {
        druck("p", r.lauf, *pmax);
        satz.zeile(urteilszeile(r.daten, r.lauf));
        if (r.pruefung) {
            if (const std::optional<double> pmaxT = pmaxMassgebend(r.pruefung->lauf); pmaxT && r.pruefung->lauf.berechnet())
                druck("Prüfzustand: pT", r.pruefung->lauf, *pmaxT);
            satz.zeile(pruefurteilszeile(r.daten, *r.pruefung));
        }
    } else {
        satz.zeile(std::string(berichtVerweigert) + " (" + std::string(meldung(r.lauf.ausgang)) + ")");
    }
    if (const std::vector<std::string> notiert = hinweise(r.daten, r.lauf); !notiert.empty()) {
        satz.ueberschrift("HINWEISE:");
        for (const std::string& hinweis : notiert)
            satz.absatz(hinweis, 2, "- ");
    }
    satz.zeile();
    const std::string linie = spalte(std::string(22, '_'), 22);
    satz.zeile(spalte("", 10) + spalte("Name", 22) + spalte("Datum", 12) + "Unterschrift");
    for (const char* wer : {"Erstellt:", "Geprüft:"}) {
        satz.zeile();
        satz.zeile(spalte(wer, 10) + linie + spalte(std::string(12, '_'), 12) + std::string(22, '_'));
    }
    return std::move(satz).text();
}

std::string uebersicht(const std::vector<Uebersichtseintrag>& eintraege)
{
    std::string t;
    const auto zeile = [&](std::string z) {
        while (z.ends_with(' '))
            z.pop_back();
        t += z;
        t += zeilenende;
    };
    zeile("ÜBERSICHT: " + std::to_string(eintraege.size()) + " Dateien (Drücke in bar, Reserven in %)");
    zeile("");
    zeile(spalte("Datei", 22) + spalte("Projekt, Nummer", 24) + spalte("Form", 8) + rechts("p", 8) + rechts("pmax", 8)
          + rechts("rG", 5) + rechts("rS", 5) + rechts("rFV", 5) + " Urteil");
    zeile(std::string(126, '-'));
    for (const Uebersichtseintrag& e : eintraege) {
        if (!e.stand) {
            zeile(spalte(e.datei, 22) + e.fehler);
            continue;
        }
        const Rechenstand& r = *e.stand;
        const std::optional<double> pmax = r.lauf.berechnet() ? pmaxMassgebend(r.lauf) : std::nullopt;
        std::string projekt = r.daten.bezeichnung;
        if (!r.daten.nummer.empty())
            projekt += (projekt.empty() ? "" : ", ") + r.daten.nummer;
        const bool stutzen = r.daten.stutzen;
        zeile(spalte(e.datei, 22) + spalte(projekt, 24) + spalte(r.daten.daten.zylinder ? "Zylinder" : "Kugel", 8)
              + rechts(text(r.daten.texte, Groesse::p), 8) + rechts(pmax ? zweiStellen(r, *pmax) : fehlt, 8)
              + rechts(gezeigt(r, Groesse::rG), 5) + rechts(stutzen ? gezeigt(r, Groesse::rS) : fehlt, 5)
              + rechts(stutzen ? gezeigt(r, Groesse::rFV) : fehlt, 5) + ' ' + urteil(r));
    }
    return t;
}

} // namespace velkor
