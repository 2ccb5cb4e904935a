#include "platform/Controls.h"

#include <algorithm>

namespace platform {

namespace {

// A program's controls live on one thread (the desktop's user-interface
// thread, or a batch worker's own), so each thread keeps its own pending
// notifications, guards and open journal.
thread_local int deferDepth = 0;
thread_local int holdDepth = 0;
std::vector<const Observable*>& pendingNotifications() {
  thread_local std::vector<const Observable*> pending;
  return pending;
}

}  // namespace

Subscription& Subscription::operator=(Subscription&& other) noexcept {
  if (this != &other) {
    reset();
    list_ = std::move(other.list_);
    id_ = std::exchange(other.id_, -1);
  }
  return *this;
}

void Subscription::reset() {
  if (const auto list = list_.lock()) {
    std::erase_if(list->entries, [this](const auto& entry) { return entry.first == id_; });
  }
  list_.reset();
  id_ = -1;
}

Subscription Observable::subscribe(Observer observer) const {
  const int id = observers_->nextId++;
  observers_->entries.emplace_back(id, std::move(observer));
  return Subscription(observers_, id);
}

Observable::~Observable() {
  if (pending_) {
    // Cleared, not erased, so a delivery going through the list keeps its
    // place.
    std::replace(pendingNotifications().begin(), pendingNotifications().end(),
                 static_cast<const Observable*>(this), static_cast<const Observable*>(nullptr));
  }
}

void Observable::notifyObservers() const {
  if (deferDepth > 0) {
    if (!pending_) {
      pending_ = true;
      pendingNotifications().push_back(this);
    }
    return;
  }
  deliver();
}

void Observable::deliver() const {
  // Headless runs write controls no view watches, many times a case.
  if (observers_->entries.empty()) {
    return;
  }
  // A copy, so that an observer may unsubscribe itself or another while
  // being told; one unsubscribed meanwhile is not called any more.
  const std::shared_ptr<detail::ObserverList> live = observers_;
  const auto entries = live->entries;
  for (const auto& [id, observer] : entries) {
    const int wanted = id;  // clang 14 cannot capture a structured binding
    const bool subscribed =
        std::any_of(live->entries.begin(), live->entries.end(),
                    [wanted](const auto& entry) { return entry.first == wanted; });
    if (subscribed) {
      observer();
    }
  }
}

DeferNotifications::DeferNotifications() {
  ++deferDepth;
}

DeferNotifications::~DeferNotifications() {
  if (--deferDepth > 0) {
    return;
  }
  // A repaint does not change controls, but indexing copes if one does.
  std::vector<const Observable*>& pending = pendingNotifications();
  for (std::size_t i = 0; i < pending.size(); ++i) {
    const Observable* observable = pending[i];
    if (observable == nullptr) {
      continue;
    }
    observable->pending_ = false;
    observable->deliver();
  }
  pending.clear();
}

ChangeRecorder*& openChangeRecorder() {
  thread_local ChangeRecorder* recorder = nullptr;
  return recorder;
}

HoldHandlers::HoldHandlers() {
  ++holdDepth;
}

HoldHandlers::~HoldHandlers() {
  --holdDepth;
}

bool HoldHandlers::held() {
  return holdDepth > 0;
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
    : ControlOf(std::move(name)), caption_(std::move(caption)), group_(group), value_(selected) {
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
  aboutToChange();
  items_.clear();
  listIndex_ = -1;
  notifyObservers();
}

void ListBox::addItem(std::string item) {
  aboutToChange();
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
  const auto it = std::find_if(buttons_.begin(), buttons_.end(), [&key](const ToolButton& button) {
    return !button.separator && button.key == key;
  });
  return it == buttons_.end() ? nullptr : &*it;
}

void ToolBar::addButton(ToolButton button) {
  aboutToChange();
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
