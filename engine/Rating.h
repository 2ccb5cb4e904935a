#pragma once

// What rating a case gives: every result in a CalcState, the warnings in the
// order they arose, and what the windows must show back (entries the rating
// corrected, the models it offered, the indications). A rating that stopped
// carries only its reason.

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "engine/CalcState.h"

namespace ModCalc {

// Stops a rating, or the reading of a case: the text tells the engineer
// what to change.
struct CalcError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

enum class WarningKind {
  Entry,            // an entry was out of its physical range and was changed
  VolumeLimit,      // the volumes were moved to the catalog's limit
  PressureRaised,   // the outdoor static pressure was raised above the return
  NotSettled,       // the Supply Actual iteration did not settle
  Frost,            // the exhaust air would frost
  SupplySaturated,  // the supply air would be supersaturated
};

struct Warning {
  WarningKind kind;
  std::string text;
};

// An entry box a rating rewrites, with the value the case now holds, in
// English units (the moisture in the measure of its kind, the static
// pressure in in. w.c.), whose tidy text reads back as it exactly. In SI
// units the windows show it in the SI twin too.
enum class EntryBox { Moa, Mra, Poa };

struct EntryWrite {
  EntryBox box;
  double value;
};

struct Rating {
  // Why the rating stopped; nothing else in a stopped rating means anything.
  std::optional<std::string> error;
  CalcState results;
  std::vector<Warning> warnings;
  // In the order the rating made them; a later write to a box wins.
  std::vector<EntryWrite> entries;
  // The entered volumes as the flow basis reads them, for the volume boxes.
  float shownMainVolume = 0;
  float shownReturnVolume = 0;
  // The models a selection offered, smallest first; empty when the case
  // named its model.
  std::vector<std::string> offeredModels;
  // The custom wheel's face and purge as the rating left them.
  float customFaceAreaFt2 = 0;
  float customPurgeCfm = 0;
  bool totalNotAboveSensible = false;
  bool frost = false;              // exhaust at or below freezing and supersaturated
  bool exhaustCondensing = false;  // above freezing and supersaturated
  bool supplySupersaturated = false;

  bool completed() const { return !error; }
};

}  // namespace ModCalc
