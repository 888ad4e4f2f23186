// At 144 DPI the window is the 96-DPI window scaled by 1.5, fonts included. The DPI is read when a process starts,
// so the layout is measured in child processes, one started at each setting.
#include <gtest/gtest.h>
#include <windows.h>

#include <cmath>
#include <map>
#include <optional>
#include <sstream>
#include <string>

namespace {

struct Probe {
  int Dpi = 0;
  SIZE Client{0, 0};
  SIZE Smallest{0, 0};
  struct Control {
    RECT Rect;
    bool AutoSize;
    long FontHeight;
  };
  std::map<std::string, Control> Controls;
};

// The probe beside this test program, run to its end; its standard output parsed.
std::optional<Probe> RunProbe() {
  char path[MAX_PATH] = "";
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string program(path);
  program = program.substr(0, program.find_last_of('\\') + 1) + "form_layout_probe.exe";

  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE readEnd = nullptr, writeEnd = nullptr;
  if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0)) return std::nullopt;
  SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = writeEnd;
  startup.hStdError = writeEnd;
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  PROCESS_INFORMATION process{};
  std::string commandLine = "\"" + program + "\"";
  BOOL started = CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW,
                                nullptr, nullptr, &startup, &process);
  CloseHandle(writeEnd);
  if (!started) {
    CloseHandle(readEnd);
    return std::nullopt;
  }
  std::string output;
  char buffer[4096];
  DWORD got = 0;
  while (ReadFile(readEnd, buffer, sizeof buffer, &got, nullptr) && got > 0) output.append(buffer, got);
  CloseHandle(readEnd);
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD exitCode = 1;
  GetExitCodeProcess(process.hProcess, &exitCode);
  CloseHandle(process.hProcess);
  CloseHandle(process.hThread);
  if (exitCode != 0) return std::nullopt;

  Probe probe;
  std::istringstream lines(output);
  std::string word;
  while (lines >> word) {
    if (word == "dpi") {
      lines >> probe.Dpi;
    } else if (word == "client") {
      lines >> probe.Client.cx >> probe.Client.cy;
    } else if (word == "smallest") {
      lines >> probe.Smallest.cx >> probe.Smallest.cy;
    } else {
      Probe::Control control{};
      long width = 0, height = 0;
      int autoSize = 0;
      lines >> control.Rect.left >> control.Rect.top >> width >> height >> autoSize >> control.FontHeight;
      control.Rect.right = control.Rect.left + width;
      control.Rect.bottom = control.Rect.top + height;
      control.AutoSize = autoSize != 0;
      probe.Controls[word] = control;
    }
  }
  return probe;
}

// Sets the user's LogPixels for the processes started from now on, and puts the old value back at the end.
class ScopedLogPixels {
 public:
  explicit ScopedLogPixels(DWORD dpi) {
    if (RegCreateKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, nullptr, 0, KEY_QUERY_VALUE | KEY_SET_VALUE,
                        nullptr, &key_, nullptr) != ERROR_SUCCESS) {
      key_ = nullptr;
      return;
    }
    DWORD type = 0, size = sizeof old_;
    hadOld_ = RegQueryValueExA(key_, "LogPixels", nullptr, &type, reinterpret_cast<BYTE*>(&old_), &size) ==
                  ERROR_SUCCESS &&
              type == REG_DWORD;
    ok_ = RegSetValueExA(key_, "LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi), sizeof dpi) ==
          ERROR_SUCCESS;
  }
  ~ScopedLogPixels() {
    if (!key_) return;
    if (hadOld_)
      RegSetValueExA(key_, "LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&old_), sizeof old_);
    else
      RegDeleteValueA(key_, "LogPixels");
    RegCloseKey(key_);
  }
  ScopedLogPixels(const ScopedLogPixels&) = delete;
  ScopedLogPixels& operator=(const ScopedLogPixels&) = delete;
  bool Ok() const { return ok_; }

 private:
  HKEY key_ = nullptr;
  DWORD old_ = 0;
  bool hadOld_ = false;
  bool ok_ = false;
};

// Scaled values may differ from 1.5 times by the rounding of each nested level.
void ExpectScaled(long scaled, long original, const char* what) {
  EXPECT_LE(std::abs(2 * scaled - 3 * original), 4) << what << ": " << scaled << " for " << original;
}

TEST(DpiScaling, At144DpiEveryRectangleAndFontIsOneAndAHalfTimesItsSize) {
  std::optional<Probe> normal;
  {
    ScopedLogPixels dpi96(96);
    ASSERT_TRUE(dpi96.Ok());
    normal = RunProbe();
  }
  std::optional<Probe> large;
  {
    ScopedLogPixels dpi144(144);
    ASSERT_TRUE(dpi144.Ok());
    large = RunProbe();
  }
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
      // Sized to the text: the text is set in a font 1.5 times as high, but glyphs do not scale exactly.
      EXPECT_LE(std::abs(2 * (big.Rect.bottom - big.Rect.top) - 3 * (small.Rect.bottom - small.Rect.top)), 6);
      continue;
    }
    ExpectScaled(big.Rect.right, small.Rect.right, "right");
    ExpectScaled(big.Rect.bottom, small.Rect.bottom, "bottom");
  }
}

}  // namespace
