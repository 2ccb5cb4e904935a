#include "ui/Windows.h"

namespace ui {

std::string versionText() {
  return "Version " + std::to_string(kVersionMajor) + "." + std::to_string(kVersionMinor) + "." +
         std::to_string(kVersionRevision);
}

std::string_view helpPage(std::string_view window) {
  for (const auto& [name, page] : kHelpPages) {
    if (name == window) {
      return page;
    }
  }
  return "index.html";
}

ModCalc::Engine& Window::engine() const {
  return w_.engine;
}
ModCalc::CalcState& Window::state() const {
  return w_.engine.state;
}
ModCalc::DialogFields& Window::fields() const {
  return w_.engine.fields;
}
const Ports& Window::ports() const {
  return w_.ports;
}

Windows::Windows(ModCalc::Engine& engine, Ports ports)
    : engine(engine),
      ports(std::move(ports)),
      splash(*this),
      main(*this),
      inputs(*this),
      settings(*this),
      overrides(*this),
      password(*this) {
  engine.redraw = [this] { main.FillCaptions(); };
}

std::vector<platform::Form*> Windows::all() {
  return {&splash, &main, &inputs, &settings, &overrides, &password};
}

}  // namespace ui
