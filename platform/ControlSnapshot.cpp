#include "platform/ControlSnapshot.h"

#include <atomic>
#include <string_view>
#include <utility>

#include "platform/Overloaded.h"

namespace platform {

namespace {

// The text a control shows, for the kinds that show one.
const std::string* shownText(const Control& control) {
  return std::visit(
      Overloaded{[](const TextBox* box) -> const std::string* { return &box->text(); },
                 [](const Label* label) -> const std::string* { return &label->caption(); },
                 [](const Frame* frame) -> const std::string* { return &frame->caption(); },
                 [](const auto*) -> const std::string* { return nullptr; }},
      control.ref());
}

bool isNoNumber(std::string_view text) {
  // Checked for every control a calculation wrote.
  if (text.empty() || (text.front() != 'N' && text.front() != 'I' && text.front() != '-')) {
    return false;
  }
  for (const std::string_view word : {"NaN", "Infinity", "-Infinity"}) {
    if (text == word || (text.starts_with(word) && text.substr(word.size()).starts_with(' '))) {
      return true;
    }
  }
  return false;
}

}  // namespace

ControlSnapshot::Saved ControlSnapshot::take(Control* control) {
  Value value =
      std::visit(Overloaded{[](const TextBox* box) -> Value { return box->text(); },
                            [](const Label* label) -> Value { return label->caption(); },
                            [](const Frame* frame) -> Value { return frame->caption(); },
                            [](const CommandButton* button) -> Value { return button->caption(); },
                            [](const CheckBox* box) -> Value { return box->value(); },
                            [](const OptionButton* option) -> Value { return option->value(); },
                            [](const ListBox* list) -> Value {
                              return ListState{list->items(), list->listIndex()};
                            },
                            [](const ToolBar* bar) -> Value { return bar->buttons(); },
                            [](const auto*) -> Value { return std::monostate{}; }},
                 std::as_const(*control).ref());
  return {control,
          control->visible(),
          control->enabled(),
          control->backColor(),
          control->foreColor(),
          std::move(value)};
}

ControlSnapshot::ControlSnapshot(const std::vector<Control*>& controls) {
  saved_.reserve(controls.size());
  for (Control* control : controls) {
    saved_.push_back(take(control));
  }
}

std::vector<Control*> ControlSnapshot::changed() const {
  std::vector<Control*> changed;
  for (const Saved& saved : saved_) {
    const Control& control = *saved.control;
    const Value& value = saved.value;
    const bool sameValue = std::visit(
        Overloaded{
            [&value](const TextBox* box) { return box->text() == std::get<std::string>(value); },
            [&value](const Label* label) {
              return label->caption() == std::get<std::string>(value);
            },
            [&value](const Frame* frame) {
              return frame->caption() == std::get<std::string>(value);
            },
            [&value](const CommandButton* button) {
              return button->caption() == std::get<std::string>(value);
            },
            [&value](const CheckBox* box) { return box->value() == std::get<std::int16_t>(value); },
            [&value](const OptionButton* option) {
              return option->value() == std::get<bool>(value);
            },
            [&value](const ListBox* list) {
              const auto& kept = std::get<ListState>(value);
              return list->listIndex() == kept.index && list->items() == kept.items;
            },
            [&value](const ToolBar* bar) {
              return bar->buttons() == std::get<std::vector<ToolButton>>(value);
            },
            [](const auto*) { return true; }},
        control.ref());
    if (!sameValue || control.visible() != saved.visible || control.enabled() != saved.enabled ||
        control.backColor() != saved.backColor || control.foreColor() != saved.foreColor) {
      changed.push_back(saved.control);
    }
  }
  return changed;
}

void ControlSnapshot::restore() const {
  // By index, with what is needed after the writes taken first: a handler
  // run by a write may change a control not kept yet, which an open journal
  // then adds, moving the kept values.
  for (std::size_t i = 0; i < saved_.size(); ++i) {
    Control* const control = saved_[i].control;
    const bool visible = saved_[i].visible;
    const bool enabled = saved_[i].enabled;
    const std::optional<Rgb> backColor = saved_[i].backColor;
    const std::optional<Rgb> foreColor = saved_[i].foreColor;
    const Value& value = saved_[i].value;
    std::visit(
        Overloaded{
            [&value](TextBox* box) {
              if (box->text() != std::get<std::string>(value)) {
                box->setText(std::get<std::string>(value));
              }
            },
            [&value](Label* label) { label->setCaption(std::get<std::string>(value)); },
            [&value](Frame* frame) { frame->setCaption(std::get<std::string>(value)); },
            [&value](CommandButton* button) { button->setCaption(std::get<std::string>(value)); },
            [&value](CheckBox* box) {
              if (box->value() != std::get<std::int16_t>(value)) {
                box->setValue(std::get<std::int16_t>(value));
              }
            },
            [&value](OptionButton* option) {
              if (std::get<bool>(value) && !option->value()) {
                option->select();
              }
            },
            [&value](ListBox* list) {
              // A copy: the writes below may move the kept values.
              const ListState kept = std::get<ListState>(value);
              if (list->items() != kept.items) {
                list->clear();
                for (const std::string& item : kept.items) {
                  list->addItem(item);
                }
              }
              if (list->listIndex() != kept.index) {
                list->setListIndex(kept.index);
              }
            },
            [&value](ToolBar* bar) { bar->setButtons(std::get<std::vector<ToolButton>>(value)); },
            [](auto*) {}},
        control->ref());
    control->setVisible(visible);
    control->setEnabled(enabled);
    control->setBackColor(backColor);
    control->setForeColor(foreColor);
  }
}

namespace {

std::uint64_t nextJournalSerial() {
  // Shared by every thread, so a serial also orders journals opened on
  // different threads.
  static std::atomic<std::uint64_t> serial{0};
  return ++serial;
}

}  // namespace

ControlJournal::ControlJournal() : outer_(openChangeRecorder()), serial_(nextJournalSerial()) {
  openChangeRecorder() = this;
  // A calculation changes about a hundred controls; growing one by one
  // would move the kept values over and over.
  constexpr std::size_t kTypicalChanges = 128;
  kept_.reserve(kTypicalChanges);
}

ControlJournal::~ControlJournal() {
  openChangeRecorder() = outer_;
}

void ControlJournal::record(Control& control) {
  // Journals nest, and each passes every change on to the one it is nested
  // in; so a control marked by this journal or one opened later (nested in
  // it) is kept here already. A calculation writes a control many times.
  if (control.journalSerial_ >= serial_) {
    return;
  }
  kept_.add(control);
  if (outer_ != nullptr) {
    outer_->record(control);
  }
  control.journalSerial_ = serial_;
}

const Control* showsNoNumber(const std::vector<Control*>& controls) {
  for (const Control* control : controls) {
    if (const std::string* text = shownText(*control); text != nullptr && isNoNumber(*text)) {
      return control;
    }
  }
  return nullptr;
}

}  // namespace platform
