#include "win/ui/TaskbarButton.h"

#include <windows.h>
// (after windows.h, whose types it needs)
#include <shobjidl.h>

#include <algorithm>
#include <optional>

#include "win/ui/ComApartment.h"
#include "win/ui/Window.h"
#include "win/utils/SystemLibrary.h"

namespace ui {

namespace {

class PlatformButton : public TaskbarButton {
 public:
  explicit PlatformButton(const Window& window) : window_(window) {}
  ~PlatformButton() override {
    if (list_) list_->Release();
  }

  void ShowProgress(int percent) override {
    percent = std::clamp(percent, 0, 100);
    SetState(TBPF_NORMAL);
    // A chatty engine repeats the same percentage; the taskbar lives in another process.
    if (percent == shownPercent_) return;
    if (ITaskbarList3* list = List()) {
      list->SetProgressValue(window_.Handle(), static_cast<ULONGLONG>(percent), 100);
      shownPercent_ = percent;
    }
  }
  void ShowError() override { SetState(TBPF_ERROR); }
  void ClearProgress() override {
    SetState(TBPF_NOPROGRESS);
    shownPercent_ = -1;
  }
  void Flash() override {
    if (!window_.Handle()) return;
    FLASHWINFO flash{sizeof flash, window_.Handle(), FLASHW_TRAY | FLASHW_TIMERNOFG, 0, 0};
    FlashWindowEx(&flash);
  }

 private:
  void SetState(TBPFLAG state) {
    if (state == shownState_) return;
    if (ITaskbarList3* list = List(); list && SUCCEEDED(list->SetProgressState(window_.Handle(), state)))
      shownState_ = state;
  }

  // Made at the first call; a platform without it (or without a window yet) is asked once and then left alone.
  ITaskbarList3* List() {
    if (!window_.Handle()) return nullptr;
    if (asked_) return list_;
    asked_ = true;
    com_.emplace();
    auto create = Utils::SystemFunction<decltype(CoCreateInstance)>("ole32.dll", "CoCreateInstance");
    ITaskbarList3* list = nullptr;
    if (!create || FAILED(create(__uuidof(TaskbarList), nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&list))))
      return nullptr;
    if (FAILED(list->HrInit())) {
      list->Release();
      return nullptr;
    }
    list_ = list;
    return list_;
  }

  const Window& window_;
  // The destructor releases the list while the apartment is still there.
  std::optional<ComApartment> com_;
  ITaskbarList3* list_ = nullptr;
  bool asked_ = false;
  std::optional<TBPFLAG> shownState_;
  int shownPercent_ = -1;
};

}  // namespace

std::unique_ptr<TaskbarButton> PlatformTaskbarButton(const Window& window) {
  return std::make_unique<PlatformButton>(window);
}

}  // namespace ui
