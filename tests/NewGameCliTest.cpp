// End-to-end tests of velqorandis-cli new-game: card lists written into
// scratch folders, the tool run as a child process, and what it writes loaded
// as the window loads a game.

#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "CliRun.h"
#include "TestFiles.h"
#include "common/CodePage.h"
#include "common/Text.h"
#include "gamedef/Plugin.h"

namespace {

using Texts = std::vector<std::u16string>;

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// A card list in a scratch folder, the tool's run on it and the game it wrote.
class NewGame {
 public:
  Outcome Run(const std::string& name, const std::string& contents, Args options = {}) {
    const Args call{"new-game", folder.NativePath(name), "--name", "Test Game", "--out", folder.NativePath("out")};
    folder.Write(name, contents);
    options.insert(options.begin(), call.begin(), call.end());
    return RunCli(options);
  }
  std::string Game() const { return folder.NativePath("out/Test_Game.ini"); }
  bool Load() { return plugin.Load(FromUtf8(Game())); }
  std::u16string Value(std::u16string_view card, std::u16string_view key) const {
    const TCardItem* item = plugin.Cards().Find(std::u16string(card));
    return item == nullptr ? u"(no card)" : std::u16string(item->Value(key));
  }

  TempFolder folder;
  TPlugin plugin{u""};
};

TEST(CliNewGame, FlattensNestedJson) {
  NewGame run;
  const Outcome made = run.Run("cards.json", R"([
    {"id": "c1", "name": "Bolt", "cost": {"red": 1, "generic": 0}, "tags": ["fast", "burn"],
     "abilities": [{"name": "Zap", "damage": 3}, {"name": "Sear", "damage": 1.50}],
     "legal": true, "banned": false, "errata": null, "empty": []},
    {"id": "c2", "name": "Bear", "cost": {"green": 2}, "power": 2}
  ])");
  ASSERT_EQ(made.status, 0) << made.err;
  ASSERT_TRUE(run.Load());
  EXPECT_EQ(run.plugin.Cards().Count(), 2u);
  const std::vector<std::pair<std::u16string, std::u16string>> values = {
      {u"id", u"c1"},           {u"cost.red", u"1"},     {u"cost.generic", u"0"},           {u"tags", u"fast, burn"},
      {u"abilities.name", u"Zap, Sear"}, {u"abilities.damage", u"3, 1.50"}, {u"legal", u"true"},
      {u"banned", u"false"},    {u"errata", u""},        {u"cost.green", u""},
  };
  for (const auto& [key, value] : values) EXPECT_EQ(run.Value(u"c1", key), value) << ToUtf8(key);
  EXPECT_EQ(run.Value(u"c2", u"cost.green"), u"2");
  // Fields in the order they first appear, the later card's own ones last; an
  // empty array gives no value, null the empty one.
  Texts keys;
  for (int32_t i = 0; i < run.plugin.Params().Count(); ++i) keys.push_back(run.plugin.Params().Item(i)->Key());
  EXPECT_EQ(keys, (Texts{u"id", u"name", u"cost.red", u"cost.generic", u"tags", u"abilities.name", u"abilities.damage",
                         u"legal", u"banned", u"errata", u"cost.green", u"power"}));
}

TEST(CliNewGame, ReportsWhatItInferred) {
  NewGame run;
  const Outcome made = run.Run("cards.csv",
                               "\xEF\xBB\xBFSet,Number,Card Name,Cost,Text\r\n"
                               "A,1,Bolt,1,\"Deal 3.\r\nFast <instant>\"\r\n"
                               "A,2,Bear,2,Vanilla \xF0\x9F\x90\xBB\r\n"
                               "B,1,Bolt,1,Reprint\r\n");
  ASSERT_EQ(made.status, 0) << made.err;
  EXPECT_TRUE(Contains(made.out, "cards: 3\n")) << made.out;
  EXPECT_TRUE(Contains(made.out, "  Card_Name\ttext\tfrom the field \"Card Name\"\n"));
  EXPECT_TRUE(Contains(made.out, "  Cost\tnumber\n"));
  EXPECT_TRUE(Contains(made.out, "  Id\ttext\tmade for the card key\n"));
  EXPECT_TRUE(Contains(made.out, "key: Id (from Set + Number joined with \"-\", as no single field identifies every card)\n"));
  EXPECT_TRUE(Contains(made.out, "text: Text (the longest values on average)\n"));
  EXPECT_TRUE(Contains(made.out, "written as \"〓\": 1\n"));
  EXPECT_TRUE(Contains(made.out, "full-width form: 2\n"));
  ASSERT_TRUE(run.Load());
  EXPECT_EQ(run.Value(u"A-1", u"Text"), u"Deal 3.<br>Fast ＜instant＞");
  EXPECT_EQ(run.Value(u"A-2", u"Text"), u"Vanilla 〓");

  // The window's views of it work from the command line too.
  const Outcome shown = RunCli({"show", run.Game()});
  ASSERT_EQ(shown.status, 0) << shown.err;
  EXPECT_EQ(nlohmann::json::parse(shown.out)["cardCount"], 3);
  const Outcome cards = RunCli({"cards", run.Game(), "--text", "Set=B"});
  ASSERT_EQ(cards.status, 0) << cards.err;
  EXPECT_EQ(cards.out, "Id\tCard Name\tSet\tNumber\tCost\nB-1\tBolt\tB\t1\t1\n");
}

TEST(CliNewGame, ReadsTsvAndTakesTheGivenKeyAndText) {
  NewGame run;
  const Outcome made = run.Run("cards.tsv", "No,x\tName\tRules\n1\tA\tOne\n2\tB\tTwo\n",
                               {"--key", "Name", "--text", "Name,Rules"});
  ASSERT_EQ(made.status, 0) << made.err;
  EXPECT_TRUE(Contains(made.out, "key: Name (as given: Name)\n")) << made.out;
  EXPECT_TRUE(Contains(made.out, "text: Name,Rules (as given)\n"));
  ASSERT_TRUE(run.Load());
  EXPECT_EQ(run.plugin.UniqueKey(), u"Name");
  EXPECT_EQ(run.Value(u"B", u"No_x"), u"2");
}

TEST(CliNewGame, NeverReplacesAFile) {
  NewGame run;
  run.folder.Write("out/Test_Game-cards.txt", "mine");
  const Outcome refused = run.Run("cards.csv", "No\n1\n");
  EXPECT_EQ(refused.status, 1);
  EXPECT_TRUE(Contains(refused.err, "Test_Game-cards.txt already exists")) << refused.err;
  EXPECT_EQ(run.folder.Read("out/Test_Game-cards.txt"), "mine");
  EXPECT_FALSE(std::filesystem::exists(run.Game()));

  // Nor one that a link names, wherever it points.
  std::filesystem::remove(run.folder.NativePath("out/Test_Game-cards.txt"));
  std::filesystem::create_symlink(run.folder.NativePath("elsewhere.ini"), run.Game());
  EXPECT_EQ(run.Run("cards.csv", "No\n1\n").status, 1);
  EXPECT_FALSE(std::filesystem::exists(run.folder.NativePath("elsewhere.ini")));
  EXPECT_FALSE(std::filesystem::exists(run.folder.NativePath("out/Test_Game-cards.txt")));
}

TEST(CliNewGame, MakesTheOutputFolder) {
  TempFolder folder;
  folder.Write("cards.csv", "No\n1\n");
  const std::string out = folder.NativePath("a/b/c");
  const Outcome made = RunCli({"new-game", folder.NativePath("cards.csv"), "--name", "晶霊", "--out", out});
  ASSERT_EQ(made.status, 0) << made.err;
  TPlugin plugin(u"");
  ASSERT_TRUE(plugin.Load(FromUtf8(out + "/game.ini")));
  EXPECT_EQ(plugin.Name(), u"晶霊");
  EXPECT_EQ(plugin.CardList(), Texts{u"game-cards.txt"});
}

TEST(CliNewGame, RefusesInputThatMakesNoGame) {
  struct Case {
    const char* what;
    std::string name;
    std::string contents;
    std::string message;
  };
  const std::vector<Case> cases = {
      {"malformed JSON", "a.json", "[{\"id\": 1,}]", "parse error"},
      {"JSON that is no array of cards", "a.json", "[1, 2]", "element 1 of the card list is not an object"},
      {"a quote that never closes", "a.csv", "No,Text\n1,\"open\n", "never closes"},
      {"no cards", "a.csv", "No,Text\n", "the card list has no cards"},
      {"no key", "a.csv", "Kind\nA\nA\n", "--key"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    NewGame run;
    const Outcome refused = run.Run(c.name, c.contents);
    EXPECT_EQ(refused.status, 1);
    EXPECT_TRUE(Contains(refused.err, c.message)) << refused.err;
    EXPECT_EQ(refused.out, "");
    EXPECT_FALSE(std::filesystem::exists(run.folder.NativePath("out/Test_Game.ini")));
  }
}

TEST(CliNewGame, RefusesFilesItCannotRead) {
  TempFolder folder;
  const std::string big = folder.NativePath("big.csv");
  folder.Write("big.csv", "");
  std::filesystem::resize_file(big, (std::size_t{64} << 20) + 1);
  for (const std::string& input : {big, folder.NativePath("missing.csv"), folder.Folder()}) {
    const Outcome refused = RunCli({"new-game", input, "--name", "X", "--out", folder.NativePath("out")});
    EXPECT_EQ(refused.status, 1);
    EXPECT_TRUE(Contains(refused.err, "cannot read the card list")) << refused.err;
  }
}

TEST(CliNewGame, WrongCallsExitWithTwo) {
  NewGame run;
  const std::string list = run.folder.NativePath("cards.csv");
  run.folder.Write("cards.csv", "No,Text\n1,a\n");
  const std::vector<Args> calls = {
      {"new-game", list, "--out", "x"},
      {"new-game", list, "--name", "X"},
      {"new-game", list, "--name", "", "--out", run.folder.NativePath("out")},
      {"new-game", list, "--name", "X", "--out", run.folder.NativePath("out"), "--key", "Nope"},
      {"new-game", list, "--name", "X", "--out", run.folder.NativePath("out"), "--text", "Text,Nope"},
  };
  for (const Args& call : calls) {
    SCOPED_TRACE(testing::PrintToString(call));
    EXPECT_EQ(RunCli(call).status, 2);
  }
  EXPECT_FALSE(std::filesystem::exists(run.folder.NativePath("out")));
}

}  // namespace
