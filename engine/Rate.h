#pragma once

#include "engine/Case.h"
#include "engine/Rating.h"

namespace ModCalc {

// Rates a case on a catalog (whose row 0 the case's custom wheel stands in
// for): conditions the air states, selects or takes the model, resolves the
// flow basis with the purge, runs the wheel model and the energy balance.
// A case that cannot be rated (a quantity with no value, a wheel that
// cannot work) gives a rating that says why.
Rating rate(const Case& c, const ModelCatalog& catalog);

}  // namespace ModCalc
