#include "temporary_title.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

TEST(MakeTemporaryTitle, SpellsTheTickCountInLettersLeastSignificantDigitFirst) {
  const struct {
    uint32_t tick;
    const char* title;
  } cases[] = {
      {0x12345678, "W:IHGFEDCBAAAAAAAAAA"},
      {1000, "W:IODAAAAAAAAAAAAAAA"},
      {4294967295u, "W:PPPPPPPPAAAAAAAAAA"},
      {0, "W:AAAAAAAAAAAAAAAAAA"},
      {0x80000000u, "W:AAAAAAAIAAAAAAAAAA"},  // shifted without sign
  };
  for (const auto& c : cases) {
    char title[temporaryTitleSize];
    std::memset(title, '?', sizeof title);
    makeTemporaryTitle(c.tick, title);
    EXPECT_STREQ(title, c.title) << c.tick;
  }
}
