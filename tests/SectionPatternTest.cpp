#include <gtest/gtest.h>

#include "common/SectionPattern.h"
#include "common/Text.h"

TEST(SectionPattern, FormatsOneIntegerConversion) {
  struct Case {
    std::u16string pattern;
    int32_t n;
    std::u16string name;
  };
  const Case cases[] = {
      {u"Param%02d", 0, u"Param00"},
      {u"Param%02d", 7, u"Param07"},
      {u"Param%02d", 100, u"Param100"},   // two digits are a minimum width
      {u"DeckLayer%d", 12, u"DeckLayer12"},
      {u"%dSection", 3, u"3Section"},
      {u"L%-3d|", 5, u"L5  |"},
      {u"L%3d", 5, u"L  5"},
      {u"L%+d", 5, u"L+5"},
      {u"L%.3d", 5, u"L005"},
      {u"L%i", 4, u"L4"},
      {u"L%x", 255, u"Lff"},
      {u"L%#X", 255, u"L0XFF"},
      {u"L%o", 8, u"L10"},
      {u"L%ld", 9, u"L9"},
      {u"100%% %d", 1, u"100% 1"},
      {u"\u5C64%02d", 1, u"\u5C6401"},
  };
  for (const Case& c : cases) {
    const auto pattern = SectionPattern::Parse(c.pattern);
    ASSERT_TRUE(pattern.has_value()) << ToUtf8(c.pattern);
    EXPECT_EQ(pattern->Format(c.n), c.name) << ToUtf8(c.pattern);
  }
}

TEST(SectionPattern, RefusesAnythingButOneIntegerConversion) {
  const std::u16string refused[] = {
      u"", u"Param", u"100%%", u"%s", u"%n", u"%p", u"%f", u"%c", u"%d%d", u"%d%s", u"%", u"Param%",
      u"%99999d", u"%.99999d", u"%65d", u"%lld", u"%*d", u"%1$d",
  };
  for (const std::u16string& text : refused) {
    EXPECT_FALSE(SectionPattern::Parse(text).has_value()) << ToUtf8(text);
  }
  EXPECT_TRUE(SectionPattern::Parse(u"%64d").has_value());
}
