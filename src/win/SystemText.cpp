#include "win/SystemText.h"

#include <cstdio>

namespace win {

std::string SystemErrorMessage(DWORD code, std::string_view fileName) {
  char buffer[256] = {};
  // Inserts ignored: the system's texts take their inserts from an argument list we do not have.
  DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, buffer,
                                sizeof buffer, nullptr);
  std::string text(buffer, length);
  while (!text.empty() && (static_cast<unsigned char>(text.back()) <= 32 || text.back() == '.')) text.pop_back();
  return core::FillSystemMessageInserts(text, fileName);
}

namespace {
std::string OSErrorMessage(DWORD code) {
  if (code == 0) return "A call to an OS function failed";
  return "System Error.  Code: " + std::to_string(code) + ".\r\n" + SystemErrorMessage(code);
}
}  // namespace

EOSError::EOSError(DWORD code) : std::runtime_error(OSErrorMessage(code)), code_(code) {}

std::string UserThousandSeparator() {
  char buffer[8] = {};
  int length = GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, buffer, sizeof buffer);
  if (length <= 1) return ",";
  return std::string(buffer, static_cast<size_t>(length - 1));
}

core::NumberFormatSettings UserNumberFormat() {
  core::NumberFormatSettings settings;
  settings.thousandSeparator = UserThousandSeparator();
  return settings;
}

std::string UserAbbreviatedMonthName(int month) {
  static const char* const kFallback[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                            "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  if (month < 1 || month > 12) return std::string();
  char buffer[32] = {};
  int length = GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SABBREVMONTHNAME1 + static_cast<LCTYPE>(month - 1), buffer,
                              sizeof buffer);
  if (length <= 1) return kFallback[month - 1];
  return std::string(buffer, static_cast<size_t>(length - 1));
}

}  // namespace win
