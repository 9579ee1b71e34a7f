// Deck lists pasted as text: the matching rules, the layers, the limits and
// the report of what could not be used.
#include <gtest/gtest.h>

#include "PluginFixture.h"
#include "common/Text.h"

namespace {

using Reason = TImportProblem::Reason;

// The small game: 001 Alpha (Limit 5), 002 Beta (Limit -1: none may be
// added), 003 Gamma, 004 Delta, 005 Epsilon; layers Main (10 copies, 3 a
// card) and Side (5, 2); card-list columns Number, Card name, Cost, Colour.
class DeckImportTest : public ::testing::Test {
 protected:
  DeckImportTest() : plugin_(game_.PluginFolder()) {
    plugin_.Load(game_.Definition());
    plugin_.FillAllCards();
  }

  std::string Deck() const { return DeckSummary(plugin_.Deck()); }

  MiniGame game_;
  RecordingPlugin plugin_;
};

}  // namespace

TEST_F(DeckImportTest, ReadsTheListsPlayersPaste) {
  struct Case {
    std::u16string text;
    int32_t layer;  // the selected tab
    const char* deck;
    std::vector<TImportProblem> problems;
  };
  const Case cases[] = {
      {u"2 Alpha\n1x Gamma\nDelta x2\n3 x Epsilon", 0, "Main:001x2,003x1,004x2,005x3 Side:", {}},
      {u"2 Alpha", 1, "Main: Side:001x2", {}},
      {u"  2   alpha  \n1 GAMMA\n1\tepsilon", 0, "Main:001x2,003x1,005x1 Side:", {}},   // case and blanks
      {u"2 001\n1 Red", 0, "Main:001x3 Side:", {}},   // a key, and a column (the colour)
      {u"Alpha\n", 0, "Main:001x1 Side:", {}},              // a name alone is one copy
      {u"[Side]\n1 Alpha\nmain\n2 Epsilon", 0, "Main:005x2 Side:001x1", {}},
      {u"Side:\n1 Alpha\nMAIN\n1 Gamma", 0, "Main:003x1 Side:001x1", {}},
      {u"Sideboard:\n1 Alpha", 0, "Main: Side:", {{1, u"Sideboard:", Reason::kNoLayer, 0, 0}, {2, u"1 Alpha", Reason::kNoLayer, 1, 0}}},
      {u"[Nowhere]\n1 Alpha\n[Main]\n1 Gamma", 0, "Main:003x1 Side:",
       {{1, u"[Nowhere]", Reason::kNoLayer, 0, 0}, {2, u"1 Alpha", Reason::kNoLayer, 1, 0}}},
      {u"6 Alpha\n1 Beta\n4 Gamma", 0, "Main:001x5,003x3 Side:",   // the card's own limit, then the layer's
       {{1, u"6 Alpha", Reason::kOverLimit, 6, 5}, {2, u"1 Beta", Reason::kOverLimit, 1, 0},
        {3, u"4 Gamma", Reason::kOverLimit, 4, 3}}},
      {u"\n2 Nobody\n1 Alpha★", 0, "Main: Side:",
       {{2, u"2 Nobody", Reason::kNoCard, 2, 0}, {3, u"1 Alpha★", Reason::kNoCard, 1, 0}}},
      {u"2147483647 Alpha", 0, "Main:001x5 Side:", {{1, u"2147483647 Alpha", Reason::kOverLimit, 2147483647, 5}}},
      {u"0 Alpha\n=Mini=", 0, "Main: Side:", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(ToUtf8(c.text));
    plugin_.NewDeck();
    const TImportReport report = plugin_.ImportDeck(c.text, c.layer);
    EXPECT_EQ(Deck(), c.deck);
    EXPECT_EQ(report.problems, c.problems);
  }
}

TEST_F(DeckImportTest, OfSeveralCardsTheFirstInTheCardListsOrderIsTaken) {
  // "red" names 001 (Red) and 004 (red) by their colour.
  plugin_.SortCardList(0, true);  // 005 ... 001
  plugin_.ImportDeck(u"1 red", 0);
  EXPECT_EQ(Deck(), "Main:004x1 Side:");
  plugin_.NewDeck();
  plugin_.SortCardList(0, false);
  plugin_.ImportDeck(u"1 red", 0);
  EXPECT_EQ(Deck(), "Main:001x1 Side:");
}

TEST_F(DeckImportTest, TheProgramsOwnTextsComeBackExactly) {
  plugin_.AddCardToDeck(0, 0);
  plugin_.AddCardToDeck(0, 0);
  plugin_.AddCardToDeck(4, 0);
  plugin_.AddCardToDeck(2, 1);
  const std::string deck = Deck();
  const std::u16string clipboard = plugin_.DeckClipboardText();
  const std::u16string file = u"=Mini=\n" + plugin_.DeckText();
  for (const std::u16string& text : {clipboard, file}) {
    SCOPED_TRACE(ToUtf8(text));
    plugin_.NewDeck();
    const TImportReport report = plugin_.ImportDeck(text, 1);
    EXPECT_EQ(Deck(), deck);
    EXPECT_TRUE(report.problems.empty());
    EXPECT_EQ(report.copies, 4);
  }
}

TEST_F(DeckImportTest, AnImportIsOneStep) {
  plugin_.ImportDeck(u"2 Alpha\n[Side]\n1 Gamma", 0);
  EXPECT_TRUE(plugin_.Deck().IsChanged());
  plugin_.UndoDeck();
  EXPECT_EQ(Deck(), "Main: Side:");
  EXPECT_FALSE(plugin_.Deck().IsChanged());
  plugin_.RedoDeck();
  EXPECT_EQ(Deck(), "Main:001x2 Side:003x1");
  plugin_.ImportDeck(u"1 Nobody", 0);  // nothing added: no step
  plugin_.UndoDeck();
  EXPECT_EQ(Deck(), "Main: Side:");
}
