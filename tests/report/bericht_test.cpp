#include "report/bericht.h"
#include "tests/support/testdaten.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>

namespace velkor {
namespace {

Groesse groesse(const std::string& name) { return std::ranges::find(groessen(), name, &Groesseninfo::name)->groesse; }

// What the report reads from the window, as tests/data/bericht/*.ein lists it.
Berichtsdaten berichtsdaten(const std::string& ein, std::string& erwartet)
{
    Berichtsdaten b;
    std::istringstream zeilen(ein);
    for (std::string zeile; std::getline(zeilen, zeile);) {
        std::istringstream z(zeile);
        std::string art, name, rest;
        z >> art;
        std::getline(z >> std::ws, rest);
        std::istringstream r(rest);
        if (art == "text" && r >> name >> std::ws)
            std::getline(r, text(b.texte, groesse(name)));
        else if (art == "wert" && r >> name)
            r >> wert(b.daten, groesse(name));
        else if (art == "schalter") {
            b.daten.zylinder = rest.find("kugel") == std::string::npos;
            b.stutzen = rest.find("stutzen") != std::string::npos;
            b.scheibe = rest.find("scheibe") != std::string::npos;
            b.ausgehalst = rest.find("ausgehalst") != std::string::npos;
        }
        (art == "bezeichnung" ? b.bezeichnung : art == "nummer" ? b.nummer : art == "bearbeiter" ? b.bearbeiter
         : art == "trenner" ? b.dezimaltrenner : art == "erwartet" ? erwartet : name) = rest;
    }
    return b;
}

// Each report case is a pair of files: the inputs (.ein) and the report, byte for byte (.txt).
TEST(Bericht, everyCaseGivesItsGoldenReportByteForByte)
{
    int faelle = 0;
    for (const auto& eintrag : std::filesystem::directory_iterator(VELKOR_TESTDATEN "/bericht")) {
        if (eintrag.path().extension() != ".ein")
            continue;
        SCOPED_TRACE(eintrag.path().filename().string());
        std::string erwartet = eintrag.path().stem().string() + ".txt";
        const Berichtsdaten b = berichtsdaten(inhalt(eintrag.path()), erwartet);
        EXPECT_EQ(bericht(b, Rechenlauf{}), inhalt(eintrag.path().parent_path() / erwartet));
        ++faelle;
    }
    EXPECT_GE(faelle, 7);
}

} // namespace
} // namespace velkor
