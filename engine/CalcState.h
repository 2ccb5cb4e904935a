#pragma once

// The one record the whole program shares: settings, the inputs as the
// calculation read them, the selected model, every intermediate
// quantity of the wheel model and every result. Units inside are always
// inch-pound (°F, gr/lb, cfm, in. w.c. or psia, Btu/lb, Btu/h, inches for the
// wheel, ft² for areas); only the two static pressures in Pa and the SI flow
// list are kept in SI.
//
// The catalog is kept beside it in ModelCatalog, filled once at start-up.
//
// Fields start at zero or empty; start-up writes the values that need more.
// Widths are deliberate: Integer is int16_t, Single float, Double double. A
// value stored into a float field keeps float precision from then on and
// later results depend on that, so never widen a field.

#include <array>
#include <cstdint>
#include <string>

#include "platform/Variant.h"

namespace ModCalc {

// Rows 0..50: row 0 is the custom wheel (after loading; before, the file's
// header record), rows 1..ModelCount the catalog models in ascending size.
inline constexpr std::size_t kCatalogRows = 51;

// What the entered main volume is; the number is what a project file stores.
enum class VolumeBasis : std::int16_t {
  Outdoor = 1,        // outdoor air at standard conditions
  Supply = 2,         // supply air at standard conditions
  OutdoorActual = 3,  // outdoor air at its actual conditions
  SupplyActual = 4,   // supply air at its actual conditions
};

struct ModelCatalog {
  template <typename T>
  using Column = std::array<T, kCatalogRows>;

  Column<std::string> ModelName{};
  Column<float> ModelFaceArea{};  // ft²
  Column<float> ModelMinCfm{};    // smallest volume the model is offered for
  Column<float> ModelMaxCfm{};    // largest volume the model is offered for
  Column<float> ModelPurgeCfm{};  // purge volume, the first estimate
  Column<float> WheelDiam{};      // in
  Column<float> WheelDepth{};     // in
  Column<std::int16_t> SpokeCount{};
  Column<float> ModelRpm{};
  Column<float> CasHeight{};  // in
  Column<float> CasWidth{};   // in
  Column<float> CasDepth{};   // in
  Column<float> HubDiam{};    // in
  Column<platform::Variant> ModelExtra{};
  Column<std::string> MotorHP{};
  Column<std::string> FrameText{};
  Column<platform::Variant> BearingText{};
  std::int16_t ModelCount = 0;  // models in rows 1..ModelCount
};

// What the program holds of its results beyond their figures. A rating
// leaves it alone; Calculate, the inputs window and the results display
// keep it.
struct ResultStatus {
  bool current = false;           // a rating applied and no entry changed since
  bool shown = false;             // the main window has shown a rating since start-up or File Close
  bool rated = false;             // a rating applied since start-up or File Close
  bool frost = false;             // the last rating applied frosts its exhaust
  bool supplyCondensing = false;  // the last rating applied supersaturates its supply
  bool totalShown = false;        // a rating's total effectiveness came out not above its sensible
};

struct CalcState {
  // Settings.
  std::int16_t SIUnits = 0;     // 0 inch-pound display and entry, 1 SI
  std::int16_t SIFlowUnit = 0;  // 0 m³/h, 1 l/s
  float SIFlowFactor = 0;       // cfm per SI flow unit
  std::int16_t PrivateLabel = 0;
  std::int16_t ExternalVersion = 0;
  VolumeBasis FlowBasis{};         // none until the settings are first confirmed
  std::int16_t MoistInOption = 2;  // 1..7; 5..7 are the SI forms of 1..3
  std::int16_t MoistInKind = 2;    // MoistInOption folded to 1..4
  std::int16_t ModelSelected = 0;  // 0: the next Calculate selects a model
  std::string ProjectTitle;
  std::string OverridePassword;
  float MatrixFactor = 0;
  ResultStatus Status;

  // Inputs as Calculate read them, and what follows from them at once.
  float ElevFt = 0;
  double Patm = 0;  // psia
  float PoaInWC = 0;
  float PraInWC = 0;
  float PoaPa = 0;
  float PraPa = 0;
  double dPoaRa = 0;  // in. w.c.
  float PoaAbs = 0;   // psia
  float PraAbs = 0;   // psia
  float Toa = 0;
  float Tra = 0;
  double Moa = 0;  // in the unit of MoistInKind
  double Mra = 0;
  double Woa = 0;  // gr/lb
  double Wra = 0;
  double MoaSI = 0;  // °C, g/kg or %RH, by MoistInOption
  double MraSI = 0;
  double VoaInput = 0;  // cfm, meaning by FlowBasis
  float VraInput = 0;
  float WheelRpm = 0;
  float WheelRpmEntered = 0;
  float PurgeAngleEntered = 0;  // degrees
  float EsOverride = 0;         // percent
  float ElOverride = 0;

  // Selected model.
  std::int16_t ModelIndex = 0;
  std::int16_t ModelCount = 0;
  std::string ModelNameSel;
  float FaceArea = 0;       // ft²
  float WheelDepthSel = 0;  // in
  float FluteMils = 0;
  float MediaDensity = 0;  // lb/ft³
  float FluteFactor = 0;
  float Density45 = 0;
  float Density62 = 0;
  float Density94 = 0;

  // Air flows, scfm unless said otherwise.
  float Voa = 0;
  float Vsa = 0;
  float Vra = 0;
  float Vea = 0;
  float Vpurge = 0;
  float VoaActual = 0;  // acfm
  float VsaActual = 0;
  float VraActual = 0;
  float VsaTrial = 0;
  float VsaActualCalc = 0;   // acfm
  float VsaActualError = 0;  // acfm
  double Vmin = 0;
  double Vmax = 0;
  double FlowRatio = 0;
  float MassSa = 0;  // lb/min
  float MassRa = 0;

  // Velocities (fpm), pressure drops (in. w.c.) and purge.
  float VelOa = 0;
  float VelSa = 0;
  float VelEa = 0;
  float VelOaActual = 0;
  float VelEaActual = 0;
  double VelOaActualP = 0;
  float VelMin = 0;
  float VelMinActual = 0;
  float dPs = 0;
  float dPr = 0;
  float PurgeAngle = 0;  // degrees
  float PurgeFraction = 0;
  double PurgeVelocity = 0;  // fpm

  // Wheel model and effectiveness (fractions).
  float MatrixVolume = 0;  // ft³
  float MatrixMass = 0;    // lb
  double NtuS = 0;
  double NtuL = 0;
  double RotFactor = 0;
  double RotFactorL = 0;
  float LeakFactor = 0;
  double EsWheel = 0;
  double ElWheel = 0;
  double EsBal = 0;
  double ElBal = 0;
  double NtuEqS = 0;
  double NtuEqL = 0;
  double EunbalS = 0;
  double EunbalL = 0;
  double EunbalT = 0;

  // Leaving states and energy.
  float Tsa = 0;
  float Tea = 0;
  double Wsa = 0;  // gr/lb
  double Wea = 0;
  float TraMix = 0;
  float WraMix = 0;
  double Hoa = 0;  // Btu/lb
  double Hsa = 0;
  double Hra = 0;
  double Hea = 0;
  float HraMix = 0;
  double HeatS = 0;  // Btu/h
  double HeatL = 0;
  double HeatT = 0;
  float WaterRecovered = 0;  // lb/h
  // Outdoor, supply, return, exhaust and purge air.
  std::array<platform::Variant, 5> AcfmList{};    // acfm
  std::array<platform::Variant, 5> SIFlowList{};  // SI flow unit
};

}  // namespace ModCalc
