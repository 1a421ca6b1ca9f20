#include "app/kommandozeile.h"
#include "formular/projektbefehle.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <vector>

namespace velkor {
namespace {

// Loading a named file shows no dialog.
class KeineDialoge : public Dialoge {
    Antwort frage(std::string_view text, std::string_view) override
    {
        ADD_FAILURE() << "Frage: " << text;
        return Antwort::abbrechen;
    }
    void meldung(std::string_view text, std::string_view) override { ADD_FAILURE() << "Meldung: " << text; }
    std::optional<std::string> dateiZumSpeichern(std::string_view, std::string_view, const std::string&) override
    {
        ADD_FAILURE() << "Speicherdialog";
        return std::nullopt;
    }
    std::optional<std::string> dateiZumOeffnen(std::string_view, std::string_view, const std::string&) override
    {
        ADD_FAILURE() << "Öffnendialog";
        return std::nullopt;
    }
};

QString farbname(Statusfarbe f)
{
    switch (f) {
    case Statusfarbe::rot: return "rot";
    case Statusfarbe::gelb: return "gelb";
    case Statusfarbe::normal: return "normal";
    }
    return {};
}

TEST(Beispiele, loadingEachShippedExampleGivesTheStatusAndResultsOfTheJsonCommand)
{
    std::vector<std::filesystem::path> dateien;
    for (const auto& eintrag : std::filesystem::directory_iterator(VELKOR_BEISPIELE))
        if (eintrag.path().extension() == ".vlk")
            dateien.push_back(eintrag.path());
    std::sort(dateien.begin(), dateien.end());
    ASSERT_GE(dateien.size(), 4u);

    for (const auto& pfad : dateien) {
        SCOPED_TRACE(pfad.string());
        std::ostringstream aus, fehler;
        ASSERT_TRUE(kommandozeile({"--json", QString::fromStdString(pfad.string())}, aus, fehler, ","));
        const QJsonArray liste = QJsonDocument::fromJson(QByteArray::fromStdString(aus.str())).array();
        ASSERT_EQ(liste.size(), 1);
        const QJsonObject json = liste.first().toObject();

        Formular formular(",");
        KeineDialoge dialoge;
        Projektbefehle befehle(formular, dialoge);
        ASSERT_TRUE(befehle.laden(pfad.string()));
        EXPECT_EQ(formular.statustext(), "Laden erfolgreich");
        EXPECT_FALSE(formular.geaendert());
        EXPECT_EQ(farbname(formular.statusfarbe()), json["statusfarbe"].toString());
        EXPECT_EQ(formular.berechnet(), json["berechnet"].toBool());
        const QJsonObject eingaben = json["eingaben"].toObject();
        const QJsonObject ergebnisse = json["ergebnisse"].toObject();
        for (const Groesseninfo& g : groessen()) {
            const QString name = QString::fromUtf8(g.name.data(), static_cast<qsizetype>(g.name.size()));
            EXPECT_EQ(wert(formular.daten(), g.groesse), (g.eingabe ? eingaben : ergebnisse)[name].toDouble())
                << g.name;
        }
        EXPECT_EQ(formular.zylinder(), eingaben["zylinder"].toBool());
        EXPECT_EQ(formular.stutzen(), eingaben["stutzen"].toBool());
        EXPECT_EQ(formular.scheibe(), eingaben["scheibe"].toBool());
        EXPECT_EQ(formular.ausgehalst(), eingaben["ausgehalst"].toBool());
        // The load's own text replaced the verdict; the same run again shows it.
        EXPECT_EQ(QString::fromStdString(formular.berechne().status), json["status"].toString());
    }
}

} // namespace
} // namespace velkor
