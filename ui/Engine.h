#pragma once

// What the windows' calculation works on: the shared record, the catalog,
// the dialog fields, the message port and the redraw request. The program
// object owns all of them and hands out references for its whole life.

#include <functional>
#include <string>
#include <string_view>

#include "engine/Bounds.h"
#include "engine/CalcState.h"
#include "engine/Rating.h"
#include "platform/MessageBox.h"
#include "platform/NumberText.h"
#include "ui/DialogFields.h"

namespace ModCalc {

struct Engine {
  CalcState& state;
  ModelCatalog& catalog;
  DialogFields& fields;
  platform::MessageBox& messages;
  // The main window's FillCaptions; Calculate asks for it once a run is done.
  std::function<void()> redraw;

  void warn(const std::string& text) const {
    messages.show(text, "Warning", platform::MessageIcon::Exclamation);
  }
};

// The number in a box's text, in the width of the field it goes to. `what`
// names the box for the engineer ("the outdoor air dry bulb"); a box without
// a number stops the calculation.
template <typename T>
T readNumber(std::string_view text, std::string_view what) {
  if (const auto value = platform::parseNumber<T>(text)) {
    return *value;
  }
  throw CalcError("Enter a number for " + std::string(what) + ".");
}

// A box's number that must lie within `bounds`; outside them the box is
// named with its range and the calculation stops.
template <typename T>
T readNumber(std::string_view text, std::string_view what, const Bounds& bounds) {
  const T value = readNumber<T>(text, what);
  if (!withinBounds(static_cast<double>(value), bounds)) {
    throw CalcError(boundsMessage(what, bounds));
  }
  return value;
}

template <typename T>
T readNumber(const platform::TextBox& box, std::string_view what) {
  return readNumber<T>(std::string_view(box.text()), what);
}

template <typename T>
T readNumber(const platform::TextBox& box, std::string_view what, const Bounds& bounds) {
  return readNumber<T>(std::string_view(box.text()), what, bounds);
}

}  // namespace ModCalc
