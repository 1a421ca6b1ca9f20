#pragma once

#include "report/skizze.h"

#include <QStringList>

#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace velkor {

// Exit statuses; over several files the highest applies.
namespace ausgang {
inline constexpr int ausreichend = 0;
inline constexpr int unzureichend = 1;        // some reserve is negative
inline constexpr int eingabenPruefen = 2;     // a plausibility check failed
inline constexpr int abgebrochen = 3;         // the calculation did not reach its verdict
inline constexpr int dateifehler = 4;         // a file missing, unreadable or not writable
inline constexpr int falscherAufruf = 64;
} // namespace ausgang

// One design for the PDF: the file as named, the text "P" shows and the run.
struct PdfTeil {
    std::string datei;
    std::string bericht;
    Rechenstand stand;
};
// Prints the list of designs (empty for one design) and each design's report,
// drawing and summary into one PDF file as the report window's "Drucken" lays
// them out; a German reason when the file could not be written.
using PdfAusgabe = std::function<std::optional<std::string>(const std::string& pfad, const std::string& uebersicht,
                                                            const std::vector<PdfTeil>& teile)>;
// Writes the drawing alone (SVG or PNG by the name's ending); a German reason when it could not.
using SkizzenAusgabe = std::function<std::optional<std::string>(const std::string& pfad, const Rechenstand& skizze)>;

// The commands that run without a window:
//   --bericht DATEI              the report as the window shows it after loading and "P"
//   --speichern-als AUS DATEI    load, recalculate, save as the window's save would
//   --json DATEI [DATEI ...]     status, inputs and unrounded results of every file
//   --pdf AUS DATEI [DATEI ...]  the reports and drawings printed into AUS through `pdf`,
//                                after a list of the designs when there are several
//   --skizze AUS DATEI           the drawing alone, AUS ending in .svg or .png, through `skizze`;
//                                also for a calculation that stopped (the drawing says why)
// `argumente` are the program's arguments without its name. Files are loaded and
// calculated with the window's own model. `aus` gets the report or JSON (UTF-8),
// `fehler` one German line per problem, naming the file. `dezimaltrenner` is the
// user's regional decimal separator for the report.
// Returns the exit status, or nothing when the arguments ask for no command
// (none given): the caller then opens the window.
std::optional<int> kommandozeile(const QStringList& argumente, std::ostream& aus,
                                 std::ostream& fehler, const std::string& dezimaltrenner,
                                 const PdfAusgabe& pdf = {}, const SkizzenAusgabe& skizze = {});

// The files the window is to open (what follows "--" included), or nothing when
// the arguments ask for a command or help or are wrong: kommandozeile answers
// those, without a window. Decided on the arguments as given, before the
// toolkit starts, since a command must run without a display.
std::optional<QStringList> fensterdateien(const QStringList& argumente);

// How to call the program (German), for the caller's own usage messages.
std::string benutzung();

// The program's arguments as text, or nothing when one is not valid UTF-8: Qt
// names files in UTF-8, so such a name would open or write another file. Then
// `fehler` has the German message, with the bad bytes shown as "\xE9".
std::optional<QStringList> argumenteAlsText(int argc, const char* const* argv, std::ostream& fehler);

} // namespace velkor
