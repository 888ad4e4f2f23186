// The form's window procedure: notifications routed to the control they come from, then the form's own messages.
#include <algorithm>

#include "win/ui/Form.h"

namespace ui {

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
