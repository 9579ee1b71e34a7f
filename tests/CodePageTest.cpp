#include <gtest/gtest.h>

#include "common/CodePage.h"

TEST(CodePage, DecodesJapaneseText) {
  // "カード" and "テスト" with an ASCII digit and a half-width katakana.
  EXPECT_EQ(FromCp932("\x83\x4A\x81\x5B\x83\x68" "1\xB1"), u"\u30AB\u30FC\u30C9" u"1\uFF71");
  EXPECT_EQ(FromCp932("\x83\x65\x83\x58\x83\x67"), u"\u30C6\u30B9\u30C8");
  EXPECT_EQ(FromCp932("\\~"), u"\\~");
  EXPECT_EQ(FromCp932(std::string("a\0b", 3)), std::u16string(u"a\0b", 3));
}

TEST(CodePage, DecodesEveryByteSequenceToSomething) {
  struct Case {
    std::string bytes;
    std::u16string text;
  };
  const Case cases[] = {
      {"\x80", u"\uFFFD"},
      {"\xFF", u"\uFFFD"},
      {"\x81", u"\uFFFD"},                   // a lead byte at the end
      {"\x81\n", u"\uFFFD\n"},               // the line feed is not swallowed
      {"\x83=x", u"\uFFFD=x"},
      {"\x85\x40", u"\uFFFD"},               // an undefined pair is one character
      {"\x83\x4A\x83", u"\u30AB\uFFFD"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FromCp932(c.bytes), c.text);
  }
}

TEST(CodePage, EncodesWithQuestionMarkForWhatItCannotHold) {
  EXPECT_EQ(ToCp932(u"\u30AB\u30FC\u30C9" u"A\uFF71"), "\x83\x4A\x81\x5B\x83\x68" "A\xB1");
  EXPECT_EQ(ToCp932(u"caf\u00E9"), "caf?");
  EXPECT_EQ(ToCp932(u"\U0001F600!"), "?!");  // one mark for a surrogate pair
  EXPECT_EQ(ToCp932(std::u16string(1, char16_t(0xDC00))), "?");
  EXPECT_EQ(ToCp932(u"\u2252"), "\x81\xE0");   // the NEC duplicate is not chosen
  EXPECT_EQ(ToCp932(u"\uFF5E"), "\x81\x60");
}

TEST(CodePage, EveryDefinedPairSurvivesARoundTrip) {
  int defined = 0;
  for (int lead = 0x81; lead <= 0xFC; ++lead) {
    for (int trail = 0x40; trail <= 0xFC; ++trail) {
      const std::string pair{static_cast<char>(lead), static_cast<char>(trail)};
      const std::u16string text = FromCp932(pair);
      if (text.size() != 1 || text[0] == u'\uFFFD') continue;
      ++defined;
      EXPECT_EQ(FromCp932(ToCp932(text)), text) << lead << " " << trail;
    }
  }
  EXPECT_GT(defined, 7000);
}

TEST(CodePage932, TextFilesAreUtf8WhenSoundElseCodePage932) {
  struct Case {
    std::string bytes;
    std::u16string text;
  };
  const Case cases[] = {
      {"plain", u"plain"},
      {"\xEF\xBB\xBF" "mark", u"mark"},
      {"\xE3\x82\xAB\xE3\x83\xBC\xE3\x83\x89", u"\u30AB\u30FC\u30C9"},  // カード in UTF-8
      {"\x83\x4A\x81\x5B\x83\x68", u"\u30AB\u30FC\u30C9"},              // and in code page 932
      {"\xF0\x9F\x83\x8F", u"\U0001F0CF"},
      {"\xC0\xAF", FromCp932("\xC0\xAF")},          // an overlong form is no UTF-8
      {"\xED\xA0\x80", FromCp932("\xED\xA0\x80")},  // nor is a surrogate
      {"\xE3\x82", FromCp932("\xE3\x82")},          // nor a sequence cut short
  };
  for (const Case& c : cases) EXPECT_EQ(FromUtf8OrCp932(c.bytes), c.text) << c.bytes;
}

