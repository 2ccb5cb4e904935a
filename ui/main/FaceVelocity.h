#pragma once

#include "engine/CalcState.h"

namespace ui {

// Face velocities above this many standard fpm raise the warning.
inline constexpr float kHighFaceVelocity = 1250;

// The warning compares standard face velocities in either unit system.
inline bool faceVelocityTooHigh(const ModCalc::CalcState& s) {
  return s.VelOa > kHighFaceVelocity || s.VelEa > kHighFaceVelocity;
}

}  // namespace ui
