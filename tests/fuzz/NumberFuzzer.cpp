// Box text through the number reader and back through every display
// pattern the windows use: no crash, a formatted finite number reads back
// as a number, and a tidy text as its own value.

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/NumberText.h"

namespace {

constexpr std::string_view kPatterns[] = {"###,###", "##0.0", "#,##0.",    "0.#0",     "#0.0%",
                                          "##.00",   "###.0", "#,###,###", "#,###.00", "<"};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const platform::NumberLocale german{",", "."};
  for (const platform::NumberLocale& locale : {platform::NumberLocale::english(), german}) {
    const auto value = platform::parseNumber<double>(text, locale);
    platform::parseNumber<float>(text, locale);
    if (!value) {
      continue;
    }
    for (const std::string_view pattern : kPatterns) {
      std::string shown = platform::formatNumber(*value, pattern, locale);
      if (pattern.ends_with('%') && shown.ends_with('%')) {
        shown.pop_back();
      }
      if (std::isfinite(*value) && std::fabs(*value) < 1e12 && pattern != "<" && !shown.empty() &&
          !platform::parseNumber<double>(shown, locale)) {
        std::abort();  // the program's own text must read back
      }
    }
    const std::string shortest = platform::decimalText(*value);
    if (std::isfinite(*value) && platform::parseInvariant<double>(shortest) != *value) {
      std::abort();
    }
    // A box's tidy text reads back as the float it shows, and as a double
    // whose tidy text it is again.
    if (const auto single = platform::parseNumber<float>(text, locale);
        single && std::isfinite(*single) && *single != 0 &&
        platform::parseNumber<float>(platform::tidyText(*single, locale), locale) != *single) {
      std::abort();
    }
    if (std::isfinite(*value)) {
      const std::string tidy = platform::tidyText(*value, locale);
      const auto back = platform::parseNumber<double>(tidy, locale);
      if (!back || platform::tidyText(*back, locale) != tidy) {
        std::abort();
      }
    }
  }
  platform::formatText(text, "<");
  return 0;
}
