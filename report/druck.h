#pragma once

#include "report/skizze.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>
#include <string>

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

// Prints the text on the given printer, one job, unwrapped lines, page breaks
// where druckseiten puts them; with a drawing, that follows on a landscape
// page of its own, 10 mm inside the printable area. False when the printer refused to start the job.
bool drucke(QPrinter& drucker, const QString& text, const Skizzenquelle* skizze = nullptr);

// Prints the text (and the drawing) into a PDF file (A4) exactly as on paper;
// a German reason when the file cannot be written.
std::optional<std::string> druckeInPdf(const std::string& pfad, const QString& text,
                                       const Skizzenquelle* skizze = nullptr);

// The system's default printer, or nothing when none is installed.
std::unique_ptr<QPrinter> standarddrucker();

} // namespace velkor
