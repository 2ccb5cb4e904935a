#pragma once

// A year of a case: the case rated hour by hour at each hour's outdoor air,
// with the building's operation (schedule, return air by season, economizer,
// frost control, fans) and the prices of energy, summed by month and year.

#include <array>
#include <atomic>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "engine/Case.h"
#include "engine/Weather.h"

namespace ModCalc {

inline constexpr double kBtuPerKWh = 3412.14;

enum class FrostControl : std::int8_t {
  ReducedSpeed,  // slower, a tenth at a time, until the exhaust no longer frosts
  Preheat,       // outdoor air warmed to the preheat temperature first
  Bypass,        // the wheel stops for the hour
};

// How the building runs the wheel and what energy costs. Temperatures °F,
// relative humidities %.
struct OperationModel {
  // Occupied from the start to the end hour (0..24) of each weekday; the
  // wheel is off in the other hours.
  int occupiedFrom = 7;
  int occupiedTo = 19;
  bool weekendsOccupied = false;

  // Return air: the cooling set point where the outdoor dry bulb is at or
  // above the heating one's dry bulb, else the heating set point; or the
  // case's own return air every hour.
  bool caseReturnAir = false;
  double coolingReturnF = 72;
  double coolingReturnRhPct = 50;
  double heatingReturnF = 70;
  double heatingReturnRhPct = 30;

  // The wheel stops where outdoor air between the limits (and with less
  // enthalpy than the return air) cools better on its own.
  bool economizer = true;
  double economizerLowF = 55;
  double economizerHighF = 65;

  FrostControl frost = FrostControl::ReducedSpeed;
  double preheatF = 15;

  double fanEfficiency = 0.6;
  double motorEfficiency = 0.9;

  double electricityPerKWh = 0.12;
  double fuelPerTherm = 1.00;
  double coolingCop = 3.5;
  double heatingEfficiency = 0.85;
  double firstCost = 0;

  bool operator==(const OperationModel&) const = default;
};

// Energy figures in Btu (recovered, preheat), kWh (fans) and lb (water).
struct EnergyTotals {
  double heatingSensibleBtu = 0;
  double heatingLatentBtu = 0;
  double coolingSensibleBtu = 0;
  double coolingLatentBtu = 0;
  double fanKWh = 0;
  double preheatBtu = 0;
  double frostLostBtu = 0;  // recovery the frost control gives up
  double waterLb = 0;       // water the wheel moves between the streams
  double heatingPeakBtuh = 0;
  double coolingPeakBtuh = 0;
  int frostHours = 0;          // hours the wheel would frost without its control
  int frostPersistsHours = 0;  // of those, hours the control could not end the frost
  int economizerHours = 0;
  int operatingHours = 0;  // hours the wheel turns
  int unratedHours = 0;    // hours whose air the case cannot be rated at

  double heatingBtu() const { return heatingSensibleBtu + heatingLatentBtu; }
  double coolingBtu() const { return coolingSensibleBtu + coolingLatentBtu; }
  void add(const EnergyTotals& other);
};

// What the energy is worth under the operation model's prices.
struct Savings {
  double fuelTherms = 0;  // fuel the recovered heating saves
  double coolingKWh = 0;  // electricity the recovered cooling saves
  double netKBtu = 0;     // purchased energy saved less the fans', kBtu
  double costSaved = 0;   // in the currency of the prices
};
Savings savings(const EnergyTotals& totals, const OperationModel& op);

struct HourResult {
  bool occupied = false;
  bool economizer = false;
  bool frost = false;          // would frost without the frost control
  bool frostPersists = false;  // frosts even with it
  bool operating = false;
  bool rated = false;
  float outdoorF = 0;  // after any preheat
  double outdoorGrains = 0;
  float supplyF = 0;
  double supplyGrains = 0;
  float returnF = 0;
  double returnGrains = 0;
  double wheelRpm = 0;
  double supplyMassLbPerMin = 0;
  double sensibleBtuh = 0;  // positive cooling the supply, negative heating it
  double latentBtuh = 0;
  double totalBtuh = 0;
  double fanKW = 0;
  double preheatBtuh = 0;
  double frostLostBtuh = 0;  // recovery the frost control gives up
};

// Recovered loads at the design conditions: the plant capacity the wheel
// saves, Btu/h.
struct DesignSavings {
  double coolingBtuh = 0;
  double heatingBtuh = 0;
};

struct AnnualResult {
  std::optional<std::string> error;  // the case itself cannot be rated
  std::string model;
  std::array<EnergyTotals, 12> months{};
  EnergyTotals year;
  std::vector<HourResult> hours;  // one per weather hour
  std::optional<DesignSavings> design;
  Savings yearSavings;
  std::optional<double> paybackYears;  // none when nothing is saved or no cost entered
};

// Called every so many hours with the hours done; false stops the year
// (the result then carries an error saying so).
using AnnualProgress = std::function<bool(std::size_t done, std::size_t total)>;

AnnualResult rateYear(const Case& c, const Weather& weather, const OperationModel& op,
                      const ModelCatalog& catalog, const AnnualProgress& progress = {});

}  // namespace ModCalc
