#pragma once

// Chooses a wheel model for the entered air volumes: lists the catalog models
// whose range covers them, moves volumes outside the catalog's overall range
// to its nearest limit (with a warning), and takes the smallest listed model.

#include <cstddef>

#include "engine/Work.h"

namespace ModCalc {

// The standard edition's selection; honours "Display All Wheels". The
// models offered go to the rating.
void AutoSelectA(const Work& work);

// The private-label edition's selection.
void AutoSelectB(const Work& work);

// Whether catalog row `row`'s volume range covers the state's case as the
// selection judges it: the larger of the outdoor standard volume with that
// model's catalog purge and the return standard volume.
bool ModelCoversCase(const CalcState& s, const ModelCatalog& c, std::size_t row);

}  // namespace ModCalc
