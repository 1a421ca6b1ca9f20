#pragma once

#include "report/skizze.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>
#include <string>

class QPagedPaintDevice;
class QPrinter;

namespace velkor {

// The report on paper: "Courier New" 10 pt, portrait, each line starting 25 mm
// right of the printable area's left edge; the first line 15 mm below its top.
// A page is full when the next line would come closer than 15 mm to its bottom.
// Head and foot lie in those margins, 10 mm from the area's sides.
inline constexpr double druckRandLinksMm = 25;
inline constexpr double druckRandObenMm = 15;
inline constexpr double druckRandUntenMm = 15;

// One design on paper: its text (the report, with the worked calculation when
// chosen), the run its drawing and closing summary are made of, and the file
// every page's head names.
struct Druckteil {
    QString datei;
    QString text;
    std::optional<Rechenstand> stand; // without it, no drawing and no summary
};

// A printed document: the list of designs first (empty for a single design),
// then each design's pages, numbered through.
struct Druckwerk {
    QString uebersicht;
    QList<Druckteil> teile;
};

// Splits the text at its line ends (CR LF or LF) into pages of at most
// zeilenProSeite lines, keeping blocks whole: a line that begins with a blank
// belongs to the line above it (a formula under its description, the values
// under the formula), and a block that shows no value (" = "), such as a
// heading or a description, stays with the block after it unless an empty line
// follows. A page breaks before a block that no longer fits; a block longer
// than a page breaks where the page is full. Empty lines that would open a
// page are left out. There is always at least one page.
QList<QStringList> druckseiten(const QString& text, int zeilenProSeite);

// The document as one job on a printer or a PDF writer: the list and the
// text pages portrait (the list landscape), each drawing on a landscape page
// of its own with the design's summary below it (on a page of its own after
// it when it takes more than two fifths of the page). False when the painter
// could not start or finish the job.
bool drucke(QPagedPaintDevice& geraet, const Druckwerk& werk);

// Prints on the printer as "Drucken" does. A printer that prints into a file
// writes it as druckeInPdf does. Nothing when the job went out, else a German
// reason: the job was refused or the printer reported an error.
std::optional<std::string> druckeAufDrucker(QPrinter& drucker, const Druckwerk& werk);

// Prints the document into a PDF file (A4) exactly as on paper, written whole
// or not at all like a project file; a German reason when it cannot be written.
std::optional<std::string> druckeInPdf(const std::string& pfad, const Druckwerk& werk);

// The system's default printer, or nothing when none is installed.
std::unique_ptr<QPrinter> standarddrucker();

} // namespace velkor
