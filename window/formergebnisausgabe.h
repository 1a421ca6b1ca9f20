#pragma once

#include "report/bericht.h"

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
class QTabBar;

namespace velkor {

class Dialoge;
struct Druckwerk;
class Skizzenansicht;

// The report window: the last report in a read-only monospaced box, with
// "Zwischenablage", "Drucken", "Als PDF" and "Zurück", and the drawing of the same run one
// tab ("Skizze") away. One instance is filled and shown again by every report;
// closing it only hides it. With "Rechengang" checked (a choice kept between
// runs of the program) the report is followed by its worked calculation;
// toggling shows the texts it was handed again at once. It opens at its fixed
// layout's size, with the tabs above it, and may be made larger, the box and the
// drawing growing with it.
class FormErgebnisausgabe : public QWidget {
    Q_OBJECT
public:
    // The printer for "Drucken", or nothing when none is installed.
    using Druckerwahl = std::function<std::unique_ptr<QPrinter>()>;

    explicit FormErgebnisausgabe(Dialoge& dialoge, Druckerwahl druckerwahl = {}, QWidget* parent = nullptr);
    ~FormErgebnisausgabe() override;

    // Replaces the whole text by the report (and the section "RECHENGANG" when
    // checked), the drawing by the run's (or none), and shows the window without
    // blocking. `datei` is what the head of every printed page names.
    void zeigeBericht(const QString& bericht, const QString& rechengang = {},
                      std::optional<Rechenstand> skizze = std::nullopt, const QString& datei = {});
    // A run that stopped: the refusal line and the section up to the stop.
    void zeigeAbbruch(const QString& rechengang, std::optional<Rechenstand> skizze = std::nullopt,
                      const QString& datei = {});
    // Whether "Rechengang" is chosen, as the window would start with it.
    static bool rechengangGewaehlt();
    // The box's text with CR LF line ends, as copied and printed.
    QString text() const;

    void kopiere();   // "Zwischenablage"
    void druckeText(); // "Drucken": the text, then the drawing on a page of its own
    // "Als PDF": the printout into a file chosen in the save dialog, written
    // whole or not at all; the status line says where it went.
    void speicherePdf();

protected:
    void resizeEvent(QResizeEvent* ereignis) override;

private:
    void zeigeText();
    void zeigeFenster(std::optional<Rechenstand> skizze, const QString& datei);
    Druckwerk druckwerk() const;
    void rechengangUmgeschaltet(bool an);
    void zeigeAnsicht(int tab); // 0 the report, 1 the drawing
    void wechsleAnsicht(int schritt); // to the next (+1) or previous (-1) enabled tab

    Dialoge& dialoge_;
    Druckerwahl druckerwahl_;
    QTabBar* ansichten_;
    QPlainTextEdit* textErgebnisAusgabe_;
    Skizzenansicht* skizze_;
    QPushButton* commandClipboard_;
    QPushButton* commandDrucken_;
    QPushButton* commandPdf_;
    QPushButton* commandOK_;
    QLabel* statusBar_;
    QCheckBox* checkRechengang_;
    // The texts and the run last handed over; no report after a run that stopped.
    bool gefuellt_ = false;
    std::optional<std::string> bericht_;
    std::string rechengang_;
    std::optional<Rechenstand> quelle_;
    QString datei_;
};

} // namespace velkor
