#include "platform/NumberText.h"

#include <locale.h>

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdint>
#include <limits>
#include <system_error>
#include <utility>

namespace platform {
namespace {

NumberLocale& processNumberLocale() {
  static NumberLocale locale = NumberLocale::english();
  return locale;
}

std::string_view trimBlanks(std::string_view text) {
  const auto isBlank = [](char c) { return c == ' ' || c == '\t'; };
  while (!text.empty() && isBlank(text.front())) {
    text.remove_prefix(1);
  }
  while (!text.empty() && isBlank(text.back())) {
    text.remove_suffix(1);
  }
  return text;
}

// Removes the leading run of digits from text and returns it.
std::string_view takeDigits(std::string_view& text) {
  const auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
  const auto end = std::find_if_not(text.begin(), text.end(), isDigit);
  const std::string_view digits = text.substr(0, static_cast<size_t>(end - text.begin()));
  text.remove_prefix(digits.size());
  return digits;
}

// Removes a leading "+" or "-" from text and returns it ("" when there is none).
std::string_view takeSign(std::string_view& text) {
  const std::string_view sign =
      text.substr(0, text.starts_with('+') || text.starts_with('-') ? 1 : 0);
  text.remove_prefix(sign.size());
  return sign;
}

// Rewrites box text as "[-]digits.digitsE[sign]digits", the one form from_chars reads the same in
// every locale; nullopt when the text is no number. An empty group separator allows no grouping.
std::optional<std::string> normalise(std::string_view text, const NumberLocale& locale) {
  text = trimBlanks(text);
  std::string normal;
  // from_chars rejects a leading "+", so only "-" is carried over.
  if (takeSign(text) == "-") {
    normal += '-';
  }

  const size_t integerStart = normal.size();
  std::string_view group = takeDigits(text);
  normal += group;
  const std::string& separator = locale.groupSeparator;
  if (!separator.empty() && text.starts_with(separator)) {
    // Only a leading group of one to three digits followed by whole groups of three, so that
    // "1,5" typed with the wrong decimal point is refused rather than read as 15.
    if (group.empty() || group.size() > 3) {
      return std::nullopt;
    }
    while (text.starts_with(separator)) {
      text.remove_prefix(separator.size());
      group = takeDigits(text);
      if (group.size() != 3) {
        return std::nullopt;
      }
      normal += group;
    }
  }
  const bool noInteger = normal.size() == integerStart;

  std::string_view fraction;
  if (text.starts_with(locale.decimalPoint)) {
    text.remove_prefix(locale.decimalPoint.size());
    fraction = takeDigits(text);
  }
  if (noInteger && fraction.empty()) {
    return std::nullopt;
  }
  if (noInteger) {
    normal += '0';
  }
  normal += '.';
  normal += fraction.empty() ? "0" : fraction;

  if (!text.empty() && (text.front() == 'e' || text.front() == 'E')) {
    text.remove_prefix(1);
    normal += 'e';
    normal += takeSign(text);
    const std::string_view exponent = takeDigits(text);
    if (exponent.empty()) {
      return std::nullopt;
    }
    normal += exponent;
  }
  if (!text.empty()) {
    return std::nullopt;
  }
  return normal;
}

// "[-]digits[.digits]" or "[-].digits", with no blanks.
bool isPlainDecimal(std::string_view text) {
  if (text.starts_with('-')) {
    text.remove_prefix(1);
  }
  const std::string_view integer = takeDigits(text);
  if (text.starts_with('.')) {
    text.remove_prefix(1);
    return takeDigits(text).size() + integer.size() > 0 && text.empty();
  }
  return !integer.empty() && text.empty();
}

// Reads straight into T so a float is rounded once, not via double.
template <typename T>
std::optional<T> convert(const std::optional<std::string>& normal) {
  if (!normal) {
    return std::nullopt;
  }
  const char* const end = normal->data() + normal->size();
  T value{};
  const auto [stop, error] = std::from_chars(normal->data(), end, value);
  if (error != std::errc{} || stop != end) {
    return std::nullopt;
  }
  return value;
}

// What a display pattern asks for.
struct Pattern {
  bool grouping = false;
  bool hasPoint = false;
  bool percent = false;
  // A pattern with no "0" shows nothing for zero.
  bool showsZero = false;
  size_t minIntegerDigits = 0;
  size_t decimals = 0;
  size_t minDecimals = 0;
};

bool isPlaceholder(char c) {
  return c == '0' || c == '#';
}

Pattern readPattern(std::string_view text) {
  Pattern pattern;
  if (text.ends_with('%')) {
    pattern.percent = true;
    text.remove_suffix(1);
  }
  // One pass: every number a window shows reads its pattern.
  bool required = false;
  for (const char c : text) {
    if (c == '.' && !pattern.hasPoint) {
      pattern.hasPoint = true;
    } else if (!pattern.hasPoint) {
      pattern.grouping = pattern.grouping || c == ',';
      // Integer digits from the leftmost "0" on are required: "###.0" shows 0.5 as ".5".
      required = required || c == '0';
      if (required && isPlaceholder(c)) {
        ++pattern.minIntegerDigits;
      }
    } else if (isPlaceholder(c)) {
      ++pattern.decimals;
      // Every decimal up to the last "0" is required, whatever precedes it.
      if (c == '0') {
        pattern.minDecimals = pattern.decimals;
      }
    }
    pattern.showsZero = pattern.showsZero || c == '0';
  }
  return pattern;
}

// The magnitude times 10^decimals rounded half away from zero, as digits without leading zeros
// ("" for zero). Rounding works on the 15-significant-digit decimal form so that values such as
// 2.675, stored just below the tie, round the way the user reads them.
std::string scaledDigits(double magnitude, size_t decimals) {
  const Digits15 fifteen = fifteenDigits(magnitude);
  std::string mantissa(fifteen.digits.begin(), fifteen.digits.end());
  const int exponent = fifteen.exponent;

  // Mantissa digits at or above the last decimal place kept.
  const int keep = exponent + 1 + static_cast<int>(decimals);
  if (keep < 0) {
    return "";
  }
  const auto kept = static_cast<size_t>(keep);
  const bool roundUp = kept < mantissa.size() && mantissa[kept] >= '5';
  mantissa.resize(kept, '0');
  if (roundUp) {
    auto digit = mantissa.rbegin();
    for (; digit != mantissa.rend() && *digit == '9'; ++digit) {
      *digit = '0';
    }
    if (digit == mantissa.rend()) {
      mantissa.insert(mantissa.begin(), '1');
    } else {
      ++*digit;
    }
  }
  mantissa.erase(0, mantissa.find_first_not_of('0'));
  return mantissa;
}

template <typename T>
std::string shortestText(T value) {
  char buffer[64];
  const auto written = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, written.ptr);
}

}  // namespace

namespace {

__extension__ typedef unsigned __int128 Wide;

// The exact expansion by to_chars: slow, but right for every value.
Digits15 fifteenDigitsByText(double magnitude) {
  // to_chars rather than printf: the C locale may give printf a comma.
  char buffer[32];
  const auto written =
      std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::scientific, 14);
  const std::string_view text(buffer, static_cast<size_t>(written.ptr - buffer));
  Digits15 out{};
  out.digits[0] = text[0];
  std::copy(text.begin() + 2, text.begin() + 16, out.digits.begin() + 1);
  // from_chars takes "-" but not "+" before the exponent.
  const size_t exponentStart = text[17] == '+' ? 18 : 17;
  std::from_chars(text.data() + exponentStart, text.data() + text.size(), out.exponent);
  return out;
}

constexpr std::uint64_t kLowest15 = 100'000'000'000'000;  // 10^14

// 10^0 to 10^22: 10^22 times a 53-bit significand still fits 128 bits.
constexpr auto kPowersOfTen = [] {
  std::array<Wide, 23> powers{};
  Wide power = 1;
  for (Wide& p : powers) {
    p = power;
    power *= 10;
  }
  return powers;
}();

constexpr std::string_view kDigitPairs =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

}  // namespace

Digits15 fifteenDigits(double magnitude) {
  if (magnitude == 0) {
    Digits15 zero{};
    zero.digits.fill('0');
    return zero;
  }
  // Exactly, in integers: the value is m / 2^shift, and m * 10^p fits 128
  // bits for the powers a display needs (values from 1e-7 to 1e15); the
  // others take the text route.
  if (!(magnitude >= 1e-7 && magnitude < 1e15)) {
    return fifteenDigitsByText(magnitude);
  }
  constexpr int kFractionBits = 52;
  constexpr int kBias = 1075;  // exponent bias plus the fraction bits
  const auto bits = std::bit_cast<std::uint64_t>(magnitude);
  const auto biased = static_cast<int>(bits >> kFractionBits);
  const std::uint64_t m =
      (bits & ((std::uint64_t{1} << kFractionBits) - 1)) | (std::uint64_t{1} << kFractionBits);
  const int shift = kBias - biased;  // positive: the value is below 2^52
  // The power of ten of the first digit, from the power of two (1233/4096
  // is close to log10 2), may be one off; the loop mends it.
  int exponent = std::clamp(((biased - 1023) * 1233) >> 12, -7, 14);
  for (;;) {
    const Wide scaled =
        static_cast<Wide>(m) * kPowersOfTen[static_cast<std::size_t>(14 - exponent)];
    auto q = static_cast<std::uint64_t>(scaled >> shift);
    if (q >= 10 * kLowest15 || q < kLowest15) {
      exponent += q < kLowest15 ? -1 : 1;
      continue;
    }
    const Wide rest = scaled - (static_cast<Wide>(q) << shift);
    const Wide half = static_cast<Wide>(1) << (shift - 1);
    // To nearest, ties to even, as the text route rounds.
    if (rest > half || (rest == half && (q & 1) != 0)) {
      ++q;
    }
    if (q == 10 * kLowest15) {
      q = kLowest15;
      ++exponent;
    }
    Digits15 out{};
    out.exponent = exponent;
    // Two digits at a time, in 32-bit halves: every number shown comes here.
    constexpr std::uint64_t kLowHalf = 100'000'000;
    auto high = static_cast<std::uint32_t>(q / kLowHalf);  // 7 digits
    auto low = static_cast<std::uint32_t>(q % kLowHalf);   // 8 digits
    char* digit = out.digits.data() + out.digits.size();
    for (int pair = 0; pair < 4; ++pair) {
      digit -= 2;
      std::copy_n(&kDigitPairs[2 * (low % 100)], 2, digit);
      low /= 100;
    }
    for (int pair = 0; pair < 3; ++pair) {
      digit -= 2;
      std::copy_n(&kDigitPairs[2 * (high % 100)], 2, digit);
      high /= 100;
    }
    *--digit = static_cast<char>('0' + high);
    return out;
  }
}

NumberLocale NumberLocale::english() {
  return NumberLocale{".", ","};
}

NumberLocale NumberLocale::fromEnvironment() {
  locale_t environment = newlocale(LC_NUMERIC_MASK, "", locale_t{});
  if (environment == locale_t{}) {
    return english();
  }
  // Reading through a thread locale leaves the process-wide C locale untouched.
  const locale_t previous = uselocale(environment);
  const lconv* conventions = localeconv();
  NumberLocale found{conventions->decimal_point, conventions->thousands_sep};
  const char firstGroup = conventions->grouping[0];
  uselocale(previous);
  freelocale(environment);

  // Box text always groups, so a locale that does not (such as "C") cannot serve.
  const bool groups = firstGroup > 0 && firstGroup != CHAR_MAX;
  if (!groups || found.decimalPoint.empty() || found.groupSeparator.empty() ||
      found.groupSeparator == found.decimalPoint) {
    return english();
  }
  return found;
}

std::string localNumberText(std::string_view english, const NumberLocale& locale) {
  std::string text;
  text.reserve(english.size());
  for (const char c : english) {
    if (c == '.') {
      text += locale.decimalPoint;
    } else if (c == ',') {
      text += locale.groupSeparator;
    } else {
      text += c;
    }
  }
  return text;
}

const NumberLocale& numberLocale() {
  return processNumberLocale();
}

void setNumberLocale(NumberLocale locale) {
  processNumberLocale() = std::move(locale);
}

template <typename T>
std::optional<T> parseNumber(std::string_view text, const NumberLocale& locale) {
  // Most box text is plain "[-]digits[.digits]", which from_chars reads as
  // it stands; anything else is rewritten first.
  if (locale.decimalPoint == "." && isPlainDecimal(text)) {
    T value{};
    const auto [stop, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error == std::errc{} && stop == text.data() + text.size()) {
      return value;
    }
  }
  return convert<T>(normalise(text, locale));
}

template <typename T>
std::optional<T> parseInvariant(std::string_view text) {
  return parseNumber<T>(text, NumberLocale{".", ""});
}

template std::optional<float> parseNumber<float>(std::string_view, const NumberLocale&);
template std::optional<double> parseNumber<double>(std::string_view, const NumberLocale&);
template std::optional<float> parseInvariant<float>(std::string_view);
template std::optional<double> parseInvariant<double>(std::string_view);

std::optional<std::int16_t> toInteger16(double value) {
  // remainder() rounds half to even whatever the floating-point rounding mode.
  const double rounded = value - std::remainder(value, 1.0);
  if (!(rounded >= std::numeric_limits<std::int16_t>::min() &&
        rounded <= std::numeric_limits<std::int16_t>::max())) {
    return std::nullopt;
  }
  return static_cast<std::int16_t>(rounded);
}

std::string formatNumber(double value, std::string_view patternText, const NumberLocale& locale) {
  const Pattern pattern = readPattern(patternText);
  if (pattern.percent) {
    value *= 100;
  }
  if (std::isnan(value)) {
    return "NaN";
  }
  if (std::isinf(value)) {
    return value < 0 ? "-Infinity" : "Infinity";
  }

  const std::string digits = scaledDigits(std::fabs(value), pattern.decimals);
  if (digits.empty() && !pattern.showsZero) {
    return "";
  }
  const bool negative = value < 0 && !digits.empty();
  // The digits are the value times 10^decimals: the last `decimals` of them,
  // with zeros in front where there are fewer, make the fraction.
  const size_t decimals = pattern.decimals;
  const size_t integerDigits = digits.size() > decimals ? digits.size() - decimals : 0;
  const size_t leadingZeros = decimals > digits.size() ? decimals - digits.size() : 0;
  const auto fractionDigit = [&](size_t i) {
    return i < leadingZeros ? '0' : digits[integerDigits + i - leadingZeros];
  };
  size_t fractionDigits = decimals;
  while (fractionDigits > pattern.minDecimals && fractionDigit(fractionDigits - 1) == '0') {
    --fractionDigits;
  }
  const size_t integerWidth = std::max(integerDigits, pattern.minIntegerDigits);
  const size_t padding = integerWidth - integerDigits;

  std::string text;
  if (negative) {
    text += '-';
  }
  for (size_t i = 0; i < integerWidth; ++i) {
    if (pattern.grouping && i > 0 && (integerWidth - i) % 3 == 0) {
      text += locale.groupSeparator;
    }
    text += i < padding ? '0' : digits[i - padding];
  }
  if (pattern.hasPoint) {
    text += locale.decimalPoint;
    for (size_t i = 0; i < fractionDigits; ++i) {
      text += fractionDigit(i);
    }
  }
  if (pattern.percent) {
    text += '%';
  }
  return text;
}

std::string formatText(std::string_view text, std::string_view pattern) {
  std::string result(text);
  if (pattern == "<") {
    // ASCII only: the fold must not depend on the C locale.
    for (char& c : result) {
      if (c >= 'A' && c <= 'Z') {
        c = static_cast<char>(c - 'A' + 'a');
      }
    }
  }
  return result;
}

double roundedAsShown(double value, std::string_view pattern) {
  const NumberLocale english = NumberLocale::english();
  return parseNumber<double>(formatNumber(value, pattern, english), english).value_or(value);
}

std::string decimalText(float value) {
  return shortestText(value);
}

std::string decimalText(double value) {
  return shortestText(value);
}

namespace {

// Exact powers of ten: every one up to 1e22 is a double.
constexpr std::array<double, 23> kExactPowersOfTen{1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                                   1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                                   1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// %g's layout of `digits` (no leading zero) times ten to `exponent` less
// the digits after the first.
std::string generalLayout(bool negative, std::string_view digits, int exponent) {
  const auto precision = static_cast<int>(digits.size());
  // The digits without the zeros %g drops from the end of the fraction.
  const std::string_view kept = digits.substr(0, digits.find_last_not_of('0') + 1);
  char text[40];
  char* at = text;
  if (negative) {
    *at++ = '-';
  }
  const auto put = [&at](std::string_view part) { at = std::copy(part.begin(), part.end(), at); };
  if (exponent < -4 || exponent >= precision) {
    *at++ = kept[0];
    if (kept.size() > 1) {
      *at++ = '.';
      put(kept.substr(1));
    }
    *at++ = 'e';
    *at++ = exponent < 0 ? '-' : '+';
    const int power = std::abs(exponent);
    if (power < 10) {
      *at++ = '0';
    }
    at = std::to_chars(at, text + sizeof text, power).ptr;
  } else if (exponent < 0) {
    put("0.");
    at = std::fill_n(at, -exponent - 1, '0');
    put(kept);
  } else {
    const auto whole = static_cast<std::size_t>(exponent) + 1;
    put(digits.substr(0, whole));
    if (kept.size() > whole) {
      *at++ = '.';
      put(kept.substr(whole));
    }
  }
  return {text, at};
}

}  // namespace

std::string generalText(double value, int digits) {
  // to_chars with a precision takes a slow exact route. Scaled by an exact
  // power of ten the value is rounded once, so its rounding to `digits` is
  // the exact one unless it lies too near a tie to tell; those, and values
  // beyond the powers at hand, take the exact route.
  constexpr double kNearTie = 1e-6;  // well above the scaling's error below 1e9
  if (value == 0) {
    return std::signbit(value) ? "-0" : "0";
  }
  if (std::isfinite(value) && digits >= 1 && digits <= 9) {
    const double magnitude = std::fabs(value);
    const double lowest = kExactPowersOfTen[static_cast<std::size_t>(digits - 1)];
    const double limit = kExactPowersOfTen[static_cast<std::size_t>(digits)];
    // The power of ten from the binary exponent (log10 2 is about
    // 1233 / 4096): the first digit's place or the one below it.
    const int binary =
        static_cast<int>((std::bit_cast<std::uint64_t>(magnitude) >> 52) & 0x7FF) - 1023;
    int exponent = (binary * 1233) >> 12;
    for (int tries = 0; tries < 2; ++tries) {
      const int shift = digits - 1 - exponent;
      if (std::abs(shift) >= static_cast<int>(kExactPowersOfTen.size())) {
        break;
      }
      const double power = kExactPowersOfTen[static_cast<std::size_t>(std::abs(shift))];
      const double scaled = shift >= 0 ? magnitude * power : magnitude / power;
      if (scaled >= limit) {
        ++exponent;
        continue;
      }
      if (scaled < lowest) {
        break;  // a guard: within the exact powers the guess is never too high
      }
      if (std::fabs(scaled - std::floor(scaled) - 0.5) < kNearTie) {
        break;
      }
      double rounded = std::round(scaled);
      if (rounded == limit) {
        rounded = lowest;
        ++exponent;
      }
      char buffer[16];
      const auto end =
          std::to_chars(buffer, buffer + sizeof buffer, static_cast<std::int64_t>(rounded)).ptr;
      return generalLayout(value < 0, std::string_view(buffer, end - buffer), exponent);
    }
  }
  char buffer[48];
  const auto end =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, digits).ptr;
  return {buffer, end};
}

namespace {

// The value rounded to `digits` significant decimal digits.
double roundedToDigits(double value, int digits) {
  char buffer[32];
  const auto written = std::to_chars(buffer, buffer + sizeof buffer, value,
                                     std::chars_format::scientific, digits - 1);
  double rounded = value;
  std::from_chars(buffer, written.ptr, rounded);
  return rounded;
}

constexpr int kMostTidyDigits = 9;

// The shortest text of a box's number, without an exponent where the value
// is one a person types (0.0000803 in. w.c. is 0.02 Pa), as a box shows it.
std::string boxText(double value) {
  const double magnitude = std::fabs(value);
  if (!(magnitude >= 1e-6 && magnitude < 1e15)) {
    return shortestText(value);
  }
  char buffer[64];
  const auto written =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
  return std::string(buffer, written.ptr);
}

}  // namespace

std::string tidyText(float value, const NumberLocale& locale) {
  if (value == 0 || !std::isfinite(value)) {
    return tidyText(static_cast<double>(value), locale);
  }
  // The float's shortest digits written as a double: a large float's fixed
  // text would spell out its whole binary value ("123456790528").
  char buffer[32];
  const auto written =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific);
  double digits = value;
  std::from_chars(buffer, written.ptr, digits);
  return localNumberText(boxText(digits), locale);
}

std::string tidyText(double value, const NumberLocale& locale) {
  if (value == 0 || !std::isfinite(value)) {
    return value == 0 ? "0" : formatNumber(value, "0", locale);
  }
  return localNumberText(boxText(roundedToDigits(value, kMostTidyDigits)), locale);
}

std::string tidiestTextReadingBack(double estimate, const std::function<bool(double)>& readsBack,
                                   const NumberLocale& locale) {
  if (std::isfinite(estimate)) {
    // Zero is the estimate rounded at any place above its first digit, and
    // the tidiest text of all; rounding to significant digits keeps a value
    // such as -2.8e-14, left by a search near zero, as small as it is.
    if (readsBack(0)) {
      return tidyText(0.0, locale);
    }
    for (int digits = 1; digits <= kMostTidyDigits; ++digits) {
      const double candidate = roundedToDigits(estimate, digits);
      if (readsBack(candidate)) {
        return tidyText(candidate, locale);
      }
    }
  }
  return tidyText(estimate, locale);
}

}  // namespace platform
