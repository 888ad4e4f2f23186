// The form's life: its controls registered, its windows made (a page's when first shown), shown, closed, destroyed.
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
  // Parents before their children, and siblings in their tab sequence: the platform stacks sibling windows in the
  // order they are made, so they need no moving into the tab order afterwards. A page that is not shown waits for
  // its first showing, and so does everything on it.
  auto makeChildren = [&](auto& self, Control* parent) -> void {
    for (Control* control : TabSequence(parent)) {
      if (auto* page = dynamic_cast<TabSheet*>(control); page && !page->Visible() && page != root) continue;
      if (!control->Created()) control->CreateWindowNow();
      if (control->IsContainer()) self(self, control);
    }
  };
  if (root && !root->Created()) root->CreateWindowNow();
  makeChildren(makeChildren, root);
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

}  // namespace ui
