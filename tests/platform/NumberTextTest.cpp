#include <gtest/gtest.h>
#include <locale.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <optional>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "platform/NumberText.h"

namespace platform {
namespace {

const NumberLocale kGerman{",", "."};

TEST(FormatNumberTest, DisplayPatterns) {
  constexpr double kInf = std::numeric_limits<double>::infinity();
  // Each pattern with the values it is shown and the text expected (in the English locale).
  const std::pair<const char*, std::vector<std::pair<double, const char*>>> table[] = {
      {"###,###", {{12345, "12,345"}, {0, ""}, {0.4, ""}, {-0.4, ""}}},
      {"###,##0", {{0, "0"}, {-1234567, "-1,234,567"}, {-kInf, "-Infinity"}}},
      {"#,###,###", {{1234567.891, "1,234,568"}}},
      {"##,###,###", {{12345678, "12,345,678"}}},
      {"##,##0", {{999.5, "1,000"}, {123, "123"}}},
      {"####", {{0.49, ""}, {12345.5, "12346"}}},
      {"##", {{0, ""}, {12345, "12345"}, {0.5, "1"}, {1.5, "2"}, {-2.5, "-3"}}},
      {"##0.0", {{0.5, "0.5"}, {-0.04, "0.0"}, {9.96, "10.0"}, {NAN, "NaN"}}},
      {"###.0", {{0.5, ".5"}, {0, ".0"}}},
      {"#.0", {{0.25, ".3"}}},
      {"#0.0", {{0, "0.0"}, {-3.25, "-3.3"}}},
      {"###0.0", {{1234.56, "1234.6"}}},
      {"##0.00", {{2.675, "2.68"}}},
      {"#0.00", {{0.125, "0.13"}, {0.5, "0.50"}}},
      {"##.00", {{0.5, ".50"}, {0, ".00"}}},
      {"#,###.00", {{292.8, "292.80"}, {1234567.891, "1,234,567.89"}}},
      {"##0.000", {{1.0005, "1.001"}}},
      {"0.#0", {{0.5, "0.50"}}},
      {"0.0##", {{1.2, "1.2"}, {1.23456, "1.235"}, {2, "2.0"}}},
      {"#,##0.", {{1234, "1,234."}, {0, "0."}}},
      {"###0.", {{12.4, "12."}}},
      {"#0.0%", {{0.685, "68.5%"}, {0, "0.0%"}, {-0.0005, "-0.1%"}, {kInf, "Infinity"}}},
  };
  for (const auto& [pattern, cases] : table) {
    for (const auto& [value, expected] : cases) {
      SCOPED_TRACE(std::string(pattern) + " with " + std::to_string(value));
      EXPECT_EQ(formatNumber(value, pattern, NumberLocale::english()), expected);
    }
  }
}

// The fast 15-digit rounding must agree with the exact one everywhere,
// above all on values whose shortest form ends on a rounding boundary.
TEST(FormatNumberTest, FifteenDigitsAgreeWithTheExactExpansion) {
  const auto exact = [](double value) {
    char buffer[32];
    const auto end =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 14).ptr;
    return std::string(buffer, end);
  };
  const auto fast = [](double value) {
    const Digits15 d = fifteenDigits(value);
    std::string text{d.digits[0], '.'};
    text.append(d.digits.begin() + 1, d.digits.end());
    char exponent[8];
    const auto end = std::to_chars(exponent, exponent + sizeof exponent, std::abs(d.exponent)).ptr;
    const std::string digits(exponent, end);
    return text + (d.exponent < 0 ? "e-" : "e+") + (digits.size() < 2 ? "0" : "") + digits;
  };
  std::mt19937_64 random(20261208);
  std::uniform_int_distribution<int> digit(0, 9);
  std::uniform_int_distribution<int> power(-10, 17);
  std::uniform_real_distribution<double> logarithm(-8, 16);
  std::vector<double> values{0.0,
                             1.0,
                             0.5,
                             9.999999999999995,
                             999999999999999.5,
                             1e-300,
                             std::numeric_limits<double>::denorm_min(),
                             std::numeric_limits<double>::max()};
  for (int i = 0; i < 100000; ++i) {
    // Any finite bit pattern, a float widened (as most of the state is), a
    // value of the range displays show, a figure to three decimals, and a
    // 16-digit decimal ending in 5, the boundary case itself.
    const double bits = std::bit_cast<double>(random() >> 1);
    const double shown = std::pow(10.0, logarithm(random));
    values.push_back(shown);
    values.push_back(static_cast<double>(static_cast<float>(shown)));
    values.push_back(static_cast<double>(random() % 100000000) / 1000);
    if (std::isfinite(bits)) {
      values.push_back(bits);
    }
    values.push_back(
        static_cast<double>(std::bit_cast<float>(static_cast<std::uint32_t>(random() >> 33))));
    std::string boundary = std::to_string(digit(random) + 1) + ".";
    for (int k = 0; k < 14; ++k) {
      boundary += static_cast<char>('0' + digit(random));
    }
    boundary += "5e" + std::to_string(power(random));
    values.push_back(std::strtod(boundary.c_str(), nullptr));
  }
  for (const double value : values) {
    if (!std::isfinite(value)) {
      continue;
    }
    ASSERT_EQ(fast(value), exact(value)) << exact(value);
  }
}

TEST(FormatNumberTest, RoundedAsShownIsWhatTheShownTextReadsBackAs) {
  constexpr double kInf = std::numeric_limits<double>::infinity();
  const struct {
    double value;
    const char* pattern;
    double shown;
  } rows[] = {{74.95, "0.0", 75.0},     {-18.95, "0.0", -19.0},  {0.04, "0.0", 0.0},
              {1234.56, "#,##0", 1235}, {12.345, "0.00", 12.35}, {kInf, "0.0", kInf}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.value);
    // Whatever the locale boxes take: the rounding is the pattern's.
    setNumberLocale(kGerman);
    EXPECT_EQ(roundedAsShown(row.value, row.pattern), row.shown);
    setNumberLocale(NumberLocale::english());
  }
}

TEST(FormatNumberTest, WritesLocaleSeparators) {
  EXPECT_EQ(formatNumber(1234.5, "#,###.00", kGerman), "1.234,50");
  EXPECT_EQ(formatNumber(1234567, "#,##0.", kGerman), "1.234.567,");
  EXPECT_EQ(formatNumber(1234.5, "#,###.00", {",", "\u202f"}), "1\u202f234,50");
  setNumberLocale(kGerman);
  EXPECT_EQ(formatNumber(0.5, "#0.00"), "0,50");
  setNumberLocale(NumberLocale::english());
  EXPECT_EQ(formatNumber(0.5, "#0.00"), "0.50");
}

TEST(ParseNumberTest, ReadsBoxText) {
  const struct {
    const char* text;
    double expected;
  } cases[] = {{"  10,000  ", 10000}, {"\t1.5\t", 1.5},       {"+3", 3},     {"-4.25", -4.25},
               {"1E3", 1000},         {"2.5e-1", 0.25},       {".5", 0.5},   {"5.", 5},
               {"1,000,000", 1e6},    {"1,234.5E+2", 123450}, {"-.5", -0.5}, {"007", 7}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(parseNumber<double>(c.text, NumberLocale::english()), c.expected);
    EXPECT_EQ(parseNumber<float>(c.text, NumberLocale::english()), static_cast<float>(c.expected));
  }
  EXPECT_TRUE(std::signbit(*parseNumber<double>("-0", NumberLocale::english())));
  EXPECT_EQ(parseNumber<double>("10.000", kGerman), 10000);
  EXPECT_EQ(parseNumber<double>(" -1.234,5 ", kGerman), -1234.5);
  EXPECT_EQ(parseNumber<double>("1,5", kGerman), 1.5);
  EXPECT_EQ(parseNumber<double>("1\u202f000,5", {",", "\u202f"}), 1000.5);
}

TEST(ParseNumberTest, RefusesWhatIsNoNumber) {
  for (const char* text :
       {"",    "   ",    "-",        "+",        ".",     "12a",     "1,5",   "1,00",
        ",5",  "1,0000", "1234,567", "1,000,00", "1.2.3", "1.000,5", "1 000", "- 3",
        "+-3", "1e",     "1e+",      "inf",      "nan",   "0x10",    "1e400"}) {
    SCOPED_TRACE(text);
    EXPECT_FALSE(parseNumber<double>(text, NumberLocale::english()));
    EXPECT_FALSE(parseNumber<float>(text, NumberLocale::english()));
  }
  EXPECT_FALSE(parseNumber<double>("1" + std::string(400, '0'), NumberLocale::english()));
  EXPECT_FALSE(parseNumber<float>("1e40", NumberLocale::english()));
  EXPECT_TRUE(parseNumber<double>("1e40", NumberLocale::english()));
  EXPECT_FALSE(parseNumber<double>("1.5", kGerman));
}

TEST(ParseNumberTest, FloatIsRoundedOnce) {
  // Just above the midpoint between 1 and the next float; a detour through double lands exactly
  // on the midpoint and then rounds down to 1.
  EXPECT_EQ(parseNumber<float>("1.00000005960464477550", NumberLocale::english()),
            std::nextafter(1.0f, 2.0f));
}

TEST(ParseNumberTest, ReadsBackWhatFormatWrote) {
  const std::pair<double, double> cases[] = {
      {1234567.891, 1234567.89}, {-0.125, -0.13}, {2.675, 2.68}};
  for (const NumberLocale& locale : {NumberLocale::english(), kGerman}) {
    for (const auto& [value, rounded] : cases) {
      const std::string text = formatNumber(value, "#,###.00", locale);
      SCOPED_TRACE(text);
      EXPECT_EQ(parseNumber<double>(text, locale), rounded);
    }
  }
}

TEST(ParseInvariantTest, PeriodPointWithoutGrouping) {
  EXPECT_EQ(parseInvariant<double>(" -12.5e1 "), -125);
  EXPECT_EQ(parseInvariant<float>("0.1"), 0.1f);
  EXPECT_FALSE(parseInvariant<double>("1,000"));
  EXPECT_FALSE(parseInvariant<double>("1,5"));
}

// fromEnvironment() as it reads the locale named by LC_ALL, which is then restored.
NumberLocale localeFrom(const char* lcAll) {
  const char* old = std::getenv("LC_ALL");
  const std::optional<std::string> saved = old ? std::optional<std::string>(old) : std::nullopt;
  setenv("LC_ALL", lcAll, 1);
  NumberLocale found = NumberLocale::fromEnvironment();
  if (saved) {
    setenv("LC_ALL", saved->c_str(), 1);
  } else {
    unsetenv("LC_ALL");
  }
  return found;
}

TEST(NumberLocaleTest, EnvironmentFallsBackToEnglish) {
  const std::string globalBefore = setlocale(LC_NUMERIC, nullptr);
  for (const char* name : {"C", "no_SUCH.UTF-8"}) {
    SCOPED_TRACE(name);
    const NumberLocale found = localeFrom(name);
    EXPECT_EQ(found.decimalPoint, ".");
    EXPECT_EQ(found.groupSeparator, ",");
  }
  EXPECT_EQ(setlocale(LC_NUMERIC, nullptr), globalBefore);
}

TEST(NumberLocaleTest, EnvironmentReadsInstalledLocale) {
  locale_t german = newlocale(LC_NUMERIC_MASK, "de_DE.UTF-8", locale_t{});
  if (german == locale_t{}) {
    GTEST_SKIP() << "de_DE.UTF-8 is not installed";
  }
  freelocale(german);
  const NumberLocale found = localeFrom("de_DE.UTF-8");
  EXPECT_EQ(found.decimalPoint, ",");
  EXPECT_EQ(found.groupSeparator, ".");
}

TEST(NumberTextTest, TextPatternsAndShortestDecimals) {
  EXPECT_EQ(formatText("Wheel-A 9", "<"), "wheel-a 9");
  EXPECT_EQ(formatText("Wheel-A", ">"), "Wheel-A");
  EXPECT_EQ(decimalText(36.0f), "36");
  EXPECT_EQ(decimalText(4.5f), "4.5");
  EXPECT_EQ(decimalText(0.1f), "0.1");
  EXPECT_EQ(decimalText(1.0f / 3), "0.33333334");
  EXPECT_EQ(decimalText(0.1), "0.1");
  EXPECT_EQ(decimalText(1.0 / 3), "0.3333333333333333");
}

// The fast general text must be to_chars' own, digit for digit: random
// values over the whole range, exact ties (which to_chars rounds to even),
// the neighbours of powers of ten and of values that round up to one.
TEST(GeneralTextTest, EqualsToCharsWithThePrecision) {
  const auto exact = [](double value, int digits) {
    char buffer[48];
    const auto end =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, digits)
            .ptr;
    return std::string(buffer, end);
  };
  std::vector<double> values{0.0,
                             -0.0,
                             1,
                             -1,
                             0.5,
                             1e-5,
                             9.9999949999e-5,
                             1e22,
                             1e23,
                             5e-324,
                             std::numeric_limits<double>::max(),
                             std::numeric_limits<double>::infinity(),
                             std::numeric_limits<double>::quiet_NaN()};
  std::mt19937_64 random(17);
  std::uniform_real_distribution<double> power(-30, 30);
  std::uniform_real_distribution<double> anyPower(-323, 308);
  for (int i = 0; i < 20000; ++i) {
    const double value = std::pow(10.0, (i % 4 == 0 ? anyPower : power)(random));
    values.push_back(i % 2 == 0 ? value : -value);
  }
  // Each binary exponent, where the first digit's place is guessed from it.
  for (int binary = -1074; binary <= 1023; ++binary) {
    values.push_back(std::ldexp(1.0, binary));
    values.push_back(std::ldexp(1.9999999, binary));
  }
  for (int scale = -8; scale <= 12; ++scale) {
    const double ten = std::pow(10.0, scale);
    for (const double n : {100000.5, 123456.5, 999999.5, 1.5, 2.5, 0.5, 12345.25, 999999.4999}) {
      values.push_back(n * ten);
    }
    values.push_back(std::nextafter(ten, 0.0));
    values.push_back(std::nextafter(ten, 1e300));
    values.push_back(std::nextafter(ten * 0.9999995, 0.0));
    values.push_back(std::nextafter(ten * 0.9999995, 1e300));
  }
  for (const double value : values) {
    for (int digits = 1; digits <= 10; ++digits) {
      ASSERT_EQ(generalText(value, digits), exact(value, digits))
          << std::hexfloat << value << " to " << digits << " digits";
    }
  }
}

TEST(TidyTextTest, ShortestTextOfTheValueWithAtMostNineDigits) {
  const struct {
    double value;
    const char* asFloat;  // the text of the float nearest the value
    const char* asDouble;
  } table[] = {
      {55.8, "55.8", "55.8"},
      {-18.9, "-18.9", "-18.9"},
      {1234.56, "1234.56", "1234.56"},
      {0.1, "0.1", "0.1"},
      {1.0 / 3, "0.33333334", "0.333333333"},
      {-2.0 / 3, "-0.6666667", "-0.666666667"},
      {36, "36", "36"},
      {-400, "-400", "-400"},
      {16777217, "16777216", "16777217"},
      {123456789012.0, "123456790000", "123456789000"},
      {1e20, "1e+20", "1e+20"},
      {-3.4e38, "-3.4e+38", "-3.4e+38"},
      {1.5e-7, "1.5e-07", "1.5e-07"},
      {1e-300, "0", "1e-300"},  // no float that small
      {0.0, "0", "0"},
      {-0.0, "0", "0"},
      {9.9999999999, "10", "10"},
      {0.3 + 0.6, "0.9", "0.9"},
  };
  for (const auto& row : table) {
    SCOPED_TRACE(decimalText(row.value));
    EXPECT_EQ(tidyText(static_cast<float>(row.value), NumberLocale::english()), row.asFloat);
    EXPECT_EQ(tidyText(row.value, NumberLocale::english()), row.asDouble);
  }
  EXPECT_EQ(tidyText(55.8f, kGerman), "55,8");
  EXPECT_EQ(tidyText(-1234.5678, kGerman), "-1234,5678");
  EXPECT_EQ(tidyText(std::nan(""), kGerman), "NaN");
}

TEST(TidyTextTest, ReadsBackInTheBoxLocale) {
  // Every float reads back bit for bit; a double reads back as its rounding
  // to nine digits, whose tidy text is the same text again.
  std::mt19937_64 rng(17);
  std::uniform_int_distribution<std::uint64_t> bits;
  for (const NumberLocale& locale : {NumberLocale::english(), kGerman}) {
    for (int i = 0; i < 20000; ++i) {
      const auto f = std::bit_cast<float>(static_cast<std::uint32_t>(bits(rng)));
      const auto d = std::bit_cast<double>(bits(rng));
      if (!std::isfinite(f) || !std::isfinite(d)) {
        continue;
      }
      const std::string fText = tidyText(f, locale);
      ASSERT_EQ(parseNumber<float>(fText, locale), f == 0 ? 0.0f : f) << fText;
      const std::string dText = tidyText(d, locale);
      const std::optional<double> back = parseNumber<double>(dText, locale);
      ASSERT_TRUE(back) << dText;
      EXPECT_LE(std::fabs(*back - d), 5e-9 * std::fabs(d)) << dText;
      EXPECT_EQ(tidyText(*back, locale), dText);
    }
  }
}

TEST(TidyTextTest, NoExponentForWhatAPersonTypes) {
  EXPECT_EQ(tidyText(8.032128e-05F), "0.00008032128");
  EXPECT_EQ(tidyText(-2.5e-6), "-0.0000025");
  EXPECT_EQ(tidyText(1.5e12), "1500000000000");
  EXPECT_EQ(tidyText(1e-7), "1e-07");
  EXPECT_EQ(tidyText(123456789.0F), "123456790");  // the float's digits
}

TEST(TidyTextTest, TidiestTextThatReadsBack) {
  // A static pressure in pascals kept in inches of water, single precision.
  const float inches = 0.55f;
  const auto givesInches = [inches](double pascals) {
    return static_cast<float>(pascals / 249) == inches;
  };
  const std::string pascals = tidiestTextReadingBack(inches * 249.0, givesInches);
  EXPECT_TRUE(givesInches(*parseNumber<double>(pascals)));
  EXPECT_LT(pascals.size(), std::string("136.949997").size());
  EXPECT_EQ(tidiestTextReadingBack(1699.208, [](double x) { return x > 1699 && x < 1700; }),
            "1699.2");
  // A search near zero leaves a trace such as -2.8e-14, which no rounding to
  // significant digits brings to zero; nor the zero of either sign to "-0".
  const auto nearZero = [](double x) { return std::fabs(x) < 1e-13; };
  EXPECT_EQ(tidiestTextReadingBack(-2.8e-14, nearZero), "0");
  EXPECT_EQ(tidiestTextReadingBack(-0.0, nearZero), "0");
  EXPECT_EQ(tidiestTextReadingBack(0.4, [](double x) { return x < 0.5; }), "0");
  // Zero only when it reads back.
  EXPECT_EQ(tidiestTextReadingBack(0.04, [](double x) { return x > 0.03 && x < 0.05; }), "0.04");
  // Nothing accepted: the tidy text of the estimate.
  EXPECT_EQ(tidiestTextReadingBack(2.0 / 3, [](double) { return false; }), "0.666666667");
}

}  // namespace
}  // namespace platform
