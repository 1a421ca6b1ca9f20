#include "engine/berechnung.h"

#include "engine/pruefzustand.h"
#include "engine/zahlentext.h"
#include "formular/formular.h"
#include "report/meldung.h"
#include "tests/support/testdaten.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <sstream>
#include <cmath>
#include <optional>
#include <string>
#include <vector>

namespace velkor {
namespace {

// One run of tests/data/engine/rechenlaeufe.txt, computed by erwartete_werte.py
// from the formulas alone: what the run must take in, form, leave and report.
struct Fall {
    struct Erwartung {
        std::string art; // gelesen, wert (both shown), gesetzt, genullt, nurdaten (record only)
        double wert = 0;
        std::string text;
    };
    std::string name;
    Schalter schalter;
    std::array<std::string, anzahlGroessen> texte;
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
    std::array<std::string, anzahlGroessen> grundtexte;
    for (const auto& z : tabelle("engine/rechenlaeufe.txt")) {
        Fall* f = alle.empty() ? nullptr : &alle.back();
        const auto i = [&] { return static_cast<std::size_t>(groesse(z[1])); };
        if (z[0] == "fall") {
            alle.emplace_back().name = z[1];
            alle.back().texte = grundtexte;
        } else if (z[0] == "text") {
            (f ? f->texte : grundtexte)[i()] = z[2];
        } else if (z[0] == "schalter") {
            const auto hat = [&](const char* s) { return z.size() > 1 && z[1].find(s) != std::string::npos; };
            f->schalter = Schalter{!hat("kugel"), hat("stutzen"), hat("scheibe"), hat("ausgehalst")};
        } else if (z[0] == "status") {
            f->status = z[1];
            f->statusfarbe = z[2] == "rot" ? Statusfarbe::rot : z[2] == "gelb" ? Statusfarbe::gelb : Statusfarbe::normal;
        } else if (z[0] == "farbe") {
            f->farben.emplace_back(groesse(z[1]), z[2] == "rot" ? Reservefarbe::rot : Reservefarbe::gruen);
        } else {
            f->erwartet[i()] = Fall::Erwartung{z[0], std::stod(z[2]), z.size() > 3 ? z[3] : ""};
        }
    }
    return alle;
}

void PrintTo(const Fall& f, std::ostream* os) { *os << f.name; }

class Rechenfall : public testing::TestWithParam<Fall> {};

// Every quantity the run reaches gets its value (and is shown when the model
// says so); every one it does not reach (a stop, a switched-off part) keeps
// what was handed in.
TEST_P(Rechenfall, takesInFormsAndLeavesExactlyWhatTheIndependentModelSays)
{
    const Fall& f = GetParam();
    Berechnungsdaten design;
    for (const Groesseninfo& i : groessen())
        wert(design, i.groesse) = i.eingabe ? zahlAusText(f.texte[static_cast<std::size_t>(i.groesse)], ".") : -777;
    const Rechenlauf lauf = berechnung(design, f.schalter);

    EXPECT_EQ(meldung(lauf.ausgang), f.status);
    EXPECT_EQ(statusfarbe(lauf.ausgang), f.statusfarbe);
    EXPECT_EQ(lauf.berechnet(), lauf.ausgang != Ausgang::nullteiler && lauf.ausgang != Ausgang::rechenfehler);
    std::vector<std::pair<Groesse, Reservefarbe>> farben;
    for (Groesse r : {Groesse::rG, Groesse::rS, Groesse::rFV})
        if (lauf.gezeigt[static_cast<std::size_t>(r)])
            farben.emplace_back(r, wert(lauf.daten, r) < 0 ? Reservefarbe::rot : Reservefarbe::gruen);
    EXPECT_EQ(farben, f.farben);
    for (const Groesseninfo& i : groessen()) {
        SCOPED_TRACE(i.name);
        const auto k = static_cast<std::size_t>(i.groesse);
        const auto& e = f.erwartet[k];
        const double w = wert(lauf.daten, i.groesse);
        if (!e) {
            EXPECT_EQ(w, wert(design, i.groesse));
            EXPECT_FALSE(lauf.gesetzt[k] || lauf.gezeigt[k]);
            continue;
        }
        EXPECT_NEAR(w, e->wert, 1e-12 * (1 + std::fabs(e->wert)));
        EXPECT_TRUE(lauf.gesetzt[k]);
        const bool gezeigt = e->art == "gelesen" || e->art == "wert";
        EXPECT_EQ(lauf.gezeigt[k], gezeigt);
        if (gezeigt)
            EXPECT_EQ(anzeigetext(w, i.muster, "."), e->text);
    }
}

INSTANTIATE_TEST_SUITE_P(Faelle, Rechenfall, testing::ValuesIn(faelle()),
                         [](const auto& info) { return info.param.name; });

// The pressure test of tests/data/engine/pruefzustand.txt: the operating run's
// design with the test data gives pT,min, pT and every test result of the model.
TEST(Pruefzustand, givesTheTestPressureAndEveryResultOfTheIndependentModel)
{
    const Fall basis = faelle().front();
    for (const auto& z : tabelle("engine/pruefzustand.txt")) {
        SCOPED_TRACE(z[0]);
        std::array<std::string, anzahlGroessen> texte = basis.texte;
        Pruefangaben a{.an = true};
        std::istringstream aenderungen(z[2] + " " + z[3]);
        for (std::string feld; aenderungen >> feld;) {
            const std::string name = feld.substr(0, feld.find('=')), w = feld.substr(name.size() + 1);
            const std::map<std::string, double*> angaben{
                {"pT", &a.pT}, {"K20", &a.K20}, {"K20s", &a.K20s}, {"K20Scheibe", &a.K20Scheibe},
                {"SPruef", &a.SPruef}, {"SPruefs", &a.SPruefs}, {"SPruefScheibe", &a.SPruefScheibe}};
            if (name == "c2Abziehen")
                a.c2Abziehen = std::stod(w) != 0;
            else if (angaben.contains(name))
                *angaben.at(name) = std::stod(w);
            else
                texte[static_cast<std::size_t>(groesse(name))] = w;
        }
        Berechnungsdaten design;
        for (const Groesseninfo& i : groessen())
            if (i.eingabe)
                wert(design, i.groesse) = zahlAusText(texte[static_cast<std::size_t>(i.groesse)], ".");
        const auto hat = [&](const char* s) { return z[1].find(s) != std::string::npos; };
        const Schalter schalter{!hat("kugel"), hat("stutzen"), hat("scheibe"), false};
        const Pruefzustand p = pruefzustand(berechnung(design, schalter).daten, schalter, a);

        EXPECT_DOUBLE_EQ(p.pTMindest, std::stod(z[4]));
        EXPECT_DOUBLE_EQ(p.pT, std::stod(z[5]));
        EXPECT_EQ(meldung(p.lauf.ausgang), z[6]);
        const char* namen[] = {"sG", "rG", "pmaxG", "sS", "rS", "pmaxS", "b", "lsm", "As0", "As1", "As2", "Ap", "rFV", "pmaxFV"};
        for (std::size_t k = 0; k < std::size(namen); ++k) {
            const Groesse g = groesse(namen[k]);
            const bool erreicht = z[7 + k] != "-";
            EXPECT_EQ(p.lauf.gezeigt[static_cast<std::size_t>(g)], erreicht) << namen[k];
            if (erreicht)
                EXPECT_NEAR(wert(p.lauf.daten, g), std::stod(z[7 + k]), 1e-12 * (1 + std::fabs(std::stod(z[7 + k])))) << namen[k];
        }
    }
}

} // namespace
} // namespace velkor
