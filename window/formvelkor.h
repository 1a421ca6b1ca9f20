#pragma once

#include "formular/projektbefehle.h"
#include "formular/formular.h"

#include <QLocale>
#include <QString>
#include <QWidget>

#include <array>
#include <memory>
#include <optional>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace velkor {

class Dialoge;
class FormErgebnisausgabe;

// The main window: a fixed layout of boxes, switches and buttons that mirrors
// the model Formular. Every user event goes into the model; the window then
// shows what the model holds. Every control carries its name as objectName.
class FormVelkor : public QWidget {
    Q_OBJECT
public:
    // dezimaltrenner: the user's regional decimal separator.
    explicit FormVelkor(Dialoge& dialoge,
                        const QString& dezimaltrenner = QLocale::system().decimalPoint(),
                        QWidget* parent = nullptr);
    ~FormVelkor() override;

    const Formular& formular() const { return formular_; }
    // Loads a project named on the command line, as the load command would after its dialog.
    bool lade(const std::string& pfad);
    // The report window, once the first report has been shown.
    FormErgebnisausgabe* ergebnisausgabe() const { return ergebnisausgabe_.get(); }

protected:
    bool eventFilter(QObject* objekt, QEvent* ereignis) override;
    void keyPressEvent(QKeyEvent* ereignis) override;
    void closeEvent(QCloseEvent* ereignis) override;

private:
    void erzeugeRahmen();
    void erzeugeEingabefelder();
    void erzeugeSchalter();
    void erzeugeKnoepfe();
    void erzeugeStatuszeile();
    void setzeTabfolge();
    void verbindeSignale();

    // Shows the model's state in every control, writing only what differs.
    void zeigeModell();
    // A command runs as if the focused box had been left first.
    void verlasseFokuskasten();
    void verlasse(Kasten k); // the leaving rule, unless a command already ran it
    void berechnen();
    void ausgeben();
    void zeigeAngaben(); // the dialog "Angaben", window-modal
    template <typename Befehl> void fuehreAus(Befehl befehl);

    std::optional<Kasten> kastenDes(const QObject* objekt) const; // the box that is this widget
    QWidget* rahmen(Kasten k) const;                             // the frame the box stands in

    Formular formular_;
    Dialoge& dialoge_;
    Projektbefehle befehle_;

    std::array<QGroupBox*, anzahlRahmen> rahmen_{};
    std::array<QLineEdit*, anzahlKaesten> kaesten_{};
    QRadioButton* optionZylinder_ = nullptr;
    QRadioButton* optionKugel_ = nullptr;
    QCheckBox* checkStutzen_ = nullptr;
    QCheckBox* checkScheibe_ = nullptr;
    QCheckBox* checkAusgehalst_ = nullptr;
    QCheckBox* checkDateiname_ = nullptr;
    QPushButton* commandTextdatei_ = nullptr;
    QPushButton* commandLaden_ = nullptr;
    QPushButton* commandSpeichern_ = nullptr;
    QPushButton* commandLoeschen_ = nullptr;
    QPushButton* commandBerechnen_ = nullptr;
    QPushButton* commandOK_ = nullptr;
    QPushButton* commandAngaben_ = nullptr;
    QLabel* statusBar_ = nullptr;

    // The box a command has already left while it kept the focus (Enter):
    // its real focus-out later must not run the leaving rule a second time.
    std::optional<Kasten> schonVerlassen_;
    // The box that last took the focus and has not had a focus-out since. While
    // another window is active a click moves the focus with no focus-out at all;
    // this box is then left before the next command or box.
    std::optional<Kasten> offen_;
    int zeigt_ = 0; // > 0 while zeigeModell writes the controls

    std::unique_ptr<FormErgebnisausgabe> ergebnisausgabe_;
};

} // namespace velkor
