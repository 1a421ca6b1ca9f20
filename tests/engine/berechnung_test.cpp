#include "engine/berechnung.h"

#include "tests/support/testdaten.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <vector>

namespace velkor {
namespace {

// One run of tests/data/engine/rechenlaeufe.txt, computed by erwartete_werte.py
// from the formulas alone: what the run must read, write, leave and report.
struct Fall {
    struct Erwartung {
        std::string art; // gelesen, gesetzt, wert, genullt (to 0) or nurdaten (record only)
        double wert = 0;
        std::string text;
    };
    std::string name;
    Schalter schalter;
    Kastentexte texte;
    std::string status;
    Statusfarbe statusfarbe = Statusfarbe::normal;
    std::vector<std::pair<Groesse, Reservefarbe>> farben;
    std::array<std::optional<Erwartung>, anzahlGroessen> erwartet;
};

Groesse groesse(const std::string& name)
{
    return std::ranges::find(groessen(), name, &Groesseninfo::name)->groesse;
}

std::vector<Fall> faelle()
{
    std::vector<Fall> alle;
    Kastentexte grundtexte;
    for (const auto& z : tabelle("engine/rechenlaeufe.txt")) {
        Fall* f = alle.empty() ? nullptr : &alle.back();
        if (z[0] == "fall") {
            alle.emplace_back().name = z[1];
            alle.back().texte = grundtexte;
        } else if (z[0] == "text") {
            text(f ? f->texte : grundtexte, groesse(z[1])) = z[2];
        } else if (z[0] == "schalter") {
            const auto hat = [&](const char* s) { return z.size() > 1 && z[1].find(s) != std::string::npos; };
            f->schalter = Schalter{!hat("kugel"), hat("stutzen"), hat("scheibe"), hat("ausgehalst")};
        } else if (z[0] == "status") {
            f->status = z[1];
            f->statusfarbe = z[2] == "rot" ? Statusfarbe::rot : z[2] == "gelb" ? Statusfarbe::gelb : Statusfarbe::normal;
        } else if (z[0] == "farbe") {
            f->farben.emplace_back(groesse(z[1]), z[2] == "rot" ? Reservefarbe::rot : Reservefarbe::gruen);
        } else {
            f->erwartet[static_cast<std::size_t>(groesse(z[1]))] =
                Fall::Erwartung{z[0], std::stod(z[2]), z.size() > 3 ? z[3] : ""};
        }
    }
    return alle;
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
        EXPECT_EQ(lauf.statusfarbe, f.statusfarbe);
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
            } else if (e->art == "gelesen" || e->art == "wert") {
                EXPECT_NEAR(w, e->wert, 1e-12 * (1 + std::fabs(e->wert)));
                EXPECT_EQ(t, mitTrenner(e->text, trenner));
            } else {
                EXPECT_NEAR(w, e->wert, 1e-12 * (1 + std::fabs(e->wert)));
                EXPECT_EQ(t, vorher);
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Faelle, Rechenfall, testing::ValuesIn(faelle()),
                         [](const auto& info) { return info.param.name; });

} // namespace
} // namespace velkor
