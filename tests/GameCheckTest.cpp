// The game definition checker: one mistake a case, each found with its file,
// line and severity.
#include <gtest/gtest.h>

#include <functional>

#include "ImageFixtures.h"
#include "TestFiles.h"
#include "common/Text.h"
#include "gamedef/GameCheck.h"

namespace {

// A small game without a mistake: game.ini (lines numbered on the right) and cards.txt.
const std::string kGame =
    "[System]\r\n"             // 1
    "Name=Mini\r\n"            // 2
    "UniqueKey=No\r\n"         // 3
    "TextKey=Text\r\n"         // 4
    "CardList=cards.txt\r\n"   // 5
    "[Param00]\r\n"            // 6
    "Key=No\r\n"               // 7
    "Name=Number\r\n"          // 8
    "Type=1\r\n"               // 9
    "[Param01]\r\n"            // 10
    "Key=Name\r\n"             // 11
    "Name=Card name\r\n"       // 12
    "Type=1\r\n"               // 13
    "[Param02]\r\n"            // 14
    "Key=Color\r\n"            // 15
    "Name=Colour\r\n"          // 16
    "Type=3\r\n"               // 17
    "[Param03]\r\n"            // 18
    "Key=Text\r\n"             // 19
    "Name=Text\r\n"            // 20
    "[CardListSection00]\r\n"  // 21
    "Key=No\r\n"               // 22
    "[CardListSection01]\r\n"  // 23
    "Key=Name,Color\r\n"       // 24
    "[DeckListSection00]\r\n"  // 25
    "Key=Name\r\n"             // 26
    "[DeckLayer00]\r\n"        // 27
    "Name=Main\r\n"            // 28
    "TotalLimit=40\r\n"        // 29
    "ItemLimit=3\r\n";         // 30

const std::string kCards =
    "[CardData1]\r\n"                      // 1
    "No=001\r\n"                           // 2
    "Name=Alpha\r\n"                       // 3
    "Color=red\r\n"                        // 4
    "Text=<b>Swift</b><font color=navy>\r\n"  // 5
    "[CardData2]\r\n"                      // 6
    "No=002\r\n"                           // 7
    "Name=Beta\r\n";                       // 8

struct Game {
  std::string ini = kGame;
  std::string cards = kCards;
  std::string iniName = "game.ini";

  void Replace(std::string& text, const std::string& from, const std::string& to) {
    const std::size_t at = text.find(from);
    ASSERT_NE(at, std::string::npos) << from;
    text.replace(at, from.size(), to);
  }
};

struct Expected {
  std::string file;  // the file's name
  int32_t line;
  TFinding::Severity severity;
  std::string message;  // a part of it
};

}  // namespace

TEST(GameCheck, FindsEachMistakeWhereItStands) {
  constexpr auto kError = TFinding::Severity::kError;
  constexpr auto kWarning = TFinding::Severity::kWarning;
  struct Case {
    const char* what;
    std::function<void(Game&, const TempFolder&)> mistake;
    std::vector<Expected> expected;
  };
  const Case cases[] = {
      {"none", [](Game&, const TempFolder&) {}, {}},
      {"an extension in capitals", [](Game& g, const TempFolder&) { g.iniName = "game.INI"; },
       {{"game.INI", 1, kError, "end in \".ini\""}}},
      {"no name", [](Game& g, const TempFolder&) { g.Replace(g.ini, "Name=Mini\r\n", "Name=\r\n"); },
       {{"game.ini", 2, kError, "does not list this file"}}},
      {"a name used before",
       [](Game&, const TempFolder& f) { f.Write("a-first.ini", "[System]\r\nName=Mini\r\n"); },
       {{"game.ini", 2, kError, "only that one is ever loaded"}}},
      {"an empty unique key", [](Game& g, const TempFolder&) { g.Replace(g.ini, "UniqueKey=No", "UniqueKey="); },
       {{"game.ini", 3, kError, "does not load"}}},
      {"a unique key that names no parameter",
       [](Game& g, const TempFolder&) {
         g.Replace(g.ini, "UniqueKey=No", "UniqueKey=Name");
         g.Replace(g.ini, "Key=Name\r\nName=Card name", "Key=CardName\r\nName=Card name");
         g.Replace(g.ini, "Key=Name,Color", "Key=Color");
         g.Replace(g.ini, "[DeckListSection00]\r\nKey=Name", "[DeckListSection00]\r\nKey=No");
       },
       {{"game.ini", 3, kWarning, "UniqueKey \"Name\" names no parameter"}}},
      {"a gap in the parameters", [](Game& g, const TempFolder&) { g.Replace(g.ini, "[Param02]", "[Param12]"); },
       {{"game.ini", 18, kWarning, "Param02, which is missing: Param03 and the sections after it are never read"},
        {"game.ini", 4, kWarning, "TextKey \"Text\" names no parameter"},
        {"game.ini", 24, kWarning, "\"Color\" names no parameter: the column shows it, but it cannot be searched"}}},
      {"an incomplete parameter", [](Game& g, const TempFolder&) { g.Replace(g.ini, "Name=Colour\r\n", ""); },
       {{"game.ini", 14, kWarning, "Param02, which lacks a key they need: Param03"},
        {"game.ini", 4, kWarning, "TextKey \"Text\" names no parameter"},
        {"game.ini", 23, kWarning, "\"Color\" names no parameter"}}},
      {"an unknown type", [](Game& g, const TempFolder&) { g.Replace(g.ini, "Type=3", "Type=7"); },
       {{"game.ini", 17, kWarning, "Type 7 is no kind"}}},
      {"a column of no parameter", [](Game& g, const TempFolder&) { g.Replace(g.ini, "Key=Name,Color", "Key=Name,Colr"); },
       {{"game.ini", 24, kWarning, "\"Colr\" names no parameter, and no card has a value"}}},
      {"a text key of no parameter", [](Game& g, const TempFolder&) { g.Replace(g.ini, "TextKey=Text", "TextKey=Txt"); },
       {{"game.ini", 4, kWarning, "TextKey \"Txt\" names no parameter"}}},
      {"a broken section pattern",
       [](Game& g, const TempFolder&) { g.Replace(g.ini, "CardList=cards.txt", "CardList=cards.txt\r\nCardListFormat=C%s"); },
       {{"game.ini", 6, kWarning, "not one integer conversion"}}},
      {"a missing card data file", [](Game& g, const TempFolder&) { g.Replace(g.ini, "cards.txt", "cards.txt,more.txt"); },
       {{"game.ini", 5, kError, "more.txt\" does not exist"}}},
      {"a card data file in UTF-16", [](Game& g, const TempFolder&) { g.cards = "\xFF\xFE[\0C\0"; },
       {{"cards.txt", 1, kError, "UTF-16"}}},
      {"a byte-order mark before the first card",
       [](Game& g, const TempFolder&) { g.cards = "\xEF\xBB\xBF" + g.cards; },
       {{"cards.txt", 1, kError, "that card is lost"}}},
      {"a card data file in UTF-8", [](Game& g, const TempFolder&) { g.Replace(g.cards, "Name=Beta", "Name=B\xC3\xA9ta"); },
       {{"cards.txt", 1, kWarning, "looks like UTF-8"}}},
      {"a card without its key", [](Game& g, const TempFolder&) { g.Replace(g.cards, "No=002\r\n", ""); },
       {{"cards.txt", 6, kError, "\"CardData2\" has no value for the unique key \"No\": the card is dropped"}}},
      {"a card key twice", [](Game& g, const TempFolder&) { g.Replace(g.cards, "No=002", "No=001"); },
       {{"cards.txt", 6, kError, "\"001\" is defined again: it replaces the card at "}}},
      {"a key twice in a card", [](Game& g, const TempFolder&) { g.Replace(g.cards, "Name=Beta", "Name=Beta\r\nName=B"); },
       {{"cards.txt", 9, kWarning, "\"Name\" is given again in this card (first on line 8)"}}},
      {"a line before any section", [](Game& g, const TempFolder&) { g.cards = "No=000\r\n" + g.cards; },
       {{"cards.txt", 1, kWarning, "before any section"}}},
      {"a section that is no card section",
       [](Game& g, const TempFolder&) { g.Replace(g.cards, "[CardData2]", "[Cards2]"); },
       {{"cards.txt", 6, kWarning, "\"Cards2\" is no card section"}}},
      {"a line too long", [](Game& g, const TempFolder&) { g.Replace(g.cards, "Name=Beta", "Name=" + std::string(3000, 'b')); },
       {{"cards.txt", 8, kWarning, "longer than 2047 bytes"}}},
      {"markup that does not parse", [](Game& g, const TempFolder&) { g.Replace(g.cards, "<b>Swift", "<>Swift"); },
       {{"cards.txt", 5, kWarning, "does not parse"}}},
      {"an unknown colour", [](Game& g, const TempFolder&) { g.Replace(g.cards, "color=navy", "color=Navy"); },
       {{"cards.txt", 5, kWarning, "the colour \"Navy\""}}},
      {"a layer that takes nothing", [](Game& g, const TempFolder&) { g.Replace(g.ini, "TotalLimit=40", "TotalLimit=0"); },
       {{"game.ini", 29, kWarning, "lets nothing be added to the layer \"Main\""}}},
      {"a layer that takes no card", [](Game& g, const TempFolder&) { g.Replace(g.ini, "ItemLimit=3", "ItemLimit=0"); },
       {{"game.ini", 30, kWarning, "lets no card be added"}}},
      {"no layer", [](Game& g, const TempFolder&) { g.Replace(g.ini, "[DeckLayer00]", "[DeckLayer01]"); },
       {{"game.ini", 2, kWarning, "no deck layer"}, {"game.ini", 27, kWarning, "DeckLayer01 and the sections after it"}}},
      {"a missing archive", [](Game& g, const TempFolder&) { g.Replace(g.ini, "CardList=", "Image=pics.zip\r\nCardList="); },
       {{"game.ini", 5, kWarning, "pics.zip\" is missing"}}},
      {"pictures that no archive holds",
       [](Game& g, const TempFolder& f) {
         WriteZip(f.NativePath("pics.zip"), {{"a.jpg", "x"}});
         g.Replace(g.ini, "CardList=", "Image=pics.zip\r\nCardList=");
         g.Replace(g.cards, "Name=Alpha", "Name=Alpha\r\nImage=A.JPG");
         g.Replace(g.cards, "Name=Beta", "Name=Beta\r\nImage=b.jpg");
       },
       {{"game.ini", 5, kWarning, "1 cards name pictures that no image archive holds, such as \"b.jpg\" (002)"}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TempFolder folder;
    Game game;
    c.mistake(game, folder);
    folder.Write(game.iniName, game.ini);
    folder.Write("cards.txt", game.cards);
    const std::vector<TFinding> findings = CheckGameDefinition(folder.Path(game.iniName));
    ASSERT_EQ(findings.size(), c.expected.size()) << (findings.empty() ? "" : ToUtf8(findings.front().message));
    for (std::size_t i = 0; i < findings.size(); ++i) {
      const Expected& expected = c.expected[i];
      EXPECT_EQ(findings[i].file, folder.Path(expected.file));
      EXPECT_EQ(findings[i].line, expected.line) << ToUtf8(findings[i].message);
      EXPECT_EQ(findings[i].severity, expected.severity) << ToUtf8(findings[i].message);
      EXPECT_NE(ToUtf8(findings[i].message).find(expected.message), std::string::npos) << ToUtf8(findings[i].message);
    }
  }
}

TEST(GameCheck, CountsWhatRepeatsAndReadsWhatCannotBeRead) {
  TempFolder folder;
  std::string cards;
  for (int i = 0; i < 30; ++i) cards += "[CardData" + std::to_string(i) + "]\r\nName=no key\r\n";
  folder.Write("cards.txt", cards);
  const std::vector<TFinding> findings = CheckGameDefinition(folder.Write("game.ini", kGame));
  ASSERT_EQ(findings.size(), 21u);  // twenty shown, the rest counted
  EXPECT_EQ(ToUtf8(findings.back().message), "... and 10 more like the one above");
  EXPECT_EQ(findings.back().line, 59);
  const std::vector<TFinding> missing = CheckGameDefinition(folder.Path("missing.ini"));
  ASSERT_EQ(missing.size(), 1u);
  EXPECT_EQ(missing[0].message, u"the file does not exist");
}
