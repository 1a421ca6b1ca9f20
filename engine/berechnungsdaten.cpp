#include "engine/berechnungsdaten.h"

namespace velkor {

namespace {

using B = Berechnungsdaten;
constexpr auto zwei = Muster::zweiStellen;
constexpr auto ganz = Muster::ganz;

constexpr std::array<Groesseninfo, anzahlGroessen> tabelle{{
    {Groesse::Da, "Da", "Da", "mm", &B::Da, true, zwei},
    {Groesse::Das, "Das", "Das", "mm", &B::Das, true, zwei},
    {Groesse::s, "s", "s", "mm", &B::s, true, zwei},
    {Groesse::ss, "ss", "ss", "mm", &B::ss, true, zwei},
    {Groesse::c1, "c1", "c1", "mm", &B::c1, true, zwei},
    {Groesse::c1s, "c1s", "c1s", "mm", &B::c1s, true, zwei},
    {Groesse::c2, "c2", "c2", "mm", &B::c2, true, zwei},
    {Groesse::c2s, "c2s", "c2s", "mm", &B::c2s, true, zwei},
    {Groesse::v, "v", "v", "", &B::v, true, zwei},
    {Groesse::K, "K", "K", "N/mm²", &B::K, true, zwei},
    {Groesse::Ks, "Ks", "Ks", "N/mm²", &B::Ks, true, zwei},
    {Groesse::KScheibe, "KScheibe", "KScheibe", "N/mm²", &B::KScheibe, true, zwei},
    {Groesse::S, "S", "S", "", &B::S, true, zwei},
    {Groesse::Sis, "Sis", "Sis", "", &B::Sis, true, zwei},
    {Groesse::SScheibe, "SScheibe", "SScheibe", "", &B::SScheibe, true, zwei},
    {Groesse::ls, "ls", "ls", "mm", &B::ls, true, zwei},
    {Groesse::lsstrich, "lsstrich", "ls'", "mm", &B::lsstrich, true, zwei},
    {Groesse::x, "x", "x", "mm", &B::x, true, zwei},
    {Groesse::phi, "phi", "phi", "°", &B::phi, true, zwei},
    {Groesse::bScheibe, "bScheibe", "bScheibe", "mm", &B::bScheibe, true, zwei},
    {Groesse::hScheibe, "hScheibe", "hScheibe", "mm", &B::hScheibe, true, zwei},
    {Groesse::sG, "sG", "sG", "mm", &B::sG, false, zwei},
    {Groesse::sS, "sS", "sS", "mm", &B::sS, false, zwei},
    {Groesse::rG, "rG", "rG", "%", &B::rG, false, ganz},
    {Groesse::rS, "rS", "rS", "%", &B::rS, false, ganz},
    {Groesse::b, "b", "b", "mm", &B::b, false, zwei},
    {Groesse::lsm, "lsm", "lsm", "mm", &B::lsm, false, zwei},
    {Groesse::p, "p", "p", "bar", &B::p, true, zwei},
    {Groesse::dmax, "dmax", "dmax", "mm", &B::dmax, false, zwei},
    {Groesse::pmaxG, "pmaxG", "pmaxG", "bar", &B::pmaxG, false, zwei},
    {Groesse::pmaxS, "pmaxS", "pmaxS", "bar", &B::pmaxS, false, zwei},
    {Groesse::As0, "As0", "As0", "mm²", &B::As0, false, zwei},
    {Groesse::As1, "As1", "As1", "mm²", &B::As1, false, zwei},
    {Groesse::As2, "As2", "As2", "mm²", &B::As2, false, zwei},
    {Groesse::Ap, "Ap", "Ap", "mm²", &B::Ap, false, zwei},
    {Groesse::rFV, "rFV", "rFV", "%", &B::rFV, false, ganz},
    {Groesse::pmaxFV, "pmaxFV", "pmaxFV", "bar", &B::pmaxFV, false, zwei},
}};

constexpr bool inRecordOrder()
{
    for (std::size_t i = 0; i < tabelle.size(); ++i)
        if (static_cast<std::size_t>(tabelle[i].groesse) != i)
            return false;
    return true;
}
static_assert(inRecordOrder(), "the table must follow the order of Groesse");

} // namespace

const std::array<Groesseninfo, anzahlGroessen>& groessen() { return tabelle; }

const Groesseninfo& info(Groesse g) { return tabelle[static_cast<std::size_t>(g)]; }

} // namespace velkor
