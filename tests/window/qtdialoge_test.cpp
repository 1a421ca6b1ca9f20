#include "window/qtdialoge.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <fstream>
#include <functional>

namespace velkor {
namespace {

// Acts on the next modal dialog once it is open; fails the test when none
// appears within two seconds.
template <typename Dialog>
void beimNaechstenDialog(std::function<void(Dialog*)> tun, int versuche = 200)
{
    QTimer::singleShot(10, qApp, [tun, versuche] {
        if (auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget())) {
            tun(dialog);
        } else if (versuche > 0) {
            beimNaechstenDialog<Dialog>(tun, versuche - 1);
        } else {
            ADD_FAILURE() << "kein Dialog erschienen";
        }
    });
}

QStringList beschriftungen(QMessageBox* box)
{
    QStringList texte;
    for (QAbstractButton* b : box->buttons())
        texte << b->text();
    texte.sort();
    return texte;
}

TEST(QtDialoge, theQuestionAndTheMessageAreGermanWithoutIconAndEveryWayOutGivesItsAnswer)
{
    QtDialoge dialoge;
    const std::vector<std::pair<std::function<void(QMessageBox*)>, Antwort>> faelle{
        {[](QMessageBox* b) { QTest::keyClick(b, Qt::Key_Return); }, Antwort::ja},
        {[](QMessageBox* b) { QTest::keyClick(b, Qt::Key_J, Qt::AltModifier); }, Antwort::ja},
        {[](QMessageBox* b) { b->button(QMessageBox::No)->click(); }, Antwort::nein},
        {[](QMessageBox* b) { b->button(QMessageBox::Cancel)->click(); }, Antwort::abbrechen},
        {[](QMessageBox* b) { QTest::keyClick(b, Qt::Key_Escape); }, Antwort::abbrechen},
        {[](QMessageBox* b) { b->close(); }, Antwort::abbrechen},
    };
    for (const auto& [tun, antwort] : faelle) {
        beimNaechstenDialog<QMessageBox>([tun](QMessageBox* box) {
            EXPECT_EQ(box->windowTitle(), QStringLiteral("Geänderte Daten"));
            EXPECT_EQ(box->text(), QStringLiteral("Vor dem Löschen speichern?"));
            EXPECT_EQ(box->icon(), QMessageBox::NoIcon);
            EXPECT_EQ(beschriftungen(box), (QStringList{"&Ja", "&Nein", "Abbrechen"}));
            EXPECT_EQ(box->defaultButton(), box->button(QMessageBox::Yes));
            tun(box);
        });
        EXPECT_EQ(dialoge.frage("Vor dem Löschen speichern?", "Geänderte Daten"), antwort);
    }
    bool gezeigt = false;
    beimNaechstenDialog<QMessageBox>([&gezeigt](QMessageBox* box) {
        gezeigt = box->windowTitle() == "Titel" && box->text() == "Text" && box->icon() == QMessageBox::NoIcon
            && box->buttons().size() == 1;
        box->buttons().front()->click();
    });
    dialoge.meldung("Text", "Titel");
    EXPECT_TRUE(gezeigt);
}

// The dialog lists its folder in a thread and selects the proposal once the
// list is in, which can undo a choice made before. So the name is typed (the
// box has the focus, which selectFile() would respect) until the choice holds,
// and accepted at once.
void waehle(QFileDialog* dialog, const QString& pfad)
{
    auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
    ASSERT_NE(name, nullptr);
    const bool gewaehlt = QTest::qWaitFor([&] {
        name->setText(QFileInfo(pfad).fileName());
        return dialog->selectedFiles() == QStringList{pfad};
    });
    EXPECT_TRUE(gewaehlt) << "gewählt: " << dialog->selectedFiles().join(", ").toStdString();
    QMetaObject::invokeMethod(dialog, gewaehlt ? "accept" : "reject");
}

class QtDateidialoge : public testing::Test {
protected:
    QString pfad(const QString& name) const { return ordner.filePath(name); }
    void lege(const QString& name) const { std::ofstream(pfad(name).toStdString()) << "alt"; }

    QTemporaryDir ordner;
    QtDialoge dialoge;
};

TEST_F(QtDateidialoge, theSaveDialogShowsTitleFilterAndProposalAndAppendsTheExtension)
{
    beimNaechstenDialog<QFileDialog>([this](QFileDialog* d) {
        EXPECT_EQ(d->windowTitle(), QStringLiteral("SPEICHERN - Kalvero - Velkor"));
        EXPECT_EQ(d->nameFilters(), QStringList{"VLK-Dateien (*.vlk)"});
        EXPECT_EQ(d->acceptMode(), QFileDialog::AcceptSave);
        EXPECT_EQ(d->selectedFiles(), QStringList{pfad("Behälter 12")});
        QMetaObject::invokeMethod(d, "accept");
    });
    EXPECT_EQ(dialoge.dateiZumSpeichern("SPEICHERN - Kalvero - Velkor", "VLK-Dateien|*.vlk",
                                        pfad("Behälter 12").toStdString()),
              pfad("Behälter 12.vlk").toStdString());
}

TEST_F(QtDateidialoge, replacingAFileUnderItsFinalNameIsAskedFirst)
{
    lege("da.vlk");
    // Typed without the extension: the question names the file that would be replaced.
    beimNaechstenDialog<QFileDialog>([this](QFileDialog* d) { waehle(d, pfad("da")); });
    beimNaechstenDialog<QMessageBox>([](QMessageBox* box) {
        EXPECT_EQ(box->text(), QStringLiteral("„da.vlk“ gibt es bereits.\nSoll die Datei ersetzt werden?"));
        EXPECT_EQ(box->defaultButton(), box->button(QMessageBox::No));
        EXPECT_EQ(beschriftungen(box), (QStringList{"&Ja", "&Nein"}));
        // Nein shows the save dialog again, with the file proposed.
        box->button(QMessageBox::No)->click();
        beimNaechstenDialog<QFileDialog>([](QFileDialog* d) { d->reject(); });
    });
    EXPECT_EQ(dialoge.dateiZumSpeichern("SPEICHERN - Kalvero - Velkor", "VLK-Dateien|*.vlk", pfad("neu").toStdString()),
              std::nullopt);

    beimNaechstenDialog<QFileDialog>([this](QFileDialog* d) { waehle(d, pfad("da.vlk")); });
    beimNaechstenDialog<QMessageBox>([](QMessageBox* box) { box->button(QMessageBox::Yes)->click(); });
    EXPECT_EQ(dialoge.dateiZumSpeichern("SPEICHERN - Kalvero - Velkor", "VLK-Dateien|*.vlk", pfad("neu").toStdString()),
              pfad("da.vlk").toStdString());
}

TEST_F(QtDateidialoge, theOpenDialogProposesTheLastFileAndReturnsTheChosenOne)
{
    lege("eins.vlk");
    lege("zwei.vlk");
    beimNaechstenDialog<QFileDialog>([this](QFileDialog* d) {
        EXPECT_EQ(d->windowTitle(), QStringLiteral("LADEN - Kalvero - Velkor"));
        EXPECT_EQ(d->nameFilters(), QStringList{"VLK-Dateien (*.vlk)"});
        EXPECT_EQ(d->fileMode(), QFileDialog::ExistingFile);
        EXPECT_EQ(d->selectedFiles(), QStringList{pfad("eins.vlk")});
        waehle(d, pfad("zwei.vlk"));
    });
    EXPECT_EQ(dialoge.dateiZumOeffnen("LADEN - Kalvero - Velkor", "VLK-Dateien|*.vlk", pfad("eins.vlk").toStdString()),
              pfad("zwei.vlk").toStdString());

    beimNaechstenDialog<QFileDialog>([](QFileDialog* d) { d->reject(); });
    EXPECT_EQ(dialoge.dateiZumOeffnen("LADEN - Kalvero - Velkor", "VLK-Dateien|*.vlk", pfad("eins.vlk").toStdString()),
              std::nullopt);
}

} // namespace
} // namespace velkor
