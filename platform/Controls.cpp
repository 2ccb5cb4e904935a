#include "platform/Controls.h"

#include <algorithm>

namespace platform {

int Observable::addObserver(Observer observer) {
  const int id = nextObserverId_++;
  observers_.emplace_back(id, std::move(observer));
  return id;
}

void Observable::removeObserver(int id) {
  std::erase_if(observers_, [id](const auto& entry) { return entry.first == id; });
}

void Observable::notifyObservers() const {
  for (const auto& [id, observer] : observers_) {
    observer();
  }
}

void TextBox::setText(std::string text) {
  assign(text_, std::move(text));
  run(onChange);
}

void CheckBox::setValue(std::int16_t value) {
  if (value_ == value) {
    return;
  }
  assign(value_, value);
  run(onClick);
}

OptionButton* OptionGroup::selected() const {
  const auto it = std::find_if(members_.begin(), members_.end(),
                               [](const OptionButton* option) { return option->value(); });
  return it == members_.end() ? nullptr : *it;
}

OptionButton::OptionButton(std::string name, std::string caption, OptionGroup& group, bool selected)
    : Control(std::move(name)), caption_(std::move(caption)), group_(group), value_(selected) {
  group_.members_.push_back(this);
}

void OptionButton::select() {
  if (value_) {
    return;
  }
  for (OptionButton* other : group_.members_) {
    if (other != this) {
      other->assign(other->value_, false);
    }
  }
  assign(value_, true);
  run(onClick);
}

std::string ListBox::text() const {
  return listIndex_ < 0 ? std::string() : items_[static_cast<std::size_t>(listIndex_)];
}

void ListBox::clear() {
  if (items_.empty() && listIndex_ == -1) {
    return;
  }
  items_.clear();
  listIndex_ = -1;
  notifyObservers();
}

void ListBox::addItem(std::string item) {
  items_.push_back(std::move(item));
  notifyObservers();
}

void ListBox::setListIndex(int index) {
  if (index < -1 || index >= static_cast<int>(items_.size()) || index == listIndex_) {
    return;
  }
  assign(listIndex_, index);
  run(onClick);
}

const ToolButton* ToolBar::find(const std::string& key) const {
  const auto it = std::find_if(buttons_.begin(), buttons_.end(),
                               [&key](const ToolButton& button) { return button.key == key; });
  return it == buttons_.end() ? nullptr : &*it;
}

void ToolBar::addButton(ToolButton button) {
  buttons_.push_back(std::move(button));
  notifyObservers();
}

void ToolBar::click(const std::string& key) const {
  const ToolButton* button = find(key);
  if (button != nullptr && onButtonClick) {
    onButtonClick(*button);
  }
}

}  // namespace platform
