// The base of every visible control.
//
// A control is described first (name, parent, geometry at 96 DPI, anchors, font, colours, ...) and gets its window
// when its form is created. Properties may be changed before and after that; afterwards they act on the window.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <optional>
#include <string>
#include <utility>

#include "win/ui/Window.h"

namespace ui {

class Form;
class Label;

class Control : public Window {
 public:
  Control(Form& form, Control* parent, std::string name);

  Form& OwnerForm() const { return form_; }
  Control* Parent() const { return parent_; }
  int Id() const { return id_; }

  // Geometry at 96 DPI relative to the parent's client area; scaled once when the form is created.
  void Place(int left, int top, int width, int height) { design_ = {left, top, width, height}; }
  const Bounds& Design() const { return design_; }
  void SetAnchors(Anchors anchors) { anchors_ = anchors; }

  // Current geometry in pixels relative to the parent's client area (the scaled design before creation).
  Bounds BoundsPx() const;
  // Moves the control; anchoring goes on from the new place.
  void SetBoundsPx(const Bounds& bounds);

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
  void SetTabStop(bool stop);

  // Gives the control the input focus when it can take it; does nothing otherwise.
  void SetFocus();
  bool Focused() const;

  int Scale(int value) const;
  // The client size in pixels the design gives the control, whatever its window's size now.
  virtual SIZE DesignClientSize() const;

  // The name screen readers announce: the text of the label that describes the control (the form places it just
  // before the control in the tab sequence), or else a name of its own. With neither, the platform's rule.
  void SetAccessibleLabel(Label* label) { accessibleLabel_ = label; }
  Label* AccessibleLabel() const { return accessibleLabel_; }
  void SetAccessibleName(std::string name) { accessibleName_ = std::move(name); }
  std::string AccessibleName() const;

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

  LRESULT Message(UINT msg, WPARAM wParam, LPARAM lParam) override;
  SIZE ClientSizeBeforeCreation() const override;

  // Notifications that the parent window received from this control. True when handled.
  virtual bool Command(WORD /*code*/) { return false; }
  virtual bool Notify(NMHDR* /*header*/, LRESULT& /*result*/) { return false; }
  virtual bool DrawItem(DRAWITEMSTRUCT* /*item*/) { return false; }
  virtual bool MeasureItem(MEASUREITEMSTRUCT* /*item*/) { return false; }
  // The brush for WM_CTLCOLOR*; null to leave the colours to the platform.
  virtual HBRUSH CtlColor(HDC dc, UINT msg);

  virtual void FontChanged();
  // The parent's client area was resized; children follow their anchors.
  virtual void Resized() {}

  HFONT FontHandle() const;
  bool HasNonClientArea() const;
  bool EventsEnabled() const;
  // Routes the notifications a container window receives to the child they come from.
  bool RouteChildMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
  // Where the anchors take the control when the parent's client area has this size; nothing when it stays.
  std::optional<Bounds> AnchoredBounds(int width, int height) const;
  void UpdateAnchorBase();

  Form& form_;
  Control* parent_;

 private:
  friend class Form;

  void CreateWindowNow();

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
  Label* accessibleLabel_ = nullptr;
  std::string accessibleName_;
};

}  // namespace ui
