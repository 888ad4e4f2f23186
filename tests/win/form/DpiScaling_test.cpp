// At 144 DPI the window is the 96-DPI window scaled by 1.5, fonts included. The DPI is read when a process starts,
// so the layout is measured in child processes, one started at each setting.
#include <gtest/gtest.h>
#include <windows.h>

#include <cmath>
#include <map>
#include <optional>
#include <sstream>
#include <string>

#include "ProbeProcess.h"

namespace {

struct Probe {
  int Dpi = 0;
  SIZE Client{0, 0};
  SIZE Smallest{0, 0};
  struct Control {
    RECT Rect;
    bool AutoSize;
    bool Wrapped;  // sized to its text, which wraps at the parent's edge
    long FontHeight;
  };
  std::map<std::string, Control> Controls;
};

// The probe at this density, its standard output parsed.
std::optional<Probe> RunProbe(DWORD dpi) {
  std::optional<std::string> output = probe::RunAt(dpi);
  if (!output) return std::nullopt;
  Probe parsed;
  std::istringstream lines(*output);
  std::string word;
  while (lines >> word) {
    if (word == "dpi") {
      lines >> parsed.Dpi;
    } else if (word == "client") {
      lines >> parsed.Client.cx >> parsed.Client.cy;
    } else if (word == "smallest") {
      lines >> parsed.Smallest.cx >> parsed.Smallest.cy;
    } else {
      Probe::Control control{};
      long width = 0, height = 0;
      int autoSize = 0;
      lines >> control.Rect.left >> control.Rect.top >> width >> height >> autoSize >> control.FontHeight;
      control.Rect.right = control.Rect.left + width;
      control.Rect.bottom = control.Rect.top + height;
      control.AutoSize = autoSize != 0;
      control.Wrapped = autoSize == 2;
      parsed.Controls[word] = control;
    }
  }
  return parsed;
}

// Scaled values may differ from 1.5 times by the rounding of each nested level.
void ExpectScaled(long scaled, long original, const char* what) {
  EXPECT_LE(std::abs(2 * scaled - 3 * original), 4) << what << ": " << scaled << " for " << original;
}

TEST(DpiScaling, At144DpiEveryRectangleAndFontIsOneAndAHalfTimesItsSize) {
  std::optional<Probe> normal = RunProbe(96);
  std::optional<Probe> large = RunProbe(144);
  ASSERT_TRUE(normal && large);
  ASSERT_EQ(normal->Dpi, 96);
  ASSERT_EQ(large->Dpi, 144);
  EXPECT_EQ(normal->Client.cx, 472);
  EXPECT_EQ(normal->Client.cy, 352);
  EXPECT_EQ(large->Client.cx, 708);
  EXPECT_EQ(large->Client.cy, 528);
  EXPECT_EQ(normal->Smallest.cx, 400);
  EXPECT_EQ(normal->Smallest.cy, 350);
  EXPECT_EQ(large->Smallest.cx, 600);
  EXPECT_EQ(large->Smallest.cy, 525);

  ASSERT_EQ(normal->Controls.size(), large->Controls.size());
  for (const auto& [name, small] : normal->Controls) {
    SCOPED_TRACE(name);
    ASSERT_EQ(large->Controls.count(name), 1u);
    const Probe::Control& big = large->Controls.at(name);
    ExpectScaled(big.Rect.left, small.Rect.left, "left");
    ExpectScaled(big.Rect.top, small.Rect.top, "top");
    ExpectScaled(big.FontHeight, small.FontHeight, "font height");
    if (small.AutoSize) {
      // Sized to the text: the text is set in a font 1.5 times as high, but glyphs do not scale exactly. So a text
      // at its page's edge may wrap at one density only (the text-fit test sees that it fits at both).
      if (small.Wrapped != big.Wrapped) continue;
      EXPECT_LE(std::abs(2 * (big.Rect.bottom - big.Rect.top) - 3 * (small.Rect.bottom - small.Rect.top)), 6);
      continue;
    }
    ExpectScaled(big.Rect.right, small.Rect.right, "right");
    ExpectScaled(big.Rect.bottom, small.Rect.bottom, "bottom");
  }
}

}  // namespace
