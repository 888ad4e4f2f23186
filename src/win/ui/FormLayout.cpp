// The form's geometry and drawing resources: children following their anchors when the client area changes size, and
// the fonts and brushes the controls share.
#include <tuple>
#include <utility>
#include <vector>

#include "win/ui/Form.h"

namespace ui {

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

}  // namespace ui
