#pragma once

#include "formular/angabenformular.h"
#include "formular/formular.h"

#include <QDialog>

#include <array>

class QCheckBox;
class QLabel;
class QLineEdit;

namespace velkor {

// The dialog "Angaben": design temperature, materials and the check at test
// pressure, with that check's last results. A thin view of Angabenformular;
// what OK takes over is the model's angaben() and pruefangaben().
class AngabenDialog : public QDialog {
    Q_OBJECT
public:
    // Opens with the design's values and the results of its last calculation.
    AngabenDialog(const Formular& formular, QWidget* parent = nullptr);
    // Hiding sends a focus-out to the focused box; it must arrive while the model still exists.
    ~AngabenDialog() override { hide(); }

    const Angabenformular& modell() const { return modell_; }

private:
    QWidget* erzeugeAuslegung();
    QWidget* erzeugePruefung(const Pruefanzeige& anzeige);
    QWidget* erzeugeErgebnisse(const Pruefanzeige& anzeige);
    QLineEdit* kasten(Angabenfeld f);
    void zeigeModell();

    Angabenformular modell_;
    std::array<QLineEdit*, anzahlAngabenfelder> kaesten_{};
    QCheckBox* checkPruefung_ = nullptr;
    QCheckBox* checkC2_ = nullptr;
    QLabel* statusBar_ = nullptr;
};

} // namespace velkor
