// The custom wheel from the override dialog, and the catalog it joins.

#include <cstdint>
#include <string>
#include <utility>

#include "engine/CustomWheel.h"
#include "platform/NumberText.h"
#include "ui/Calculate.h"
#include "ui/main/CaseFields.h"

namespace ModCalc {

namespace {

// The override dialog's numbers, all read before row 0 is touched.
struct CustomBoxes {
  float diam;
  float depth;
  std::int16_t spokes;
  float hub;
  float rpm;
  float casHeight;
  float casWidth;
  float casDepth;
  float esOverride;
  float elOverride;
};

std::int16_t readSpokes(const DialogFields& fields) {
  return *platform::toInteger16(ui::readField<double>(fields, "SpokeCount"));
}

// In the order the boxes are taken, so the first box without a number is
// the one named.
CustomBoxes readBoxes(const DialogFields& fields) {
  return CustomBoxes{
      .diam = ui::readField<float>(fields, "WheelDiam"),
      .depth = ui::readField<float>(fields, "WheelDepth"),
      .spokes = readSpokes(fields),
      .hub = ui::readField<float>(fields, "HubDiam"),  // inside the wheel
      .rpm = ui::readField<float>(fields, "WheelRpmEntered"),
      .casHeight = ui::readField<float>(fields, "CasHeight"),
      .casWidth = ui::readField<float>(fields, "CasWidth"),
      .casDepth = ui::readField<float>(fields, "CasDepth"),
      .esOverride = ui::readField<float>(fields, "EsOverride"),
      .elOverride = ui::readField<float>(fields, "ElOverride"),
  };
}

}  // namespace

bool AutoSelect(Engine& engine) {
  CustomBoxes boxes{};
  try {
    boxes = readBoxes(engine.fields);
  } catch (const CalcError& error) {
    engine.messages.show(error.what(), "Error", platform::MessageIcon::Exclamation);
    return false;
  }
  CustomWheel wheel = customWheelOf(engine.catalog);
  wheel.diameterIn = boxes.diam;
  wheel.depthIn = boxes.depth;
  wheel.spokes = boxes.spokes;
  wheel.hubDiameterIn = boxes.hub;
  wheel.rpm = boxes.rpm;
  wheel.motorHP = engine.fields.overrides.txtHP.text();
  wheel.casingHeightIn = boxes.casHeight;
  wheel.casingWidthIn = boxes.casWidth;
  wheel.casingDepthIn = boxes.casDepth;
  sizeCustomWheel(wheel);
  storeCustomWheel(wheel, engine.catalog);

  engine.state.EsOverride = boxes.esOverride;
  engine.state.ElOverride = boxes.elOverride;
  if (engine.fields.overrides.chkAutoSelect.value() == 1) {
    engine.state.ModelSelected = 0;
  }
  return true;
}

std::optional<std::string> UseCatalog(Engine& engine, const CatalogFile& read) {
  // The custom wheel is built in a catalog of our own, so a failure leaves
  // the one in use as it was.
  ModelCatalog catalog = read.catalog;
  std::string password = catalog.ModelName[0];
  Engine loading{engine.state, catalog, engine.fields, engine.messages, engine.redraw};
  if (!AutoSelect(loading)) {
    return "The wheel catalog " + read.path.string() +
           " was not loaded because the custom wheel could not be built from the override "
           "dialog.";
  }
  engine.catalog = std::move(catalog);
  engine.state.ModelCount = read.modelCount;
  engine.state.OverridePassword = std::move(password);
  return std::nullopt;
}

std::optional<std::string> LoadCatalog(Engine& engine,
                                       const std::vector<std::filesystem::path>& candidates) {
  auto read = ReadCatalog(candidates);
  if (auto* problem = std::get_if<std::string>(&read)) {
    return *problem;
  }
  return UseCatalog(engine, std::get<CatalogFile>(read));
}

}  // namespace ModCalc
