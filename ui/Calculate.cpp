#include "ui/Calculate.h"

#include <string>
#include <utility>
#include <vector>

#include "engine/CustomWheel.h"
#include "engine/Rate.h"
#include "platform/NumberText.h"
#include "ui/EnteredUnits.h"
#include "ui/Rollback.h"
#include "ui/dialogs/frmInputs.h"
#include "ui/main/CaseFields.h"
#include "ui/main/ResultTexts.h"

namespace ModCalc {

namespace {

bool ticked(const platform::CheckBox& box) {
  return box.value() == 1;
}

bool isTemperature(std::int16_t option, bool si) {
  return si ? option == 5 || option == 6 : option == 1 || option == 2;
}

// An entry with an SI twin, from its boxes' texts: the engineer types in
// the twin of the units in force, so that text is the one checked and
// named; the value is the English box's, which the twin keeps converted.
template <typename T>
double readTwinText(std::string_view english, std::string_view si, bool inSI, std::string_view what,
                    const std::optional<Bounds>& bounds) {
  const std::string_view typed = inSI ? si : english;
  if (bounds) {
    readNumber<double>(typed, what, *bounds);
  } else {
    readNumber<double>(typed, what);
  }
  return readNumber<T>(english, what);
}

// An entry whose one box shows the units in force: as typed, in single
// precision in English units and in double precision in SI ones.
double readSiteEntry(const DialogFields& fields, std::string_view name, bool si) {
  const ui::CaseField& field = ui::caseField(name);
  const TextBox& box = *ui::boxOf(field.box, fields);
  return si ? readNumber<double>(box, field.what, *field.boundsSI)
            : readNumber<float>(box, field.what, *field.bounds);
}

VolumeBasis flowBasis(const SettingsFields& settings) {
  if (settings.optOutdoor.value()) {
    return VolumeBasis::Outdoor;
  }
  if (settings.optSupply.value()) {
    return VolumeBasis::Supply;
  }
  return settings.optOutdoorActual.value() ? VolumeBasis::OutdoorActual : VolumeBasis::SupplyActual;
}

const char* volumeFrameCaption(VolumeBasis basis) {
  switch (basis) {
    case VolumeBasis::Outdoor:
      return "Outdoor";
    case VolumeBasis::Supply:
      return "Supply";
    case VolumeBasis::OutdoorActual:
      return "Outdoor Actual";
    default:
      return "Supply Actual";
  }
}

std::optional<float> fixedFlute(const OverrideFields& o) {
  if (o.FluteOverride.value() == 0) {
    return std::nullopt;
  }
  return o.Flute45.value() ? 45.0F : o.Flute62.value() ? 62.0F : 94.0F;
}

void showWarnings(const Engine& engine, const Rating& rating) {
  for (const Warning& warning : rating.warnings) {
    if (!isIndication(warning.kind)) {
      engine.warn(warning.text);
    }
  }
}

void writeEntry(DialogFields& f, const CalcState& s, const EntryWrite& write) {
  if (write.box == EntryBox::Poa) {
    f.settings.txtPoa.setText(staticPressureText(static_cast<float>(write.value), s.SIUnits == 1));
    return;
  }
  const bool outdoor = write.box == EntryBox::Moa;
  // In SI units the twin first: its change writes the English box to the
  // tenth, which the entry itself then replaces, as Open leaves the boxes.
  if (s.SIUnits == 1) {
    (outdoor ? f.inputs.txtMoaSI : f.inputs.txtMraSI)
        .setText(ui::tidiestSIText(ui::FieldKind::Moisture, write.value, s.SIFlowFactor,
                                   s.MoistInOption));
  }
  (outdoor ? f.inputs.txtMoa : f.inputs.txtMra).setText(platform::tidyText(write.value));
}

// The rating's state, entries and model list; the captions follow.
void applyRating(Engine& engine, const Case& c, Rating& rating) {
  CalcState& s = engine.state;
  DialogFields& f = engine.fields;
  takeResults(s, c, std::move(rating.results));
  engine.catalog.ModelFaceArea[0] = rating.customFaceAreaFt2;
  engine.catalog.ModelPurgeCfm[0] = rating.customPurgeCfm;
  if (c.selectModel) {
    f.inputs.lstWheel.clear();
    for (const std::string& model : rating.offeredModels) {
      f.inputs.lstWheel.addItem(model);
    }
    f.inputs.lstWheel.setListIndex(0);
  }
  for (const EntryWrite& write : rating.entries) {
    writeEntry(f, s, write);
  }
  // The boxes give back the volumes the case holds.
  f.inputs.txtV.setText(platform::tidyText(rating.shownMainVolume));
  f.inputs.fmeVolume.setCaption(volumeFrameCaption(s.FlowBasis));
  f.inputs.txtVra.setText(platform::tidyText(rating.shownReturnVolume));
  s.Status.rated = true;
  s.Status.frost = rating.frost;
  s.Status.supplyCondensing = rating.supplySupersaturated;
  // Once shown, the total effectiveness stays for the cases that follow.
  s.Status.totalShown = s.Status.totalShown || rating.totalNotAboveSensible;
  f.main.lblEunbalT.setVisible(s.Status.totalShown);
  // The volume boxes' change handlers ask for a new selection; this one
  // has been made.
  s.ModelSelected = 1;
}

// The frost, condensation and supply indications, each warned of once per
// spell: `shown` holds the indications of the rating before this one.
void showIndications(Engine& engine, const Rating& rating, const ResultStatus& shown) {
  MainFields& main = engine.fields.main;
  platform::Label& supplyRH = main.lblWsa[2];
  for (const std::string& warning :
       indicationWarnings(rating, shown.frost, shown.supplyCondensing)) {
    engine.warn(warning);
  }
  main.lblFrost.setVisible(rating.frost);
  if (rating.frost) {
    main.lblFrost.setCaption(ui::kFrostText);
  }
  main.cmdFrostSpeed.setVisible(rating.frost);
  // The window's own background: only condensation stands out.
  main.lblWea[2].setBackColor(rating.exhaustCondensing ? std::optional(kCondensingColor)
                                                       : std::nullopt);
  supplyRH.setBackColor(rating.supplySupersaturated ? std::optional(kCondensingColor)
                                                    : std::nullopt);
  main.lblFlute.setVisible(true);
  main.lblFlute.setCaption(ui::fluteText(engine.state.FluteMils));
}

// The metres typed are taken when the feet they give are: the box shows the
// tidiest metres that give the feet back, which may lie a little beyond the
// metres the feet bounds convert to.
double elevation(const DialogFields& fields, bool si) {
  if (!si) {
    return readSiteEntry(fields, "ElevFt", si);
  }
  const ui::CaseField& field = ui::caseField("ElevFt");
  const double metres = readNumber<double>(*ui::boxOf(field.box, fields), field.what);
  if (!withinBounds(elevationFeet(metres, 1), *field.bounds)) {
    throw CalcError(boundsMessage(field.what, *field.boundsSI));
  }
  return metres;
}

}  // namespace

bool isIndication(WarningKind kind) {
  return kind == WarningKind::Frost || kind == WarningKind::SupplySaturated;
}

std::vector<std::string> indicationWarnings(const Rating& rating, bool frostShown,
                                            bool condensingShown) {
  std::vector<std::string> warnings;
  if (rating.frost && !frostShown) {
    warnings.emplace_back("Exhaust air is supersaturated, frost buildup may occur.");
  }
  if (rating.supplySupersaturated && !condensingShown) {
    warnings.emplace_back("Supply air is supersaturated, condensation or frost may occur.");
  }
  return warnings;
}

const ui::CaseField& twinField(TwinEntry which) {
  // Found once: batch reads these for every row.
  static const std::array<const ui::CaseField*, 6> kFields{
      &ui::caseField("Toa"), &ui::caseField("Tra"),      &ui::caseField("Moa"),
      &ui::caseField("Mra"), &ui::caseField("VoaInput"), &ui::caseField("Vra")};
  return *kFields[static_cast<std::size_t>(which)];
}

double readTwinEntry(TwinEntry which, std::string_view english, std::string_view si,
                     std::int16_t siUnits, std::int16_t option, VolumeBasis basis) {
  const bool inSI = siUnits == 1;
  const ui::CaseField& field = twinField(which);
  const auto bounds = [inSI](const ui::CaseField& f) { return inSI ? f.boundsSI : f.bounds; };
  switch (which) {
    case TwinEntry::OutdoorMoisture:
    case TwinEntry::ReturnMoisture:
      // A dew point or wet bulb lies where a dry bulb does.
      return readTwinText<double>(english, si, inSI, field.what,
                                  isTemperature(option, inSI)
                                      ? bounds(twinField(TwinEntry::OutdoorDryBulb))
                                      : std::nullopt);
    case TwinEntry::MainVolume:
      return readTwinText<double>(english, si, inSI, ui::whatOf(field, basis), bounds(field));
    default:
      return readTwinText<float>(english, si, inSI, field.what, bounds(field));
  }
}

double readTwinBoxes(const DialogFields& fields, TwinEntry which, std::int16_t siUnits,
                     std::int16_t option, VolumeBasis basis) {
  const ui::CaseField& field = twinField(which);
  return readTwinEntry(which, ui::boxOf(field.box, fields)->text(),
                       ui::boxOf(field.boxSI, fields)->text(), siUnits, option, basis);
}

void takeStateInto(Case& c, const CalcState& s) {
  c.title = s.ProjectTitle;
  c.SIUnits = s.SIUnits;
  c.SIFlowUnit = s.SIFlowUnit;
  c.SIFlowFactor = s.SIFlowFactor;
  c.PrivateLabel = s.PrivateLabel;
  c.MoistInOption = s.MoistInOption;
  c.MatrixFactor = s.MatrixFactor;
  c.outdoorMoistureSI = s.MoaSI;
  c.returnMoistureSI = s.MraSI;
  c.sensibleOverridePct = s.EsOverride;
  c.latentOverridePct = s.ElOverride;
  c.selectModel = s.ModelSelected == 0;
}

void takeResults(CalcState& s, const Case& c, CalcState results) {
  // What the program holds beyond the case: the password, the edition, the
  // results' status and the purge angle last fixed, kept while the angle is
  // left free.
  std::string password = std::move(s.OverridePassword);
  const std::int16_t externalVersion = s.ExternalVersion;
  const float purgeAngleEntered = s.PurgeAngleEntered;
  const ResultStatus status = s.Status;
  s = std::move(results);
  s.OverridePassword = std::move(password);
  s.ExternalVersion = externalVersion;
  s.Status = status;
  if (!c.purgeAngleDeg) {
    s.PurgeAngleEntered = purgeAngleEntered;
  }
}

AirEntries readAirEntries(const DialogFields& fields, std::int16_t option, std::int16_t siUnits) {
  const bool si = siUnits == 1;
  const auto entry = [&](TwinEntry which) {
    return readTwinBoxes(fields, which, siUnits, option, VolumeBasis::Outdoor);
  };
  return {
      .toa = static_cast<float>(entry(TwinEntry::OutdoorDryBulb)),
      .tra = static_cast<float>(entry(TwinEntry::ReturnDryBulb)),
      .moa = entry(TwinEntry::OutdoorMoisture),
      .mra = entry(TwinEntry::ReturnMoisture),
      .elevation = elevation(fields, si),
      .poa = readSiteEntry(fields, "PoaInWC", si),
      .pra = readSiteEntry(fields, "PraInWC", si),
  };
}

Case readCase(const Engine& engine) {
  const CalcState& s = engine.state;
  const InputsFields& in = engine.fields.inputs;
  const SettingsFields& settings = engine.fields.settings;
  const OverrideFields& overrides = engine.fields.overrides;
  const bool si = s.SIUnits == 1;
  Case c;
  c.flowBasis = flowBasis(settings);
  const AirEntries air = readAirEntries(engine.fields, s.MoistInOption, s.SIUnits);
  c.mainVolumeCfm =
      readTwinBoxes(engine.fields, TwinEntry::MainVolume, s.SIUnits, s.MoistInOption, c.flowBasis);
  c.returnVolumeCfm = static_cast<float>(readTwinBoxes(engine.fields, TwinEntry::ReturnVolume,
                                                       s.SIUnits, s.MoistInOption, c.flowBasis));
  c.wheelSpeedRpm = ui::readField<float>(engine.fields, "WheelRpmEntered");
  if (ticked(in.chkPurgeAngle)) {
    c.purgeAngleDeg = ui::readField<float>(engine.fields, "PurgeAngleEntered");
  }

  takeStateInto(c, s);
  c.line = settings.KSRSel.value() ? WheelLine::SensibleOnly : WheelLine::TotalEnergy;
  c.elevationFt = elevationFeet(air.elevation, s.SIUnits);
  setStaticPressure(air.poa, si, c.outdoorStaticInWC, c.outdoorStaticPa);
  setStaticPressure(air.pra, si, c.returnStaticInWC, c.returnStaticPa);
  c.outdoorDryBulbF = air.toa;
  c.returnDryBulbF = air.tra;
  c.outdoorMoisture = air.moa;
  c.returnMoisture = air.mra;
  c.fixedSpeed = ticked(in.chkSpeed);
  c.fluteMils = fixedFlute(overrides);
  c.sensibleOverridden = ticked(overrides.chkSensible);
  c.latentOverridden = ticked(overrides.chkLatent);
  c.model = in.lstWheel.text();
  c.customOnly = ticked(overrides.chkAutoSelect);
  c.listAllModels = ticked(overrides.ListSelect);
  c.custom = customWheelOf(engine.catalog);
  return c;
}

bool Calculate(Engine& engine) {
  const auto stop = [&engine](const std::string& why) {
    engine.messages.show(why, "Error", platform::MessageIcon::Exclamation);
    return false;
  };
  Case c;
  try {
    c = readCase(engine);
  } catch (const CalcError& error) {
    return stop(error.what());
  }
  Rating rating = rate(c, engine.catalog);
  showWarnings(engine, rating);
  if (!rating.completed()) {
    return stop(*rating.error);
  }
  const ResultStatus shown = engine.state.Status;
  const Rollback rollback(engine);
  applyRating(engine, c, rating);
  if (engine.redraw) {
    engine.redraw();
  }
  // The last line of defence for what the windows show: a figure the run
  // wrote that is no number stops the run rather than reaching the engineer.
  // The project title is the engineer's own words ("Infinity Mall").
  std::vector<platform::Control*> written = rollback.changedControls();
  std::erase_if(written, [&engine](const platform::Control* control) {
    const auto* label = dynamic_cast<const platform::Label*>(control);
    return label != nullptr && label->caption() == engine.state.ProjectTitle;
  });
  if (const platform::Control* shown = platform::showsNoNumber(written)) {
    rollback.restore();
    return stop("These inputs give no value to show in " + shown->name() +
                ". Check the air states, volumes and pressures.");
  }
  showIndications(engine, rating, shown);
  return true;
}

}  // namespace ModCalc
