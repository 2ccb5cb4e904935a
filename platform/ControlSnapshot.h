#pragma once

// What a set of controls shows, kept so that a command that cannot finish
// puts every one of them back as it was: the windows never show half a run.

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "platform/Controls.h"

namespace platform {

class ControlSnapshot {
 public:
  ControlSnapshot() = default;
  explicit ControlSnapshot(const std::vector<Control*>& controls);

  // Keeps what `control` shows now as well.
  void add(Control& control) { saved_.push_back(take(&control)); }
  void reserve(std::size_t controls) { saved_.reserve(controls); }

  // Writes back, through the controls' own setters, every value that
  // differs from the one kept; values that did not change are not touched.
  void restore() const;

  // The controls whose value, visibility, state or colours now differ from
  // the ones kept.
  std::vector<Control*> changed() const;

 private:
  struct ListState {
    std::vector<std::string> items;
    int index;
    bool operator==(const ListState&) const = default;
  };
  // Text or caption, check value, option selected, list, toolbar buttons,
  // or nothing beyond the common properties.
  using Value = std::variant<std::monostate, std::string, std::int16_t, bool, ListState,
                             std::vector<ToolButton>>;
  struct Saved {
    Control* control;
    bool visible;
    bool enabled;
    std::optional<Rgb> backColor;
    std::optional<Rgb> foreColor;
    Value value;
  };

  static Saved take(Control* control);

  std::vector<Saved> saved_;
};

// Keeps what each control showed before its first change while the journal
// is open, so a command that cannot finish puts back exactly what it
// changed, on whichever window. Journals nest; each keeps every control
// changed while it is open.
class ControlJournal final : public ChangeRecorder {
 public:
  ControlJournal();
  ~ControlJournal();
  ControlJournal(const ControlJournal&) = delete;
  ControlJournal& operator=(const ControlJournal&) = delete;

  void restore() const { kept_.restore(); }
  std::vector<Control*> changed() const { return kept_.changed(); }

  void record(Control& control) override;

 private:
  ChangeRecorder* outer_;
  std::uint64_t serial_;  // higher for every journal opened later
  ControlSnapshot kept_;
};

// The first control whose text or caption shows a number that is not one
// ("NaN", "Infinity", "-Infinity", alone or before its unit), if any.
const Control* showsNoNumber(const std::vector<Control*>& controls);

}  // namespace platform
