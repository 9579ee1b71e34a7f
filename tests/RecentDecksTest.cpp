// The decks last opened or saved, per game, kept in the settings file.
#include <gtest/gtest.h>

#include "TestFiles.h"
#include "deck/RecentDecks.h"
#include "gamedef/IniFile.h"

using Paths = std::vector<std::u16string>;

TEST(RecentDecks, KeepsTenPerGameNewestFirst) {
  TRecentDecks recent;
  for (int i = 1; i <= 12; ++i) recent.Add(u"A", u"/a/" + std::u16string(1, static_cast<char16_t>(u'a' + i)));
  recent.Add(u"B", u"/b/1");
  recent.Add(u"A", u"/a/e");  // opened again: to the front, not twice
  const Paths a = recent.For(u"A");
  ASSERT_EQ(a.size(), 10u);
  EXPECT_EQ(a.front(), u"/a/e");
  EXPECT_EQ(a[1], u"/a/m");
  EXPECT_EQ(a.back(), u"/a/d");  // /a/b and /a/c, the oldest, are gone
  EXPECT_EQ(recent.For(u"B"), Paths{u"/b/1"});
  recent.Remove(u"A", u"/a/e");
  EXPECT_EQ(recent.For(u"A").front(), u"/a/m");
  EXPECT_EQ(recent.For(u"C"), Paths{});
}

TEST(RecentDecks, LiveInASectionOfTheirOwn) {
  TempFolder folder;
  const std::u16string path = folder.Write("Velqorandis.ini", "[System]\r\nTcgName=A\r\n");
  TRecentDecks recent;
  recent.Add(u"A", u"/decks/one, \"two\".txt");
  recent.Add(u"Game \u2605", u"/decks/\u2605.txt");  // outside code page 932
  TIniFile written(path, TIniFile::Encoding::kWidenWhenNeeded);
  recent.Write(written);
  TIniFile file(path);
  EXPECT_EQ(file.ReadString(u"System", u"TcgName", u""), u"A");
  TRecentDecks read;
  read.Read(file);
  EXPECT_EQ(read.For(u"A"), Paths{u"/decks/one, \"two\".txt"});
  EXPECT_EQ(read.For(u"Game \u2605"), Paths{u"/decks/\u2605.txt"});

  // Damaged entries are skipped; a huge count reads no further than there are keys.
  TRecentDecks damaged;
  damaged.Read(*std::make_unique<TIniFile>(folder.Write("bad.ini",
      "[RecentDecks]\r\nCount=2147483647\r\nDeck1=only one item\r\nDeck2=\"\",/x\r\nDeck3=A,/kept\r\n")));
  EXPECT_EQ(damaged.For(u"A"), Paths{u"/kept"});
}
