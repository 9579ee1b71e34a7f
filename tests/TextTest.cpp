#include <gtest/gtest.h>

#include <climits>

#include "common/FilePath.h"
#include "common/Text.h"

using Items = std::vector<std::u16string>;

TEST(OrdinalComparison, ComparesCodeUnitsAsUnsignedNumbers) {
  struct Case {
    std::u16string a, b;
    int expected;
  };
  const Case cases[] = {
      {u"", u"", 0},
      {u"", u"a", -1},
      {u"ab", u"abc", -1},            // a proper prefix is smaller
      {u"B", u"a", -1},               // no case folding
      {u"10", u"9", -1},              // no numbers
      {u"\uFF41", u"\u3042", 1},      // full-width a after hiragana a
      {u"\U0001F600", u"\uFFFF", -1},  // surrogates are code units like others
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CompareOrdinal(c.a, c.b), c.expected);
    EXPECT_EQ(CompareOrdinal(c.b, c.a), -c.expected);
  }
}

TEST(IgnoringCase, FoldsEveryScriptWithLetterCase) {
  struct Case {
    std::u16string a;
    std::u16string b;
    bool equal;
  };
  const Case cases[] = {
      {u"System", u"SYSTEM", true},
      {u"\u00C9t\u00E9", u"\u00E9T\u00C9", true},                    // Latin-1
      {u"\uFF21", u"\uFF41", true},                                    // full-width
      {u"\u0391\u0392", u"\u03B1\u03B2", true},                        // Greek
      {u"\u03A3", u"\u03C2", true},                                    // capital and final sigma
      {u"\u0414\u0416", u"\u0434\u0436", true},                        // Cyrillic
      {u"\u0531", u"\u0561", true},                                    // Armenian
      {u"\u10A0", u"\u2D00", true},                                    // Georgian
      {u"\u13A0", u"\uAB70", true},                                    // Cherokee
      {u"\u212A", u"k", true},                                          // the Kelvin sign
      {u"\u00B5", u"\u03BC", true},                                    // micro sign and mu
      {u"\U00010400x", u"\U00010428X", true},                          // Deseret, outside the basic plane
      {u"\U0001E900", u"\U0001E922", true},                            // Adlam
      {u"\u30A2", u"\u3042", false},                                   // katakana and hiragana differ
      {u"\u00DF", u"ss", false},                                        // one character never becomes two
      {u"\u0130", u"i", false},
      {u"ab", u"abc", false},
      {u"\U00010400", u"\U00010401", false},
      {std::u16string(1, 0xD801) + u"x", std::u16string(1, 0xD801) + u"X", true},  // a lone surrogate
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(ToUtf8(c.a) + " / " + ToUtf8(c.b));
    EXPECT_EQ(EqualsIgnoreCase(c.a, c.b), c.equal);
    EXPECT_EQ(CompareIgnoreCase(c.a, c.b) == 0, c.equal);
    EXPECT_EQ(CompareIgnoreCase(c.a, c.b), -CompareIgnoreCase(c.b, c.a));
    if (c.equal) {
      EXPECT_EQ(IgnoreCaseHash{}(c.a), IgnoreCaseHash{}(c.b));
    }
  }
  EXPECT_LT(CompareIgnoreCase(u"apple", u"Banana"), 0);
  EXPECT_LT(CompareIgnoreCase(u"\u03B1", u"\u0392"), 0);
}

TEST(CommaList, ReadsByTheCommaTextRule) {
  struct Case {
    std::u16string text;
    Items items;
  };
  const Case cases[] = {
      {u"", {}},
      {u"   ", {}},
      {u"Text", {u"Text"}},
      {u"a,b", {u"a", u"b"}},
      {u"  a , b  ", {u"a", u"b"}},
      {u"a b\tc", {u"a", u"b", u"c"}},           // blanks separate items too
      {u"a,", {u"a", u""}},                       // a comma at the end adds an empty item
      {u",", {u"", u""}},
      {u"a,,b", {u"a", u"", u"b"}},
      {u"a, ,b", {u"a", u"", u"b"}},
      {u"\"a b\",c", {u"a b", u"c"}},
      {u"\"say \"\"hi\"\"\"", {u"say \"hi\""}},  // a doubled mark stands for one
      {u"\"ab\"cd,e", {u"ab", u"cd", u"e"}},      // text after a closing mark is a further item
      {u"\"\"", {u""}},
      {u"\"open", {u"open"}},                      // no closing mark: runs to the end
      {u"\x01" u"a\x1F" u"b", {u"a", u"b"}},
      {u"\u540D\u524D,\u30B3\u30B9\u30C8", {u"\u540D\u524D", u"\u30B3\u30B9\u30C8"}},
      {std::u16string(u"a\0b,c", 5), {u"a"}},     // a NUL ends the text
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ReadCommaList(c.text), c.items) << ToUtf8(c.text);
  }
}

TEST(CommaList, WritesQuotingWhatNeedsIt) {
  struct Case {
    Items items;
    std::u16string text;
  };
  const Case cases[] = {
      {{}, u""},
      {{u""}, u"\"\""},
      {{u"a", u"b"}, u"a,b"},
      {{u"a", u""}, u"a,"},
      {{u"a b"}, u"\"a b\""},
      {{u"x,y"}, u"\"x,y\""},
      {{u"say \"hi\""}, u"\"say \"\"hi\"\"\""},
      {{u"tab\there"}, u"\"tab\there\""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(WriteCommaList(c.items), c.text);
    if (!c.items.empty()) {
      EXPECT_EQ(ReadCommaList(c.text), c.items) << ToUtf8(c.text);
    }
  }
}

TEST(IntegerReading, TakesLeadingDigitsAndSaturates) {
  struct Case {
    std::u16string text;
    int32_t value;
  };
  const Case cases[] = {
      {u"", 0},
      {u"abc", 0},
      {u"12", 12},
      {u" 12", 12},
      {u"\u300012", 12},        // ideographic space
      {u"\t\r\n 7x", 7},
      {u"+7", 7},
      {u"-3", -3},
      {u"2+", 2},
      {u"1.5", 1},
      {u"-", 0},
      {u"+-1", 0},
      {u"\uFF11\uFF12", 0},     // full-width digits are no digits
      {u"<b>5</b>", 0},
      {u"2147483647", INT32_MAX},
      {u"2147483648", INT32_MAX},
      {u"99999999999999999999999", INT32_MAX},
      {u"-2147483648", INT32_MIN},
      {u"-99999999999", INT32_MIN},
      {u"0000000000000000000000012", 12},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(TextToInt(c.text), c.value) << ToUtf8(c.text);
  }
}

TEST(Utf8, RoundTripsAndReplacesInvalidBytes) {
  const std::u16string text = u"A\u00E9\u3042\U0001F600";
  EXPECT_EQ(ToUtf8(text), "A\xC3\xA9\xE3\x81\x82\xF0\x9F\x98\x80");
  EXPECT_EQ(FromUtf8(ToUtf8(text)), text);
  EXPECT_EQ(FromUtf8("a\xFF" "b\xC0\xAF" "c\xE3\x81"), u"a\uFFFDb\uFFFD\uFFFDc\uFFFD\uFFFD");
  EXPECT_EQ(ToUtf8(std::u16string{char16_t(0xD800), u'x'}), "\xEF\xBF\xBDx");  // a lone surrogate
}

TEST(Paths, FolderIsTheTextUpToTheLastSeparator) {
  struct Case {
    std::u16string path, folder, name;
  };
  const Case cases[] = {
      {u"/games/Plugin/sample.ini", u"/games/Plugin/", u"sample.ini"},
      {u"C:\\Game\\Plugin\\a.ini", u"C:\\Game\\Plugin\\", u"a.ini"},
      {u"C:a.ini", u"C:", u"a.ini"},
      {u"sub\\cards.txt", u"sub\\", u"cards.txt"},
      {u"cards.txt", u"", u"cards.txt"},
      {u"folder/", u"folder/", u""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FolderOf(c.path), c.folder);
    EXPECT_EQ(FileNameOf(c.path), c.name);
    EXPECT_EQ(FolderOf(c.path) + FileNameOf(c.path), c.path);
  }
  EXPECT_EQ(NativePath(u"plugin\\images\\a.zip"), "plugin/images/a.zip");
}
