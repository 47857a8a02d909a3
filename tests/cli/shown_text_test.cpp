// Texts echoed to a terminal: whatever it would act on is escaped.

#include <gtest/gtest.h>

#include <string>

#include "cli/shown_text.h"

namespace korvel::cli {
namespace {

TEST(ShownText, EscapesWhatATerminalWouldActOn) {
  const struct {
    const char* text;
    const char* shown;
  } cases[] = {
      {"wave.txt", "wave.txt"},
      {"", ""},
      {"a\nb\tc\rd\ve\ff", "a\\nb\\tc\\rd\\ve\\ff"},
      {"\x1b[31mred\x07\x7f", "\\x1b[31mred\\x07\\x7f"},
#ifdef _WIN32
      {"C:\\data\\x.txt", "C:\\data\\x.txt"},  // the folder separator
#else
      {"back\\slash", "back\\\\slash"},
#endif
      {"caf\xc3\xa9 \xe6\xb3\xa2 \xf0\x9f\x8c\x8a", "caf\xc3\xa9 \xe6\xb3\xa2 \xf0\x9f\x8c\x8a"},  // printable UTF-8
      {"\xc2\x9b" "1m", "\\xc2\\x9b" "1m"},                                   // C1 control
      {"\xe2\x80\xaetxt.exe", "\\xe2\\x80\\xaetxt.exe"},                     // right-to-left override
      {"\xff\xfe", "\\xff\\xfe"},                                             // not UTF-8
      {"\xc3", "\\xc3"},                                                     // cut short
      {"\xc3(", "\\xc3("},
      {"\xc0\xaf", "\\xc0\\xaf"},                                             // overlong
      {"\xed\xa0\x80", "\\xed\\xa0\\x80"},                                     // surrogate
      {"\xf4\x90\x80\x80", "\\xf4\\x90\\x80\\x80"},                             // above U+10FFFF
  };
  for (const auto& c : cases) EXPECT_EQ(shownText(c.text), c.shown) << c.text;
  EXPECT_EQ(shownText(std::string("a\0b", 3)), "a\\x00b");
}

}  // namespace
}  // namespace korvel::cli
