#include "win/ui/Form.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

#include "core/TextUtils.h"
#include "win/ui/Application.h"

namespace ui {

namespace {

constexpr int FirstControlId = 100;  // clear of IDOK, IDCANCEL and the other dialog ids
constexpr const char* ContainerClass = "Tessaron.Container";
constexpr const char* ImageClass = "Tessaron.Image";
constexpr const char* BevelClass = "Tessaron.Bevel";

}  // namespace

Form::Form(std::string name, std::string className)
    : Window(std::move(name)), className_(std::move(className)), taskbar_(PlatformTaskbarButton(*this)) {}

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

void Form::RegisterClasses() {
  INITCOMMONCONTROLSEX common{sizeof common, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&common);
  HINSTANCE instance = Instance();
  RegisterWindowClass(ContainerClass, CS_HREDRAW | CS_VREDRAW);
  RegisterWindowClass(ImageClass, 0);
  RegisterWindowClass(BevelClass, CS_HREDRAW | CS_VREDRAW);

  // The class's icons are the window's: shared icons of the standard sizes, which live as long as the program and
  // so stay valid for every window of the class. Missing pictures cost nothing but the picture.
  HICON icon = nullptr, smallIcon = nullptr;
  if (!iconResource_.empty()) {
    auto load = [&](int width, int height) {
      return static_cast<HICON>(LoadImageA(instance, iconResource_.c_str(), IMAGE_ICON, width, height, LR_SHARED));
    };
    icon = load(GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON));
    smallIcon = load(GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON));
  }
  RegisterWindowClass(className_.c_str(), CS_HREDRAW | CS_VREDRAW, icon, smallIcon);
}

void Form::Create() {
  if (hwnd_) return;
  dpi_ = GetDeviceCaps(WindowDC(nullptr).Get(), LOGPIXELSY);
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
  if (!CreateHandle(className_.c_str(), style, exStyle, {left, top, width, height}, nullptr, nullptr, false)) {
    creating_ = false;
    throw std::runtime_error("Cannot create the window " + Name());
  }
  if (!App().mainForm_) App().mainForm_ = this;

  try {
    CreateWindows(nullptr);
  } catch (...) {
    creating_ = false;
    Destroy();
    throw;
  }
  ArrangeTabOrder(nullptr);
  RECT client;
  GetClientRect(hwnd_, &client);
  LayoutChildren(nullptr, client.right, client.bottom);
  creating_ = false;
  for (auto& control : controls_)
    if (auto* page = dynamic_cast<TabSheet*>(control.get()); page && page->Created()) PageCreated(page);

  for (auto& timer : timers_)
    if (timer->enabled_) timer->Start();
  if (OnCreate) Guarded([&] { OnCreate(this); });
}

bool Form::IsWithin(const Control* control, const Control* root) {
  for (; control; control = control->parent_)
    if (control == root) return true;
  return root == nullptr;
}

void Form::CreateWindows(Control* root) {
  // In the order of adding, so parents come before their children. A page that is not shown waits for its first
  // showing, and so does everything on it.
  for (auto& control : controls_) {
    if (control->Created() || (control->parent_ && !control->parent_->Created()) || !IsWithin(control.get(), root))
      continue;
    if (auto* page = dynamic_cast<TabSheet*>(control.get()); page && !page->Visible() && page != root) continue;
    control->CreateWindowNow();
  }
}

void Form::CreatePage(TabSheet* page) {
  // A page whose windows could not all be made tries again at its next showing.
  if (!hwnd_ || page->windowsMade_) return;
  creating_ = true;
  try {
    CreateWindows(page);
  } catch (...) {
    creating_ = false;
    throw;
  }
  ArrangeTabOrder(page);
  // Laid out for the design size; the window may have been resized since.
  LayoutChildren(page, page->ClientWidth(), page->ClientHeight());
  for (auto& control : controls_)
    if (control.get() != page && control->IsContainer() && IsWithin(control.get(), page))
      LayoutChildren(control.get(), control->ClientWidth(), control->ClientHeight());
  creating_ = false;
  PageCreated(page);
}

void Form::PageCreated(TabSheet* page) {
  page->windowsMade_ = true;
  if (page->OnCreate) Guarded([&] { page->OnCreate(page); });
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
  if (destroying_) return;
  if (hwnd_) {
    destroying_ = true;
    if (OnDestroy) Guarded([&] { OnDestroy(this); });
    for (auto& timer : timers_) timer->Stop();
    DestroyWindow(hwnd_);
    destroying_ = false;
  }
  for (auto& control : controls_)
    if (auto* page = dynamic_cast<TabSheet*>(control.get())) page->windowsMade_ = false;
  readerApartment_.reset();
  // Also when the window went some other way: nothing may point at a form that is gone.
  fonts_.clear();
  brushes_.clear();
  if (App().mainForm_ == this) App().mainForm_ = nullptr;
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

SIZE Form::ClientSizeBeforeCreation() const { return {Scale(clientDesign_.cx), Scale(clientDesign_.cy)}; }

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
  if (found != fonts_.end()) return found->second.Get();
  LOGFONTA lf{};
  lf.lfHeight = -MulDiv(info.Size, dpi_, 72);
  lf.lfWeight = info.Bold ? FW_BOLD : FW_NORMAL;
  lf.lfCharSet = DEFAULT_CHARSET;
  lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
  lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  lf.lfQuality = DEFAULT_QUALITY;
  lstrcpynA(lf.lfFaceName, info.Name.c_str(), LF_FACESIZE);
  ScopedFont font(CreateFontIndirectA(&lf));
  if (!font) return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  return fonts_.emplace(key, std::move(font)).first->second.Get();
}

HBRUSH Form::BrushFor(COLORREF color) {
  auto found = brushes_.find(color);
  if (found != brushes_.end()) return found->second.Get();
  return brushes_.emplace(color, ScopedBrush(CreateSolidBrush(color))).first->second.Get();
}

void Form::LayoutChildren(Control* parent, int width, int height) {
  std::vector<std::pair<Control*, Bounds>> moves;
  for (auto& control : controls_)
    if (control->parent_ == parent)
      if (auto bounds = control->AnchoredBounds(width, height)) moves.emplace_back(control.get(), *bounds);
  if (moves.empty()) return;
  // One batch, so that the children are repainted once, in their new places.
  const UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
  HDWP batch = BeginDeferWindowPos(static_cast<int>(moves.size()));
  for (auto& [control, b] : moves)
    if (batch)
      batch = DeferWindowPos(batch, control->Handle(), nullptr, b.Left, b.Top, b.Width, control->WindowHeight(b.Height),
                             flags);
  if (batch) {
    EndDeferWindowPos(batch);
    return;
  }
  // The platform dropped the batch: each child moves on its own.
  for (auto& [control, b] : moves)
    SetWindowPos(control->Handle(), nullptr, b.Left, b.Top, b.Width, control->WindowHeight(b.Height), flags);
}

void Form::ArrangeTabOrder(Control* root) {
  // The dialog manager tabs through windows in z-order, and a label's accelerator focuses the next tab stop after
  // it: so z-order is the tab order, with each label placed right before the control it is for.
  std::vector<Control*> parents;
  if (!root) parents.push_back(nullptr);
  for (auto& control : controls_)
    if (control->IsContainer() && control->Created() && IsWithin(control.get(), root)) parents.push_back(control.get());
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
    // Where several labels lead to one control, the one that names it comes last: the platform names a control
    // after the label just before it.
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
    HWND after = HWND_TOP;
    for (Control* control : ordered) {
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

template <class Item>
bool Form::RouteOwnerDraw(Item* item, bool (Control::*handler)(Item*), LRESULT& result) {
  Control* control = FindControl(static_cast<int>(item->CtlID));
  if (!control || !(control->*handler)(item)) return false;
  result = TRUE;
  return true;
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
    case WM_DRAWITEM:
      return RouteOwnerDraw(reinterpret_cast<DRAWITEMSTRUCT*>(lParam), &Control::DrawItem, result);
    case WM_MEASUREITEM:
      return RouteOwnerDraw(reinterpret_cast<MEASUREITEMSTRUCT*>(lParam), &Control::MeasureItem, result);
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
      return DefaultProc(msg, wParam, lParam);
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
    case WM_SETFOCUS: {
      // The window itself keeps the focus when no control can take it.
      HWND first = GetNextDlgTabItem(hwnd_, nullptr, FALSE);
      if (first && IsWindowVisible(first) && IsWindowEnabled(first)) ::SetFocus(first);
      return 0;
    }
    case WM_ERASEBKGND: {
      RECT r;
      GetClientRect(hwnd_, &r);
      FillRect(reinterpret_cast<HDC>(wParam), &r, BrushFor(EffectiveColor()));
      return 1;
    }
    default:
      break;
  }
  return DefaultProc(msg, wParam, lParam);
}

}  // namespace ui
