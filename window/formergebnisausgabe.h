#pragma once

#include <QWidget>

#include <functional>
#include <memory>
#include <optional>
#include <string>

class QCheckBox;
class QLabel;
class QPlainTextEdit;
class QPrinter;
class QPushButton;

namespace velkor {

class Dialoge;

// The report window: the last report in an editable monospaced box, with
// "Zwischenablage", "Drucken" and "Zurück". One instance is filled and shown
// again by every report; closing it only hides it. With "Rechengang" checked
// (a choice kept between runs of the program) the report is followed by its
// worked calculation; toggling shows the texts it was handed again at once.
class FormErgebnisausgabe : public QWidget {
    Q_OBJECT
public:
    // The printer for "Drucken", or nothing when none is installed.
    using Druckerwahl = std::function<std::unique_ptr<QPrinter>()>;

    explicit FormErgebnisausgabe(Dialoge& dialoge, Druckerwahl druckerwahl = {}, QWidget* parent = nullptr);
    ~FormErgebnisausgabe() override;

    // Replaces the whole text by the report (and the section "RECHENGANG" when
    // checked) and shows the window without blocking.
    void zeigeBericht(const QString& bericht, const QString& rechengang = {});
    // A run that stopped: the refusal line and the section up to the stop.
    void zeigeAbbruch(const QString& rechengang);
    // Whether "Rechengang" is chosen, as the window would start with it.
    static bool rechengangGewaehlt();
    // The box's text with CR LF line ends, as copied and printed.
    QString text() const;

    void kopiere();   // "Zwischenablage"
    void druckeText(); // "Drucken"

private:
    void zeigeText();
    void zeigeFenster();
    void rechengangUmgeschaltet(bool an);

    Dialoge& dialoge_;
    Druckerwahl druckerwahl_;
    QPlainTextEdit* textErgebnisAusgabe_;
    QPushButton* commandClipboard_;
    QPushButton* commandDrucken_;
    QPushButton* commandOK_;
    QLabel* statusBar_;
    QCheckBox* checkRechengang_;
    // The texts last handed over; no report after a run that stopped.
    bool gefuellt_ = false;
    std::optional<std::string> bericht_;
    std::string rechengang_;
};

} // namespace velkor
