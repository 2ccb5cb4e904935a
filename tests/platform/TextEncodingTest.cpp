#include <gtest/gtest.h>

#include <string>

#include "platform/TextEncoding.h"

namespace {

TEST(TextEncoding, KeepsUtf8AndReadsAnythingElseAsWindows1252) {
  const struct {
    std::string bytes;
    bool valid;
    std::string text;
  } rows[] = {
      {"plain ASCII, 1,000 cfm", true, "plain ASCII, 1,000 cfm"},
      {"\xC2\xB0"
       "F DB \xE2\x82\xAC \xF0\x9F\x8C\x80",
       true, "°F DB € \xF0\x9F\x8C\x80"},
      {"caf\xE9", false, "café"},
      {"\x80 \x96 \x9F", false, "€ – Ÿ"},
      {"\xFF\xFE"
       "K",
       false, "ÿþK"},
      {"\x81", false, "\xC2\x81"},                 // undefined in 1252: kept as its C1 code point
      {"\xC0\xAF", false, "À¯"},                   // overlong slash
      {"\xED\xA0\x80", false, "í\xC2\xA0€"},       // a UTF-16 surrogate
      {"\xE2\x82", false, "â‚"},                   // cut short
      {"\xF4\x90\x80\x80", false, "ô\xC2\x90€€"},  // past U+10FFFF
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.text);
    EXPECT_EQ(platform::isValidUtf8(row.bytes), row.valid);
    EXPECT_EQ(platform::toUtf8(row.bytes), row.text);
    EXPECT_TRUE(platform::isValidUtf8(platform::toUtf8(row.bytes)));
  }
}

}  // namespace
