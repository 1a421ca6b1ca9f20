#include "engine/berechnungsdaten.h"

namespace velkor {

namespace {

using B = Berechnungsdaten;
constexpr auto zwei = Muster::zweiStellen;
constexpr auto ganz = Muster::ganz;

constexpr std::array<Groesseninfo, anzahlGroessen> tabelle{{
    {Groesse::Da, "Da", &B::Da, true, zwei},
    {Groesse::Das, "Das", &B::Das, true, zwei},
    {Groesse::s, "s", &B::s, true, zwei},
    {Groesse::ss, "ss", &B::ss, true, zwei},
    {Groesse::c1, "c1", &B::c1, true, zwei},
    {Groesse::c1s, "c1s", &B::c1s, true, zwei},
    {Groesse::c2, "c2", &B::c2, true, zwei},
    {Groesse::c2s, "c2s", &B::c2s, true, zwei},
    {Groesse::v, "v", &B::v, true, zwei},
    {Groesse::K, "K", &B::K, true, zwei},
    {Groesse::Ks, "Ks", &B::Ks, true, zwei},
    {Groesse::KScheibe, "KScheibe", &B::KScheibe, true, zwei},
    {Groesse::S, "S", &B::S, true, zwei},
    {Groesse::Sis, "Sis", &B::Sis, true, zwei},
    {Groesse::SScheibe, "SScheibe", &B::SScheibe, true, zwei},
    {Groesse::ls, "ls", &B::ls, true, zwei},
    {Groesse::lsstrich, "lsstrich", &B::lsstrich, true, zwei},
    {Groesse::x, "x", &B::x, true, zwei},
    {Groesse::phi, "phi", &B::phi, true, zwei},
    {Groesse::bScheibe, "bScheibe", &B::bScheibe, true, zwei},
    {Groesse::hScheibe, "hScheibe", &B::hScheibe, true, zwei},
    {Groesse::sG, "sG", &B::sG, false, zwei},
    {Groesse::sS, "sS", &B::sS, false, zwei},
    {Groesse::rG, "rG", &B::rG, false, ganz},
    {Groesse::rS, "rS", &B::rS, false, ganz},
    {Groesse::b, "b", &B::b, false, zwei},
    {Groesse::lsm, "lsm", &B::lsm, false, zwei},
    {Groesse::p, "p", &B::p, true, zwei},
    {Groesse::dmax, "dmax", &B::dmax, false, zwei},
    {Groesse::pmaxG, "pmaxG", &B::pmaxG, false, zwei},
    {Groesse::pmaxS, "pmaxS", &B::pmaxS, false, zwei},
    {Groesse::As0, "As0", &B::As0, false, zwei},
    {Groesse::As1, "As1", &B::As1, false, zwei},
    {Groesse::As2, "As2", &B::As2, false, zwei},
    {Groesse::Ap, "Ap", &B::Ap, false, zwei},
    {Groesse::rFV, "rFV", &B::rFV, false, ganz},
    {Groesse::pmaxFV, "pmaxFV", &B::pmaxFV, false, zwei},
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
