#include <gtest/gtest.h>

#include "TestFiles.h"
#include "cards/CardParams.h"
#include "common/Text.h"
#include "search/Search.h"

TEST(SearchCriterion, MatchesByKind) {
  struct Case {
    int32_t kind;
    std::u16string input;  // text, "lower:upper" or choice
    std::u16string value;
    bool accepted;
  };
  const Case cases[] = {
      {1, u"Dragon", u"Fire Dragon", true},
      {1, u"dragon", u"Fire Dragon", false},            // letter case counts
      {1, u"\uFF24", u"D", false},                      // so does full width
      {1, u"\u30AB", u"\u304B", false},                 // and katakana against hiragana
      {1, u"", u"anything", false},                     // an empty search text accepts nothing
      {1, u"a", u"", false},
      {1, u"<b>", u"<b>Bold</b>", true},                // values are taken as stored
      {2, u"0:99", u"", true},
      {2, u"0:99", u"word", true},
      {2, u"0:99", u"0", true},
      {2, u"0:99", u"99", true},
      {2, u"0:99", u"100", false},
      {2, u"0:99", u"-1", false},
      {2, u"0:99", u"<b>5</b>", true},                  // a tag first reads as 0
      {2, u"1:9", u"<b>5</b>", false},
      {2, u"1:9", u" 7 cards", true},
      {2, u"1:9", u"\uFF17", false},                    // full-width digits are no digits
      {2, u"5:3", u"4", false},                         // a lower bound above the upper accepts nothing
      {2, u"x:y", u"0", true},                          // bounds that are no numbers read as 0
      {3, u"Red", u"Red", true},
      {3, u"Red", u"red", false},
      {3, u"Red", u"Red ", false},
      {3, u"", u"", true},
      {0, u"", u"whatever", true},
      {7, u"", u"whatever", true},
  };
  for (const Case& c : cases) {
    TSearchCriterion criterion;
    criterion.kind = c.kind;
    criterion.ticked = true;
    const std::size_t colon = c.input.find(u':');
    criterion.text = c.input;
    criterion.choice = c.input;
    if (c.kind == 2) {
      criterion.lower = c.input.substr(0, colon);
      criterion.upper = c.input.substr(colon + 1);
    }
    EXPECT_EQ(criterion.Matches(c.value), c.accepted) << c.kind << " " << ToUtf8(c.input) << " / " << ToUtf8(c.value);
    criterion.ticked = false;
    EXPECT_TRUE(criterion.Matches(c.value));  // an unticked criterion accepts everything
  }
}

TEST(SearchCriteria, AreRebuiltFromTheSchemaAndResetAtEachOpening) {
  TempFolder folder;
  TCardParams params;
  params.Load(folder.Write("g.ini",
                           "[Param00]\nKey=A\nName=a\nType=3\n[Param01]\nKey=B\nName=b\nType=2\n"
                           "[Param02]\nKey=A\nName=again\nType=1\n"));
  params.Item(0)->AddValue(u"zeta");
  params.Item(0)->AddValue(u"");
  params.Item(0)->AddValue(u"Alpha");
  TSearchCriteria criteria;
  criteria.Rebuild(params);
  ASSERT_EQ(criteria.Count(), 2u);
  TSearchCriterion& a = *criteria.Find(u"A");
  EXPECT_EQ(a.kind, 3);      // the first parameter of a repeated key
  EXPECT_EQ(a.choice, u"");  // the first of the sorted values: here the empty one
  a.ticked = true;
  a.choice = u"zeta";
  criteria.Find(u"B")->lower = u"5";
  criteria.ResetAll();
  EXPECT_FALSE(a.ticked);
  EXPECT_EQ(a.choice, u"zeta");  // the choice is kept
  EXPECT_EQ(criteria.Find(u"B")->lower, u"0");
  EXPECT_EQ(criteria.Find(u"B")->upper, u"99");
  EXPECT_EQ(criteria.Find(u"C"), nullptr);
}
