// Components and the base of every visible control.
//
// A control is described first (name, parent, geometry at 96 DPI, anchors, font, colours, ...) and gets its window
// when its form is created. Properties may be changed before and after that; afterwards they act on the window.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "win/ui/Types.h"

namespace ui {

class Form;

// Anything of a form that has a name: the form itself, its controls, its timers.
class Component {
 public:
  explicit Component(std::string name) : name_(std::move(name)) {}
  virtual ~Component() = default;
  Component(const Component&) = delete;
  Component& operator=(const Component&) = delete;

  const std::string& Name() const { return name_; }

  // A free integer for the program's own use.
  int Tag() const { return tag_; }
  void SetTag(int tag) { tag_ = tag; }

  // The text the component shows: a window title, a label's text, an edit field's content, ...
  virtual std::string Caption() const { return caption_; }
  virtual void SetCaption(const std::string& text) { caption_ = text; }

 protected:
  std::string caption_;

 private:
  std::string name_;
  int tag_ = 0;
};

class Control : public Component {
 public:
  Control(Form& form, Control* parent, std::string name);
  ~Control() override;

  Form& OwnerForm() const { return form_; }
  Control* Parent() const { return parent_; }
  HWND Handle() const { return hwnd_; }
  int Id() const { return id_; }

  // Geometry at 96 DPI relative to the parent's client area; scaled once when the form is created.
  void Place(int left, int top, int width, int height) { design_ = {left, top, width, height}; }
  const Bounds& Design() const { return design_; }
  void SetAnchors(Anchors anchors) { anchors_ = anchors; }
  Anchors GetAnchors() const { return anchors_; }

  // Current geometry in pixels relative to the parent's client area (the scaled design before creation).
  Bounds BoundsPx() const;
  // Moves the control; anchoring goes on from the new place.
  void SetBoundsPx(const Bounds& bounds);
  int ClientWidth() const;
  int ClientHeight() const;

  bool Visible() const { return visible_; }
  void SetVisible(bool visible);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);

  const FontInfo& Font() const { return font_; }
  void SetFont(const FontInfo& font);
  void SetFontBold(bool bold);
  Color FontColor() const { return fontColor_; }
  void SetFontColor(Color color);
  // The background colour; a default colour takes the parent's.
  Color GetColor() const { return color_; }
  void SetColor(Color color);
  COLORREF EffectiveColor() const;
  COLORREF EffectiveFontColor() const;

  // Position in the parent's tab sequence (-1: none), and whether Tab stops at the control.
  int TabOrder() const { return tabOrder_; }
  void SetTabOrder(int order) { tabOrder_ = order; }
  bool TabStop() const { return tabStop_; }
  void SetTabStop(bool stop);

  // Gives the control the input focus when it can take it; does nothing otherwise.
  void SetFocus();
  bool Focused() const;

  std::string Caption() const override;
  void SetCaption(const std::string& text) override;

  bool Created() const { return hwnd_ != nullptr; }
  int Scale(int value) const;

 protected:
  struct WindowClass {
    const char* ClassName;
    DWORD Style;
    DWORD ExStyle;
  };
  // The Win32 class and styles of the control's window (WS_CHILD, visibility, tab stop are added).
  virtual WindowClass Describe() const = 0;
  // Windows of our own classes hold other controls and route their notifications.
  virtual bool IsContainer() const { return false; }
  // Native controls (edit, button, ...) are subclassed; our own classes are not.
  bool IsNative() const;
  // The initial bounds in pixels; the scaled design unless the parent decides.
  virtual Bounds InitialBounds() const;
  // The height to give the window for a control this high (a drop-down list is higher than it shows).
  virtual int WindowHeight(int height) const { return height; }
  // Called once the window exists and has its font.
  virtual void AfterCreate() {}

  // The window procedure of the control, inside the dispatcher's exception guard.
  virtual LRESULT Message(UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT DefaultProc(UINT msg, WPARAM wParam, LPARAM lParam);

  // Notifications that the parent window received from this control. True when handled.
  virtual bool Command(WORD /*code*/) { return false; }
  virtual bool Notify(NMHDR* /*header*/, LRESULT& /*result*/) { return false; }
  virtual bool DrawItem(DRAWITEMSTRUCT* /*item*/) { return false; }
  virtual bool MeasureItem(MEASUREITEMSTRUCT* /*item*/) { return false; }
  // The brush for WM_CTLCOLOR*; null to leave the colours to the platform.
  virtual HBRUSH CtlColor(HDC dc, UINT msg);

  // The text given to the window (captions with & stay as they are).
  virtual void CaptionChanged();
  virtual void FontChanged();
  // The parent's client area was resized; children follow their anchors.
  virtual void Resized() {}

  HFONT FontHandle() const;
  bool EventsEnabled() const;
  // Routes the notifications a container window receives to the child they come from.
  bool RouteChildMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
  void ParentSizeChanged(int width, int height);
  void UpdateAnchorBase();

  Form& form_;
  Control* parent_;
  HWND hwnd_ = nullptr;

 private:
  friend class Form;
  friend LRESULT CALLBACK ControlWndProc(HWND, UINT, WPARAM, LPARAM);
  friend LRESULT CALLBACK ControlSubclassProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);

  void CreateWindowNow();
  void WindowGone();

  int id_;
  Bounds design_;
  Anchors anchors_ = akLeftTop;
  // Anchoring works from the last place set and the parent's client size at that time.
  Bounds base_;
  SIZE baseParent_{0, 0};
  bool visible_ = true;
  bool enabled_ = true;
  FontInfo font_;
  Color fontColor_;
  Color color_;
  int tabOrder_ = -1;
  bool tabStop_ = false;
  ATOM nameAtom_ = 0;
  bool native_ = false;
};

LRESULT CALLBACK ControlWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK ControlSubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR ref);

// The window property that names a control for tools in other processes: a global atom holding the name.
inline constexpr const char* ComponentProperty = "TessaronComponent";

}  // namespace ui
