// The make-up of a deck by a card parameter.
#include <gtest/gtest.h>

#include "PluginFixture.h"
#include "common/Text.h"
#include "deck/DeckStats.h"

namespace {

// "value:copies" per group, then the average when there is one.
std::string Describe(const TDeckStats& stats) {
  std::string text;
  for (const TStatsGroup& group : stats.groups) text += ToUtf8(group.value) + ":" + std::to_string(group.copies) + " ";
  if (stats.average) text += "avg " + std::to_string(*stats.average).substr(0, 4);
  return text;
}

}  // namespace

TEST(DeckStats, GroupsTheCopiesByAParameter) {
  MiniGame game;
  RecordingPlugin plugin(game.PluginFolder());
  ASSERT_TRUE(plugin.Load(game.Definition()));
  plugin.FillAllCards();
  // Main: 001 (Cost 3, Red) x2, 004 (Cost 9, red) x1, 003 (no cost, Green) x1, a card not in
  // the catalogue x1; Side: 005 (Cost 2, Blue) x2.
  plugin.ImportDeck(u"2 001\n1 004\n1 003\n[Side]\n2 005", 0);
  plugin.Deck().Layer(0).Add(u"999", 0);
  struct Case {
    const char16_t* key;
    int32_t layer;
    std::string groups;
    int64_t copies;
  };
  const Case cases[] = {
      {u"Cost", 0, "3:2 9:1 :2 avg 5.00", 5},            // numbers in order, then what is no number
      {u"Cost", -1, "2:2 3:2 9:1 :2 avg 3.80", 7},       // the whole deck
      {u"Cost", 1, "2:2 avg 2.00", 2},
      {u"Color", 0, ":1 Green:1 Red:3 ", 5},             // letter case ignored, the first form kept
      {u"Color", -1, ":1 Blue:2 Green:1 Red:3 ", 7},
      {u"Name", 1, "Epsilon:2 ", 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(ToUtf8(c.key) + " " + std::to_string(c.layer));
    const TDeckStats stats = ComputeDeckStats(plugin.Deck(), c.layer, plugin.Cards(), *plugin.Params().Find(c.key));
    EXPECT_EQ(Describe(stats), c.groups);
    EXPECT_EQ(stats.copies, c.copies);
  }
  plugin.NewDeck();
  const TDeckStats empty = ComputeDeckStats(plugin.Deck(), -1, plugin.Cards(), *plugin.Params().Find(u"Cost"));
  EXPECT_TRUE(empty.groups.empty());
  EXPECT_FALSE(empty.average);
}
