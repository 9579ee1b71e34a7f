#include <gtest/gtest.h>

#include <deque>

#include "cards/CardItem.h"
#include "common/Text.h"
#include "search/CardListResult.h"

namespace {

// Cards named by an id, with values for A and B.
class CardListResultTest : public ::testing::Test {
 protected:
  void Add(std::u16string id, std::u16string a, std::u16string b = u"") {
    TCardItem& card = cards_.emplace_back();
    card.SetValue(u"Id", id);
    if (!a.empty()) card.SetValue(u"A", a);
    card.SetValue(u"B", b);
    result_.Append(&card);
  }
  std::vector<std::u16string> Ids() const {
    std::vector<std::u16string> ids;
    for (int32_t row = 0; row < result_.Count(); ++row) ids.emplace_back(result_.CardAt(row)->Value(u"Id"));
    return ids;
  }

  std::deque<TCardItem> cards_;
  TCardListResult result_;
};

using Rows = std::vector<std::u16string>;

}  // namespace

TEST_F(CardListResultTest, SortsOrdinallyWithoutNumbers) {
  Add(u"ten", u"10");
  Add(u"nine", u"9");
  Add(u"hundred", u"100");
  Add(u"none", u"");
  EXPECT_EQ(result_.Sort({u"A"}, false), 0);
  EXPECT_EQ(Ids(), (Rows{u"none", u"ten", u"hundred", u"nine"}));
  result_.Sort({u"A"}, true);
  EXPECT_EQ(Ids(), (Rows{u"nine", u"hundred", u"ten", u"none"}));
}

TEST_F(CardListResultTest, ConcatenatesPlainValuesOfSeveralKeys) {
  Add(u"first", u"1", u"Zed");
  Add(u"second", u"10", u"Abe");
  Add(u"marked", u"<b>0</b>", u"x");   // sorts by its plain value "0x"
  Add(u"broken", u"1", u"x>y<b>");     // markup that cannot be parsed sorts as processed: "1x>y>"
  result_.Sort({u"A", u"B"}, false);
  EXPECT_EQ(Ids(), (Rows{u"marked", u"second", u"first", u"broken"}));
}

TEST_F(CardListResultTest, KeepsTheOrderOfEqualCardsInBothDirections) {
  Add(u"p", u"same");
  Add(u"q", u"same");
  Add(u"r", u"other");
  Add(u"s", u"same");
  result_.Sort({u"A"}, false);
  EXPECT_EQ(Ids(), (Rows{u"r", u"p", u"q", u"s"}));
  result_.Sort({u"A"}, true);
  EXPECT_EQ(Ids(), (Rows{u"p", u"q", u"s", u"r"}));
  result_.Sort({u"A"}, false);
  EXPECT_EQ(Ids(), (Rows{u"r", u"p", u"q", u"s"}));
}

TEST_F(CardListResultTest, AnEmptyKeyListLeavesTheOrder) {
  Add(u"b", u"2");
  Add(u"a", u"1");
  EXPECT_EQ(result_.Sort({}, false), -1);
  EXPECT_EQ(Ids(), (Rows{u"b", u"a"}));
}
