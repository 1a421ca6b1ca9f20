#include "report/geometrie.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace velkor {

namespace {

bool innen(Punkt p, const std::vector<Punkt>& ecken)
{
    bool drin = false;
    for (std::size_t i = 0, j = ecken.size() - 1; i < ecken.size(); j = i++) {
        const Punkt a = ecken[i], b = ecken[j];
        if ((a.y > p.y) != (b.y > p.y) && p.x < (b.x - a.x) * (p.y - a.y) / (b.y - a.y) + a.x)
            drin = !drin;
    }
    return drin;
}

bool kreuzen(Punkt a, Punkt b, Punkt c, Punkt d)
{
    const auto seite = [](Punkt p, Punkt q, Punkt r) { return (q.x - p.x) * (r.y - p.y) - (q.y - p.y) * (r.x - p.x); };
    const double s1 = seite(a, b, c), s2 = seite(a, b, d), s3 = seite(c, d, a), s4 = seite(c, d, b);
    return ((s1 > 0) != (s2 > 0)) && ((s3 > 0) != (s4 > 0)) && s1 != 0 && s2 != 0 && s3 != 0 && s4 != 0;
}

} // namespace

double skalar(Punkt a, Punkt b) { return a.x * b.x + a.y * b.y; }
double laenge(Punkt a) { return std::hypot(a.x, a.y); }
Punkt einheit(Punkt a)
{
    const double l = laenge(a);
    return l > 0 ? (1 / l) * a : Punkt{1, 0};
}
Punkt linksNormale(Punkt a) { return {-a.y, a.x}; }
Punkt senkrecht(Punkt r, Punkt hin)
{
    const Punkt q = einheit(linksNormale(r));
    return skalar(q, hin) >= 0 ? q : -1 * q;
}

bool endlich(const std::vector<Punkt>& zug)
{
    return std::ranges::all_of(zug, [](Punkt p) { return std::isfinite(p.x) && std::isfinite(p.y); });
}

void haengeAn(std::vector<Punkt>& zug, const std::vector<Punkt>& weitere)
{
    for (Punkt p : weitere)
        if (zug.empty() || laenge(p - zug.back()) > 1e-9 * std::max(1.0, laenge(p)))
            zug.push_back(p);
}

Rechteck huelle(const std::vector<Punkt>& punkte)
{
    if (punkte.empty())
        return {};
    const auto [x0, x1] = std::ranges::minmax(punkte, {}, &Punkt::x);
    const auto [y0, y1] = std::ranges::minmax(punkte, {}, &Punkt::y);
    return {x0.x, y0.y, x1.x - x0.x, y1.y - y0.y};
}

Rechteck vereint(const std::optional<Rechteck>& a, const Rechteck& b)
{
    if (!a)
        return b;
    const double l = std::min(a->links, b.links), o = std::min(a->oben, b.oben);
    return {l, o, std::max(a->rechts(), b.rechts()) - l, std::max(a->unten(), b.unten()) - o};
}

bool ueberlappen(const Rechteck& a, const Rechteck& b)
{
    return a.links < b.rechts() && b.links < a.rechts() && a.oben < b.unten() && b.oben < a.unten();
}

bool ueberlappen(const Rechteck& r, const std::vector<Punkt>& ecken)
{
    if (ecken.size() < 3 || !ueberlappen(r, huelle(ecken)))
        return false;
    const std::array<Punkt, 4> k{Punkt{r.links, r.oben}, Punkt{r.rechts(), r.oben}, Punkt{r.rechts(), r.unten()},
                                 Punkt{r.links, r.unten()}};
    for (Punkt p : ecken)
        if (p.x > r.links && p.x < r.rechts() && p.y > r.oben && p.y < r.unten())
            return true;
    for (Punkt p : k)
        if (innen(p, ecken))
            return true;
    for (std::size_t i = 0; i < ecken.size(); ++i)
        for (std::size_t j = 0; j < 4; ++j)
            if (kreuzen(ecken[i], ecken[(i + 1) % ecken.size()], k[j], k[(j + 1) % 4]))
                return true;
    return false;
}

bool ueberlappen(const Rechteck& r, Punkt a, Punkt b)
{
    // The segment's parameter range inside each slab of the box, narrowed in turn.
    double von = 0, bis = 1;
    const Punkt d = b - a;
    for (auto [start, schritt, unten, oben] : {std::array{a.x, d.x, r.links, r.rechts()}, std::array{a.y, d.y, r.oben, r.unten()}}) {
        if (schritt == 0) {
            if (!(start > unten && start < oben))
                return false;
            continue;
        }
        double t1 = (unten - start) / schritt, t2 = (oben - start) / schritt;
        if (t1 > t2)
            std::swap(t1, t2);
        von = std::max(von, t1);
        bis = std::min(bis, t2);
    }
    return von < bis;
}

bool Rechteck::enthaelt(Punkt p, double toleranz) const
{
    return p.x >= links - toleranz && p.x <= rechts() + toleranz && p.y >= oben - toleranz && p.y <= unten() + toleranz;
}

std::vector<std::pair<Punkt, Punkt>> schraffur(const std::vector<Punkt>& ecken, double winkelGrad, double abstand)
{
    std::vector<std::pair<Punkt, Punkt>> striche;
    if (ecken.size() < 3 || !(abstand > 0))
        return striche;
    const double w = winkelGrad * kreiszahl / 180;
    const Punkt r{std::cos(w), std::sin(w)}, q{-std::sin(w), std::cos(w)};
    // Across the hatching the polygon spans [qmin, qmax]; lines at multiples of the spacing.
    double qmin = skalar(ecken[0], q), qmax = qmin;
    for (Punkt p : ecken) {
        qmin = std::min(qmin, skalar(p, q));
        qmax = std::max(qmax, skalar(p, q));
    }
    // Only a shape far beyond any sheet has more lines than this; they are
    // counted, since far from zero adding the spacing may change nothing.
    if (!((qmax - qmin) / abstand <= 1e4))
        return striche;
    const double erste = std::ceil(qmin / abstand);
    for (int i = 0; (erste + i) * abstand <= qmax && i <= 10000; ++i) {
        const double c = (erste + i) * abstand;
        std::vector<double> schnitte;
        for (std::size_t i = 0; i < ecken.size(); ++i) {
            const Punkt a = ecken[i], b = ecken[(i + 1) % ecken.size()];
            const double qa = skalar(a, q) - c, qb = skalar(b, q) - c;
            if ((qa < 0) != (qb < 0))
                schnitte.push_back(skalar(a + (qa / (qa - qb)) * (b - a), r));
        }
        std::ranges::sort(schnitte);
        for (std::size_t i = 0; i + 1 < schnitte.size(); i += 2)
            striche.emplace_back(schnitte[i] * r + c * q, schnitte[i + 1] * r + c * q);
    }
    return striche;
}

} // namespace velkor
