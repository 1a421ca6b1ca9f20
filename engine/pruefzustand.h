#pragma once

#include "engine/berechnung.h"

#include <optional>
#include <vector>

namespace velkor {

// What the pressure test needs beyond the design. Strength values at test
// temperature in N/mm² (0: the part's K), test safety factors, p in bar.
struct Pruefangaben {
    bool an = false;
    double pT = 0;              // typed test pressure; 0: the minimum
    double K20 = 0;             // shell
    double K20s = 0;            // nozzle
    double K20Scheibe = 0;      // pad
    double SPruef = 1.05;       // shell; 1.05 for rolled and forged steels
    double SPruefs = 1.05;      // nozzle
    double SPruefScheibe = 1.05; // pad
    bool c2Abziehen = true;     // wear allowances deducted (the safe side)

    bool operator==(const Pruefangaben&) const = default;
};

// The check at test pressure: the whole calculation again with p = pT, the
// strength values at test temperature, the test safety factors and, when they
// are not deducted, c2 = c2s = 0.
struct Pruefzustand {
    Pruefangaben angaben;
    double pTMindest = 0; // max(1.43·p, 1.25·p·max(K20/K)) over the parts present
    double pT = 0;        // as typed, or the minimum
    std::vector<Formel> formeln; // pT,min and pT, for the worked calculation
    Rechenlauf lauf;      // its design is the one tested
};

// How a design ends with both cases: as its operating case, unless that passed
// and the check at test pressure did not (then imPruefzustand is set).
struct Urteil {
    Ausgang ausgang = Ausgang::rechenfehler;
    bool imPruefzustand = false;
};
Urteil urteil(const Rechenlauf& betrieb, const std::optional<Pruefzustand>& pruefung);

// `betrieb` is the operating run's design as it took it in (p as its magnitude).
Pruefzustand pruefzustand(const Berechnungsdaten& betrieb, const Schalter& schalter, const Pruefangaben& angaben);

} // namespace velkor
