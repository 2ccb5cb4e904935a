#pragma once

// Number text: how the program reads numbers out of the boxes the user types
// in and writes them back through display patterns. Box text is read and
// written in one number locale, so what the program writes into a box it
// reads back unchanged; files use the invariant form instead.

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

// The decimal point and thousands separator of box text. Either may be more
// than one byte (several locales group with a narrow no-break space).
struct NumberLocale {
  std::string decimalPoint = ".";
  std::string groupSeparator = ",";

  // Period decimal point, comma grouping.
  static NumberLocale english();
  // The user's LC_NUMERIC conventions; English where the environment names
  // no locale or one that cannot be loaded.
  static NumberLocale fromEnvironment();
};

// The process-wide number locale for box text, English until start-up sets it.
const NumberLocale& numberLocale();
void setNumberLocale(NumberLocale locale);

// Reads box text as a number of the target field's width (float or double).
// Blanks around the number are allowed, a leading sign, grouping separators
// between correctly sized groups of the integer part, one decimal point and
// an exponent ("1.5E3"). Anything else (empty text, "-", "12a", "1,5" in an
// English locale) is no number: nullopt, which the caller must report.
template <typename T>
std::optional<T> parseNumber(std::string_view text, const NumberLocale& locale = numberLocale());

// Reads a number as files store it: period decimal point, no grouping.
template <typename T>
std::optional<T> parseInvariant(std::string_view text);

// A number as a 16-bit Integer field takes it: rounded half to even, so a
// spoke count or model index typed as 6.5 reads as 6, as in saved files;
// nothing when it does not fit.
std::optional<std::int16_t> toInteger16(double value);

// Formats a value through a display pattern: "#" optional digit, "0"
// required digit, "," thousands grouping, "." decimal point (kept even when
// no digit follows it), "%" scales by 100 and appends "%". A pattern with no
// "0" gives empty text for a value that rounds to zero. Rounding is half away
// from zero on the value's 15-significant-digit decimal form, and a negative
// value that rounds to zero shows as zero. A value that is not finite (after
// the "%" scaling) shows as "NaN", "Infinity" or "-Infinity" whatever the
// pattern, so the fault stays visible.
std::string formatNumber(double value, std::string_view pattern,
                         const NumberLocale& locale = numberLocale());

// The number a box showing `value` through `pattern` gives back: the value
// rounded as formatNumber rounds it (a value that is not finite as it is).
double roundedAsShown(double value, std::string_view pattern);

// A non-negative finite value rounded to 15 significant decimal digits (to
// nearest, as to_chars with precision 14 has it), and the power of ten of
// the first digit: what display patterns round from.
struct Digits15 {
  std::array<char, 15> digits;
  int exponent;
};
Digits15 fifteenDigits(double magnitude);

// A number written in the English form ("4.5", "1,000") as box text in the
// number locale, for the texts boxes start with.
std::string localNumberText(std::string_view english, const NumberLocale& locale = numberLocale());

// Applies a text pattern: "<" folds to lower case; any other pattern leaves
// the text as it is.
std::string formatText(std::string_view text, std::string_view pattern);

// The shortest decimal text that reads back as the same value of that width.
std::string decimalText(float value);
std::string decimalText(double value);

// The value as printf's "%.{digits}g" writes it (to_chars in the general
// format with that precision), faster; `digits` from 1 to 9 take the fast
// way, any other the exact one.
std::string generalText(double value, int digits);

// What a box shows for a number it holds: the shortest text, in the number
// locale, that reads back as the same value of that width, with at most 9
// significant digits (a double with more is rounded to 9 first, so the text
// reads back as that rounding). 55.8f shows as "55.8", never as its double
// expansion; zero of either sign as "0"; with no exponent from 1e-6 to 1e15.
std::string tidyText(float value, const NumberLocale& locale = numberLocale());
std::string tidyText(double value, const NumberLocale& locale = numberLocale());

// The tidy text of the coarsest rounding of `estimate` that `readsBack`
// accepts: "0" when it accepts zero, else the one with the fewest
// significant digits (1 to 9). For a box whose number is converted before
// the case keeps it, so that the box gives back exactly what the case holds.
// The tidy text of `estimate` when no rounding of it is accepted.
std::string tidiestTextReadingBack(double estimate, const std::function<bool(double)>& readsBack,
                                   const NumberLocale& locale = numberLocale());

}  // namespace platform
