#include "platform/Form.h"

#include <algorithm>
#include <stdexcept>

namespace platform {

void Form::add(Control& control) {
  if (find(control.name()) != nullptr) {
    throw std::logic_error("form " + name_ + " already has a control named " + control.name());
  }
  controls_.push_back(&control);
}

void Form::setCaption(std::string caption) {
  if (caption_ != caption) {
    caption_ = std::move(caption);
    notifyObservers();
  }
}

void Form::setModified(bool modified) {
  if (modified_ != modified) {
    modified_ = modified;
    notifyObservers();
  }
}

void Form::show() {
  load();
  if (!visible_) {
    visible_ = true;
    notifyObservers();
  }
}

void Form::hide() {
  if (visible_) {
    visible_ = false;
    notifyObservers();
  }
}

void Form::move(int left, int top) {
  if (left_ != left || top_ != top) {
    left_ = left;
    top_ = top;
    notifyObservers();
  }
}

void Form::resize(int width, int height) {
  if (width_ != width || height_ != height) {
    width_ = width;
    height_ = height;
    notifyObservers();
  }
}

void Form::setWindowState(WindowState state) {
  if (windowState_ != state) {
    windowState_ = state;
    notifyObservers();
  }
}

void Form::load() {
  if (!loaded_) {
    loaded_ = true;
    Form_Load();
  }
}

void Form::unload() {
  hide();
  loaded_ = false;
}

Control* Form::find(std::string_view name) const {
  const auto it = std::find_if(controls_.begin(), controls_.end(),
                               [name](const Control* control) { return control->name() == name; });
  return it == controls_.end() ? nullptr : *it;
}

}  // namespace platform
