#include <gtest/gtest.h>

#include "PluginFixture.h"
#include "common/Text.h"

namespace {

using Texts = std::vector<std::u16string>;

Texts ResultKeys(const TPlugin& plugin) {
  Texts keys;
  for (int32_t row = 0; row < plugin.ListResult().Count(); ++row) {
    keys.emplace_back(plugin.ListResult().CardAt(row)->Value(u"No"));
  }
  return keys;
}

Texts Captions(const TSectionList& sections) {
  Texts captions;
  for (int32_t i = 0; i < sections.Count(); ++i) captions.push_back(sections.Item(i)->Name());
  return captions;
}

}  // namespace

TEST(Plugin, LoadsAGameDefinitionAndItsCardFiles) {
  MiniGame game;
  TPlugin plugin(game.PluginFolder());
  ASSERT_TRUE(plugin.Load(game.Definition()));
  EXPECT_EQ(plugin.Name(), u"Mini");
  EXPECT_EQ(plugin.UniqueKey(), u"No");
  EXPECT_EQ(plugin.TextKey(), (Texts{u"Text", u"Flavor"}));
  EXPECT_EQ(plugin.Version(), 3);
  EXPECT_EQ(plugin.CardList(), (Texts{u"cards-a.txt", u"CARDS-B.TXT"}));
  EXPECT_EQ(plugin.FileName(), game.Definition());
  EXPECT_EQ(plugin.Image(), u"mini.zip,missing.zip");
  // The archives lie in the Plugin folder, found ignoring letter case.
  EXPECT_EQ(plugin.ImageArchives(), (Texts{game.folder.Path("Plugin/Mini.zip"), game.folder.Path("Plugin/missing.zip")}));
  EXPECT_EQ(plugin.Params().Count(), 5);
  EXPECT_EQ(plugin.Cards().Count(), 5u);
  EXPECT_EQ(plugin.Cards().Find(u"003")->Value(u"Name"), u"Gamma");  // the later file wins
  EXPECT_EQ(Captions(plugin.CardSections()), (Texts{u"Number", u"Card name", u"Cost", u"Colour"}));
  EXPECT_EQ(Captions(plugin.DeckSections()), (Texts{u"Card name", u"Cost"}));
  EXPECT_EQ(plugin.Deck().LayerCount(), 2);
  EXPECT_EQ(plugin.ListResult().Count(), 0);
  EXPECT_EQ(plugin.Criteria().Find(u"Color")->choice, u"Blue");
}

TEST(Plugin, ReadsItsOwnCardsByDefault) {
  // The file's own name is one item, whatever the comma rule would make of it;
  // beside each lie files named by its pieces, with other cards.
  for (const std::string name : {"self.ini", "my game.ini", "a,b.ini", "\"q\".ini"}) {
    SCOPED_TRACE(name);
    TempFolder folder;
    for (const char* piece : {"my", "game.ini", "a", "b.ini", "q", "q.ini"}) {
      folder.Write(std::string("Plugin/") + piece, "[CardData]\nNo=other\n");
    }
    const std::u16string path = folder.Write("Plugin/" + name,
        "[System]\nName=Self\n[Param00]\nKey=No\nName=N\n[CardData1]\nNo=1\nText=one\n[CardData2]\nNo=2\n");
    TPlugin plugin(folder.Path("Plugin/"));
    ASSERT_TRUE(plugin.Load(path));
    EXPECT_EQ(plugin.CardList(), (Texts{FromUtf8(name)}));
    EXPECT_EQ(plugin.Cards().Count(), 2u);
    EXPECT_EQ(plugin.CardText(*plugin.Cards().Find(u"1")), u"one\n");
  }
}

TEST(Plugin, TakesCardFilesFromItsOwnFolderOnly) {
  TempFolder folder;
  folder.Write("Plugin/b.txt", "[CardData]\nNo=B\n");
  folder.Write("Plugin/sub/a.txt", "[CardData]\nNo=A\n");
  folder.Write("Plugin/a.txt", "[CardData]\nNo=plainA\n");
  TPlugin plugin(folder.Path("Plugin/"));
  // The value is cut after its last folder separator: only "b.txt" remains.
  ASSERT_TRUE(plugin.Load(folder.Write("Plugin/g.ini", "[System]\nName=G\nCardList=sub\\a.txt,sub\\b.txt\n")));
  EXPECT_EQ(plugin.CardList(), (Texts{u"b.txt"}));
  EXPECT_EQ(plugin.Cards().Count(), 1u);
  ASSERT_TRUE(plugin.Load(folder.Write("Plugin/g.ini", "[System]\nName=G\nCardList=sub/a.txt\n")));
  EXPECT_NE(plugin.Cards().Find(u"plainA"), nullptr);
  // "..", a missing file and the definition itself twice are read or skipped, nothing more.
  ASSERT_TRUE(plugin.Load(folder.Write("Plugin/g.ini", "[System]\nName=G\nCardList=..,missing.txt,g.ini,g.ini,\n[CardData]\nNo=self\n")));
  EXPECT_EQ(plugin.Cards().Count(), 1u);
  ASSERT_TRUE(plugin.Load(folder.Write("Plugin/g.ini", "[System]\nName=G\nCardList=\n[CardData]\nNo=self\n")));
  EXPECT_EQ(plugin.Cards().Count(), 0u);  // an empty CardList names no file
}

TEST(Plugin, AFailedLoadLeavesEverythingEmpty) {
  MiniGame game;
  const std::string broken[] = {
      "[System]\nName=X\nUniqueKey=\n[DeckLayer00]\nName=A\nTotalLimit=1\nItemLimit=1\n",
      "[System]\nUniqueKey=No\n",
  };
  for (const std::string& file : broken) {
    TPlugin plugin(game.PluginFolder());
    ASSERT_TRUE(plugin.Load(game.Definition()));
    plugin.FillAllCards();
    EXPECT_FALSE(plugin.Load(game.folder.Write("Plugin/bad.ini", file + "Image=other.zip\n")));
    EXPECT_EQ(plugin.Name(), u"");
    EXPECT_EQ(plugin.FileName(), u"");
    EXPECT_EQ(plugin.UniqueKey(), u"");
    EXPECT_EQ(plugin.Params().Count(), 0);
    EXPECT_EQ(plugin.Cards().Count(), 0u);
    EXPECT_EQ(plugin.ListResult().Count(), 0);
    EXPECT_EQ(plugin.CardSections().Count(), 0);
    EXPECT_EQ(plugin.Deck().LayerCount(), 0);
    EXPECT_EQ(plugin.Criteria().Count(), 0u);
  }
  TPlugin plugin(game.PluginFolder());
  EXPECT_FALSE(plugin.Load(game.folder.Path("Plugin/none.ini")));
}

TEST(Plugin, ASecondLoadKeepsNothingOfTheFirst) {
  MiniGame game;
  TPlugin plugin(game.PluginFolder());
  ASSERT_TRUE(plugin.Load(game.Definition()));
  plugin.Deck().Layer(0).Add(u"001", 0);
  ASSERT_TRUE(plugin.Load(game.folder.Write("Plugin/other.ini", "[System]\nName=Other\n[Param00]\nKey=No\nName=N\n")));
  EXPECT_EQ(plugin.Params().Count(), 1);
  EXPECT_EQ(plugin.Cards().Count(), 0u);
  EXPECT_EQ(plugin.Deck().LayerCount(), 0);
  EXPECT_EQ(plugin.ImageArchives(), Texts{});
}

TEST(Plugin, FillsAndSortsTheCardList) {
  MiniGame game;
  TPlugin plugin(game.PluginFolder());
  ASSERT_TRUE(plugin.Load(game.Definition()));
  plugin.FillAllCards();
  EXPECT_EQ(ResultKeys(plugin), (Texts{u"001", u"002", u"003", u"004", u"005"}));
  plugin.SortCardList(2, false);  // Cost, as text
  EXPECT_EQ(ResultKeys(plugin), (Texts{u"003", u"002", u"005", u"001", u"004"}));
  plugin.SortCardList(1, true);
  EXPECT_EQ(ResultKeys(plugin), (Texts{u"003", u"005", u"004", u"002", u"001"}));
  plugin.SortCardList(9, false);  // no such column: the order stays
  EXPECT_EQ(ResultKeys(plugin), (Texts{u"003", u"005", u"004", u"002", u"001"}));
  plugin.CardSections().Item(0)->SetVisible(false);
  plugin.SortCardList(3, false);
  EXPECT_EQ(ResultKeys(plugin), (Texts{u"003", u"005", u"004", u"002", u"001"}));
}

TEST(Plugin, CardTextJoinsTheTextKeys) {
  MiniGame game;
  TPlugin plugin(game.PluginFolder());
  ASSERT_TRUE(plugin.Load(game.Definition()));
  EXPECT_EQ(plugin.CardText(*plugin.Cards().Find(u"001")), u"<b>Swift</b>\nFast.\n");
  EXPECT_EQ(plugin.CardText(*plugin.Cards().Find(u"002")), u"\n\n");
}

TEST(Plugin, AddsCardsUnderTheirOwnLimit) {
  MiniGame game;
  TPlugin plugin(game.PluginFolder());
  ASSERT_TRUE(plugin.Load(game.Definition()));
  plugin.FillAllCards();
  struct Case {
    int32_t row;
    int copies;  // in a layer of item limit 3
  };
  const Case cases[] = {{0, 5}, {1, 0}, {2, 3}, {3, 4}, {4, 3}};  // 5; -1; a word; <b>4</b>; none
  for (const Case& c : cases) {
    plugin.NewDeck();
    int copies = 0;
    while (plugin.AddCardToDeck(c.row, 0) >= 0) ++copies;
    EXPECT_EQ(copies, c.copies) << c.row;
  }
  EXPECT_EQ(plugin.Deck().Layer(0).Entry(0).Key(), u"005");
  EXPECT_EQ(plugin.AddCardToDeck(5, 0), -1);
  EXPECT_EQ(plugin.AddCardToDeck(0, 2), -1);
  EXPECT_EQ(plugin.AddCardToDeck(-1, 0), -1);
}

TEST(Plugin, RemovesAndMovesDeckEntries) {
  MiniGame game;
  TPlugin plugin(game.PluginFolder());
  ASSERT_TRUE(plugin.Load(game.Definition()));
  plugin.FillAllCards();
  plugin.AddCardToDeck(0, 1);
  plugin.AddCardToDeck(0, 1);
  plugin.AddCardToDeck(4, 1);
  plugin.Deck().SetChanged(false);
  EXPECT_TRUE(plugin.MoveDeckEntry(1, 0, 1));
  EXPECT_FALSE(plugin.Deck().IsChanged());
  EXPECT_FALSE(plugin.MoveDeckEntry(1, 1, 2));
  EXPECT_FALSE(plugin.MoveDeckEntry(7, 0, 1));
  EXPECT_EQ(plugin.RemoveDeckEntry(1, 1), 1);
  EXPECT_EQ(plugin.RemoveDeckEntry(1, 1), 0);
  EXPECT_EQ(plugin.RemoveDeckEntry(1, 1), 0);  // no such row: nothing happens
  EXPECT_EQ(plugin.RemoveDeckEntry(-1, 0), 0);
  EXPECT_TRUE(plugin.Deck().IsChanged());
  EXPECT_TRUE(plugin.NewDeck());
  EXPECT_FALSE(plugin.Deck().IsChanged());
  EXPECT_EQ(plugin.Deck().Layer(1).EntryCount(), 0);
}

TEST(Plugin, SearchesTheWholeDatabase) {
  MiniGame game;
  TPlugin plugin(game.PluginFolder());
  ASSERT_TRUE(plugin.Load(game.Definition()));
  TSearchCriterion& cost = *plugin.Criteria().Find(u"Cost");
  cost.ticked = true;
  cost.lower = u"2";
  cost.upper = u"9";
  plugin.ApplySearch();
  EXPECT_EQ(ResultKeys(plugin), (Texts{u"001", u"004", u"005"}));
  plugin.Criteria().ResetAll();
  TSearchCriterion& color = *plugin.Criteria().Find(u"Color");
  color.ticked = true;
  color.choice = u"Red";
  plugin.ApplySearch();  // starts again from every card
  EXPECT_EQ(ResultKeys(plugin), (Texts{u"001"}));
  plugin.Criteria().Find(u"Name")->ticked = true;  // with an empty search text
  plugin.ApplySearch();
  EXPECT_EQ(ResultKeys(plugin), Texts{});
}

TEST(Plugin, EachCardFileBeginsOutsideAnyCardSection) {
  TempFolder folder;
  folder.Write("Plugin/a.txt", "[CardData]\nNo=1\nName=A");  // ends inside a card section
  folder.Write("Plugin/b.txt", "Name=stray\nNo=2\n[CardData]\nNo=3\n");
  TPlugin plugin(folder.Path("Plugin/"));
  ASSERT_TRUE(plugin.Load(folder.Write("Plugin/g.ini", "[System]\nName=G\nCardList=a.txt,b.txt\n")));
  EXPECT_EQ(plugin.Cards().Count(), 2u);
  EXPECT_EQ(plugin.Cards().Find(u"1")->Value(u"Name"), u"A");
  EXPECT_EQ(plugin.Cards().Find(u"2"), nullptr);
}
