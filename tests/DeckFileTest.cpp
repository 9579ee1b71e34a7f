#include <gtest/gtest.h>

#include "PluginFixture.h"
#include "common/Text.h"

namespace {

class DeckFileTest : public ::testing::Test {
 protected:
  DeckFileTest() : plugin_(game_.PluginFolder()) {
    plugin_.Load(game_.Definition());
    plugin_.FillAllCards();
  }

  bool LoadDeck(std::string_view bytes) { return plugin_.LoadDeck(game_.folder.Write("deck.txt", bytes)); }

  // One line per entry: layer/key/count.
  std::vector<std::string> Entries() const {
    std::vector<std::string> lines;
    for (int32_t i = 0; i < plugin_.Deck().LayerCount(); ++i) {
      const TDeckLayer& layer = plugin_.Deck().Layer(i);
      for (int32_t e = 0; e < layer.EntryCount(); ++e) {
        lines.push_back(ToUtf8(layer.Name()) + "/" + ToUtf8(layer.Entry(e).Key()) + "/" +
                        std::to_string(layer.Entry(e).Count()));
      }
    }
    return lines;
  }

  MiniGame game_;
  RecordingPlugin plugin_;
};

using Lines = std::vector<std::string>;

}  // namespace

TEST_F(DeckFileTest, SavesTheExactFormat) {
  plugin_.AddCardToDeck(2, 0);
  plugin_.AddCardToDeck(2, 0);
  plugin_.AddCardToDeck(2, 0);
  plugin_.AddCardToDeck(0, 0);
  ASSERT_TRUE(plugin_.SaveDeck(game_.folder.Path("out.txt")));
  EXPECT_EQ(game_.folder.Read("out.txt"), "=Mini=\r\n\r\n[Main]\r\n 3\t003\r\n 1\t001\r\n\r\n[Side]\r\n");
  EXPECT_FALSE(plugin_.Deck().IsChanged());
  EXPECT_EQ(plugin_.DeckText(), u"\n[Main]\n 3\t003\n 1\t001\n\n[Side]\n");
}

TEST_F(DeckFileTest, LoadsWhatItSaved) {
  for (int i = 0; i < 5; ++i) plugin_.AddCardToDeck(0, 0);
  plugin_.AddCardToDeck(4, 1);
  plugin_.AddCardToDeck(3, 1);
  ASSERT_TRUE(plugin_.SaveDeck(game_.folder.Path("deck.txt")));
  plugin_.NewDeck();
  ASSERT_TRUE(plugin_.LoadDeck(game_.folder.Path("deck.txt")));
  // Five copies were allowed by the card's own Limit; the file adds under the item limit of 3.
  EXPECT_EQ(Entries(), (Lines{"Main/001/3", "Side/005/1", "Side/004/1"}));
  EXPECT_FALSE(plugin_.Deck().IsChanged());
  EXPECT_TRUE(plugin_.messages.empty());
}

TEST_F(DeckFileTest, ReadsCardLinesAsCountAndKey) {
  ASSERT_TRUE(LoadDeck("=Mini=\n[Main]\n2\tA\n  1 B extra\n0\tC\n-2\tD\n\nnot a line\n7\n+1 E\n12F\n[Side]\n"
                       "99999999999 G\n2147483647 H\n"));
  EXPECT_EQ(Entries(), (Lines{"Main/A/2", "Main/B/1", "Main//3", "Main/E/1", "Main/F/3", "Side/G/2", "Side/H/2"}));
}

TEST_F(DeckFileTest, EndsWhereTheFileEnds) {
  EXPECT_TRUE(LoadDeck("=Mini=\r\n"));
  EXPECT_EQ(Entries(), Lines{});
  EXPECT_TRUE(LoadDeck("=Mini=\r\n[Main]\r\n 3\t002\r\n"));
  EXPECT_EQ(Entries(), (Lines{"Main/002/3"}));
  EXPECT_TRUE(LoadDeck(""));  // no header at all: an empty deck
}

TEST_F(DeckFileTest, FailsWithItsMessages) {
  struct Case {
    std::string file;
    std::u16string message;
  };
  const Case cases[] = {
      {"=Mini=\n=Mini=\n", std::u16string(kDeckSecondGameName)},
      {"=Mini=\n[Main]\n=Mini=\n", std::u16string(kDeckSecondGameName)},
      {"=Other=\n[Main]\n", std::u16string(kDeckWrongGame)},
      {"=Mini\n", std::u16string(kDeckWrongGame)},
      {"=Mini=\n[Side]\n", std::u16string(kDeckWrongLayer)},
      {"=Mini=\n[Main\n", std::u16string(kDeckWrongLayer)},
      {"=Mini=\n[Main]\n[Side]\n[Third]\n", std::u16string(kDeckWrongLayer)},  // after the last layer
      {"[Main]\n=Mini=\n", std::u16string(kDeckWrongLayer)},                   // before the header
      {"=Mini=\n1 A\n[Main]\n", std::u16string(kDeckWrongLayer)},              // a card before any layer
      {"1 A\n", std::u16string(kDeckWrongLayer)},
  };
  for (const Case& c : cases) {
    plugin_.messages.clear();
    plugin_.AddCardToDeck(0, 0);
    EXPECT_FALSE(LoadDeck(c.file)) << c.file;
    EXPECT_EQ(plugin_.messages, std::vector<std::u16string>{c.message}) << c.file;
    EXPECT_EQ(Entries(), Lines{}) << c.file;
    EXPECT_FALSE(plugin_.Deck().IsChanged());
  }
  plugin_.messages.clear();
  plugin_.AddCardToDeck(0, 0);
  EXPECT_FALSE(plugin_.LoadDeck(game_.folder.Path("missing.txt")));
  EXPECT_EQ(plugin_.messages, std::vector<std::u16string>{std::u16string(kDeckCannotOpen)});
  EXPECT_EQ(Entries(), (Lines{"Main/001/1"}));  // a file that cannot be opened leaves the deck
}

TEST_F(DeckFileTest, ReadsLongLinesInPiecesAndCutsLongKeys) {
  const std::string longKey(300, 'k');
  ASSERT_TRUE(LoadDeck("=Mini=\n[Main]\n1 " + longKey + "\n" + std::string(5000, ' ') + "1 X\n"));
  const Lines entries = Entries();
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0], "Main/" + std::string(127, 'k') + "/1");
  EXPECT_EQ(entries[1], "Main/X/1");  // in the piece after 1023 bytes of blanks
  EXPECT_TRUE(LoadDeck(std::string("=Mini=\n[Main]\n\x01\xFF\x80\0\x81 9\n", 20)));  // binary bytes are no card lines
  EXPECT_EQ(Entries(), Lines{});
}

TEST_F(DeckFileTest, KeepsTheOldFileWhenASaveFails) {
  plugin_.AddCardToDeck(0, 0);
  // A read-only folder, and a read-only file in a folder that may be written.
  const std::u16string inReadOnlyFolder = game_.folder.Write("ro/deck.txt", "=Mini=\r\n");
  chmod(game_.folder.NativePath("ro").c_str(), 0555);
  const std::u16string readOnlyFile = game_.folder.Write("rw/deck.txt", "=Mini=\r\n");
  chmod(game_.folder.NativePath("rw/deck.txt").c_str(), 0444);
  HonourFilePermissions honour;
  for (const std::u16string& path : {inReadOnlyFolder, readOnlyFile}) {
    EXPECT_FALSE(plugin_.SaveDeck(path));
    EXPECT_EQ(game_.folder.Read(ToUtf8(path.substr(game_.folder.Path("").size()))), "=Mini=\r\n");
    EXPECT_TRUE(plugin_.Deck().IsChanged());
  }
}

TEST_F(DeckFileTest, WritesJapaneseAndPercentSignsUnchanged) {
  TempFolder folder;
  RecordingPlugin plugin(folder.Path("Plugin/"));
  ASSERT_TRUE(plugin.Load(folder.Write("Plugin/j.ini",
      "[System]\nName=\x83\x51\x81\x5B\x83\x80%s\n[DeckLayer00]\nName=\x83\x81\x83\x43\x83\x93%d\nTotalLimit=200\nItemLimit=200\n"
      "[CardData]\nNo=%n\x8E\x9A\n")));
  plugin.FillAllCards();
  for (int i = 0; i < 100; ++i) plugin.AddCardToDeck(0, 0);
  ASSERT_TRUE(plugin.SaveDeck(folder.Path("deck.txt")));
  EXPECT_EQ(folder.Read("deck.txt"), "=\x83\x51\x81\x5B\x83\x80%s=\r\n\r\n[\x83\x81\x83\x43\x83\x93%d]\r\n100\t%n\x8E\x9A\r\n");
  plugin.NewDeck();
  ASSERT_TRUE(plugin.LoadDeck(folder.Path("deck.txt")));
  EXPECT_EQ(plugin.Deck().Layer(0).Entry(0).Count(), 100);
}

TEST_F(DeckFileTest, ClipboardTextShowsTheDeckListValues) {
  plugin_.AddCardToDeck(0, 0);
  plugin_.AddCardToDeck(0, 0);
  plugin_.AddCardToDeck(0, 0);
  LoadDeck("=Mini=\n[Main]\n3 001\n[Side]\n1 999\n");
  plugin_.Deck().Layer(1).Add(u"\u00E9", 0);  // not in code page 932
  EXPECT_EQ(plugin_.DeckClipboardText(), u"\n[Main]\n  3  Alpha 3\n\n[Side]\n  1   \n  1   \n");
  EXPECT_EQ(plugin_.Deck().Layer(1).Entry(1).Key(), u"\u00E9");
}

TEST_F(DeckFileTest, SurvivesHostileFiles) {
  // One line of megabytes, read in pieces of 1023 bytes, none of them a number.
  EXPECT_TRUE(LoadDeck("=Mini=\n[Main]\n" + std::string(4 << 20, 'z')));
  EXPECT_EQ(Entries(), Lines{});
  // A huge count stops at the first copy the layer refuses.
  EXPECT_TRUE(LoadDeck("=Mini=\n[Main]\n2147483647 001\n99999999999 002\n-2147483648 003\n"));
  EXPECT_EQ(Entries(), (Lines{"Main/001/3", "Main/002/3"}));
}

TEST_F(DeckFileTest, AHugeCountInALayerWithoutLimitsLoadsAtOnce) {
  TempFolder folder;
  RecordingPlugin plugin(folder.Path("Plugin/"));
  ASSERT_TRUE(plugin.Load(folder.Write("Plugin/g.ini",
      "[System]\nName=G\n[DeckLayer00]\nName=A\nTotalLimit=2147483647\nItemLimit=2147483647\n[CardData]\nNo=1\n")));
  ASSERT_TRUE(plugin.LoadDeck(folder.Write("deck.txt", "=G=\n[A]\n2147483647 1\n5 2\n")));
  EXPECT_EQ(plugin.Deck().Layer(0).Entry(0).Count(), 2147483647);
  EXPECT_EQ(plugin.Deck().Layer(0).EntryCount(), 1);  // the layer is full
}

TEST_F(DeckFileTest, AHugeOwnLimitIsBoundByTheLayer) {
  TempFolder folder;
  RecordingPlugin plugin(folder.Path("Plugin/"));
  ASSERT_TRUE(plugin.Load(folder.Write("Plugin/g.ini",
      "[System]\nName=G\n[DeckLayer00]\nName=A\nTotalLimit=7\nItemLimit=1\n[CardData]\nNo=1\nLimit=99999999999\n")));
  plugin.FillAllCards();
  int copies = 0;
  while (plugin.AddCardToDeck(0, 0) >= 0) ++copies;
  EXPECT_EQ(copies, 7);
}
