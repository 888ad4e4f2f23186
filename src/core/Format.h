// Fills the placeholders of the string tables' message patterns.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <stdexcept>
#include <string>
#include <string_view>

namespace core {

// Raised for a pattern that needs an argument it does not get, or one of
// another kind.
class FormatError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The user's regional setting, filled by the Windows layer.
struct NumberFormatSettings {
  std::string thousandSeparator = ",";
};

// A text, a whole number or a floating-point number.
class FormatArg {
 public:
  enum class Kind { Text, Whole, Floating };

  FormatArg(const char* text);  // a null pointer is the empty text
  FormatArg(std::string_view text);
  FormatArg(const std::string& text);
  FormatArg(int value);
  FormatArg(long value);
  FormatArg(long long value);
  FormatArg(unsigned value);
  // Present so that std::size_t and std::uint64_t are not ambiguous.
  FormatArg(unsigned long value);
  FormatArg(unsigned long long value);
  FormatArg(double value);
  // A bool or char would silently become a number.
  FormatArg(bool) = delete;
  FormatArg(char) = delete;

  Kind kind() const { return kind_; }
  const std::string& text() const { return text_; }
  // A whole number as sign and magnitude, so the full range of both signed and
  // unsigned 64-bit values is kept.
  bool negative() const { return negative_; }
  uint64_t magnitude() const { return magnitude_; }
  double floating() const { return floating_; }

 private:
  void SetWhole(long long value);
  void SetWhole(unsigned long long value);

  Kind kind_;
  std::string text_;
  bool negative_ = false;
  uint64_t magnitude_ = 0;
  double floating_ = 0.0;
};

// Fills %s, %d, %0.0d, %0.0n and %% in order; the type letter may also be
// upper case. Arguments are inserted as they are and never read as patterns.
// - %s: a text.
// - %d, %0.0d: a whole number in decimal, "-" for negatives, no fill.
// - %0.0n: a whole or floating number, rounded to a whole number (halves away
//   from zero), digits grouped by three with settings.thousandSeparator (an
//   empty separator means no grouping). Infinity and NaN are errors.
// - %%: one percent sign.
// Any other "%" (a lone one at the end, "%5d", "%x") is copied unchanged and
// takes no argument. Extra arguments are ignored. A placeholder without an
// argument, or with one of another kind (a text for %d, a floating number for
// %d, a number for %s), throws FormatError with the message
// "Format '<pattern>' invalid or incompatible with argument".
std::string FormatText(std::string_view pattern, std::initializer_list<FormatArg> args,
                       const NumberFormatSettings& settings = {});

// A system message as read with its inserts ignored, such as "Bad EXE format for %1": the insert %1 becomes name
// when one is given; every other insert (%1 to %99, with any "!format!" after it), and %1 without a name, is
// removed, and with it a blank it would leave leading, doubled or before a punctuation mark.
std::string FillSystemMessageInserts(std::string_view message, std::string_view name);

}  // namespace core
