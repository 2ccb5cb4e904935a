#include "engine/Annual.h"

#include <algorithm>
#include <cmath>

#include "engine/Rate.h"
#include "platform/NumberText.h"
#include "psych/modPsych.h"
#include "units/Units.h"

namespace ModCalc {

namespace {

constexpr double kWattsPerInchWaterCfm = 249.089 * 0.00047194745;
constexpr double kWattsPerHorsepower = 745.7;
constexpr double kBtuPerTherm = 100000;
constexpr std::int16_t kGrainsOption = 3;
// As the frost speed control: a tenth slower at a time, never below 1 rpm.
constexpr int kMaxFrostPasses = 50;
constexpr double kLowestFrostSpeed = 1;
constexpr std::size_t kProgressEvery = 730;

// "1/4", "1-1/2" or "2" horsepower; 0 for anything else (no motor known).
double horsepower(const std::string& text) {
  const std::size_t slash = text.find('/');
  if (slash == std::string::npos) {
    return platform::parseInvariant<double>(text).value_or(0);
  }
  const std::size_t dash = text.find('-');
  const std::size_t numeratorAt = dash == std::string::npos ? 0 : dash + 1;
  const double whole = dash == std::string::npos
                           ? 0
                           : platform::parseInvariant<double>(text.substr(0, dash)).value_or(0);
  const auto numerator =
      platform::parseInvariant<double>(text.substr(numeratorAt, slash - numeratorAt));
  const auto denominator = platform::parseInvariant<double>(text.substr(slash + 1));
  if (!numerator || !denominator || *denominator == 0) {
    return 0;
  }
  return whole + *numerator / *denominator;
}

struct AirState {
  float dryBulbF;
  double grains;
};

class Year {
 public:
  Year(const Case& c, const OperationModel& op, const ModelCatalog& catalog)
      : c_(c), op_(op), catalog_(catalog), patm_(modPsych::AtmPressure(c.elevationFt)) {}

  // The case rated as entered fixes the model, the custom wheel's size and
  // the case's own return air for every hour.
  std::optional<std::string> start() {
    const Rating base = rate(c_, catalog_);
    if (!base.completed()) {
      return "The case cannot be rated: " + *base.error;
    }
    c_.selectModel = false;
    c_.model = base.results.ModelNameSel;
    c_.custom.faceAreaFt2 = base.customFaceAreaFt2;
    c_.custom.purgeCfm = base.customPurgeCfm;
    c_.MoistInOption = kGrainsOption;
    caseReturn_ = {base.results.Tra, base.results.Wra};
    const auto row = static_cast<std::size_t>(base.results.ModelIndex);
    motorKW_ = horsepower(row == 0 ? c_.custom.motorHP : catalog_.MotorHP[row]) *
               kWattsPerHorsepower / 1000 / op_.motorEfficiency;
    return std::nullopt;
  }

  const std::string& model() const { return c_.model; }

  AirState outdoor(const WeatherHour& h) const {
    const double t = units::fahrenheit(h.dryBulbC);
    const double grains =
        h.dewPointC ? modPsych::MoistToGrains(t, units::fahrenheit(*h.dewPointC), patm_, 1)
                    : modPsych::MoistToGrains(t, h.relHumPct, patm_, 4);
    return {static_cast<float>(t), grains};
  }

  AirState returnAir(float outdoorF) const {
    if (op_.caseReturnAir) {
      return caseReturn_;
    }
    const bool heating = outdoorF < op_.heatingReturnF;
    const double t = heating ? op_.heatingReturnF : op_.coolingReturnF;
    const double rh = heating ? op_.heatingReturnRhPct : op_.coolingReturnRhPct;
    return {static_cast<float>(t), modPsych::MoistToGrains(t, rh, patm_, 4)};
  }

  bool occupied(const WeatherHour& h) const {
    const bool weekday = h.weekday >= 1 && h.weekday <= 5;
    return (weekday || op_.weekendsOccupied) && h.hour - 1 >= op_.occupiedFrom &&
           h.hour - 1 < op_.occupiedTo;
  }

  // One hour with the wheel in the air streams; `economizerAllowed` is false
  // at the design conditions, where the wheel runs whatever the air.
  HourResult hour(AirState out, AirState ret, bool economizerAllowed) const {
    HourResult r;
    r.occupied = true;
    r.outdoorF = out.dryBulbF;
    r.outdoorGrains = out.grains;
    r.returnF = ret.dryBulbF;
    r.returnGrains = ret.grains;
    r.economizer =
        economizerAllowed && op_.economizer && out.dryBulbF >= op_.economizerLowF &&
        out.dryBulbF <= op_.economizerHighF &&
        modPsych::Enthalpy(out.dryBulbF, out.grains) < modPsych::Enthalpy(ret.dryBulbF, ret.grains);
    Case c = c_;
    c.returnDryBulbF = ret.dryBulbF;
    c.returnMoisture = ret.grains;
    const auto rated = [&](AirState air) {
      c.outdoorDryBulbF = air.dryBulbF;
      c.outdoorMoisture = air.grains;
      return rate(c, catalog_);
    };
    Rating rating = rated(out);
    if (!rating.completed()) {
      return r;
    }
    r.rated = true;
    r.frost = !r.economizer && rating.frost;
    bool turning = !r.economizer;
    const double fullRecovery = std::abs(rating.results.HeatT);
    if (r.frost) {
      switch (op_.frost) {
        case FrostControl::ReducedSpeed:
          c.fixedSpeed = true;
          for (int pass = 0; pass < kMaxFrostPasses && rating.frost; ++pass) {
            const double next = 0.9 * rating.results.WheelRpm;
            if (next < kLowestFrostSpeed) {
              break;
            }
            c.wheelSpeedRpm = static_cast<float>(next);
            Rating slower = rated(out);
            if (!slower.completed()) {
              break;
            }
            rating = std::move(slower);
          }
          break;
        case FrostControl::Preheat:
          if (out.dryBulbF < op_.preheatF) {
            const AirState warmed{static_cast<float>(op_.preheatF), out.grains};
            Rating preheated = rated(warmed);
            if (preheated.completed()) {
              const CalcState& s = preheated.results;
              r.preheatBtuh = (modPsych::Enthalpy(warmed.dryBulbF, warmed.grains) -
                               modPsych::Enthalpy(out.dryBulbF, out.grains)) *
                              s.Voa / units::kStandardAirVolumeForMass * units::kMinutesPerHour;
              rating = std::move(preheated);
            }
          }
          break;
        case FrostControl::Bypass:
          turning = false;
          break;
      }
    }
    const CalcState& s = rating.results;
    if (r.frost) {
      r.frostLostBtuh = turning ? std::max(0.0, fullRecovery - std::abs(s.HeatT)) : fullRecovery;
      r.frostPersists = turning && rating.frost;
    }
    r.outdoorF = s.Toa;
    r.outdoorGrains = s.Woa;
    r.fanKW = (s.dPs * std::get<double>(s.AcfmList[0]) + s.dPr * std::get<double>(s.AcfmList[3])) *
              kWattsPerInchWaterCfm / 1000 / (op_.fanEfficiency * op_.motorEfficiency);
    r.supplyMassLbPerMin = s.MassSa;
    if (!turning) {
      r.supplyF = s.Toa;
      r.supplyGrains = s.Woa;
      return r;
    }
    r.operating = true;
    r.fanKW += motorKW_;
    r.wheelRpm = s.WheelRpm;
    r.supplyF = s.Tsa;
    r.supplyGrains = s.Wsa;
    r.sensibleBtuh = s.HeatS;
    r.latentBtuh = s.HeatL;
    r.totalBtuh = s.HeatT;
    return r;
  }

  std::optional<DesignSavings> design(const std::optional<DesignConditions>& d) const {
    if (!d) {
      return std::nullopt;
    }
    const auto at = [this](double dryBulbC, double moistureC, std::int16_t kind) {
      const double t = units::fahrenheit(dryBulbC);
      const AirState out{static_cast<float>(t),
                         modPsych::MoistToGrains(t, units::fahrenheit(moistureC), patm_, kind)};
      return std::abs(hour(out, returnAir(out.dryBulbF), false).totalBtuh);
    };
    return DesignSavings{.coolingBtuh = at(d->coolingDryBulbC, d->coolingWetBulbC, 2),
                         .heatingBtuh = at(d->heatingDryBulbC, d->heatingDewPointC, 1)};
  }

 private:
  Case c_;
  const OperationModel& op_;
  const ModelCatalog& catalog_;
  double patm_;
  AirState caseReturn_{};
  double motorKW_ = 0;
};

// One hour's figures as totals, for a month to add.
EnergyTotals hourTotals(const HourResult& h) {
  EnergyTotals t;
  t.economizerHours = h.economizer ? 1 : 0;
  if (!h.rated) {
    t.unratedHours = 1;
    return t;
  }
  t.frostHours = h.frost ? 1 : 0;
  t.frostPersistsHours = h.frostPersists ? 1 : 0;
  t.frostLostBtu = h.frostLostBtuh;
  t.fanKWh = h.fanKW;
  t.preheatBtu = h.preheatBtuh;
  if (!h.operating) {
    return t;
  }
  t.operatingHours = 1;
  t.waterLb = std::abs(h.supplyMassLbPerMin * (h.outdoorGrains - h.supplyGrains) /
                       units::kGrainsPerPound * units::kMinutesPerHour);
  // The hour heats or cools the supply as its total says.
  const double sign = h.totalBtuh < 0 ? -1 : 1;
  (sign < 0 ? t.heatingSensibleBtu : t.coolingSensibleBtu) = sign * h.sensibleBtuh;
  (sign < 0 ? t.heatingLatentBtu : t.coolingLatentBtu) = sign * h.latentBtuh;
  (sign < 0 ? t.heatingPeakBtuh : t.coolingPeakBtuh) = sign * h.totalBtuh;
  return t;
}

}  // namespace

void EnergyTotals::add(const EnergyTotals& o) {
  heatingSensibleBtu += o.heatingSensibleBtu;
  heatingLatentBtu += o.heatingLatentBtu;
  coolingSensibleBtu += o.coolingSensibleBtu;
  coolingLatentBtu += o.coolingLatentBtu;
  fanKWh += o.fanKWh;
  preheatBtu += o.preheatBtu;
  waterLb += o.waterLb;
  heatingPeakBtuh = std::max(heatingPeakBtuh, o.heatingPeakBtuh);
  coolingPeakBtuh = std::max(coolingPeakBtuh, o.coolingPeakBtuh);
  frostHours += o.frostHours;
  frostPersistsHours += o.frostPersistsHours;
  frostLostBtu += o.frostLostBtu;
  economizerHours += o.economizerHours;
  operatingHours += o.operatingHours;
  unratedHours += o.unratedHours;
}

Savings savings(const EnergyTotals& t, const OperationModel& op) {
  Savings s;
  s.fuelTherms = t.heatingBtu() / op.heatingEfficiency / kBtuPerTherm;
  s.coolingKWh = t.coolingBtu() / op.coolingCop / kBtuPerKWh;
  s.netKBtu = (s.fuelTherms * kBtuPerTherm + (s.coolingKWh - t.fanKWh) * kBtuPerKWh) / 1000;
  s.costSaved = s.fuelTherms * op.fuelPerTherm + (s.coolingKWh - t.fanKWh) * op.electricityPerKWh;
  return s;
}

AnnualResult rateYear(const Case& c, const Weather& weather, const OperationModel& op,
                      const ModelCatalog& catalog, const AnnualProgress& progress) {
  AnnualResult result;
  Year year(c, op, catalog);
  if (auto error = year.start()) {
    result.error = std::move(error);
    return result;
  }
  result.model = year.model();
  result.hours.reserve(weather.hours.size());
  for (const WeatherHour& h : weather.hours) {
    if (progress && result.hours.size() % kProgressEvery == 0 &&
        !progress(result.hours.size(), weather.hours.size())) {
      result.error = "The year was stopped.";
      return result;
    }
    const AirState out = year.outdoor(h);
    HourResult r;
    if (year.occupied(h)) {
      r = year.hour(out, year.returnAir(out.dryBulbF), true);
    } else {
      r.outdoorF = out.dryBulbF;
      r.outdoorGrains = out.grains;
    }
    if (r.occupied) {
      result.months[static_cast<std::size_t>(h.month - 1)].add(hourTotals(r));
    }
    result.hours.push_back(r);
  }
  for (const EnergyTotals& month : result.months) {
    result.year.add(month);
  }
  result.design = year.design(weather.design);
  result.yearSavings = savings(result.year, op);
  if (op.firstCost > 0 && result.yearSavings.costSaved > 0) {
    result.paybackYears = op.firstCost / result.yearSavings.costSaved;
  }
  return result;
}

}  // namespace ModCalc
