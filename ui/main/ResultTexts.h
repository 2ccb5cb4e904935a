#pragma once

// The results of a calculation as the program shows them: every figure in
// the unit system asked for, as a number and as the main window's text,
// with its unit words. The window's captions, the report, the clipboard
// summary, `--results`, batch and the comparison all take their figures
// from here; none reads them back from a caption.

#include <array>
#include <string>

#include "engine/CalcState.h"

namespace ModCalc {
struct OverrideFields;
struct SettingsFields;
}  // namespace ModCalc

namespace ui {

// How the results are shown. The SI flow unit is the case's own
// (CalcState::SIFlowUnit and SIFlowFactor).
struct ResultDisplay {
  bool si = false;
  bool wetBulb = true;      // the wet bulb beside each humidity ratio, else the dew point
  bool totalEnergy = true;  // the total-energy line, else the sensible-only one
  // Each stream's wet bulb or dew point and relative humidity; a reader
  // that shows none of them (batch) is spared working them out.
  bool streamHumidity = true;
  bool fluteSize = false;  // the flute size, see fluteSizeShown
};

// What the main window shows for the state: its unit system, the humidity
// output chosen for that system and the wheel line.
ResultDisplay shownDisplay(const ModCalc::CalcState& s, const ModCalc::SettingsFields& settings);

// Whether the main window shows the flute size: when it is fixed, or asked
// for.
bool fluteSizeShown(const ModCalc::OverrideFields& overrides);

// The indications' words as the main window shows them.
inline constexpr const char* kVelocityTooHighText = "Face Velocity Too High";
inline constexpr const char* kFrostText = "Frost";
// "45 mils", "62 mils" or "94 mils".
const char* fluteText(float mils);

// A figure in the display's unit and the main window's text of it, which is
// formatted only when asked for.
struct ShownFigure {
  double value = 0;
  // The number the window's text rounds: the value, except that an SI
  // pressure drop is rounded from its single-precision product.
  double shown = 0;
  const char* pattern = "";
  std::string text() const;
};

struct StreamTexts {
  const char* name = "";  // "Outdoor", "Supply", "Return", "Exhaust"
  ShownFigure dryBulb;
  ShownFigure humidity;  // wet bulb or dew point
  ShownFigure ratio;     // humidity ratio
  ShownFigure relativeHumidity;
  ShownFigure enthalpy;
  ShownFigure standardVolume;
  ShownFigure actualVolume;
};

// The unit words the main window puts beside its figures.
struct ResultUnits {
  std::string dryBulb;  // "°F DB"
  std::string humidity;
  std::string ratio;
  std::string relativeHumidity;
  std::string enthalpy;
  std::string standardVolume;
  std::string actualVolume;
  std::string velocity;
  std::string pressure;
  std::string water;
  std::string energy;  // "BTU/H" or "KW"
};

struct ResultTexts {
  ResultDisplay display;
  std::string title;  // the project's
  ResultUnits units;
  std::array<StreamTexts, 4> streams;  // outdoor, supply, return, exhaust
  ShownFigure velocityOutdoor;
  ShownFigure velocityExhaust;
  bool velocityTooHigh = false;
  ShownFigure purgeVolume;
  ShownFigure purgeActualVolume;
  ShownFigure purgeAngle;  // degrees
  ShownFigure wheelSpeed;  // RPM
  ShownFigure dpSupply;
  ShownFigure dpExhaust;
  ShownFigure waterRecovered;
  ShownFigure heatSensible;
  ShownFigure heatLatent;
  ShownFigure heatTotal;
  ShownFigure eSensible;  // fractions, shown as percentages
  ShownFigure eLatent;
  ShownFigure eTotal;
  bool eTotalShown = false;  // the total effectiveness shows beside the sensible and latent
  bool frost = false;        // the exhaust frosts: kFrostText shows
  std::string flute;         // fluteText, when shown and once a rating has been applied
  bool winter = false;
  std::string season;  // "Winter" or "Summer"
  std::string model;   // "Model: KTR KW24-4", "Unit: …"
};

// The results of the state's last calculation in `display`. Nothing in the
// state changes.
ResultTexts presentRating(const ModCalc::CalcState& s, const ResultDisplay& display);

}  // namespace ui
