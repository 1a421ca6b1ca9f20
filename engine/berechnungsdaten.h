#pragma once

#include <array>
#include <cstddef>
#include <span>
#include <string_view>

namespace velkor {

// Design data and results of one calculation. Lengths in mm, p in bar,
// strength values K in N/mm², phi in degrees, areas in mm², reserves in per cent.
// Every numeric field starts at 0 until it is first stored.
struct Berechnungsdaten {
    double Da = 0;        // outside diameter of the shell
    double Das = 0;       // outside diameter of the nozzle
    double s = 0;         // nominal wall of the shell
    double ss = 0;        // nominal wall of the nozzle
    double c1 = 0;        // minus tolerance, shell
    double c1s = 0;       // minus tolerance, nozzle
    double c2 = 0;        // wear allowance, shell
    double c2s = 0;       // wear allowance, nozzle
    double v = 0;         // weld factor (shell and nozzle)
    double K = 0;         // strength value, shell
    double Ks = 0;        // strength value, nozzle
    double KScheibe = 0;  // strength value, pad
    double S = 0;         // safety factor, shell
    double Sis = 0;       // safety factor, nozzle
    double SScheibe = 0;  // safety factor, pad
    double ls = 0;        // nozzle length outside the shell
    double lsstrich = 0;  // ls': nozzle length inside the shell
    double x = 0;         // distance to the next discontinuity, 0 = none
    double phi = 0;       // angle between nozzle and the shell's axis, 45..90°
    double bScheibe = 0;  // pad width
    double hScheibe = 0;  // pad height
    double sG = 0;        // required wall, shell
    double sS = 0;        // required wall, nozzle
    double rG = 0;        // wall reserve, shell [%]
    double rS = 0;        // wall reserve, nozzle [%]
    double b = 0;         // effective width of the shell
    double lsm = 0;       // effective length of the nozzle
    double p = 0;         // design pressure [bar]
    double dmax = 0;      // largest unreinforced opening
    double pmaxG = 0;     // allowable pressure of the shell without area comparison [bar]
    double pmaxS = 0;     // allowable pressure of the nozzle without area comparison [bar]
    double As0 = 0;       // pressure-bearing area, shell
    double As1 = 0;       // pressure-bearing area, nozzle
    double As2 = 0;       // pressure-bearing area, pad
    double Ap = 0;        // pressure-loaded area
    double rFV = 0;       // reserve of the area comparison [%]
    double pmaxFV = 0;    // allowable pressure with area comparison [bar]
    bool zylinder = true; // shape: cylinder (true) or sphere (false)
};

// The numeric quantities in record order (fields 1 to 37).
enum class Groesse {
    Da, Das, s, ss, c1, c1s, c2, c2s, v, K, Ks, KScheibe, S, Sis, SScheibe,
    ls, lsstrich, x, phi, bScheibe, hScheibe,
    sG, sS, rG, rS, b, lsm, p, dmax, pmaxG, pmaxS, As0, As1, As2, Ap, rFV, pmaxFV,
};
inline constexpr std::size_t anzahlGroessen = 37;

// Display patterns. "#######0.00", "#########0.00" and "########0.00" all give
// the same text (the '#' positions limit nothing), so one value stands for them.
enum class Muster {
    zweiStellen, // rounded to two decimals
    ganz,        // "#######0": rounded to a whole number
};

// The frames of the form: the part of the construction a quantity describes,
// or the kind of result. The project heading texts stand in their own frame.
enum class Rahmen { grundkoerper, betriebsdaten, projekt, stutzen, scheibe, ergebnisse, flaechenvergleich };
inline constexpr std::size_t anzahlRahmen = 7;

// "Grundkörper", "Verstärkungsscheibe", "Ergebnisse Innendruck".
std::string_view rahmenname(Rahmen r);

// One row of the table of quantities; everything that shows, reads or stores
// a quantity takes its texts and places from here.
struct Groesseninfo {
    Groesse groesse;
    std::string_view name;          // record name, also used in JSON: "Da", "lsstrich"
    std::string_view symbol;        // as formulas write it: "ls'"
    std::string_view einheit;       // "mm", "N/mm²", empty for a ratio
    double Berechnungsdaten::*feld;
    bool eingabe;                   // entered by the user (fields 1–21 and 28), else a result
    Muster muster;                  // pattern the calculation writes the box with
    std::string_view zeichen;       // symbol beside its frame's other quantities: "Da" for Das
    std::string_view beschreibung;  // as the report names it: "Stutzenlänge außen"
    Rahmen rahmen;
    int platz;                      // 1, 2, …: its turn in its frame (Tab, the report's echo)
    std::string_view starttext;     // text of its box at start-up
    int dateizeile;                 // its line in the project file
};

// All quantities in record order.
const std::array<Groesseninfo, anzahlGroessen>& groessen();
const Groesseninfo& info(Groesse g);
// The quantities of one frame in their turn.
std::span<const Groesse> groessenIn(Rahmen r);

inline double& wert(Berechnungsdaten& d, Groesse g) { return d.*info(g).feld; }
inline double wert(const Berechnungsdaten& d, Groesse g) { return d.*info(g).feld; }

} // namespace velkor
