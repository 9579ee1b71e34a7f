#include <gtest/gtest.h>

#include "TestFiles.h"
#include "deck/Deck.h"

TEST(DeckLayer, AddsWithinTheLimits) {
  TDeckLayer layer(u"Main", 5, 3);
  EXPECT_EQ(layer.Add(u"A", 0), 0);
  EXPECT_EQ(layer.Add(u"B", 0), 1);
  EXPECT_EQ(layer.Add(u"A", 0), 0);  // raised in place
  EXPECT_EQ(layer.Add(u"A", 0), 0);
  EXPECT_EQ(layer.Add(u"A", 0), -2);  // the item limit of 3
  EXPECT_EQ(layer.Add(u"a", 0), 2);   // keys are exact
  EXPECT_EQ(layer.TotalCount(), 5);
  EXPECT_EQ(layer.Add(u"B", 0), -1);  // the total limit, also for a card that is present
  EXPECT_EQ(layer.Entry(0).Count(), 3);
  EXPECT_TRUE(layer.IsChanged());
}

TEST(DeckLayer, ACardLimitReplacesTheItemLimit) {
  struct Case {
    int32_t cardLimit;
    int copies;
  };
  const Case cases[] = {{5, 5}, {0, 3}, {1, 1}, {-1, 0}};
  for (const Case& c : cases) {
    TDeckLayer layer(u"Main", 100, 3);
    int copies = 0;
    while (layer.Add(u"A", c.cardLimit) >= 0) ++copies;
    EXPECT_EQ(copies, c.copies) << c.cardLimit;
    EXPECT_EQ(layer.EntryCount(), c.copies > 0 ? 1 : 0);
    EXPECT_EQ(layer.IsChanged(), c.copies > 0);
  }
  TDeckLayer empty(u"None", 0, 3);  // a total limit of 0 holds nothing
  EXPECT_EQ(empty.Add(u"A", 5), -1);
}

// Adding many copies at once ends where single additions would stop.
TEST(DeckLayer, AddsManyCopiesAsSingleAdditionsWould) {
  struct Case {
    int32_t totalLimit, itemLimit, present, copies;
  };
  const Case cases[] = {
      {60, 3, 0, 2},  {60, 3, 0, 5},  {60, 3, 2, 5},  {4, 3, 2, 5},  {60, 3, 0, 0},
      {60, 3, 0, -4}, {0, 3, 0, 1},   {60, 0, 0, 1},  {60, -1, 0, 1}, {-1, 3, 0, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.totalLimit << "/" << c.itemLimit << " with " << c.present << " + " << c.copies);
    TDeckLayer single(u"Main", c.totalLimit, c.itemLimit);
    TDeckLayer many(u"Main", c.totalLimit, c.itemLimit);
    for (int32_t i = 0; i < c.present; ++i) {
      single.Add(u"B", 0);
      many.Add(u"B", 0);
    }
    single.Add(u"A", 1);  // another card first, so that the added one is not alone
    many.Add(u"A", 1);
    single.SetChanged(false);
    many.SetChanged(false);
    int32_t added = 0;
    while (added < c.copies && single.Add(u"B", 0) >= 0) ++added;
    EXPECT_EQ(many.AddCopies(u"B", c.copies), added);
    EXPECT_EQ(many.TotalCount(), single.TotalCount());
    EXPECT_EQ(many.IndexOf(u"B"), single.IndexOf(u"B"));
    if (single.IndexOf(u"B") >= 0) {
      EXPECT_EQ(many.Entry(many.IndexOf(u"B")).Count(), single.Entry(single.IndexOf(u"B")).Count());
    }
    EXPECT_EQ(many.IsChanged(), single.IsChanged());
  }
  TDeckLayer huge(u"Huge", INT32_MAX, INT32_MAX);
  EXPECT_EQ(huge.AddCopies(u"A", INT32_MAX), INT32_MAX);
  EXPECT_EQ(huge.AddCopies(u"A", 1), 0);
}

TEST(DeckLayer, RemovesOneCopyAtATime) {
  TDeckLayer layer(u"Main", 10, 3);
  layer.Add(u"A", 0);
  layer.Add(u"B", 0);
  layer.Add(u"B", 0);
  layer.Add(u"C", 0);
  layer.SetChanged(false);
  EXPECT_EQ(layer.Remove(1), 1);
  EXPECT_EQ(layer.Entry(1).Count(), 1);
  EXPECT_TRUE(layer.IsChanged());
  EXPECT_EQ(layer.Remove(0), 0);  // the last copy: later entries move up
  EXPECT_EQ(layer.Entry(0).Key(), u"B");
  EXPECT_EQ(layer.Entry(1).Key(), u"C");
  EXPECT_EQ(layer.TotalCount(), 2);
  EXPECT_EQ(layer.IndexOf(u"A"), -1);
}

TEST(DeckLayer, SwapsWithoutCountingAsAChange) {
  TDeckLayer layer(u"Main", 10, 3);
  layer.Add(u"A", 0);
  layer.Add(u"B", 0);
  layer.SetChanged(false);
  EXPECT_EQ(layer.Swap(0, -1), -1);
  EXPECT_EQ(layer.Swap(1, 2), -1);
  EXPECT_EQ(layer.Swap(0, 1), 0);
  EXPECT_EQ(layer.Entry(0).Key(), u"B");
  EXPECT_FALSE(layer.IsChanged());
  layer.SetSelectedRow(1);
  layer.Clear();
  EXPECT_EQ(layer.EntryCount(), 0);
  EXPECT_EQ(layer.SelectedRow(), -1);
  EXPECT_EQ(layer.TotalCount(), 0);
}

TEST(DeckData, ReadsLayerSectionsUpToTheFirstThatFails) {
  struct Case {
    std::string file;
    std::vector<std::u16string> names;
  };
  const Case cases[] = {
      {"[DeckLayer00]\nName=Main\nTotalLimit=40\nItemLimit=3\n[DeckLayer02]\nName=X\nTotalLimit=1\nItemLimit=1\n", {u"Main"}},
      {"[DeckLayer00]\nName=Main\nTotalLimit=-1\nItemLimit=3\n", {}},
      {"[DeckLayer00]\nName=Main\nTotalLimit=40\n", {}},
      {"[DeckLayer00]\nName=Main\nTotalLimit=40\nItemLimit=x\n", {}},
      {"[DeckLayer00]\nTotalLimit=40\nItemLimit=3\n", {}},
      {"[DeckLayer00]\nName=A\nTotalLimit=0\nItemLimit=-2\n", {u"A"}},
      {"[System]\nDeckLayerFormat=Layer%d\n[Layer0]\nName=A\nTotalLimit=1\nItemLimit=1\n", {u"A"}},
      {"[System]\nDeckLayerFormat=%s\n[DeckLayer00]\nName=A\nTotalLimit=1\nItemLimit=1\n", {}},
  };
  TempFolder folder;
  for (const Case& c : cases) {
    TDeckData deck;
    EXPECT_TRUE(deck.Load(folder.Write("g.ini", c.file)));
    std::vector<std::u16string> names;
    for (int32_t i = 0; i < deck.LayerCount(); ++i) names.push_back(deck.Layer(i).Name());
    EXPECT_EQ(names, c.names) << c.file;
  }
}

TEST(DeckData, CountsLayersPastTwoDigits) {
  std::string file;
  for (int n = 0; n <= 100; ++n) {
    const std::string number = n < 10 ? "0" + std::to_string(n) : std::to_string(n);
    file += "[DeckLayer" + number + "]\nName=L" + std::to_string(n) + "\nTotalLimit=1\nItemLimit=1\n";
  }
  TempFolder folder;
  TDeckData deck;
  deck.Load(folder.Write("g.ini", file));
  ASSERT_EQ(deck.LayerCount(), 101);
  EXPECT_EQ(deck.Layer(100).Name(), u"L100");
}

TEST(DeckData, TracksChangesOfAllLayers) {
  TempFolder folder;
  TDeckData deck;
  deck.Load(folder.Write("g.ini", "[DeckLayer00]\nName=A\nTotalLimit=9\nItemLimit=3\n[DeckLayer01]\nName=B\nTotalLimit=9\nItemLimit=3\n"));
  EXPECT_FALSE(deck.IsChanged());
  deck.Layer(1).Add(u"x", 0);
  EXPECT_TRUE(deck.IsChanged());
  deck.ClearEntries();
  EXPECT_FALSE(deck.IsChanged());
  EXPECT_EQ(deck.Layer(1).EntryCount(), 0);
  deck.SetChanged(true);
  EXPECT_TRUE(deck.Layer(0).IsChanged());
  deck.RemoveLayers();
  EXPECT_EQ(deck.LayerCount(), 0);
}
