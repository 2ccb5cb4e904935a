#include "app/Program.h"

#include "app/AnnualReport.h"
#include "engine/Catalog.h"
#include "platform/Command.h"

namespace ktr {

Program::Program(ui::Ports ports)
    : engine{state, catalog, fields, ports.messages, {}}, windows(engine, std::move(ports)) {
  windows.main.reportPages = [this] { return chosenReportPages(*this); };
}

std::optional<std::string> Program::start() {
  try {
    windows.splash.load();
  } catch (const ui::StartupError& error) {
    return error.what();
  }
  return std::nullopt;
}

bool Program::calculateForOutput() {
  bool calculated = false;
  platform::runCommand(engine.messages,
                       [this, &calculated] { calculated = windows.main.calculateForOutput(); });
  return calculated;
}

StartupState::StartupState(const Program& started)
    : state_(started.state), catalog_(started.catalog) {}

StartupState::Case::~Case() {
  {
    // Held: a handler would act on a program half put back.
    const platform::HoldHandlers held;
    controls_.restore();
  }
  program_.state = startup_.state_;
  program_.windows.codeCheck.reset();
  ModCalc::CopyCatalogRow(program_.catalog, startup_.catalog_, 0);
}

}  // namespace ktr
