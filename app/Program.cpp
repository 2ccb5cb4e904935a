#include "app/Program.h"

namespace ktr {

Program::Program(ui::Ports ports)
    : engine{state, catalog, fields, ports.messages, {}}, windows(engine, std::move(ports)) {}

std::optional<std::string> Program::start() {
  try {
    windows.splash.load();
  } catch (const ui::StartupError& error) {
    return error.what();
  }
  return std::nullopt;
}

}  // namespace ktr
