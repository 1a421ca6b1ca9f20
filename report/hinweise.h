#pragma once

#include "report/bericht.h"

#include <string>
#include <vector>

namespace velkor {

// What the report notes beyond its verdict, one sentence each: every failed
// plausibility check with its condition in the design's numbers, a wall-
// thickness formula used beyond its range, an area comparison that does not
// apply (also to an opening wider than the sphere). Empty when all is in order.
std::vector<std::string> hinweise(const Berichtsdaten& daten, const Rechenlauf& lauf);

// The area comparison applies when the pressure-loaded area is positive and,
// on a sphere, the opening is no wider than the sphere; a run that did not
// form Ap says nothing against it.
bool flaechenvergleichAnwendbar(const Rechenlauf& lauf);

// Why it does not apply, as the end of a sentence.
std::string warumNichtAnwendbar(const Berichtsdaten& daten, const Rechenlauf& lauf);

} // namespace velkor
