#pragma once

#include <numbers>
#include <optional>
#include <utility>
#include <vector>

namespace velkor {

// The plane the drawing is built in: points, boxes and polygons, in whatever mm
// the caller means (true mm of the construction or sheet mm).

inline constexpr double kreiszahl = std::numbers::pi;

struct Punkt {
    double x = 0;
    double y = 0;
};

inline Punkt operator+(Punkt a, Punkt b) { return {a.x + b.x, a.y + b.y}; }
inline Punkt operator-(Punkt a, Punkt b) { return {a.x - b.x, a.y - b.y}; }
inline Punkt operator*(double k, Punkt a) { return {k * a.x, k * a.y}; }

struct Rechteck {
    double links = 0;
    double oben = 0;
    double breite = 0;
    double hoehe = 0;

    double rechts() const { return links + breite; }
    double unten() const { return oben + hoehe; }
    bool enthaelt(Punkt p, double toleranz = 1e-6) const;
};

double skalar(Punkt a, Punkt b);
double laenge(Punkt a);
// The unit vector along a; (1, 0) for the null vector.
Punkt einheit(Punkt a);
Punkt linksNormale(Punkt a);
// The unit normal of r on the side that `hin` points to.
Punkt senkrecht(Punkt r, Punkt hin);

bool endlich(const std::vector<Punkt>& zug);
// Appends the points, leaving out each that repeats the last one.
void haengeAn(std::vector<Punkt>& zug, const std::vector<Punkt>& weitere);
Rechteck huelle(const std::vector<Punkt>& punkte);
Rechteck vereint(const std::optional<Rechteck>& a, const Rechteck& b);
// Whether a box and a polygon share some inner point (touching edges do not count).
bool ueberlappen(const Rechteck& a, const Rechteck& b);
bool ueberlappen(const Rechteck& r, const std::vector<Punkt>& ecken);
// Whether the segment from a to b passes through the box's inside.
bool ueberlappen(const Rechteck& r, Punkt a, Punkt b);

// Hatch lines inside a polygon (sheet mm) at the given angle and spacing, on
// a grid common to all polygons so that neighbours' hatching lines up.
std::vector<std::pair<Punkt, Punkt>> schraffur(const std::vector<Punkt>& ecken, double winkelGrad, double abstand);

} // namespace velkor
