#pragma once

#include "report/skizze.h"

#include <QWidget>

#include <functional>
#include <memory>
#include <optional>

class QLabel;
class QPlainTextEdit;
class QPrinter;
class QPushButton;
class QTabBar;

namespace velkor {

class Dialoge;
class Skizzenansicht;

// The report window: the last report in an editable monospaced box, with
// "Zwischenablage", "Drucken" and "Zurück", and the drawing of the same run one
// tab ("Skizze") away. One instance is filled and shown again by every report;
// closing it only hides it. It opens at its fixed layout's size and may be made
// larger, the box and the drawing growing with it.
class FormErgebnisausgabe : public QWidget {
    Q_OBJECT
public:
    // The printer for "Drucken", or nothing when none is installed.
    using Druckerwahl = std::function<std::unique_ptr<QPrinter>()>;

    explicit FormErgebnisausgabe(Dialoge& dialoge, Druckerwahl druckerwahl = {}, QWidget* parent = nullptr);
    ~FormErgebnisausgabe() override;

    // Replaces the whole text by the report (and the drawing by the run's, or
    // none) and shows the window without blocking.
    void zeigeBericht(const QString& bericht, std::optional<Skizzenquelle> skizze = std::nullopt);
    // The box's text with CR LF line ends, as copied and printed.
    QString text() const;

    void kopiere();   // "Zwischenablage"
    void druckeText(); // "Drucken": the report, then the drawing on a page of its own

protected:
    void resizeEvent(QResizeEvent* ereignis) override;

private:
    void zeigeAnsicht(int tab); // 0 the report, 1 the drawing

    Dialoge& dialoge_;
    Druckerwahl druckerwahl_;
    QPlainTextEdit* textErgebnisAusgabe_;
    Skizzenansicht* skizze_;
    QTabBar* ansichten_;
    std::optional<Skizzenquelle> quelle_;
    QPushButton* commandClipboard_;
    QPushButton* commandDrucken_;
    QPushButton* commandOK_;
    QLabel* statusBar_;
};

} // namespace velkor
