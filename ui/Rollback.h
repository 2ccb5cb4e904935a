#pragma once

// What a calculation run changes, kept from the moment it starts, so a run
// that cannot finish leaves the state, every control it touched (on any
// window) and the custom wheel's derived row as they were.

#include "platform/ControlSnapshot.h"
#include "ui/Engine.h"

namespace ModCalc {

class Rollback {
 public:
  explicit Rollback(Engine& engine);

  void restore() const;

  // The controls the run has changed so far.
  std::vector<platform::Control*> changedControls() const { return controls_.changed(); }

 private:
  Engine& engine_;
  CalcState state_;
  platform::ControlJournal controls_;
  // The selection rebuilds the custom wheel's face area and purge.
  float customFaceArea_;
  float customPurge_;
};

}  // namespace ModCalc
