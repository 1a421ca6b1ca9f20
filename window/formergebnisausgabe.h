#pragma once

#include <QWidget>

#include <functional>
#include <memory>

class QLabel;
class QPlainTextEdit;
class QPrinter;
class QPushButton;

namespace velkor {

class Dialoge;

// The report window: the last report in an editable monospaced box, with
// "Zwischenablage", "Drucken" and "Zurück". One instance is filled and shown
// again by every report; closing it only hides it.
class FormErgebnisausgabe : public QWidget {
    Q_OBJECT
public:
    // The printer for "Drucken", or nothing when none is installed.
    using Druckerwahl = std::function<std::unique_ptr<QPrinter>()>;

    explicit FormErgebnisausgabe(Dialoge& dialoge, Druckerwahl druckerwahl = {}, QWidget* parent = nullptr);
    ~FormErgebnisausgabe() override;

    // Replaces the whole text by the report and shows the window without blocking.
    void zeigeBericht(const QString& bericht);
    // The box's text with CR LF line ends, as copied and printed.
    QString text() const;

    void kopiere();   // "Zwischenablage"
    void druckeText(); // "Drucken"

private:
    Dialoge& dialoge_;
    Druckerwahl druckerwahl_;
    QPlainTextEdit* textErgebnisAusgabe_;
    QPushButton* commandClipboard_;
    QPushButton* commandDrucken_;
    QPushButton* commandOK_;
    QLabel* statusBar_;
};

} // namespace velkor
