#include "win/ui/Form.h"

#include <algorithm>
#include <stdexcept>

#include "core/TextUtils.h"
#include "win/ui/Application.h"

namespace ui {

namespace {

constexpr int FirstControlId = 100;  // clear of IDOK, IDCANCEL and the other dialog ids
constexpr const char* ContainerClass = "Tessaron.Container";
constexpr const char* ImageClass = "Tessaron.Image";
constexpr const char* BevelClass = "Tessaron.Bevel";

void RegisterChildClass(HINSTANCE instance, const char* name, UINT style) {
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  if (GetClassInfoExA(instance, name, &wc)) return;
  wc.style = style;
  wc.lpfnWndProc = ControlWndProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.lpszClassName = name;
  if (!RegisterClassExA(&wc)) throw std::runtime_error(std::string("Cannot register the window class ") + name);
}

}  // namespace

Form::Form(std::string name, std::string className) : Component(std::move(name)), className_(std::move(className)) {}

Form::~Form() { Destroy(); }

void Form::Register(std::unique_ptr<Control> control) {
  if (hwnd_) throw std::logic_error("Control " + control->Name() + " added after its form was created");
  control->id_ = FirstControlId + static_cast<int>(controls_.size());
  controls_.push_back(std::move(control));
}

Timer* Form::AddTimer(std::string name) {
  timers_.push_back(std::make_unique<Timer>(*this, std::move(name), timers_.size() + 1));
  return timers_.back().get();
}

HINSTANCE Form::Instance() const { return GetModuleHandleA(nullptr); }

void Form::RegisterClasses() {
  INITCOMMONCONTROLSEX common{sizeof common, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&common);
  HINSTANCE instance = Instance();
  RegisterChildClass(instance, ContainerClass, CS_HREDRAW | CS_VREDRAW);
  RegisterChildClass(instance, ImageClass, 0);
  RegisterChildClass(instance, BevelClass, CS_HREDRAW | CS_VREDRAW);

  if (!iconResource_.empty()) {
    // Missing pictures cost nothing but the picture.
    icon_ = static_cast<HICON>(LoadImageA(instance, iconResource_.c_str(), IMAGE_ICON, GetSystemMetrics(SM_CXICON),
                                          GetSystemMetrics(SM_CYICON), 0));
    smallIcon_ = static_cast<HICON>(LoadImageA(instance, iconResource_.c_str(), IMAGE_ICON,
                                               GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
  }
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  if (GetClassInfoExA(instance, className_.c_str(), &wc)) return;
  wc.style = CS_HREDRAW | CS_VREDRAW;
  wc.lpfnWndProc = FormWndProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.hIcon = icon_;
  wc.hIconSm = smallIcon_;
  wc.lpszClassName = className_.c_str();
  if (!RegisterClassExA(&wc)) throw std::runtime_error("Cannot register the window class " + className_);
}

void Form::Create() {
  if (hwnd_) return;
  HDC screen = GetDC(nullptr);
  dpi_ = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  if (dpi_ <= 0) dpi_ = 96;
  RegisterClasses();

  const DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
  const DWORD exStyle = WS_EX_CONTROLPARENT;
  RECT outer{0, 0, Scale(clientDesign_.cx), Scale(clientDesign_.cy)};
  AdjustWindowRectEx(&outer, style, FALSE, exStyle);
  int width = outer.right - outer.left;
  int height = outer.bottom - outer.top;
  int left = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
  int top = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;

  creating_ = true;
  hwnd_ = CreateWindowExA(exStyle, className_.c_str(), caption_.c_str(), style, left, top, width, height, nullptr,
                          nullptr, Instance(), this);
  if (!hwnd_) {
    creating_ = false;
    throw std::runtime_error("Cannot create the window " + Name());
  }
  if (icon_) SendMessageA(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
  if (smallIcon_) SendMessageA(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_));
  nameAtom_ = GlobalAddAtomA(Name().c_str());
  if (nameAtom_) SetPropA(hwnd_, ComponentProperty, reinterpret_cast<HANDLE>(static_cast<ULONG_PTR>(nameAtom_)));
  if (!App().mainForm_) App().mainForm_ = this;

  try {
    for (auto& control : controls_) control->CreateWindowNow();
  } catch (...) {
    creating_ = false;
    Destroy();
    throw;
  }
  ArrangeTabOrder();
  RECT client;
  GetClientRect(hwnd_, &client);
  LayoutChildren(nullptr, client.right, client.bottom);
  creating_ = false;

  for (auto& timer : timers_)
    if (timer->enabled_) timer->Start();
  if (OnCreate) Guarded([&] { OnCreate(this); });
}

void Form::Show() {
  if (!hwnd_) return;
  ShowWindow(hwnd_, SW_SHOWNORMAL);
  UpdateWindow(hwnd_);
  HWND focus = GetFocus();
  if (!focus || !IsChild(hwnd_, focus)) {
    if (HWND first = GetNextDlgTabItem(hwnd_, nullptr, FALSE)) ::SetFocus(first);
  }
}

void Form::Destroy() {
  if (!hwnd_ || destroying_) return;
  destroying_ = true;
  if (OnDestroy) Guarded([&] { OnDestroy(this); });
  for (auto& timer : timers_) timer->Stop();
  DestroyWindow(hwnd_);
  hwnd_ = nullptr;
  for (auto& [key, font] : fonts_) DeleteObject(font);
  fonts_.clear();
  for (auto& [key, brush] : brushes_) DeleteObject(brush);
  brushes_.clear();
  if (icon_) DestroyIcon(icon_);
  if (smallIcon_) DestroyIcon(smallIcon_);
  icon_ = smallIcon_ = nullptr;
  if (App().mainForm_ == this) App().mainForm_ = nullptr;
  destroying_ = false;
}

void Form::WindowGone() {
  if (nameAtom_) {
    RemovePropA(hwnd_, ComponentProperty);
    GlobalDeleteAtom(nameAtom_);
    nameAtom_ = 0;
  }
}

bool Form::CloseQuery() {
  bool canClose = true;
  if (OnCloseQuery) OnCloseQuery(this, canClose);
  return canClose;
}

void Form::Close() {
  if (!CloseQuery()) return;
  if (App().MainForm() == this)
    App().Terminate();
  else if (hwnd_)
    ShowWindow(hwnd_, SW_HIDE);
}

std::string Form::Caption() const {
  if (!hwnd_) return caption_;
  int length = GetWindowTextLengthA(hwnd_);
  std::string text(static_cast<size_t>(length) + 1, '\0');
  text.resize(static_cast<size_t>(GetWindowTextA(hwnd_, text.data(), length + 1)));
  return text;
}

void Form::SetCaption(const std::string& text) {
  caption_ = text;
  if (hwnd_) SetWindowTextA(hwnd_, text.c_str());
}

int Form::ClientWidth() const {
  if (!hwnd_) return Scale(clientDesign_.cx);
  RECT r;
  GetClientRect(hwnd_, &r);
  return r.right;
}

int Form::ClientHeight() const {
  if (!hwnd_) return Scale(clientDesign_.cy);
  RECT r;
  GetClientRect(hwnd_, &r);
  return r.bottom;
}

Component* Form::FindComponent(std::string_view name) const {
  for (auto& control : controls_)
    if (core::SameTextAZ(control->Name(), name)) return control.get();
  for (auto& timer : timers_)
    if (core::SameTextAZ(timer->Name(), name)) return timer.get();
  return nullptr;
}

Control* Form::FindControl(int id) const {
  int index = id - FirstControlId;
  if (index < 0 || index >= static_cast<int>(controls_.size())) return nullptr;
  return controls_[static_cast<size_t>(index)].get();
}

HFONT Form::FontFor(const FontInfo& info) {
  auto key = std::make_tuple(info.Name, info.Size, info.Bold);
  auto found = fonts_.find(key);
  if (found != fonts_.end()) return found->second;
  LOGFONTA lf{};
  lf.lfHeight = -MulDiv(info.Size, dpi_, 72);
  lf.lfWeight = info.Bold ? FW_BOLD : FW_NORMAL;
  lf.lfCharSet = DEFAULT_CHARSET;
  lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
  lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  lf.lfQuality = DEFAULT_QUALITY;
  lstrcpynA(lf.lfFaceName, info.Name.c_str(), LF_FACESIZE);
  HFONT font = CreateFontIndirectA(&lf);
  if (!font) font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  fonts_[key] = font;
  return font;
}

HBRUSH Form::BrushFor(COLORREF color) {
  auto found = brushes_.find(color);
  if (found != brushes_.end()) return found->second;
  HBRUSH brush = CreateSolidBrush(color);
  brushes_[color] = brush;
  return brush;
}

void Form::LayoutChildren(Control* parent, int width, int height) {
  for (auto& control : controls_)
    if (control->parent_ == parent) control->ParentSizeChanged(width, height);
}

void Form::ArrangeTabOrder() {
  // The dialog manager tabs through windows in z-order, and a label's accelerator focuses the next tab stop after
  // it: so z-order is the tab order, with each label placed right before the control it is for.
  std::vector<Control*> parents{nullptr};
  for (auto& control : controls_)
    if (control->IsContainer()) parents.push_back(control.get());
  for (Control* parent : parents) {
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
    for (auto& control : controls_)
      if (control->parent_ == parent && std::find(ordered.begin(), ordered.end(), control.get()) == ordered.end())
        ordered.push_back(control.get());
    HWND after = HWND_TOP;
    for (Control* control : ordered) {
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

bool Form::RouteChildMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (msg) {
    case WM_COMMAND: {
      Control* control = FindControl(LOWORD(wParam));
      if (!control) return false;
      result = 0;
      control->Command(HIWORD(wParam));
      return true;
    }
    case WM_NOTIFY: {
      auto* header = reinterpret_cast<NMHDR*>(lParam);
      Control* control = FindControl(static_cast<int>(header->idFrom));
      return control && control->Notify(header, result);
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX: {
      Control* control = FindControl(GetDlgCtrlID(reinterpret_cast<HWND>(lParam)));
      if (!control) return false;
      HBRUSH brush = control->CtlColor(reinterpret_cast<HDC>(wParam), msg);
      if (!brush) return false;
      result = reinterpret_cast<LRESULT>(brush);
      return true;
    }
    case WM_DRAWITEM: {
      auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
      Control* control = FindControl(static_cast<int>(item->CtlID));
      if (!control || !control->DrawItem(item)) return false;
      result = TRUE;
      return true;
    }
    case WM_MEASUREITEM: {
      auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
      Control* control = FindControl(static_cast<int>(item->CtlID));
      if (!control || !control->MeasureItem(item)) return false;
      result = TRUE;
      return true;
    }
    default:
      return false;
  }
}

LRESULT Form::Message(UINT msg, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (RouteChildMessage(msg, wParam, lParam, result)) return result;
  switch (msg) {
    case WM_COMMAND:
      // IDOK and IDCANCEL from the dialog manager: Enter without a default button, and Escape. Neither does anything.
      return 0;
    case DM_GETDEFID:
      if (defaultButton_ && defaultButton_->Created() && IsWindowVisible(defaultButton_->Handle()) &&
          IsWindowEnabled(defaultButton_->Handle()))
        return MAKELRESULT(defaultButton_->Id(), DC_HASDEFID);
      return 0;
    case WM_NEXTDLGCTL: {
      HWND target = LOWORD(lParam) ? reinterpret_cast<HWND>(wParam)
                                   : GetNextDlgTabItem(hwnd_, GetFocus(), wParam != 0 ? TRUE : FALSE);
      if (target) ::SetFocus(target);
      return 0;
    }
    case WM_SIZE:
      if (wParam != SIZE_MINIMIZED && !creating_) {
        LayoutChildren(nullptr, LOWORD(lParam), HIWORD(lParam));
        if (OnResize && !destroying_) OnResize(this);
      }
      return 0;
    case WM_GETMINMAXINFO: {
      auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
      info->ptMinTrackSize.x = std::max<LONG>(info->ptMinTrackSize.x, Scale(minOuter_.cx));
      info->ptMinTrackSize.y = std::max<LONG>(info->ptMinTrackSize.y, Scale(minOuter_.cy));
      return 0;
    }
    case WM_WINDOWPOSCHANGING: {
      // Programs moving the window get the minimum size too, not only the mouse.
      auto* pos = reinterpret_cast<WINDOWPOS*>(lParam);
      if (!(pos->flags & SWP_NOSIZE) && !(GetWindowLongPtrA(hwnd_, GWL_STYLE) & (WS_MINIMIZE | WS_MAXIMIZE))) {
        pos->cx = std::max(pos->cx, Scale(minOuter_.cx));
        pos->cy = std::max(pos->cy, Scale(minOuter_.cy));
      }
      return DefWindowProcA(hwnd_, msg, wParam, lParam);
    }
    case WM_CLOSE:
      Close();
      return 0;
    case WM_QUERYENDSESSION:
      return CloseQuery() ? TRUE : FALSE;
    case WM_TIMER:
      for (auto& timer : timers_)
        if (timer->id_ == wParam && timer->running_) {
          if (timer->OnTimer) timer->OnTimer(timer.get());
          return 0;
        }
      break;
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(hwnd_, focus)) lastFocus_ = focus;
        return 0;
      }
      if (lastFocus_ && IsWindow(lastFocus_) && IsChild(hwnd_, lastFocus_)) {
        ::SetFocus(lastFocus_);
        return 0;
      }
      break;
    case WM_SETFOCUS:
      if (HWND first = GetNextDlgTabItem(hwnd_, nullptr, FALSE)) ::SetFocus(first);
      return 0;
    case WM_ERASEBKGND: {
      RECT r;
      GetClientRect(hwnd_, &r);
      FillRect(reinterpret_cast<HDC>(wParam), &r, BrushFor(EffectiveColor()));
      return 1;
    }
    case WM_LBUTTONUP:
      if (OnClick && !creating_) OnClick(this);
      return 0;
    default:
      break;
  }
  return DefWindowProcA(hwnd_, msg, wParam, lParam);
}

LRESULT CALLBACK FormWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  Form* form;
  if (msg == WM_NCCREATE) {
    form = static_cast<Form*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
    form->hwnd_ = hwnd;
  } else {
    form = reinterpret_cast<Form*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  }
  if (!form) return DefWindowProcA(hwnd, msg, wParam, lParam);
  if (msg == WM_NCDESTROY) {
    form->WindowGone();
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
    return DefWindowProcA(hwnd, msg, wParam, lParam);
  }
  LRESULT result = 0;
  Guarded([&] { result = form->Message(msg, wParam, lParam); });
  return result;
}

}  // namespace ui
