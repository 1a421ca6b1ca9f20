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
        {[](QMessageBox* b) { b->button(QMessageBox::No)->click(); }, Antwort::nein},
        {[](QMessageBox* b) { b->close(); }, Antwort::abbrechen},
    };
    for (const auto& [tun, antwort] : faelle) {
        beimNaechstenDialog<QMessageBox>([tun](QMessageBox* box) {
            EXPECT_EQ(box->windowTitle() + "|" + box->text(), QStringLiteral("Geänderte Daten|Vor dem Löschen speichern?"));
            EXPECT_EQ(box->icon(), QMessageBox::NoIcon);
            EXPECT_EQ(beschriftungen(box), (QStringList{"&Ja", "&Nein", "Abbrechen"}));
            tun(box);
        });
        EXPECT_EQ(dialoge.frage("Vor dem Löschen speichern?", "Geänderte Daten"), antwort);
    }
    beimNaechstenDialog<QMessageBox>([](QMessageBox* box) {
        EXPECT_EQ(box->windowTitle() + "|" + box->text() + "|" + beschriftungen(box).join(""), "Titel|Text|OK");
        box->buttons().front()->click();
    });
    dialoge.meldung("Text", "Titel");
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

// Title, filter and proposal of both file dialogs; the save dialog appends the
// extension and asks before it replaces a file under that final name.
TEST(QtDialoge, theFileDialogsProposeANameAndTheSaveDialogAsksBeforeReplacingTheFinalOne)
{
    QtDialoge dialoge;
    QTemporaryDir ordner;
    const auto pfad = [&](const char* name) { return ordner.filePath(name); };
    std::ofstream(pfad("da.vlk").toStdString()) << "alt";
    const std::string titel = "SPEICHERN - Kalvero - Velkor", filter = "VLK-Dateien|*.vlk";
    beimNaechstenDialog<QFileDialog>([&](QFileDialog* d) {
        EXPECT_EQ(d->windowTitle(), QString::fromStdString(titel));
        EXPECT_EQ(d->nameFilters(), QStringList{"VLK-Dateien (*.vlk)"});
        EXPECT_EQ(d->acceptMode(), QFileDialog::AcceptSave);
        EXPECT_EQ(d->selectedFiles(), QStringList{pfad("Behälter 12")});
        QMetaObject::invokeMethod(d, "accept");
    });
    EXPECT_EQ(dialoge.dateiZumSpeichern(titel, filter, pfad("Behälter 12").toStdString()), pfad("Behälter 12.vlk").toStdString());

    // Typed without the extension: the question names the file that would be replaced;
    // Nein shows the dialog again, Ja takes the file.
    for (bool ersetzen : {false, true}) {
        beimNaechstenDialog<QFileDialog>([&](QFileDialog* d) { waehle(d, pfad("da")); });
        beimNaechstenDialog<QMessageBox>([ersetzen](QMessageBox* box) {
            EXPECT_EQ(box->text(), QStringLiteral("„da.vlk“ gibt es bereits.\nSoll die Datei ersetzt werden?"));
            EXPECT_EQ(box->defaultButton(), box->button(QMessageBox::No));
            EXPECT_EQ(beschriftungen(box), (QStringList{"&Ja", "&Nein"}));
            box->button(ersetzen ? QMessageBox::Yes : QMessageBox::No)->click();
            if (!ersetzen)
                beimNaechstenDialog<QFileDialog>([](QFileDialog* d) { d->reject(); });
        });
        EXPECT_EQ(dialoge.dateiZumSpeichern(titel, filter, pfad("neu").toStdString()),
                  ersetzen ? std::optional(pfad("da.vlk").toStdString()) : std::nullopt);
    }
    beimNaechstenDialog<QFileDialog>([&](QFileDialog* d) {
        EXPECT_EQ(d->windowTitle(), QStringLiteral("LADEN - Kalvero - Velkor"));
        EXPECT_EQ(d->fileMode(), QFileDialog::ExistingFile);
        EXPECT_EQ(d->nameFilters(), QStringList{"VLK-Dateien (*.vlk)"});
        EXPECT_EQ(d->selectedFiles(), QStringList{pfad("da.vlk")});
        QMetaObject::invokeMethod(d, "accept");
    });
    EXPECT_EQ(dialoge.dateiZumOeffnen("LADEN - Kalvero - Velkor", filter, pfad("da.vlk").toStdString()),
              pfad("da.vlk").toStdString());
}

} // namespace
} // namespace velkor
