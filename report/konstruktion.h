#pragma once

#include "report/skizze.h"

#include <cmath>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace velkor {

// The construction in true mm: the walls, allowances, pad and areas of one
// calculation as polygons, and the points the sheet hangs its dimensions on.

// The design as the drawing needs it, from the record and the run (NaN for a
// value the run did not form).
struct Werte {
    bool zylinder = true;
    double Ra = 0, s = 0, c1 = 0, c2 = 0, se = 0, ri = 0, rm = 0;
    bool stutzen = false;
    double Das = 0, ss = 0, c1s = 0, c2s = 0, ses = 0, ris = 0, ls = 0, lsStrich = 0, phi = 90;
    bool scheibe = false;
    double bS = 0, hS = 0;
    bool ausgehalst = false;
    bool ergebnisse = false; // the run reached its verdict
    bool flaechen = false;   // ... with a nozzle, so the areas exist
};

// Arcs become chords of at most half a degree.
inline constexpr double bogenschritt = 0.5 * kreiszahl / 180;

// Shell surfaces and nozzle lines. A surface is given by its radius r: a line
// y = r for the cylinder (the section holds the vessel's axis), a circle about
// the centre for the sphere. Along a surface the position t is x for the
// cylinder and the angle from the nozzle side's vertical for the sphere. The
// nozzle's axis crosses the shell's mid surface at (0, rm) at the angle phi to
// the vessel's axis, leaning towards +x; its lines lie at the distance delta.
class Form {
public:
    Form(bool zylinder, double rm, double phiGrad) : zylinder_(zylinder), rm_(rm)
    {
        // At 90° exactly the nozzle stands upright, without a rounding tilt.
        const double phi = phiGrad == 90 ? kreiszahl / 2 : phiGrad * kreiszahl / 180;
        u = phiGrad == 90 ? Punkt{0, 1} : Punkt{std::cos(phi), std::sin(phi)};
        n = {u.y, -u.x};
    }

    bool zylinder() const { return zylinder_; }
    Punkt punkt(double r, double t) const
    {
        return zylinder_ ? Punkt{t, r} : Punkt{r * std::sin(t), r * std::cos(t)};
    }
    double param(Punkt p) const { return zylinder_ ? p.x : std::atan2(p.x, p.y); }
    // Surface position `laenge` mm further along the surface of radius r.
    double weiter(double t, double laenge, double r) const { return zylinder_ ? t + laenge : t + laenge / r; }

    std::vector<Punkt> entlang(double r, double t1, double t2) const
    {
        // A pad of absurd width would go round the sphere more than once: its ends are enough.
        if (zylinder_ || std::fabs(t2 - t1) > 2 * kreiszahl)
            return {punkt(r, t1), punkt(r, t2)};
        // Corners on one grid of angles, so that shapes meeting along an arc share its chords.
        // Counted in whole steps: far from zero a step added to an angle may change nothing.
        std::vector<Punkt> zug{punkt(r, t1)};
        const long von = std::lround(std::floor(std::min(t1, t2) / bogenschritt)) + 1;
        const long bis = std::lround(std::ceil(std::max(t1, t2) / bogenschritt)) - 1;
        for (long i = 0; i <= bis - von; ++i)
            zug.push_back(punkt(r, (t2 > t1 ? von + i : bis - i) * bogenschritt));
        zug.push_back(punkt(r, t2));
        return zug;
    }

    Punkt linie(double delta, double t) const { return Punkt{0, rm_} + delta * n + t * u; }

    // Where along the nozzle line delta the surface r is met (the crossing on the nozzle's side).
    std::optional<double> achsparam(double delta, double r) const
    {
        if (zylinder_)
            return (r - rm_ + delta * u.x) / u.y;
        const Punkt q = Punkt{0, rm_} + delta * n;
        const double b = skalar(u, q);
        const double diskriminante = b * b - (skalar(q, q) - r * r);
        if (!(diskriminante >= 0))
            return std::nullopt;
        return -b + std::sqrt(diskriminante);
    }
    std::optional<Punkt> schnitt(double delta, double r) const
    {
        const std::optional<double> t = achsparam(delta, r);
        if (!t)
            return std::nullopt;
        return linie(delta, *t);
    }
    // The surface r between the nozzle lines d1 and d2, moved by `laenge` along the nozzle.
    std::vector<Punkt> versetzt(double r, double d1, double d2, double laenge) const
    {
        const std::optional<Punkt> a = schnitt(d1, r), b = schnitt(d2, r);
        if (!a || !b)
            return {};
        std::vector<Punkt> zug = zylinder_ ? std::vector<Punkt>{*a, *b} : entlang(r, param(*a), param(*b));
        for (Punkt& p : zug)
            p = p + laenge * u;
        return zug;
    }

    Punkt u; // along the nozzle, outwards
    Punkt n; // across it, towards +x

private:
    bool zylinder_;
    double rm_;
};

// Points the dimensions and labels are hung on, in true mm.
struct Marken {
    bool stutzen = false;   // a nozzle is drawn
    bool oeffnung = false;  // without a nozzle: the opening dmax is drawn
    double kante = 0;       // the line of the opening's edge (nozzle outside)
    double tEnde = 0;       // where the drawn shell ends
    double tA = 0;          // where the effective width b starts
    Punkt oben;             // top of the nozzle on its outer line
    double achseUnten = 0;  // the nozzle axis is drawn from here (axial parameter) ...
    double achseOben = 0;   // ... to here
    bool achseBisMitte = false; // ... or from the vessel's axis / the sphere's centre
    std::vector<std::pair<Punkt, Punkt>> brueche; // ends broken off: a break line across each
};

class Konstruktion {
public:
    explicit Konstruktion(const Rechenstand& q);

    std::vector<Flaeche> flaechen;
    std::vector<std::string> hinweise;
    Marken marken;
    bool darstellbar = false;

    const Werte& w() const { return w_; }
    const Form& form() const { return form_; }
    std::optional<double> zw(Zwischengroesse g) const { return q_.lauf.zwischenwerte[g]; }

private:
    void baue();
    void baueStutzen();
    // Why the nozzle cannot be drawn, naming the entry at fault; nothing when it can.
    std::optional<std::string> stutzenFehler() const;
    void flaeche(Rolle rolle, std::vector<Punkt> ecken, double dicke);
    std::vector<Punkt> schale(double r1, double r2) const;
    std::vector<Punkt> stutzenstreifen(double d1, double d2, double tOben, std::optional<double> tUnten) const;
    std::vector<Punkt> auflage(double breite, double hoehe) const;
    std::vector<Punkt> auskehlung() const;
    std::vector<Punkt> druckflaeche(double b, double lsm, double lsmStrich) const;

    const Rechenstand& q_;
    Werte w_;
    Form form_;
};

} // namespace velkor
