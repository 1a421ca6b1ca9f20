#include "engine/berechnung.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace velkor {
namespace {

// One run of tests/data/engine/rechenlaeufe.txt, computed by erwartete_werte.py
// from the formulas alone: what the run must read, write, leave and report.
struct Fall {
    enum Art { gelesen, gesetzt, wert, genullt, nurdaten };
    struct Erwartung {
        Art art = gelesen;
        double wert = 0;
        std::string text;
    };
    std::string name;
    Schalter schalter;
    Kastentexte texte;
    std::string status;
    std::vector<std::pair<Groesse, Reservefarbe>> farben;
    std::array<std::optional<Erwartung>, anzahlGroessen> erwartet;
};

Groesse groesse(const std::string& name)
{
    const auto& g = groessen();
    const auto i = std::ranges::find(g, name, &Groesseninfo::name);
    if (i == g.end())
        throw std::runtime_error("unbekannte Größe " + name);
    return i->groesse;
}

std::vector<Fall> faelle()
{
    std::ifstream datei(VELKOR_TESTDATEN "/engine/rechenlaeufe.txt");
    std::vector<Fall> alle;
    Kastentexte grundtexte;
    for (std::string zeile; std::getline(datei, zeile);) {
        std::istringstream z(zeile);
        std::string art, name;
        z >> art;
        Fall* f = alle.empty() ? nullptr : &alle.back();
        if (art == "fall") {
            alle.emplace_back().texte = grundtexte;
            z >> alle.back().name;
        } else if (art == "text") {
            z >> name >> std::ws;
            std::getline(z, text(f ? f->texte : grundtexte, groesse(name)));
        } else if (art == "schalter") {
            f->schalter = {};
            for (std::string s; z >> s;) {
                f->schalter.zylinder = f->schalter.zylinder && s != "kugel";
                f->schalter.stutzen = f->schalter.stutzen || s == "stutzen";
                f->schalter.scheibe = f->schalter.scheibe || s == "scheibe";
                f->schalter.ausgehalst = f->schalter.ausgehalst || s == "ausgehalst";
            }
        } else if (art == "status") {
            std::getline(z >> std::ws, f->status);
        } else if (art == "farben") {
            for (std::string s; z >> s;) {
                const auto doppelpunkt = s.find(':');
                f->farben.emplace_back(groesse(s.substr(0, doppelpunkt)),
                                       s.substr(doppelpunkt + 1) == "rot" ? Reservefarbe::rot : Reservefarbe::gruen);
            }
        } else if (!art.empty() && art != "#") {
            const Fall::Art a = art == "gelesen" ? Fall::gelesen : art == "gesetzt" ? Fall::gesetzt
                : art == "wert" ? Fall::wert : art == "genullt" ? Fall::genullt : Fall::nurdaten;
            Fall::Erwartung e;
            e.art = a;
            z >> name >> e.wert >> e.text;
            f->erwartet[static_cast<std::size_t>(groesse(name))] = e;
        }
    }
    return alle;
}

std::string mitTrenner(std::string t, const std::string& trenner)
{
    if (const auto punkt = t.find('.'); punkt != std::string::npos)
        t.replace(punkt, 1, trenner);
    return t;
}

Statusfarbe farbeVon(std::string_view status)
{
    if (status == meldung::nichtAusreichend)
        return Statusfarbe::rot;
    if (status == meldung::eingabenPruefen || status == meldung::allgemeinerFehler)
        return Statusfarbe::gelb;
    return Statusfarbe::normal;
}

void PrintTo(const Fall& f, std::ostream* os) { *os << f.name; }

class Rechenfall : public testing::TestWithParam<Fall> {};

// Every box the run reaches gets its value and text; every box it does not
// reach (a stop, a switched-off part) keeps what it held.
TEST_P(Rechenfall, readsWritesAndLeavesExactlyWhatTheIndependentModelSays)
{
    const Fall& f = GetParam();
    constexpr double alt = -777;
    for (const std::string trenner : {".", ","}) {
        SCOPED_TRACE("Trenner " + trenner);
        Berechnungsdaten daten;
        Kastentexte texte = f.texte;
        for (const Groesseninfo& i : groessen()) {
            wert(daten, i.groesse) = alt;
            if (!i.eingabe)
                text(texte, i.groesse) = "alt";
        }
        const Rechenlauf lauf = berechnung(daten, texte, f.schalter, trenner);

        EXPECT_EQ(lauf.status, f.status);
        EXPECT_EQ(lauf.statusfarbe, farbeVon(f.status));
        EXPECT_EQ(lauf.berechnet, lauf.schritt == Schritt::urteil);
        EXPECT_EQ(lauf.berechnet, f.status != meldung::divisionDurchNull && f.status != meldung::allgemeinerFehler);
        EXPECT_EQ(lauf.reservefarben, f.farben);
        for (const Groesseninfo& i : groessen()) {
            SCOPED_TRACE(i.name);
            const auto& e = f.erwartet[static_cast<std::size_t>(i.groesse)];
            const double w = wert(daten, i.groesse);
            const std::string& t = text(texte, i.groesse);
            const std::string vorher = i.eingabe ? text(f.texte, i.groesse) : "alt";
            if (!e) {
                EXPECT_EQ(w, alt);
                EXPECT_EQ(t, vorher);
            } else if (e->art == Fall::gelesen || e->art == Fall::wert) {
                EXPECT_NEAR(w, e->wert, 1e-12 * (1 + std::fabs(e->wert)));
                EXPECT_EQ(t, mitTrenner(e->text, trenner));
            } else {
                EXPECT_NEAR(w, e->wert, 1e-12 * (1 + std::fabs(e->wert))); // genullt: 0
                EXPECT_EQ(t, vorher);
            }
        }
        if (!lauf.berechnet)
            continue;
        // A second run reads the rewritten texts back to the same values.
        const Berechnungsdaten erste = daten;
        const Kastentexte ersteTexte = texte;
        const Rechenlauf zweiter = berechnung(daten, texte, f.schalter, trenner);
        EXPECT_EQ(texte, ersteTexte);
        for (const Groesseninfo& i : groessen())
            EXPECT_EQ(wert(daten, i.groesse), wert(erste, i.groesse)) << i.name;
        EXPECT_EQ(zweiter.status, lauf.status);
    }
}

INSTANTIATE_TEST_SUITE_P(Faelle, Rechenfall, testing::ValuesIn(faelle()),
                         [](const auto& info) { return info.param.name; });

} // namespace
} // namespace velkor
