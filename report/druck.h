#pragma once

#include "report/skizze.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>
#include <string>

class QPagedPaintDevice;
class QPainter;
class QPrinter;

namespace velkor {

// The report on paper: "Courier New" 10 pt, portrait, each line starting 25 mm
// right of the printable area's left edge; the first line 15 mm below its top.
// A page is full when the next line would come closer than 15 mm to its bottom.
inline constexpr double druckRandLinksMm = 25;
inline constexpr double druckRandObenMm = 15;
inline constexpr double druckRandUntenMm = 15;

// Splits the text at its line ends (CR LF or LF) into pages of at most
// zeilenProSeite lines. A line end after the last line starts no further line;
// there is always at least one page, an empty text gives one empty page.
QList<QStringList> druckseiten(const QString& text, int zeilenProSeite);

// Paints the report pages onto `maler`, which is active on `geraet`: unwrapped
// lines, page breaks where druckseiten puts them. The last page stays the
// current one, so that further pages can follow after geraet.newPage().
void maleBerichtsseiten(QPainter& maler, QPagedPaintDevice& geraet, const QString& text);

// The report as one job on a printer or a PDF writer, portrait; with a drawing,
// that follows on a landscape page of its own, 10 mm inside the printable area.
// False when the painter could not start or finish the job.
bool drucke(QPagedPaintDevice& geraet, const QString& text, const Rechenstand* skizze = nullptr);

// Prints on the printer as "Drucken" does. A printer that prints into a file
// writes it as druckeInPdf does. Nothing when the job went out, else a German
// reason: the job was refused or the printer reported an error.
std::optional<std::string> druckeAufDrucker(QPrinter& drucker, const QString& text,
                                            const Rechenstand* skizze = nullptr);

// Prints the text (and the drawing) into a PDF file (A4) exactly as on paper,
// written whole or not at all like a project file; a German reason when it
// cannot be written.
std::optional<std::string> druckeInPdf(const std::string& pfad, const QString& text,
                                       const Rechenstand* skizze = nullptr);

// The system's default printer, or nothing when none is installed.
std::unique_ptr<QPrinter> standarddrucker();

} // namespace velkor
