// Small value types shared by the controls of the UI layer.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace ui {

class Component;

// Event handlers. The sender is the component that raised the event, or null when a handler is called directly.
using NotifyEvent = std::function<void(Component* sender)>;
using CloseQueryEvent = std::function<void(Component* sender, bool& canClose)>;

// A colour: an RGB value, one of the system's colours (COLOR_BTNFACE, ...), or "inherit from the parent".
class Color {
 public:
  constexpr Color() = default;
  static constexpr Color Rgb(int r, int g, int b) { return Color(Kind::Rgb, RGB(r, g, b)); }
  static constexpr Color System(int index) { return Color(Kind::System, static_cast<COLORREF>(index)); }

  constexpr bool IsDefault() const { return kind_ == Kind::Default; }
  // The RGB value to paint with; fallback for a default colour.
  COLORREF Resolve(COLORREF fallback) const {
    switch (kind_) {
      case Kind::Rgb:
        return value_;
      case Kind::System:
        return GetSysColor(static_cast<int>(value_));
      case Kind::Default:
        break;
    }
    return fallback;
  }
  constexpr bool operator==(const Color&) const = default;

 private:
  enum class Kind { Default, Rgb, System };
  constexpr Color(Kind kind, COLORREF value) : kind_(kind), value_(value) {}
  Kind kind_ = Kind::Default;
  COLORREF value_ = 0;
};

namespace colors {
inline constexpr Color Navy = Color::Rgb(0, 0, 128);
inline constexpr Color Red = Color::Rgb(255, 0, 0);
inline constexpr Color Teal = Color::Rgb(0, 128, 128);
inline constexpr Color BtnFace = Color::System(COLOR_BTNFACE);
inline constexpr Color InactiveCaptionText = Color::System(COLOR_INACTIVECAPTIONTEXT);
}  // namespace colors

// Parent edges a control keeps its distance from when the parent is resized.
enum Anchor : unsigned { akLeft = 1, akTop = 2, akRight = 4, akBottom = 8 };
using Anchors = unsigned;
inline constexpr Anchors akLeftTop = akLeft | akTop;
inline constexpr Anchors akAll = akLeft | akTop | akRight | akBottom;

struct FontInfo {
  std::string Name = "MS Sans Serif";
  int Size = 8;  // points
  bool Bold = false;
  bool operator==(const FontInfo&) const = default;
};

// A rectangle as left, top, width, height.
struct Bounds {
  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Height = 0;
  bool operator==(const Bounds&) const = default;
};

}  // namespace ui
