#pragma once

// Unit conversions and the standard-air constant, named once for every layer.
// Several factors are rounded (249 Pa per in. w.c. rather than 249.09, 3.281
// ft per metre) and stay so: selections already quoted and saved projects
// were reckoned with them, and a refined factor would move their figures.

namespace units {

// Temperature.
inline constexpr double kFahrenheitPerCelsiusDegree = 1.8;
inline constexpr double kFreezingFahrenheit = 32;
inline constexpr double kRankineOffset = 459.67;  // °R = °F + 459.67

// The subtraction keeps the width of its argument: a float dry bulb loses
// 32 in float arithmetic, as the display of the leaving states always has.
template <typename T>
constexpr double celsius(T fahrenheit) {
  return (fahrenheit - static_cast<T>(kFreezingFahrenheit)) / kFahrenheitPerCelsiusDegree;
}
constexpr double fahrenheit(double celsius) {
  return celsius * kFahrenheitPerCelsiusDegree + kFreezingFahrenheit;
}

// Moisture.
inline constexpr double kGrainsPerPound = 7000;
// Grains per pound in one gram per kilogram (7000 gr per lb / 1000 g per kg).
inline constexpr double kGrainsPerGramPerKilogram = 7;

// Pressure.
inline constexpr double kPascalsPerInchOfWater = 249;
inline constexpr double kInchesOfWaterPerPsi = 27.708;
inline constexpr double kPascalsPerPsi = 6894.757;  // the chart's title only

// Length.
inline constexpr double kFeetPerMetre = 3.281;    // the elevation box
inline constexpr double kMetresPerFoot = 0.3048;  // face velocities, fpm to m/s
inline constexpr double kCentimetresPerInch = 2.54;

// Enthalpy of moist air, kJ/kg from Btu/lb: 2.326 kJ/kg per Btu/lb, and
// the SI scale starts from dry air at 0 °C where the inch-pound one starts
// at 0 °F.
constexpr double kilojoulesPerKilogram(double btuPerPound) {
  return btuPerPound * 2.326 - 17.86;
}

// Energy, power and mass.
inline constexpr double kKilowattsPerBtuPerHour = 0.0002928;
inline constexpr double kKilowattsPerHorsepower = 0.7457;
inline constexpr double kPoundsPerKilogram = 2.2;

// Air flow: cfm in one SI flow unit (the program's SIFlowFactor).
inline constexpr float kCfmPerCubicMetrePerHour = 0.58851F;
inline constexpr float kCfmPerLitrePerSecond = 2.1186F;

// Specific volume of standard air, ft³ per lb of dry air: what one scfm is.
// It is written to three precisions, each where it has always been used, and
// results depend on each: volumes and velocities use kStandardAirVolume,
// mass flows kStandardAirVolumeForMass, the actual-volume list
// kStandardAirVolumeForActualList.
inline constexpr double kStandardAirVolume = 13.333;
inline constexpr double kStandardAirVolumeForMass = 13.33333;
inline constexpr double kStandardAirVolumeForActualList = 13.3333;

inline constexpr double kMinutesPerHour = 60;

}  // namespace units
