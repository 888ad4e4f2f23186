#include "win/ui/Bitmaps.h"
#include "win/ui/Form.h"

namespace ui {

Button::Button(Form& form, Control* parent, std::string name) : Control(form, parent, std::move(name)) {
  SetTabStop(true);
}

Control::WindowClass Button::Describe() const {
  DWORD style = default_ ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
  if (!picture_.empty()) style |= BS_BITMAP;
  return {"BUTTON", style, 0};
}

void Button::AfterCreate() {
  if (picture_.empty()) return;
  SIZE size;
  pictureBitmap_ = LoadTransparentBitmap(form_.Instance(), picture_, GetSysColor(COLOR_BTNFACE), form_.Dpi(), size);
  if (pictureBitmap_) SendMessageA(hwnd_, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(pictureBitmap_.Get()));
}

void Button::Click() {
  if (OnClick) OnClick(this);
}

void Button::SetDefault(bool isDefault) {
  default_ = isDefault;
  form_.SetDefaultButton(this, isDefault);
}

void Button::ShowAsDefault(bool asDefault) {
  LONG_PTR style = GetWindowLongPtrA(hwnd_, GWL_STYLE);
  LONG_PTR type = style & BS_TYPEMASK;
  LONG_PTR wanted = asDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
  if (type == wanted) return;
  SendMessageA(hwnd_, BM_SETSTYLE, static_cast<WPARAM>((style & ~static_cast<LONG_PTR>(BS_TYPEMASK)) | wanted), TRUE);
}

bool Button::Command(WORD code) {
  if (code != BN_CLICKED) return false;
  // The dialog manager may report Enter for a button that is hidden or disabled: such a button does nothing.
  if (EventsEnabled() && IsWindowVisible(hwnd_) && IsWindowEnabled(hwnd_)) Click();
  return true;
}

}  // namespace ui
