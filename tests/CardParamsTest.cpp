#include <gtest/gtest.h>

#include "TestFiles.h"
#include "cards/CardParams.h"
#include "common/Text.h"

namespace {

std::vector<std::u16string> Keys(const TCardParams& params) {
  std::vector<std::u16string> keys;
  for (int32_t i = 0; i < params.Count(); ++i) keys.push_back(params.Item(i)->Key());
  return keys;
}

std::vector<std::u16string> Values(const TCardParamItem& item) {
  return std::vector<std::u16string>(item.Values().begin(), item.Values().end());
}

}  // namespace

TEST(CardParams, ReadsTheUnbrokenRunOfSections) {
  TCardParams params;
  EXPECT_TRUE(params.Load(FixturePath("game-cp932.ini")));
  // Param05 has Type -1 and ends the list although its Key and Name are set.
  ASSERT_EQ(Keys(params), (std::vector<std::u16string>{u"No", u"Name", u"Cost", u"Color", u"Text"}));
  const TCardParamItem& name = *params.Item(1);
  EXPECT_EQ(name.Name(), u"\u30AB\u30FC\u30C9\u540D");
  EXPECT_EQ(name.Type(), TCardParamItem::kText);
  EXPECT_EQ(name.Index(), 1);
  EXPECT_EQ(name.Width(), 180);
  EXPECT_EQ(params.Item(2)->Format(), u"%d");
  EXPECT_EQ(params.Item(2)->Width(), 100);
  EXPECT_EQ(params.Item(4)->Type(), TCardParamItem::kNone);  // no Type: a parameter without criterion
  EXPECT_EQ(params.Item(5), nullptr);
  EXPECT_EQ(params.Item(-1), nullptr);
}

TEST(CardParams, StopsAtTheFirstSectionThatFails) {
  struct Case {
    std::string file;
    std::vector<std::u16string> keys;
  };
  const Case cases[] = {
      {"[Param00]\nKey=A\nName=a\n[Param01]\nKey=B\nName=b\n[Param03]\nKey=D\nName=d\n", {u"A", u"B"}},
      {"[Param00]\nKey=A\nName=a\n[Param01]\nKey=B\n[Param02]\nKey=C\nName=c\n", {u"A"}},
      {"[Param00]\nName=a\n", {}},
      {"[Param00]\nKey=A\nName=a\nType=-1\n", {}},
      {"[Param00]\nKey=A\nName=a\nType=x\nWidth=y\n", {u"A"}},
      {"", {}},
  };
  TempFolder folder;
  for (const Case& c : cases) {
    TCardParams params;
    params.Load(folder.Write("g.ini", c.file));
    EXPECT_EQ(Keys(params), c.keys) << c.file;
  }
}

TEST(CardParams, CountsOnPastParam99) {
  std::string file;
  for (int n = 0; n <= 100; ++n) {
    const std::string number = n < 10 ? "0" + std::to_string(n) : std::to_string(n);
    file += "[Param" + number + "]\nKey=K" + std::to_string(n) + "\nName=N\n";
  }
  TempFolder folder;
  TCardParams params;
  params.Load(folder.Write("g.ini", file));
  ASSERT_EQ(params.Count(), 101);
  EXPECT_EQ(params.Item(100)->Key(), u"K100");
  EXPECT_EQ(params.Item(100)->Index(), 100);
}

TEST(CardParams, FindsByExactKey) {
  TempFolder folder;
  TCardParams params;
  params.Load(folder.Write("g.ini", "[Param00]\nKey=Cost\nName=a\n[Param01]\nKey=Cost\nName=b\n"));
  ASSERT_NE(params.Find(u"Cost"), nullptr);
  EXPECT_EQ(params.Find(u"Cost")->Name(), u"a");  // the first of a repeated key
  EXPECT_EQ(params.Find(u"cost"), nullptr);
  EXPECT_EQ(params.Find(u""), nullptr);
  params.Clear();
  EXPECT_EQ(params.Count(), 0);
}

TEST(CardParamValues, KeepOneFormPerLetterCaseInOrder) {
  TCardParamItem item(u"Color", u"Colour", TCardParamItem::kChoice);
  for (const char16_t* value : {u"red", u"Blue", u"RED", u"green", u"", u"blue", u"\u8D64", u"\u0391\u0392",
                                u"\u03B1\u03B2", u"\u0414\u0430", u"\u0434\u0410"}) {
    item.AddValue(value);
  }
  EXPECT_EQ(Values(item), (std::vector<std::u16string>{u"", u"Blue", u"green", u"red", u"\u0391\u0392",
                                                       u"\u0414\u0430", u"\u8D64"}));
  item.AddValue(u"Amber");
  EXPECT_EQ(Values(item).front(), u"");
  EXPECT_EQ(Values(item)[1], u"Amber");
}
