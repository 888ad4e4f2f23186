// Texts the operating system supplies: error messages, the user's regional number and month names.
#pragma once

#include <windows.h>

#include <stdexcept>
#include <string>
#include <string_view>

#include "core/Format.h"

namespace win {

// The system's message for an error code (at most 256 characters), with trailing blanks, control characters and
// full stops removed, as it is embedded in the wizard's own messages. An insert such as the %1 of "Bad EXE format
// for %1" names fileName where the caller knows the file, and is otherwise left out.
std::string SystemErrorMessage(DWORD code, std::string_view fileName = {});

// An operating-system error carrying its code; the message reads "System Error.  Code: N.\r\n<text>", or
// "A call to an OS function failed" when the code is 0.
class EOSError : public std::runtime_error {
 public:
  explicit EOSError(DWORD code);
  DWORD Code() const { return code_; }

 private:
  DWORD code_;
};

// The thousands separator of the user's regional settings (read directly: the locale's default grouping is
// wrong under some platforms' number formatting).
std::string UserThousandSeparator();

// The user's regional number format, for the patterns whose numbers are shown with thousands separators.
core::NumberFormatSettings UserNumberFormat();

// The abbreviated name of a month (1..12) in the user's locale, in the ANSI code page.
std::string UserAbbreviatedMonthName(int month);

}  // namespace win
