#pragma once

#include "engine/berechnung.h"
#include "report/bericht.h"
#include "report/geometrie.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace velkor {

// The drawing of the opening with the areas the comparison credits and loads:
// the half section from the nozzle's axis outwards. Shapes are kept in true mm
// (x along the shell, y from the vessel's axis or the sphere's centre outwards),
// so that their areas are those of the construction; the view maps them onto
// the sheet (mm, y downwards). No toolkit here: report/skizzenmaler paints it.

// What a shape is; the painter gives each its own fill and hatching.
enum class Rolle {
    mantel,      // shell wall, nominal thickness s
    zuschlagC2,  // wear allowance c2 on the shell's inside
    zuschlagC1,  // minus tolerance c1, next to it
    stutzenwand, // nozzle wall, nominal thickness
    stutzenC2,
    stutzenC1,
    scheibe,     // reinforcing pad
    ausgehalst,  // the knuckle of an extruded outlet
    Ap,          // pressure-loaded area
    As0,         // load-bearing areas: shell, nozzle, pad
    As1,
    As2,
};

// A closed polygon in true mm.
struct Flaeche {
    Rolle rolle;
    std::vector<Punkt> ecken;
    double dicke = 0; // true thickness that must stay visible on the sheet; 0 for none
};

// A band of the radius left out of the view: true y from `von` to `bis` takes
// `luecke` mm of the sheet.
struct Bruch {
    double von = 0;
    double bis = 0;
    double luecke = 0;
};

// True mm to sheet mm: the scale, the break and where the true origin lies.
struct Ansicht {
    double massstab = 1; // sheet mm per true mm
    Punkt ursprung;      // sheet position of the true origin
    std::optional<Bruch> bruch;

    Punkt abbilde(Punkt wahr) const;
    // A line or polygon on the sheet, its edges split where they enter and leave the break.
    std::vector<Punkt> abbilde(const std::vector<Punkt>& zug, bool geschlossen) const;
};

// Everything below is in sheet mm.
enum class Strich { kontur, duenn, mittellinie, bruchlinie };
struct Linie {
    Strich strich;
    std::vector<Punkt> punkte;
};
struct Pfeil {
    Punkt spitze;
    Punkt richtung; // unit vector the arrow points along
};
// Angles in degrees, counter-clockwise as seen on the sheet, from its +x direction.
struct Bogen {
    Punkt mitte;
    double radius = 0;
    double vonGrad = 0;
    double bisGrad = 0;
};
struct Text {
    std::string text;
    Punkt ort;          // top-left corner of its box
    double groesse = 0; // em height
    bool hintergrund = true;
    // The dimension line or angle a label names (its ends); the label sits beside it.
    std::optional<std::pair<Punkt, Punkt>> bezug;

    Rechteck kasten() const;
};
// A legend swatch: the fill and hatching of its role.
struct Musterfeld {
    Rechteck ort;
    Rolle rolle;
};

struct Legendeneintrag {
    std::optional<Rolle> rolle;
    std::string text;         // "Ap = 74930.30 mm²", values as the report prints them
    std::string beschreibung; // "Druckbeaufschlagte Fläche"
};

struct Skizze {
    Rechteck blatt;
    Rechteck zeichenflaeche; // every shape lies in here
    Ansicht ansicht;
    std::vector<Flaeche> flaechen;
    std::optional<Rechteck> bruchband; // the break's gap, painted over in white
    std::vector<Linie> linien;
    std::vector<Pfeil> pfeile;
    std::vector<Bogen> boegen;
    std::vector<Text> texte;
    std::vector<Musterfeld> muster;
    std::vector<Legendeneintrag> legende;
    std::string massstab;                 // "M 1:5"
    bool ueberhoeht = false;              // some wall is drawn thicker than to scale
    std::optional<std::string> bruchmass; // the shortened radius' true dimension
    std::optional<std::string> urteil;    // the run's verdict: its status, when it reached one
    std::optional<std::string> grund;     // why no areas are drawn: the run's status
};

// The break appears when the radius below the region around the opening is
// more than this many times the region's size.
inline constexpr double bruchVerhaeltnis = 1.5;
// Thinnest walls and allowance bands on the sheet (mm) before they are drawn thicker.
inline constexpr double mindestWanddicke = 0.7;
inline constexpr double mindestZuschlag = 0.25;
// Length of a dimension's arrowhead on the sheet (mm).
inline constexpr double pfeillaenge = 2.5;

// The drawing laid out on a sheet of the given size (mm): title, the largest
// standard scale at which it fits, dimensions, legend. Never fails: a design
// that cannot be drawn gives a sheet that says why.
Skizze skizze(const Rechenstand& quelle, double blattbreite, double blatthoehe);

} // namespace velkor
