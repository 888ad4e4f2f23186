#include "core/Format.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

using core::FillSystemMessageInserts;
using core::FormatError;
using core::FormatText;
using core::NumberFormatSettings;

namespace {

NumberFormatSettings Separator(std::string separator) { return NumberFormatSettings{std::move(separator)}; }

std::string InvalidMessage(std::string_view pattern) {
  return "Format '" + std::string(pattern) + "' invalid or incompatible with argument";
}

// The message of the FormatError a call throws, or "no error".
template <typename Call>
std::string ErrorOf(Call call) {
  try {
    call();
  } catch (const FormatError& e) {
    return e.what();
  }
  return "no error";
}

}  // namespace

TEST(FormatText, TextArgumentsAreInsertedInOrder) {
  const std::string level = "2.3.1.5";
  const std::string_view name = "SRV1";
  EXPECT_EQ(FormatText("%s %s at %s", {"Primary", name, level}), "Primary SRV1 at 2.3.1.5");
  EXPECT_EQ(FormatText("%s %s at %s", {"Primary", "SRV1", ""}), "Primary SRV1 at ");
  EXPECT_EQ(FormatText("[%s]", {static_cast<const char*>(nullptr)}), "[]");
  EXPECT_EQ(FormatText("no placeholders", {}), "no placeholders");
  EXPECT_EQ(FormatText("", {}), "");
  // Extra arguments are ignored.
  EXPECT_EQ(FormatText("%s", {"a", "b", 3}), "a");
}

TEST(FormatText, ArgumentsAreNeverReadAsPatterns) {
  EXPECT_EQ(FormatText("Updating %s", {"C:\\100%\\%s%d%0.0n%%"}), "Updating C:\\100%\\%s%d%0.0n%%");
  // A "%s" inside an argument takes no argument: the next placeholder still gets the next one.
  EXPECT_EQ(FormatText("%s|%s", {"%s", "x"}), "%s|x");
  const std::string withCr = "line1\rline2";
  EXPECT_EQ(FormatText("step %s:\"%s\"", {withCr, "%n"}), "step line1\rline2:\"%n\"");
}

TEST(FormatText, WholeNumbersInDecimal) {
  EXPECT_EQ(FormatText("Progress %d%%", {40}), "Progress 40%");
  EXPECT_EQ(FormatText("Status %d%%", {0}), "Status 0%");
  EXPECT_EQ(FormatText("%d", {-7}), "-7");
  EXPECT_EQ(FormatText("%0.0d", {5}), "5");
  EXPECT_EQ(FormatText("%0.0d", {0}), "0");
  EXPECT_EQ(FormatText("%d", {INT_MIN}), "-2147483648");
  EXPECT_EQ(FormatText("%d", {LLONG_MIN}), "-9223372036854775808");
  EXPECT_EQ(FormatText("%d", {ULLONG_MAX}), "18446744073709551615");
  EXPECT_EQ(FormatText("%d", {4000000000U}), "4000000000");
  EXPECT_EQ(FormatText("%d", {-5L}), "-5");
  EXPECT_EQ(FormatText("%d items", {std::size_t{12}}), "12 items");
  EXPECT_EQ(FormatText("%d", {std::uint32_t{4294967295U}}), "4294967295");
  // No grouping for %d, whatever the separator.
  EXPECT_EQ(FormatText("%d", {1234567}, Separator(".")), "1234567");
}

TEST(FormatText, NumbersAreRoundedAndGrouped) {
  EXPECT_EQ(FormatText("%0.0n", {0}), "0");
  EXPECT_EQ(FormatText("%0.0n", {999}), "999");
  EXPECT_EQ(FormatText("%0.0n", {1000}), "1,000");
  EXPECT_EQ(FormatText("%0.0n", {12345}), "12,345");
  EXPECT_EQ(FormatText("%0.0n", {100000}), "100,000");
  EXPECT_EQ(FormatText("%0.0n", {1234567}), "1,234,567");
  EXPECT_EQ(FormatText("%0.0n", {-999}), "-999");
  EXPECT_EQ(FormatText("%0.0n", {-1234}), "-1,234");
  EXPECT_EQ(FormatText("%0.0n", {LLONG_MIN}), "-9,223,372,036,854,775,808");
  EXPECT_EQ(FormatText("%0.0n", {ULLONG_MAX}), "18,446,744,073,709,551,615");

  EXPECT_EQ(FormatText("%0.0n", {1234.4}), "1,234");
  EXPECT_EQ(FormatText("%0.0n", {1234.5}), "1,235");
  EXPECT_EQ(FormatText("%0.0n", {-1234.5}), "-1,235");
  EXPECT_EQ(FormatText("%0.0n", {0.5}), "1");
  EXPECT_EQ(FormatText("%0.0n", {2.5}), "3");
  EXPECT_EQ(FormatText("%0.0n", {0.49999999999999994}), "0");
  EXPECT_EQ(FormatText("%0.0n", {-0.4}), "0");
  EXPECT_EQ(FormatText("%0.0n", {999.5}), "1,000");
  EXPECT_EQ(FormatText("%0.0n", {1e15}), "1,000,000,000,000,000");
  EXPECT_EQ(FormatText("%0.0n", {1e20}), "100,000,000,000,000,000,000");

  EXPECT_EQ(FormatText("%0.0n", {1234567}, Separator(".")), "1.234.567");
  EXPECT_EQ(FormatText("%0.0n", {-1234567}, Separator("\xA0")),
            "-1\xA0"
            "234\xA0"
            "567");
  EXPECT_EQ(FormatText("%0.0n", {1234567}, Separator("")), "1234567");
  EXPECT_EQ(FormatText("%0.0n", {1234567}, Separator("'-")), "1'-234'-567");

  EXPECT_EQ(FormatText("%0.0n MB free [%0.0d%%]", {12345.0, 37}), "12,345 MB free [37%]");
  EXPECT_EQ(FormatText("%0.0n MB frei [%0.0d%%]", {614400.0, 5}, Separator(".")), "614.400 MB frei [5%]");
}

TEST(FormatText, PercentSignsAndUnknownSequences) {
  EXPECT_EQ(FormatText("100%%", {}), "100%");
  EXPECT_EQ(FormatText("%%d", {}), "%d");
  EXPECT_EQ(FormatText("%%%d", {5}), "%5");
  EXPECT_EQ(FormatText("%%%%", {}), "%%");
  // Unknown sequences are copied unchanged and take no argument.
  EXPECT_EQ(FormatText("50 %", {}), "50 %");
  EXPECT_EQ(FormatText("%", {}), "%");
  EXPECT_EQ(FormatText("%5d %d", {7}), "%5d 7");
  EXPECT_EQ(FormatText("%x %0.0s %0.0 %0.", {}), "%x %0.0s %0.0 %0.");
  EXPECT_EQ(FormatText("%0.1n", {}), "%0.1n");
  // The type letter may be upper case, as in the classic Format.
  EXPECT_EQ(FormatText("%S %D %0.0N", {"a", 1, 1000}), "a 1 1,000");
}

TEST(FormatText, MissingOrIncompatibleArgumentsThrow) {
  EXPECT_EQ(ErrorOf([] { FormatText("%s", {}); }), InvalidMessage("%s"));
  EXPECT_EQ(ErrorOf([] { FormatText("%s %s at %s", {"Primary", "SRV1"}); }), InvalidMessage("%s %s at %s"));
  EXPECT_EQ(ErrorOf([] { FormatText("Progress %d%%", {"40"}); }), InvalidMessage("Progress %d%%"));
  EXPECT_EQ(ErrorOf([] { FormatText("%d", {40.0}); }), InvalidMessage("%d"));
  EXPECT_EQ(ErrorOf([] { FormatText("%0.0d", {"x"}); }), InvalidMessage("%0.0d"));
  EXPECT_EQ(ErrorOf([] { FormatText("%s", {5}); }), InvalidMessage("%s"));
  EXPECT_EQ(ErrorOf([] { FormatText("%0.0n", {"12"}); }), InvalidMessage("%0.0n"));
  EXPECT_EQ(ErrorOf([] { FormatText("%0.0n", {std::numeric_limits<double>::infinity()}); }), InvalidMessage("%0.0n"));
  EXPECT_EQ(ErrorOf([] { FormatText("%0.0n", {std::numeric_limits<double>::quiet_NaN()}); }), InvalidMessage("%0.0n"));
  // The error is a runtime_error, which is what the error box reports.
  EXPECT_THROW(FormatText("%d", {}), std::runtime_error);
}

TEST(SystemMessageInserts, TakeTheNameOrAreRemoved) {
  EXPECT_EQ(FillSystemMessageInserts("Bad EXE format for %1", "C:\\Media\\zuk.exe"),
            "Bad EXE format for C:\\Media\\zuk.exe");
  EXPECT_EQ(FillSystemMessageInserts("%1 is not a valid Win32 application", "C:\\zuk.exe"),
            "C:\\zuk.exe is not a valid Win32 application");
  EXPECT_EQ(FillSystemMessageInserts("%1 and %1", "a%1"), "a%1 and a%1");
  // Without a name, and for the other inserts, no blank is left over.
  EXPECT_EQ(FillSystemMessageInserts("Bad EXE format for %1", ""), "Bad EXE format for");
  EXPECT_EQ(FillSystemMessageInserts("%1 is not a valid Win32 application", ""), "is not a valid Win32 application");
  EXPECT_EQ(FillSystemMessageInserts("The file %1 cannot be copied to %2.", "a.txt"),
            "The file a.txt cannot be copied to.");
  EXPECT_EQ(FillSystemMessageInserts("Close %1!s! and %12 now", ""), "Close and now");
  // Texts without inserts stay as they are.
  EXPECT_EQ(FillSystemMessageInserts("File not found", "x"), "File not found");
  EXPECT_EQ(FillSystemMessageInserts("100% done, %0 %x %", "x"), "100% done, %0 %x %");
}
