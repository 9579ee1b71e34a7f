// End-to-end tests of velqorandis-cli: the tool runs as a child process on the
// sample game and on small games written into scratch folders.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "CliRun.h"
#include "TestFiles.h"
#include "common/Text.h"
#include "gamedef/Plugin.h"
#include "gamedef/PluginList.h"

namespace {

using nlohmann::json;

const std::string kSample = SAMPLE_DIR "/sample.ini";

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
    lines.push_back(text.substr(start, end - start));
  }
  return lines;
}

bool Contains(const std::string& text, std::u16string_view part) {
  return text.find(ToUtf8(part)) != std::string::npos;
}

// Three cards with a tab and a backslash in their values, four columns of
// which one is hidden, and two small layers.
class MiniGame {
 public:
  MiniGame() {
    folder.Write("mini.ini",
                 "[System]\r\nName=Mini\r\nUniqueKey=No\r\nTextKey=Text\r\nCardList=cards.txt\r\n"
                 "[Param00]\r\nKey=No\r\nName=Number\r\nType=1\r\n"
                 "[Param01]\r\nKey=Name\r\nName=Card name\r\nType=1\r\n"
                 "[Param02]\r\nKey=Cost\r\nName=Cost\r\nType=2\r\n"
                 "[Param03]\r\nKey=Color\r\nName=Colour\r\nType=3\r\n"
                 "[Param04]\r\nKey=Text\r\nName=Card text\r\nType=0\r\n"
                 "[CardListSection00]\r\nKey=No\r\nName=#\r\n"
                 "[CardListSection01]\r\nKey=Name\r\n"
                 "[CardListSection02]\r\nKey=Color,Cost\r\nName=Mix\r\n"
                 "[CardListSection03]\r\nKey=Text\r\nName=Hidden\r\nVisibled=0\r\n"
                 "[DeckListSection00]\r\nKey=Name\r\n[DeckListSection01]\r\nKey=Cost\r\n"
                 "[DeckLayer00]\r\nName=Main\r\nTotalLimit=4\r\nItemLimit=2\r\n"
                 "[DeckLayer01]\r\nName=Side\r\nTotalLimit=1\r\nItemLimit=1\r\n");
    folder.Write("cards.txt",
                 "[CardData1]\r\nNo=001\r\nName=Alpha\r\nCost=3\r\nColor=Red\r\nText=<b>Swift</b>\r\n"
                 "[CardData2]\r\nNo=002\r\nName=Be\tta\r\nCost=10\r\nColor=Blue\r\n"
                 "[CardData3]\r\nNo=003\r\nName=C:\\dir\r\nCost=1\r\nColor=Red\r\n");
  }
  std::string Game() const { return folder.NativePath("mini.ini"); }

  TempFolder folder;
};

// ---- calls and failures ----

TEST(CliCalls, HelpAndUsage) {
  const Outcome help = RunCli({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("Usage:"), std::string::npos);
  const Outcome commandHelp = RunCli({"build", "--help"});
  EXPECT_EQ(commandHelp.status, 0);
  EXPECT_NE(commandHelp.out.find("LAYER:FROM:TO"), std::string::npos);
}

TEST(CliCalls, WrongCallsShowTheUsage) {
  const MiniGame mini;
  const std::string game = mini.Game();
  const std::vector<Args> calls = {
      {},
      {"frob"},
      {"show"},
      {"card", game},
      {"cards", game, "--text", "Nope=x"},
      {"cards", game, "--text", "Name"},
      {"cards", game, "--range", "Cost=1"},
      {"cards", game, "--range", "Name=1:2"},  // a text parameter takes no range
      {"cards", game, "--sort", "x"},
      {"cards", game, "--bogus"},
      {"build", game, "--add", "x:001"},
      {"build", game, "--add", "0:001", "0:002"},
      {"build", game, "--remove", "0"},
      {"build", game, "--move", "0:1"},
      {"build", game, "--move", "0:1:2x"},
  };
  for (const Args& call : calls) {
    SCOPED_TRACE(testing::PrintToString(call));
    const Outcome run = RunCli(call);
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find("Usage:"), std::string::npos);
  }
}

TEST(CliCalls, FailedLoadsExitWithOne) {
  const MiniGame mini;
  mini.folder.Write("nameless.ini", "[System]\r\nUniqueKey=No\r\n");
  mini.folder.Write("other.txt", "=Other=\r\n[Main]\r\n 1\t001\r\n");
  const std::string game = mini.Game();
  const std::string nameless = mini.folder.NativePath("nameless.ini");
  struct Case {
    Args call;
    std::u16string_view message;
  };
  const std::vector<Case> cases = {
      {{"cards", nameless}, u"cannot load the game definition"},
      {{"card", nameless, "001"}, u"cannot load the game definition"},
      {{"card", game, "999"}, u"no card has the key 999"},
      {{"deck", nameless, mini.folder.NativePath("other.txt")}, u"cannot load the game definition"},
      {{"deck", game, mini.folder.NativePath("other.txt")}, kDeckWrongGame},
      {{"deck", game, mini.folder.NativePath("missing.txt")}, kDeckCannotOpen},
      {{"build", game, "--deck", mini.folder.NativePath("other.txt")}, kDeckWrongGame},
      {{"build", game, "--save", mini.folder.NativePath("missing/deck.txt")}, u"cannot save the deck"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.call));
    const Outcome run = RunCli(c.call);
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(Contains(run.err, c.message)) << run.err;
  }
}

// ---- catalogue and show ----

TEST(CliCatalogue, ListsTheNamedDefinitionsInFileOrder) {
  const TempFolder folder;
  folder.Write("b.ini", "[System]\r\nName=Bee\r\n");
  folder.Write("a.ini", "[System]\r\nName=Ant\r\n");
  folder.Write("c.ini", "[System]\r\nUniqueKey=No\r\n");
  folder.Write("d.txt", "[System]\r\nName=Dog\r\n");
  const Outcome run = RunCli({"catalogue", folder.Folder()});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "Ant\t" + folder.NativePath("a.ini") + "\nBee\t" + folder.NativePath("b.ini") + "\n");
  EXPECT_EQ(RunCli({"catalogue", SAMPLE_DIR}).out, "晶霊譚ヴェルミナ\t" + kSample + "\n");
  // Without a folder: the one the window uses, here the build's, beside the tool.
  const std::string besideTool = std::string(CLI_PATH).substr(0, std::string(CLI_PATH).rfind('/')) + "/Plugin/sample.ini";
  EXPECT_EQ(RunCli({"catalogue"}).out, "晶霊譚ヴェルミナ\t" + besideTool + "\n");
}

TEST(CliCatalogue, ReportsAMissingFolder) {
  const TempFolder folder;
  const Outcome run = RunCli({"catalogue", folder.NativePath("missing")});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err, ToUtf8(kPathNotFound) + "\n");
}

TEST(CliShow, DescribesTheSampleGame) {
  const Outcome run = RunCli({"show", kSample});
  ASSERT_EQ(run.status, 0) << run.err;
  const json game = json::parse(run.out);
  EXPECT_EQ(game["loaded"], true);
  EXPECT_EQ(game["name"], "晶霊譚ヴェルミナ");
  EXPECT_EQ(game["textKey"], json({"Text", "Flavor"}));
  EXPECT_EQ(game["version"], 100);
  EXPECT_EQ(game["cardList"], json({"cards1.txt", "cards2.txt"}));
  EXPECT_EQ(game["image"], "sample.zip");
  EXPECT_EQ(game["imageArchives"].size(), 1u);
  EXPECT_EQ(game["cardCount"], 220);
  ASSERT_EQ(game["params"].size(), 12u);
  EXPECT_EQ(game["params"][2], json({{"key", "Color"},
                                     {"name", "属性"},
                                     {"type", 3},
                                     {"index", 2},
                                     {"width", 50},
                                     {"format", ""},
                                     {"values", {"冥", "潮", "焔", "煌", "翠"}}}));
  // An empty caption is filled in from the schema.
  EXPECT_EQ(game["cardSections"][1],
            json({{"name", "カード名"}, {"keys", {"Name"}}, {"width", 170}, {"visible", true}}));
  EXPECT_EQ(game["cardSections"].size(), 10u);
  EXPECT_EQ(game["deckSections"].size(), 4u);
  ASSERT_EQ(game["layers"].size(), 3u);
  EXPECT_EQ(game["layers"][0], json({{"name", "メインデッキ"}, {"totalLimit", 40}, {"itemLimit", 3}}));
}

TEST(CliShow, StillPrintsAFailedLoad) {
  const TempFolder folder;
  const Outcome run = RunCli({"show", ToUtf8(folder.Write("nameless.ini", "[System]\r\nUniqueKey=No\r\n"))});
  EXPECT_EQ(run.status, 1);
  const json game = json::parse(run.out);
  EXPECT_EQ(game["loaded"], false);
  EXPECT_EQ(game["name"], "");
  EXPECT_EQ(game["cardCount"], 0);
}

// ---- cards and card ----

TEST(CliCards, SearchesAndSortsTheCardList) {
  const MiniGame mini;
  const std::string alpha = "001\tAlpha\tRed3";
  const std::string beta = "002\tBe\\tta\tBlue10";
  const std::string gamma = "003\tC:\\\\dir\tRed1";
  struct Case {
    Args options;
    std::vector<std::string> rows;
  };
  const std::vector<Case> cases = {
      {{}, {alpha, beta, gamma}},
      {{"--text", "Name=a"}, {alpha, beta}},
      {{"--range", "Cost=1:3"}, {alpha, gamma}},
      {{"--choice", "Color=Red"}, {alpha, gamma}},
      {{"--choice", "Color=Red", "--text", "Name=Al"}, {alpha}},
      {{"--text", "Name=a", "--text", "Name=dir"}, {gamma}},
      {{"--choice", "Color=Green"}, {}},
      {{"--sort", "2"}, {beta, gamma, alpha}},
      {{"--sort", "2", "--descending"}, {alpha, gamma, beta}},
      {{"--sort", "7", "--descending"}, {alpha, beta, gamma}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.options));
    Args call = {"cards", mini.Game()};
    call.insert(call.end(), c.options.begin(), c.options.end());
    const Outcome run = RunCli(call);
    EXPECT_EQ(run.status, 0) << run.err;
    std::vector<std::string> expected = {"#\tCard name\tMix"};
    expected.insert(expected.end(), c.rows.begin(), c.rows.end());
    EXPECT_EQ(Lines(run.out), expected);
  }
}

TEST(CliCards, ListsTheSampleGame) {
  const Outcome all = RunCli({"cards", kSample});
  ASSERT_EQ(all.status, 0) << all.err;
  const std::vector<std::string> lines = Lines(all.out);
  ASSERT_EQ(lines.size(), 221u);
  EXPECT_EQ(lines[0], "番号\tカード名\t属性/種別\tコスト\tパワー\t種族\tレア");
  EXPECT_EQ(lines[1], "EV-001\t焔の晶石\t焔晶石\t0\t-\t-\tC");

  const Outcome found = RunCli({"cards", kSample, "--choice", "Color=焔", "--range", "Cost=1:1", "--text", "Name=火"});
  EXPECT_EQ(found.status, 0);
  EXPECT_EQ(Lines(found.out),
            (std::vector<std::string>{
                lines[0], "EV-002\t烈火の翼竜\t焔ユニット\t1\t1000\t竜族\tC", "EV-017\t火の粉\t焔術式\t1\t-\t-\tC",
                "TW-001\t火山の虎拳士\t焔ユニット\t1\t1000\t獣人\tC", "TW-018\t烈火の篭手\t焔遺物\t1\t-\t-\tU"}));

  // Power is compared as text: "9000" comes first, "-" last.
  const std::vector<std::string> byPower = Lines(RunCli({"cards", kSample, "--sort", "4", "--descending"}).out);
  ASSERT_EQ(byPower.size(), 221u);
  EXPECT_EQ(byPower[1].substr(0, 7), "EV-016\t");
  EXPECT_NE(byPower[220].find("\t-\t"), std::string::npos);
}

TEST(CliCard, ShowsValuesTextAndPlainValues) {
  const MiniGame mini;
  const Outcome run = RunCli({"card", mini.Game(), "001"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(
      json::parse(run.out),
      json({{"values", {{"Color", "Red"}, {"Cost", "3"}, {"Name", "Alpha"}, {"No", "001"}, {"Text", "<b>Swift</b>"}}},
            {"text", "<b>Swift</b>\n"},
            {"plain", {{"Color", "Red"}, {"Cost", "3"}, {"Name", "Alpha"}, {"No", "001"}, {"Text", "Swift"}}}}));

  const json sample = json::parse(RunCli({"card", kSample, "EV-001"}).out);
  EXPECT_EQ(sample["values"]["Name"], "焔の晶石");
  EXPECT_EQ(sample["text"],
            sample["values"]["Text"].get<std::string>() + "\n" + sample["values"]["Flavor"].get<std::string>() + "\n");
  EXPECT_EQ(sample["plain"]["Text"],
            "基本晶石晶石置き場に置き、休ませることで焔の晶力を1つ生み出す。このカードはデッキに10枚まで入れることがで"
            "きる。");
}

// ---- deck and build ----

TEST(CliDeck, PrintsTheDeckFileAndTheClipboardText) {
  const MiniGame mini;
  const std::string deck =
      ToUtf8(mini.folder.Write("deck.txt", "=Mini=\r\n[Main]\r\n 2\t001\r\n[Side]\r\n 1\t003\r\n"));
  const Outcome file = RunCli({"deck", mini.Game(), deck});
  EXPECT_EQ(file.status, 0) << file.err;
  EXPECT_EQ(file.out, "=Mini=\n\n[Main]\n 2\t001\n\n[Side]\n 1\t003\n");
  const Outcome clipboard = RunCli({"deck", mini.Game(), deck, "--clipboard"});
  EXPECT_EQ(clipboard.status, 0);
  EXPECT_EQ(clipboard.out, "\n[Main]\n  2  Alpha 3\n\n[Side]\n  1  C:\\dir 1\n");
}

TEST(CliBuild, AppliesTheCommandsInOrder) {
  const MiniGame mini;
  const Outcome run =
      RunCli({"build",  mini.Game(), "--add",  "0:001", "--add",    "0:001", "--add",    "0:001", "--add",
              "0:002",  "--add",     "1:003",  "--add", "1:003",    "--add", "0:999",    "--add", "5:001",
              "--move", "0:0:1",     "--move", "1:0:1", "--remove", "0:1",   "--remove", "0:7"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out,
            "add 0:001 0\nadd 0:001 0\nadd 0:001 -2\nadd 0:002 1\nadd 1:003 0\nadd 1:003 -1\nadd 0:999 -1\n"
            "add 5:001 -1\nmove 0:0:1 true\nmove 1:0:1 false\nremove 0:1 1\nremove 0:7 0\n"
            "=Mini=\n\n[Main]\n 1\t002\n 1\t001\n\n[Side]\n 1\t003\n");
  EXPECT_EQ(run.err, "no card has the key 999\n");
}

TEST(CliBuild, SavesADeckThatLoadsAgain) {
  const TempFolder folder;
  const std::string saved = folder.NativePath("deck.txt");
  const std::string deckText =
      "=晶霊譚ヴェルミナ=\n\n[メインデッキ]\n 2\tEV-001\n\n[サイドデッキ]\n\n[切り札デッキ]\n 1\tEV-016\n";
  const Outcome build =
      RunCli({"build", kSample, "--add", "0:EV-001", "--add", "2:EV-016", "--add", "0:EV-001", "--save", saved});
  EXPECT_EQ(build.status, 0) << build.err;
  EXPECT_EQ(build.out, "add 0:EV-001 0\nadd 2:EV-016 0\nadd 0:EV-001 0\n" + deckText);
  // The file has the deck editor's line ends.
  EXPECT_NE(folder.Read("deck.txt").find("\r\n 2\tEV-001\r\n"), std::string::npos);

  EXPECT_EQ(RunCli({"deck", kSample, saved}).out, deckText);
  const Outcome more = RunCli({"build", kSample, "--deck", saved, "--remove", "0:0", "--remove", "0:0"});
  EXPECT_EQ(more.status, 0) << more.err;
  EXPECT_EQ(more.out,
            "remove 0:0 1\nremove 0:0 0\n=晶霊譚ヴェルミナ=\n\n[メインデッキ]\n\n[サイドデッキ]\n\n[切り札デッキ]\n "
            "1\tEV-016\n");
}

TEST(CliBuild, RefusesToReplaceADeckFileTheUserMayNotWrite) {
  const MiniGame mini;
  // The ordinary user may read the game and write the folder, but not the deck file.
  chmod(mini.folder.Folder().c_str(), 0777);
  const std::string deck = mini.folder.NativePath("deck.txt");
  const std::string old = "=Mini=\r\n[Main]\r\n 1\t001\r\n";
  mini.folder.Write("deck.txt", old);
  chmod(deck.c_str(), 0444);
  const Outcome run = RunCli({"build", mini.Game(), "--deck", deck, "--add", "0:002", "--save", deck}, true);
  EXPECT_EQ(run.status, 1);
  EXPECT_TRUE(Contains(run.err, u"cannot save the deck")) << run.err;
  EXPECT_EQ(mini.folder.Read("deck.txt"), old);
}

// ---- import and stats ----

TEST(CliImport, ReadsADeckListAndReportsWhatItCouldNotUse) {
  const MiniGame mini;
  struct Case {
    std::string bytes;
    std::string deck;
    std::string errors;
  };
  const Case cases[] = {
      // A name, a key, and the column that shows colour and cost together.
      {"2 alpha\n1x 003\n[Side]\nBlue10 x1\n", "=Mini=\n\n[Main]\n 2\t001\n 1\t003\n\n[Side]\n 1\t002\n", ""},
      {"\xEF\xBB\xBF" "3 Alpha\nSideboard:\n1 Alpha\n\n1 Nobody\xE2\x98\x85\n",  // UTF-8 with its mark
       "=Mini=\n\n[Main]\n 2\t001\n\n[Side]\n",
       "line 1: 3 Alpha: over a limit, 2 of 3 copies added\nline 2: Sideboard:: no such layer\n"
       "line 3: 1 Alpha: no such layer\nline 5: 1 Nobody\xE2\x98\x85: no such card\n"},
      {"1 C:\\dir\r\n", "=Mini=\n\n[Main]\n 1\t003\n\n[Side]\n", ""},  // code page 932 (ASCII) with CR LF
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.bytes);
    mini.folder.Write("list.txt", c.bytes);
    const Outcome run = RunCli({"import", mini.Game(), mini.folder.NativePath("list.txt")});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, c.deck);
    EXPECT_EQ(run.err, c.errors);
  }
  const std::string saved = mini.folder.NativePath("saved.txt");
  EXPECT_EQ(RunCli({"import", mini.Game(), mini.folder.NativePath("list.txt"), "--save", saved}).status, 0);
  EXPECT_EQ(RunCli({"deck", mini.Game(), saved}).out, "=Mini=\n\n[Main]\n 1\t003\n\n[Side]\n");
  EXPECT_EQ(RunCli({"import", mini.Game(), mini.folder.NativePath("missing.txt")}).status, 1);
}

TEST(CliStats, PrintsTheDecksMakeUpAsJson) {
  const MiniGame mini;
  const std::string deck = mini.folder.NativePath("deck.txt");
  mini.folder.Write("deck.txt", "=Mini=\r\n[Main]\r\n 2\t001\r\n 1\t003\r\n[Side]\r\n 1\t002\r\n");
  const Outcome cost = RunCli({"stats", mini.Game(), deck, "--by", "Cost"});
  EXPECT_EQ(cost.status, 0) << cost.err;
  EXPECT_EQ(json::parse(cost.out),
            json::parse(R"({"by": "Cost", "layer": null, "numeric": true, "copies": 4,
                            "groups": [{"value": "1", "copies": 1}, {"value": "3", "copies": 2}, {"value": "10", "copies": 1}],
                            "average": 4.25})"));
  const Outcome color = RunCli({"stats", mini.Game(), deck, "--by", "Color", "--layer", "0"});
  EXPECT_EQ(json::parse(color.out),
            json::parse(R"({"by": "Color", "layer": 0, "numeric": false, "copies": 3,
                            "groups": [{"value": "Red", "copies": 3}], "average": null})"));
  EXPECT_EQ(RunCli({"stats", mini.Game(), deck, "--by", "Nope"}).status, 2);
  EXPECT_EQ(RunCli({"stats", mini.Game(), deck, "--by", "Cost", "--layer", "5"}).status, 2);
  EXPECT_EQ(RunCli({"stats", mini.Game(), deck}).status, 2);
}

// ---- check ----

TEST(CliCheck, ReportsAsCompilersDoAndTellsErrorsByItsStatus) {
  const Outcome sample = RunCli({"check", kSample});
  EXPECT_EQ(sample.status, 0);
  EXPECT_EQ(sample.out, "");  // the sample game is clean

  const MiniGame mini;
  EXPECT_EQ(RunCli({"check", mini.Game()}).status, 0);  // warnings only
  mini.folder.Write("cards.txt", "[CardData1]\r\nName=no key\r\n[CardData2]\r\nNo=001\r\nText=<font color=Red>x\r\n");
  const Outcome run = RunCli({"check", mini.Game()});
  EXPECT_EQ(run.status, 1);
  const std::string cards = mini.folder.NativePath("cards.txt");
  EXPECT_NE(run.out.find(cards + ":1: error: the card section \"CardData1\" has no value for the unique key \"No\""),
            std::string::npos) << run.out;
  EXPECT_NE(run.out.find(cards + ":5: warning: the markup of \"Text\" names the colour \"Red\""), std::string::npos);
  const json findings = json::parse(RunCli({"check", mini.Game(), "--json"}).out);
  ASSERT_TRUE(findings.is_array());
  EXPECT_EQ(findings[0]["file"], cards);
  EXPECT_EQ(findings[0]["line"], 1);
  EXPECT_EQ(findings[0]["severity"], "error");
  EXPECT_EQ(RunCli({"check"}).status, 2);
}

// ---- markup ----

json Tag(int position, const std::string& name, int bold, const std::string& color, int size) {
  return {{"position", position}, {"name", name},   {"bold", bold}, {"italic", 0},
          {"underline", 0},       {"color", color}, {"size", size}};
}

TEST(CliMarkup, ListsTheTags) {
  const Outcome run = RunCli({"markup", "<b>x</b>y<font color=red,size=12>z"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(
      json::parse(run.out),
      json({{"plain", "xyz"},
            {"tags",
             {Tag(1, "b", 1, "#000000", 10), Tag(2, "/b", -1, "#000000", 10), Tag(3, "font", 0, "#ff0000", 12)}}}));
}

TEST(CliMarkup, ReportsAFaultWithTheTextSoFar) {
  const Outcome run = RunCli({"markup", "<b>a<>b"});
  EXPECT_EQ(run.status, 0);
  const json result = json::parse(run.out);
  EXPECT_FALSE(result["error"].get<std::string>().empty());
  EXPECT_EQ(result["plain"], "ab");
  EXPECT_EQ(result["tags"], json({Tag(1, "b", 1, "#000000", 10)}));
}

}  // namespace
