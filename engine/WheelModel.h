#pragma once

// The physics of the rotary wheel: flute size, pressure drop, purge sector,
// balanced and unbalanced effectiveness and the leaving supply state. Inch-
// pound units: velocities in fpm, pressure drops in in. w.c., wheel
// dimensions in inches. Arithmetic is in double; fields keep their widths.

#include <string>

#include "engine/Work.h"

namespace ModCalc {

// The flute size, from the wheel depth unless the override dialog fixes it;
// sets FluteMils, MediaDensity and FluteFactor.
void ChooseFlute(const Work& work);

// Pressure drop, in. w.c., at face velocity v fpm through a wheel L in deep
// with the flute in FluteMils.
double PressureDrop(const CalcState& state, double v, double L);

// Raises the outdoor static pressure above the return one when it is not,
// chooses the flute and sizes the purge sector and its air.
void PurgeAndPressureCheck(const Work& work);

// Effectiveness of a rotary matrix with `a` transfer units and matrix
// capacity factor `b`.
double RotaryEff(double a, double b);

// Counterflow effectiveness for `x` transfer units at capacity ratio y < 1.
double CounterflowEff(double x, double y);

// The transfer units of a balanced counterflow exchanger of effectiveness x.
double EffToNtu(double x);

// The supply value (dry bulb or humidity ratio) leaving a wheel whose exhaust
// side takes return air mixed with purge air at the supply state.
float LeavingState(double Xo, double e, double r, double Xr, double Vr, double Ve, double Vp);

// Takes the catalog model of that name (the custom wheel's included) into
// the record; a name the catalog does not hold stops the rating.
void UseModel(const Work& work, const std::string& model);

// Balanced sensible and latent effectiveness with the overrides and the
// sensible-only line applied.
void BalancedEffectiveness(const Work& work);

// Effectiveness at the flow ratio of the two streams.
void UnbalancedEffectiveness(const Work& work);

}  // namespace ModCalc
