// A top-level window built from a description of its controls.
//
// Usage: add the controls with Add<Kind>(parent, name) and set their properties, then Create() makes the windows
// (scaled once for the screen's DPI), runs OnCreate, and Show() shows the form centred on the desktop. The windows of
// a page that is not shown are made when the page is first shown: start-up pays only for what the first page needs.
#pragma once

#include <windows.h>

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "win/ui/ComApartment.h"
#include "win/ui/Controls.h"
#include "win/ui/GdiObjects.h"
#include "win/ui/TaskbarButton.h"
#include "win/ui/Timer.h"

namespace ui {

class Form : public Window {
 public:
  // className: the Win32 window class of the form, by which other programs can find it.
  Form(std::string name, std::string className);
  // A form whose handlers use members of a derived class must call Destroy() in its own destructor.
  ~Form() override;

  template <class T, class... Args>
  T* Add(Control* parent, std::string name, Args&&... args) {
    auto control = std::make_unique<T>(*this, parent, std::move(name), std::forward<Args>(args)...);
    T* result = control.get();
    Register(std::move(control));
    return result;
  }
  Timer* AddTimer(std::string name);

  NotifyEvent OnCreate;
  NotifyEvent OnDestroy;
  NotifyEvent OnResize;
  CloseQueryEvent OnCloseQuery;

  // Design values at 96 DPI.
  void SetClientSize(int width, int height) { clientDesign_ = {width, height}; }
  void SetMinOuterSize(int width, int height) { minOuter_ = {width, height}; }
  void SetColor(Color color) { color_ = color; }
  COLORREF EffectiveColor() const { return color_.Resolve(GetSysColor(COLOR_BTNFACE)); }
  void SetIconResource(std::string name) { iconResource_ = std::move(name); }

  // Makes the windows (hidden) and runs OnCreate; an error there is shown in the default error box.
  void Create();
  // Shows the form and focuses the first control in the tab sequence.
  void Show();
  // Runs OnDestroy and destroys the windows.
  void Destroy();

  // Asks OnCloseQuery whether the form may close.
  bool CloseQuery();
  // As the close box: asks CloseQuery, then ends the application if allowed.
  void Close();

  int Dpi() const { return dpi_; }
  // A design value at 96 DPI in pixels of this screen.
  int Scale(int value) const { return MulDiv(value, dpi_, 96); }

  Component* FindComponent(std::string_view name) const;
  Control* FindControl(int id) const;
  const std::vector<std::unique_ptr<Control>>& Controls() const { return controls_; }
  Button* DefaultButton() const { return defaultButton_; }

  // The window's taskbar button (the platform's unless replaced, as tests do).
  TaskbarButton& Taskbar() { return *taskbar_; }
  void SetTaskbar(std::unique_ptr<TaskbarButton> taskbar) { taskbar_ = std::move(taskbar); }

  // Resources shared by the controls: fonts and solid brushes, made once per form.
  HFONT FontFor(const FontInfo& font);
  HBRUSH BrushFor(COLORREF color);

 private:
  friend class Control;
  friend class Button;
  friend class Timer;
  friend class PageControl;

  void Register(std::unique_ptr<Control> control);
  void RegisterClasses();
  LRESULT Message(UINT msg, WPARAM wParam, LPARAM lParam) override;
  SIZE ClientSizeBeforeCreation() const override;
  bool RouteChildMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
  // WM_DRAWITEM and WM_MEASUREITEM go to the control they are about.
  template <class Item>
  bool RouteOwnerDraw(Item* item, bool (Control::*handler)(Item*), LRESULT& result);
  void LayoutChildren(Control* parent, int width, int height);
  // Makes the windows of the controls at or under root (all when null) that do not have one yet.
  void CreateWindows(Control* root);
  // Makes the windows of a page that was not shown when the form was created.
  void CreatePage(TabSheet* page);
  void PageCreated(TabSheet* page);
  // Whether control is root or lies inside it; every control lies inside null.
  static bool IsWithin(const Control* control, const Control* root);
  // The children of parent (top-level controls when null) in their tab sequence, non-stops last.
  std::vector<Control*> TabSequence(Control* parent) const;
  // Tab order of the controls in root and the containers inside it (all when null).
  void ArrangeTabOrder(Control* root);
  void FocusChanged(Control* focused);
  void SetDefaultButton(Button* button, bool isDefault);

  std::string className_;
  int dpi_ = 96;
  SIZE clientDesign_{472, 352};
  SIZE minOuter_{0, 0};
  Color color_;
  std::string iconResource_;
  bool creating_ = false;
  bool destroying_ = false;
  HWND lastFocus_ = nullptr;
  Button* defaultButton_ = nullptr;
  std::unique_ptr<TaskbarButton> taskbar_;
  // Joined when a screen reader first asks for a control's object, and kept while the window lives: readers in
  // other processes reach the objects through COM.
  std::optional<ComApartment> readerApartment_;
  std::vector<std::unique_ptr<Control>> controls_;
  std::vector<std::unique_ptr<Timer>> timers_;
  std::map<std::tuple<std::string, int, bool>, ScopedFont> fonts_;
  std::map<COLORREF, ScopedBrush> brushes_;
};

}  // namespace ui
