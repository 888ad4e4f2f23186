// The base of everything a form is made of.
#pragma once

#include <string>
#include <utility>

namespace ui {

// Anything of a form that has a name: the form itself, its controls, its timers.
class Component {
 public:
  explicit Component(std::string name) : name_(std::move(name)) {}
  virtual ~Component() = default;
  Component(const Component&) = delete;
  Component& operator=(const Component&) = delete;

  const std::string& Name() const { return name_; }

  // The text the component shows: a window title, a label's text, an edit field's content, ...
  virtual std::string Caption() const { return caption_; }
  virtual void SetCaption(const std::string& text) { caption_ = text; }

 protected:
  std::string caption_;

 private:
  std::string name_;
};

}  // namespace ui
