#include "ui/Calculate.h"

#include <string>
#include <utility>
#include <vector>

#include "engine/CustomWheel.h"
#include "engine/Rate.h"
#include "platform/NumberText.h"
#include "ui/EnteredUnits.h"
#include "ui/Rollback.h"
#include "ui/main/CaseFields.h"

namespace ModCalc {

namespace {

constexpr platform::Rgb kCondensingColor{128, 255, 255};

bool ticked(const platform::CheckBox& box) {
  return box.value() == 1;
}

bool isTemperature(std::int16_t option, bool si) {
  return si ? option == 5 || option == 6 : option == 1 || option == 2;
}

// An entry with an SI twin: the engineer types in the twin of the units in
// force, so that box is the one checked and named; the value is the
// English box's, which the twin keeps converted.
template <typename T>
T readEntry(const DialogFields& fields, const ui::CaseField& field, bool si, std::string_view what,
            const std::optional<Bounds>& bounds) {
  const TextBox& box = *ui::boxOf(field.box, fields);
  const TextBox& typed = si ? *ui::boxOf(field.boxSI, fields) : box;
  if (bounds) {
    readNumber<double>(typed, what, *bounds);
  } else {
    readNumber<double>(typed, what);
  }
  return readNumber<T>(box, what);
}

template <typename T>
T readEntry(const DialogFields& fields, std::string_view name, bool si) {
  const ui::CaseField& field = ui::caseField(name);
  return readEntry<T>(fields, field, si, field.what, si ? field.boundsSI : field.bounds);
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

void showWarnings(const Engine& engine, const Rating& rating, bool indications) {
  for (const Warning& warning : rating.warnings) {
    const bool indication =
        warning.kind == WarningKind::Frost || warning.kind == WarningKind::SupplySaturated;
    if (indication == indications) {
      engine.warn(warning.text);
    }
  }
}

void writeEntry(DialogFields& f, const CalcState& s, const EntryWrite& write) {
  const std::string text =
      write.exact ? platform::tidyText(write.value) : platform::formatNumber(write.value, "##0.0");
  switch (write.box) {
    case EntryBox::Moa:
      f.inputs.txtMoa.setText(text);
      break;
    case EntryBox::MoaSI:
      f.inputs.txtMoaSI.setText(text);
      break;
    case EntryBox::Mra:
      f.inputs.txtMra.setText(text);
      break;
    case EntryBox::MraSI:
      f.inputs.txtMraSI.setText(text);
      break;
    case EntryBox::Poa:
      f.settings.txtPoa.setText(
          staticPressureText(static_cast<float>(write.value), s.SIUnits == 1));
      break;
  }
}

// The rating's state, entries and model list; the captions follow.
void applyRating(Engine& engine, const Case& c, Rating& rating) {
  CalcState& s = engine.state;
  DialogFields& f = engine.fields;
  // What the program holds beyond the case: the password, the edition and
  // the purge angle last fixed, kept while the angle is left free.
  std::string password = std::move(s.OverridePassword);
  const std::int16_t externalVersion = s.ExternalVersion;
  const float purgeAngleEntered = s.PurgeAngleEntered;
  s = std::move(rating.results);
  s.OverridePassword = std::move(password);
  s.ExternalVersion = externalVersion;
  if (!c.purgeAngleDeg) {
    s.PurgeAngleEntered = purgeAngleEntered;
  }
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
  if (rating.totalNotAboveSensible) {
    f.main.lblEunbalT.setVisible(true);
  }
  // The volume boxes' change handlers ask for a new selection; this one
  // has been made.
  s.ModelSelected = 1;
}

// The frost, condensation and supply indications, each warned of once per
// spell.
void showIndications(Engine& engine, const Rating& rating) {
  MainFields& main = engine.fields.main;
  if (rating.frost && !main.lblFrost.visible()) {
    engine.warn("Exhaust air is supersaturated, frost buildup may occur.");
  }
  main.lblFrost.setVisible(rating.frost);
  if (rating.frost) {
    main.lblFrost.setCaption("Frost");
  }
  main.cmdFrostSpeed.setVisible(rating.frost);
  // The window's own background: only condensation stands out.
  main.lblWea[2].setBackColor(rating.exhaustCondensing ? std::optional(kCondensingColor)
                                                       : std::nullopt);
  platform::Label& supplyRH = main.lblWsa[2];
  if (rating.supplySupersaturated && supplyRH.backColor() != kCondensingColor) {
    engine.warn("Supply air is supersaturated, condensation or frost may occur.");
  }
  supplyRH.setBackColor(rating.supplySupersaturated ? std::optional(kCondensingColor)
                                                    : std::nullopt);
  const float mils = engine.state.FluteMils;
  main.lblFlute.setVisible(true);
  main.lblFlute.setCaption(mils == 45 ? "45 mils" : mils == 62 ? "62 mils" : "94 mils");
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

AirEntries readAirEntries(const DialogFields& fields, std::int16_t option, std::int16_t siUnits) {
  const bool si = siUnits == 1;
  // A dew point or wet bulb lies where a dry bulb does.
  const ui::CaseField& dryBulb = ui::caseField("Toa");
  const std::optional<Bounds> moisture =
      isTemperature(option, si) ? (si ? dryBulb.boundsSI : dryBulb.bounds) : std::nullopt;
  const auto moistureEntry = [&](std::string_view name) {
    const ui::CaseField& field = ui::caseField(name);
    return readEntry<double>(fields, field, si, field.what, moisture);
  };
  return {
      .toa = readEntry<float>(fields, "Toa", si),
      .tra = readEntry<float>(fields, "Tra", si),
      .moa = moistureEntry("Moa"),
      .mra = moistureEntry("Mra"),
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
  const ui::CaseField& mainVolume = ui::caseField("VoaInput");
  c.mainVolumeCfm =
      readEntry<double>(engine.fields, mainVolume, si, ui::whatOf(mainVolume, c.flowBasis),
                        si ? mainVolume.boundsSI : mainVolume.bounds);
  c.returnVolumeCfm = readEntry<float>(engine.fields, "Vra", si);
  c.wheelSpeedRpm = ui::readField<float>(engine.fields, "WheelRpmEntered");
  if (ticked(in.chkPurgeAngle)) {
    c.purgeAngleDeg = ui::readField<float>(engine.fields, "PurgeAngleEntered");
  }

  c.title = s.ProjectTitle;
  c.SIUnits = s.SIUnits;
  c.SIFlowUnit = s.SIFlowUnit;
  c.SIFlowFactor = s.SIFlowFactor;
  c.PrivateLabel = s.PrivateLabel;
  c.line = settings.KSRSel.value() ? WheelLine::SensibleOnly : WheelLine::TotalEnergy;
  c.MoistInOption = s.MoistInOption;
  c.MatrixFactor = s.MatrixFactor;
  c.elevationFt = elevationFeet(air.elevation, s.SIUnits);
  setStaticPressure(air.poa, si, c.outdoorStaticInWC, c.outdoorStaticPa);
  setStaticPressure(air.pra, si, c.returnStaticInWC, c.returnStaticPa);
  c.outdoorDryBulbF = air.toa;
  c.returnDryBulbF = air.tra;
  c.outdoorMoisture = air.moa;
  c.returnMoisture = air.mra;
  c.outdoorMoistureSI = s.MoaSI;
  c.returnMoistureSI = s.MraSI;
  c.fixedSpeed = ticked(in.chkSpeed);
  c.fluteMils = fixedFlute(overrides);
  c.sensibleOverridden = ticked(overrides.chkSensible);
  c.latentOverridden = ticked(overrides.chkLatent);
  c.sensibleOverridePct = s.EsOverride;
  c.latentOverridePct = s.ElOverride;
  c.selectModel = s.ModelSelected == 0;
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
  showWarnings(engine, rating, false);
  if (!rating.completed()) {
    return stop(*rating.error);
  }
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
  showIndications(engine, rating);
  return true;
}

}  // namespace ModCalc
