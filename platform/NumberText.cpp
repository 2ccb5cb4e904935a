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

  std::string_view group = takeDigits(text);
  std::string integer(group);
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
      integer += group;
    }
  }

  std::string_view fraction;
  if (text.starts_with(locale.decimalPoint)) {
    text.remove_prefix(locale.decimalPoint.size());
    fraction = takeDigits(text);
  }
  if (integer.empty() && fraction.empty()) {
    return std::nullopt;
  }
  normal += integer.empty() ? "0" : integer;
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
  const size_t point = text.find('.');
  pattern.hasPoint = point != std::string_view::npos;
  const std::string_view integer = text.substr(0, point);
  const std::string_view fraction = pattern.hasPoint ? text.substr(point + 1) : std::string_view{};

  pattern.grouping = integer.find(',') != std::string_view::npos;
  // Integer digits from the leftmost "0" on are required: "###.0" shows 0.5 as ".5".
  const std::string_view required = integer.substr(std::min(integer.find('0'), integer.size()));
  pattern.minIntegerDigits =
      static_cast<size_t>(std::count_if(required.begin(), required.end(), isPlaceholder));
  for (const char c : fraction) {
    if (isPlaceholder(c)) {
      ++pattern.decimals;
    }
    // Every decimal up to the last "0" is required, whatever precedes it.
    if (c == '0') {
      pattern.minDecimals = pattern.decimals;
    }
  }
  pattern.showsZero = text.find('0') != std::string_view::npos;
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

std::string groupThousands(const std::string& digits, const std::string& separator) {
  std::string grouped;
  for (size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) {
      grouped += separator;
    }
    grouped += digits[i];
  }
  return grouped;
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
    for (auto digit = out.digits.rbegin(); digit != out.digits.rend(); ++digit) {
      *digit = static_cast<char>('0' + q % 10);
      q /= 10;
    }
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
  for (const char c : english) {
    text += c == '.' ? locale.decimalPoint : c == ',' ? locale.groupSeparator : std::string(1, c);
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

  std::string digits = scaledDigits(std::fabs(value), pattern.decimals);
  if (digits.empty() && !pattern.showsZero) {
    return "";
  }
  const bool negative = value < 0 && !digits.empty();
  const size_t decimals = pattern.decimals;
  if (digits.size() < decimals) {
    digits.insert(0, decimals - digits.size(), '0');
  }
  std::string integer = digits.substr(0, digits.size() - decimals);
  std::string fraction = digits.substr(digits.size() - decimals);
  if (integer.size() < pattern.minIntegerDigits) {
    integer.insert(0, pattern.minIntegerDigits - integer.size(), '0');
  }
  while (fraction.size() > pattern.minDecimals && fraction.back() == '0') {
    fraction.pop_back();
  }

  std::string text = negative ? "-" : "";
  text += pattern.grouping ? groupThousands(integer, locale.groupSeparator) : integer;
  if (pattern.hasPoint) {
    text += locale.decimalPoint + fraction;
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

std::string decimalText(float value) {
  return shortestText(value);
}

std::string decimalText(double value) {
  return shortestText(value);
}

}  // namespace platform
