#pragma once

// What the windows ask of the engine: a case read from the dialogs' boxes,
// rated, and the rating applied to the state, the boxes and the captions.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/Case.h"
#include "engine/Catalog.h"
#include "ui/Engine.h"

namespace ui {
struct CaseField;
}  // namespace ui

namespace ModCalc {

// The numbers of the air entries and the site, read from the boxes the
// engineer types in (the SI twins in SI units) before anything changes.
// A number outside its range (engine/Bounds.h) stops with a message naming
// the box.
struct AirEntries {
  float toa;
  float tra;
  double moa;  // in the humidity kind of `option`, engine units
  double mra;
  // As typed: ft and in. w.c., single precision; or m and Pa in SI units,
  // double precision until converted.
  double elevation;
  double poa;
  double pra;
};
// The entries with an SI twin, in the order readCase reads them.
enum class TwinEntry {
  OutdoorDryBulb,
  ReturnDryBulb,
  OutdoorMoisture,
  ReturnMoisture,
  MainVolume,
  ReturnVolume
};
// The case field of each.
const ui::CaseField& twinField(TwinEntry which);
// One of them as readCase reads it from the texts of its English box and its
// SI twin: the twin of the units in force checked against its range, the
// English box's number in the width of its case field. The humidity option
// says whether a moisture is a temperature; the basis names the main volume.
double readTwinEntry(TwinEntry which, std::string_view english, std::string_view si,
                     std::int16_t siUnits, std::int16_t option, VolumeBasis basis);
// The same from the entry's boxes.
double readTwinBoxes(const DialogFields& fields, TwinEntry which, std::int16_t siUnits,
                     std::int16_t option, VolumeBasis basis);

AirEntries readAirEntries(const DialogFields& fields, std::int16_t option, std::int16_t siUnits);

// The case the dialogs hold, read as a person's entries are read; throws
// CalcError naming the first box without a usable number.
Case readCase(const Engine& engine);

// What readCase takes from the state rather than from the boxes.
void takeStateInto(Case& c, const CalcState& s);

// The state once the finished rating of `c` is taken: its results, and what
// the program holds beyond the case.
void takeResults(CalcState& s, const Case& c, CalcState results);

// A warning Calculate shows not as it comes but as an indication, once per
// spell (indicationWarnings).
bool isIndication(WarningKind kind);
// The frost and supply warnings of a finished rating: only those the last
// finished calculation did not already indicate.
std::vector<std::string> indicationWarnings(const Rating& rating, bool frostShown,
                                            bool condensingShown);

// The supply relative humidity's background while the supply air would be
// supersaturated.
inline constexpr platform::Rgb kCondensingColor{128, 255, 255};

// Reads the case, rates it and applies the rating: the state, the entry
// boxes the rating corrected, the model list, the captions (through the
// redraw) and the indications. A case that cannot be read or rated shows
// why as an error and leaves every result and box as it was; it then
// returns false. The warnings come as message boxes, the frost and supply
// ones once per spell.
bool Calculate(Engine& engine);

// Builds the custom wheel (catalog row 0) from the override dialog's wheel
// and cassette boxes and the inputs dialog's wheel speed, and takes the two
// effectiveness overrides into the state. When a box holds no number it
// says which, and leaves row 0 and the state as they were; returns whether
// it built the wheel.
bool AutoSelect(Engine& engine);

// Makes a catalog already read the one in use: builds its custom wheel
// from the override dialog and takes its model count and password.
std::optional<std::string> UseCatalog(Engine& engine, const CatalogFile& read);

// Reads the first of `candidates` that exists and uses it (UseCatalog).
// Returns the problem in the engineer's words (naming the file, the paths
// tried, the record and line) when the catalog cannot be used; the catalog
// and the state are then left as they were.
std::optional<std::string> LoadCatalog(Engine& engine,
                                       const std::vector<std::filesystem::path>& candidates);

}  // namespace ModCalc
