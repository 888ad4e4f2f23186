// The form's keyboard order and focus: the tab sequence (which is also the order screen readers announce), and which
// button Enter presses.
#include <algorithm>
#include <vector>

#include "win/ui/Form.h"

namespace ui {

std::vector<Control*> Form::TabSequence(Control* parent) const {
  // The dialog manager tabs through windows in z-order, and a label's accelerator focuses the next tab stop after
  // it: so z-order is the tab order, with each label placed right before the control it is for.
  std::vector<Control*> ordered;
  for (auto& control : controls_)
    if (control->parent_ == parent && control->TabOrder() >= 0) ordered.push_back(control.get());
  std::stable_sort(ordered.begin(), ordered.end(),
                   [](Control* a, Control* b) { return a->TabOrder() < b->TabOrder(); });
  for (auto& control : controls_) {
    auto* label = dynamic_cast<Label*>(control.get());
    if (!label || label->parent_ != parent || !label->FocusControl()) continue;
    auto target = std::find(ordered.begin(), ordered.end(), label->FocusControl());
    ordered.insert(target, label);
  }
  // Where several labels lead to one control, the one that names it comes last: the platform names a control after
  // the label just before it.
  for (auto& control : controls_) {
    Label* label = control->AccessibleLabel();
    if (control->parent_ != parent || !label || label->parent_ != parent) continue;
    auto at = std::find(ordered.begin(), ordered.end(), label);
    if (at != ordered.end()) ordered.erase(at);
    ordered.insert(std::find(ordered.begin(), ordered.end(), control.get()), label);
  }
  for (auto& control : controls_)
    if (control->parent_ == parent && std::find(ordered.begin(), ordered.end(), control.get()) == ordered.end())
      ordered.push_back(control.get());
  return ordered;
}

void Form::ArrangeTabOrder(Control* root) {
  std::vector<Control*> parents;
  if (!root) parents.push_back(nullptr);
  for (auto& control : controls_)
    if (control->IsContainer() && control->Created() && IsWithin(control.get(), root)) parents.push_back(control.get());
  for (Control* parent : parents) {
    HWND after = HWND_TOP;
    for (Control* control : TabSequence(parent)) {
      if (!control->Created()) continue;
      // Windows are made in z-order already: most are in place, and moving one costs a trip to the window manager.
      const HWND previous = GetWindow(control->Handle(), GW_HWNDPREV);
      if (previous == (after == HWND_TOP ? nullptr : after)) {
        after = control->Handle();
        continue;
      }
      SetWindowPos(control->Handle(), after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
      after = control->Handle();
    }
  }
}

void Form::SetDefaultButton(Button* button, bool isDefault) {
  if (isDefault) {
    if (defaultButton_ && defaultButton_ != button) defaultButton_->default_ = false;
    defaultButton_ = button;
  } else if (defaultButton_ == button) {
    defaultButton_ = nullptr;
  }
  if (hwnd_) {
    HWND focus = GetFocus();
    FocusChanged(focus && IsChild(hwnd_, focus) ? FindControl(GetDlgCtrlID(focus)) : nullptr);
  }
}

void Form::FocusChanged(Control* focused) {
  // Enter presses the focused button, or else the default button: the heavy frame shows which.
  auto* focusedButton = dynamic_cast<Button*>(focused);
  for (auto& control : controls_) {
    auto* button = dynamic_cast<Button*>(control.get());
    if (!button || !button->Created()) continue;
    bool asDefault = focusedButton ? button == focusedButton : button == defaultButton_;
    button->ShowAsDefault(asDefault);
  }
}

}  // namespace ui
