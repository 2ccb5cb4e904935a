#pragma once

// The project file (".cse"): one case as five records of comma-separated
// items, each ended by CR LF, and a sixth record of the settings the five
// leave out. A reader of the five records stops before the sixth, so files
// written here stay readable by anything that reads the five. A seventh,
// when the project has one, holds the annual energy's weather and operation;
// an eighth, once a code check is set up, the code check (with a seventh of
// the default operation when the project has none of its own).

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "engine/CodeCheck.h"
#include "platform/Variant.h"
#include "ui/main/AnnualRecord.h"

namespace ui {

inline constexpr const char* kProjectFilter = "Project Files (*.cse)|*.cse";

// What the sixth record keeps: the flute override and display, the "all
// wheels" list choice and the SI flow unit.
struct ProjectExtras {
  std::int16_t FluteOverride = 0;  // 0/1
  std::int16_t FluteSize = 62;     // 45, 62 or 94
  std::int16_t chkFluteDisplay = 0;
  std::int16_t ListSelect = 0;
  std::int16_t SIFlowUnit = 0;  // 0 m³/h, 1 l/s

  bool operator==(const ProjectExtras&) const = default;
};

// One case as the file holds it, in the calculation state's units (°F,
// gr/lb, cfm, in. w.c., ft).
struct Project {
  // Record 1.
  std::string ProjectTitle;
  double VoaInput = 0;
  float Toa = 0;
  double Woa = 0;
  // Record 2.
  float Vra = 0;
  float VraActual = 0;
  std::int16_t ModelIndex = 0;
  // Record 3: five inputs, then catalog entry 0 (the custom wheel).
  float Tra = 0;
  double Wra = 0;
  float PoaInWC = 0;
  float PraInWC = 0;
  float ElevFt = 0;
  std::string ModelName;
  float ModelFaceArea = 0;
  float WheelDiam = 0;
  float WheelDepth = 0;
  std::int16_t SpokeCount = 0;
  float ModelRpm = 0;
  float CasHeight = 0;
  float CasWidth = 0;
  float CasDepth = 0;
  float HubDiam = 0;
  platform::Variant ModelExtra;
  std::string MotorHP;
  std::string FrameText;
  platform::Variant BearingText;
  // Record 4.
  float ElOverride = 0;
  float EsOverride = 0;
  float PurgeAngleEntered = 0;
  float WheelRpmEntered = 0;
  std::int16_t MoistInOption = 2;
  std::int16_t MoistInKind = 2;
  std::int16_t SIUnits = 0;
  std::int16_t FlowBasis = 1;
  // Record 5: chkAutoSelect, chkSpeed, chkSensible, chkLatent (0/1), the
  // four humidity-output options, the four flow-basis options, KTRSel,
  // KSRSel (truth values), chkPurgeAngle (0/1).
  std::array<platform::Variant, 15> ProjectSwitches{};
  // Record 6, when the file has it.
  std::optional<ProjectExtras> extras;
  // Record 7, when the file has it (and record 6); the defaults are none.
  std::optional<AnnualRecord> annual;
  // Record 8, after record 7, once a code check is set up (CodeCheckRecord.h).
  std::optional<ModCalc::CodeCheckInputs> codeCheck;
};

// The file's text: records ended by CR LF, numbers in their shortest
// period form, a double quote in a text written as '.
std::string projectText(const Project& project);

// Reads a project's text (UTF-8, or Windows-1252 when it is not valid UTF-8;
// CR LF or LF). `modelCount` bounds the model index. On a problem, the text
// says which record and field is wrong.
std::variant<Project, std::string> parseProject(std::string_view bytes, std::int16_t modelCount);

}  // namespace ui
