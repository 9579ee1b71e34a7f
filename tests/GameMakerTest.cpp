#include "gamedef/GameMaker.h"

#include <gtest/gtest.h>

#include "TestFiles.h"
#include "cards/CardParams.h"
#include "common/CodePage.h"
#include "common/Text.h"
#include "gamedef/GameCheck.h"
#include "gamedef/Plugin.h"

namespace {

using Texts = std::vector<std::u16string>;
using Rows = std::vector<Texts>;

TGame Make(TCardTable table, const TGameOptions& options = {u"Test", {}, {}}) {
  TGame game;
  const auto error = MakeGame(std::move(table), options, game);
  EXPECT_FALSE(error) << ToUtf8(error ? error->message : u"");
  return game;
}

TGameError Refuse(TCardTable table, const TGameOptions& options = {u"Test", {}, {}}) {
  TGame game;
  const auto error = MakeGame(std::move(table), options, game);
  EXPECT_TRUE(error);
  return error.value_or(TGameError{});
}

// The two files in a scratch folder, loaded as the window loads a game, and
// what the checker finds in them.
class WrittenGame {
 public:
  explicit WrittenGame(const TGame& game) : plugin(folder.Path("")) {
    folder.Write(game.cardFileName, game.cardData);
    const std::u16string definition = folder.Write(game.definitionFileName, game.definition);
    loaded = plugin.Load(definition);
    for (const TFinding& finding : CheckGameDefinition(definition)) findings += ToUtf8(finding.message) + "\n";
  }

  TempFolder folder;
  TPlugin plugin;
  bool loaded = false;
  std::string findings;
};

int32_t TypeOf(const TGameReport& report, std::u16string_view key) {
  for (const TGameParam& param : report.params) {
    if (param.key == key) return param.type;
  }
  return -100;
}

Texts Keys(const TSectionList& sections, bool visible) {
  Texts keys;
  for (int32_t i = 0; i < sections.Count(); ++i) {
    if (sections.Item(i)->Visible() == visible) keys.push_back(WriteCommaList(sections.Item(i)->Keys()));
  }
  return keys;
}

// Card numbers 1..n beside one field, so that the field's kind alone is tested.
TCardTable Numbered(std::u16string_view field, const Texts& values) {
  TCardTable table{{u"No", std::u16string(field)}, {}};
  for (std::size_t i = 0; i < values.size(); ++i) table.rows.push_back({IntToText(int64_t(i) + 1), values[i]});
  return table;
}

Texts Repeated(std::size_t cards, std::size_t distinct) {
  Texts values;
  for (std::size_t i = 0; i < cards; ++i) values.push_back(u"v" + IntToText(int64_t(i % distinct)));
  return values;
}

// ---- kinds ----

TEST(GameMaker, InfersEachFieldsKind) {
  const std::u16string kLong(22, u'a');  // wider than 150 pixels
  struct Case {
    const char* what;
    Texts values;
    int32_t type;
  };
  const std::vector<Case> cases = {
      {"signed whole numbers, some empty", {u"1", u"-2", u"+3", u"", u"10"}, TCardParamItem::kRange},
      {"a decimal is no whole number", {u"1.5", u"2", u"3", u"4", u"5"}, TCardParamItem::kText},
      {"ten digits go beyond the range search", {u"1234567890", u"1", u"2", u"3"}, TCardParamItem::kText},
      {"full-width digits", {u"１", u"２", u"３"}, TCardParamItem::kText},
      {"no value at all", {u"", u"", u""}, TCardParamItem::kText},
      {"few values, letter case ignored", {u"Red", u"Blue", u"red", u"BLUE", u"Red", u"Green"}, TCardParamItem::kChoice},
      {"more values than half the cards", {u"a", u"b", u"c", u"d", u"a", u"b"}, TCardParamItem::kText},
      {"long values are searched as text", {kLong, kLong, kLong, kLong, u"b", u"b"}, TCardParamItem::kText},
      {"one card", {u"x"}, TCardParamItem::kText},
      {"32 values among many cards", Repeated(100, 32), TCardParamItem::kChoice},
      {"33 values among many cards", Repeated(100, 33), TCardParamItem::kText},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(TypeOf(Make(Numbered(u"F", c.values)).report, u"F"), c.type);
  }
}

TEST(GameMaker, WidthsFollowTheTypicalValue) {
  struct Case {
    Texts values;
    int32_t width;
  };
  const std::vector<Case> cases = {
      {{u"ab", u"cd"}, 40},                                                    // never below 40
      {{u"0123456789", u"0123456789", u"x"}, 78},                              // ten narrow characters and the margin
      {{u"あいうえお", u"あいうえお", u"x"}, 73},                               // five wide ones
      {{u"x", u"x", u"x", u"x", u"x", u"x", u"x", u"x", u"x", std::u16string(100, u'x')}, 40},  // one in ten is not typical
      {{std::u16string(100, u'x'), std::u16string(100, u'x')}, 300},          // never beyond 300
  };
  for (const Case& c : cases) {
    const TGame game = Make(Numbered(u"F", c.values));
    EXPECT_EQ(game.report.params[1].width, c.width) << ToUtf8(c.values[0]);
  }
}

// ---- the card key ----

TEST(GameMaker, FindsTheCardKey) {
  struct Case {
    const char* what;
    TCardTable table;
    std::u16string key;
    TKeyOrigin origin;
    Texts keyFields;
    std::u16string firstKey;  // the first card's key
  };
  const std::vector<Case> cases = {
      {"the first unique field", {{u"Kind", u"No", u"Code"}, {{u"A", u"1", u"x"}, {u"A", u"2", u"y"}}},
       u"No", TKeyOrigin::kUniqueField, {u"No"}, u"1"},
      {"a field with an empty value is passed over", {{u"No", u"Code"}, {{u"1", u"x"}, {u"", u"y"}}},
       u"Code", TKeyOrigin::kUniqueField, {u"Code"}, u"x"},
      {"a field without blanks comes first", {{u"Name", u"Code"}, {{u"Fire Dragon", u"x"}, {u"Ice Dragon", u"y"}}},
       u"Code", TKeyOrigin::kUniqueField, {u"Code"}, u"x"},
      {"blanks become one word", {{u"Name", u"Cost"}, {{u"Fire Dragon", u"1"}, {u"Ice\tDragon", u"1"}}},
       u"Id", TKeyOrigin::kOneWord, {u"Name"}, u"Fire_Dragon"},
      {"two fields together", {{u"Set", u"Number"}, {{u"A", u"1"}, {u"A", u"2"}, {u"B", u"1"}}},
       u"Id", TKeyOrigin::kCombination, {u"Set", u"Number"}, u"A-1"},
      {"fields without blanks together before one with blanks",
       {{u"Name", u"Set", u"Number"}, {{u"Fire Dragon", u"A", u"1"}, {u"Ice Dragon", u"A", u"2"}, {u"Bolt", u"B", u"1"}}},
       u"Id", TKeyOrigin::kCombination, {u"Set", u"Number"}, u"A-1"},
      {"three fields together",
       {{u"Set", u"Number", u"Foil"}, {{u"A", u"1", u"n"}, {u"A", u"1", u"y"}, {u"A", u"2", u"n"}, {u"B", u"1", u"n"}}},
       u"Id", TKeyOrigin::kCombination, {u"Set", u"Number", u"Foil"}, u"A-1-n"},
      {"an Id field of the input keeps its key", {{u"id", u"Number"}, {{u"A", u"1"}, {u"A", u"2"}, {u"B", u"1"}}},
       u"Id_2", TKeyOrigin::kCombination, {u"id", u"Number"}, u"A-1"},
      {"keys longer than deck files keep are passed over",
       {{u"Long", u"Code"}, {{std::u16string(128, u'x'), u"a"}, {std::u16string(128, u'y'), u"b"}}},
       u"Code", TKeyOrigin::kUniqueField, {u"Code"}, u"a"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const TGame game = Make(c.table);
    EXPECT_EQ(game.report.uniqueKey, c.key);
    EXPECT_EQ(game.report.keyOrigin, c.origin);
    EXPECT_EQ(game.report.keyFields, c.keyFields);
    WrittenGame written(game);
    ASSERT_TRUE(written.loaded);
    EXPECT_EQ(written.plugin.UniqueKey(), c.key);
    EXPECT_EQ(written.plugin.Cards().Count(), c.table.rows.size());
    EXPECT_NE(written.plugin.Cards().Find(c.firstKey), nullptr);
    // A made key is the first parameter and the card list's first column.
    EXPECT_EQ(written.plugin.CardSections().Item(0)->Keys(), Texts{c.key});
    if (c.origin != TKeyOrigin::kUniqueField) {
      EXPECT_EQ(written.plugin.Params().Item(0)->Key(), c.key);
    }
  }
}

TEST(GameMaker, TakesTheKeyItIsGiven) {
  const TCardTable table{{u"Set", u"Number", u"Name"}, {{u"A", u"1", u"Bolt"}, {u"A", u"2", u"Bolt"}, {u"B", u"1", u"Shock"}}};
  const TGame joined = Make(table, {u"Test", {u"Set", u"Number"}, {}});
  EXPECT_EQ(joined.report.uniqueKey, u"Id");
  EXPECT_EQ(joined.report.keyOrigin, TKeyOrigin::kGiven);
  WrittenGame written(joined);
  EXPECT_NE(written.plugin.Cards().Find(u"B-1"), nullptr);

  const TGame one = Make({{u"No", u"Name"}, {{u"1", u"A"}, {u"2", u"B"}}}, {u"Test", {u"Name"}, {}});
  EXPECT_EQ(one.report.uniqueKey, u"Name");
}

TEST(GameMaker, RefusesAKeyThatDoesNotIdentifyEveryCard) {
  const TCardTable table{{u"Set", u"Name"}, {{u"A", u"Bolt"}, {u"", u"Bolt"}}};
  const TGameError duplicate = Refuse(table, {u"Test", {u"Name"}, {}});
  EXPECT_FALSE(duplicate.wrongCall);
  EXPECT_EQ(duplicate.message, u"the key does not identify every card: card 1 and card 2 have the same key \"Bolt\"");
  const TGameError empty = Refuse(table, {u"Test", {u"Set"}, {}});
  EXPECT_EQ(empty.message, u"the key does not identify every card: card 2 has no value for \"Set\"");
  const TGameError none = Refuse(table);
  EXPECT_FALSE(none.wrongCall);
  EXPECT_NE(none.message.find(u"--key"), std::u16string::npos);
}

// ---- options and the table as a whole ----

TEST(GameMaker, RefusesWhatMakesNoGame) {
  struct Case {
    const char* what;
    TCardTable table;
    TGameOptions options;
    bool wrongCall;
  };
  const TCardTable cards{{u"No", u"Text"}, {{u"1", u"a"}, {u"2", u"b"}}};
  const std::vector<Case> cases = {
      {"no name", cards, {u" \r\n", {}, {}}, true},
      {"a key field that is not there", cards, {u"Test", {u"Nope"}, {}}, true},
      {"a text field that is not there", cards, {u"Test", {}, {u"Text", u"Nope"}}, true},
      {"no fields", {{}, {{u"1"}}}, {u"Test", {}, {}}, false},
      {"no cards", {{u"No"}, {}}, {u"Test", {}, {}}, false},
      {"only empty rows", {{u"No"}, {{u""}, {u" "}}}, {u"Test", {}, {}}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(Refuse(c.table, c.options).wrongCall, c.wrongCall);
  }
}

TEST(GameMaker, LeavesOutEmptyRows) {
  const TGame game = Make({{u"No", u"Name"}, {{u"1", u"a"}, {u"", u" "}, {}, {u"2", u"b"}}});
  EXPECT_EQ(game.report.cards, 2u);
  EXPECT_EQ(game.report.emptyRows, 2u);
  EXPECT_EQ(WrittenGame(game).plugin.Cards().Count(), 2u);
}

TEST(GameMaker, ChoosesTheTextKey) {
  const TCardTable table{{u"No", u"Name", u"Rules", u"Flavor"},
                         {{u"1", u"Bolt", u"Deal 3 damage to any target.", u"Zap."}, {u"2", u"Shock", u"Deal 2.", u"Zzzzzzzzzzzzzzzzzzzzzzzzzzzzzz"}}};
  const TGame longest = Make(table);
  EXPECT_EQ(longest.report.textKey, Texts{u"Rules"});
  EXPECT_FALSE(longest.report.textGiven);
  const TGame given = Make(table, {u"Test", {}, {u"Flavor", u"Rules"}});
  EXPECT_EQ(given.report.textKey, (Texts{u"Flavor", u"Rules"}));
  WrittenGame written(given);
  EXPECT_EQ(written.plugin.TextKey(), (Texts{u"Flavor", u"Rules"}));
  EXPECT_EQ(written.plugin.CardText(*written.plugin.Cards().Find(u"1")), u"Zap.\nDeal 3 damage to any target.\n");
}

// ---- values and names that the files cannot carry as they are ----

TEST(GameMaker, MakesValuesFitTheFiles) {
  struct Case {
    const char* what;
    std::u16string value;
    std::u16string stored;
    std::size_t replaced;
    std::size_t escaped;
    std::size_t cut;
  };
  const std::u16string longWide(3000, u'あ');
  const std::u16string breakAtEnd = std::u16string(2039, u'x') + u"\nyy";
  const std::vector<Case> cases = {
      {"line breaks of every kind", u"a\r\nb\nc\rd", u"a<br>b<br>c<br>d", 0, 0, 0},
      {"angle brackets", u"1 < 2 > 0", u"1 ＜ 2 ＞ 0", 0, 2, 0},
      {"a character outside the code page, a surrogate pair", u"😀x한", u"〓x〓", 2, 0, 0},
      {"a control character", u"a\x01" u"b\tc", u"a〓b\tc", 1, 0, 0},
      {"blanks and line breaks around", u" \t padded \r\n", u"padded", 0, 0, 0},
      {"a leading equals sign", u"=5", u"＝5", 0, 1, 0},
      {"characters the code page holds", u"Ω①ｶ～", u"Ω①ｶ～", 0, 0, 0},
      {"their JIS names", u"Elf \u2014 \u301C\u2016\u2212\u00A2\u00A3\u00AC\u00A0x", u"Elf ― ～∥－￠￡￢ x", 0, 0, 0},
      {"too long for one card line", std::u16string(3000, u'x'), std::u16string(2041, u'x'), 0, 0, 1},
      {"wide characters take two bytes", longWide, longWide.substr(0, 1020), 0, 0, 1},
      {"never cut inside a line break", breakAtEnd, std::u16string(2039, u'x'), 0, 0, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const TGame game = Make({{u"No", u"Text"}, {{u"1", c.value}}});
    EXPECT_EQ(game.report.replacedCharacters, c.replaced);
    EXPECT_EQ(game.report.escapedCharacters, c.escaped);
    EXPECT_EQ(game.report.cutValues, c.cut);
    WrittenGame written(game);
    EXPECT_EQ(written.findings, "");
    ASSERT_EQ(written.plugin.Cards().Count(), 1u);
    EXPECT_EQ(written.plugin.Cards().Find(u"1")->Value(u"Text"), c.stored);
  }
}

TEST(GameMaker, MakesFieldNamesIntoKeys) {
  struct Case {
    std::u16string field;
    std::u16string key;
    std::u16string name;
  };
  const std::vector<Case> cases = {
      {u"Card Name", u"Card_Name", u"Card Name"},
      {u" Cost ", u"Cost", u"Cost"},
      {u"a=b,c", u"a_b_c", u"a=b,c"},
      {u"[Set]", u"_Set_", u"[Set]"},
      {u"\"Quoted\"", u"_Quoted_", u"Quoted"},
      {u"\"\"", u"__", u"__"},
      {u"line\nbreak", u"line_break", u"line break"},
      {u"😀", u"_", u"〓"},
      {u"", u"Field11", u"Field11"},
      {u"name", u"name_2", u"name"},
      {std::u16string(80, u'k'), std::u16string(64, u'k'), std::u16string(80, u'k')},
  };
  TCardTable table{{u"No", u"Name"}, {{u"1", u"Alpha"}}};
  for (const Case& c : cases) {
    table.fields.push_back(c.field);
    table.rows[0].push_back(u"v");
  }
  const TGame game = Make(table);
  WrittenGame written(game);
  ASSERT_EQ(written.plugin.Params().Count(), static_cast<int32_t>(table.fields.size()));
  for (std::size_t i = 0; i < cases.size(); ++i) {
    SCOPED_TRACE(ToUtf8(cases[i].field));
    const TCardParamItem& param = *written.plugin.Params().Item(static_cast<int32_t>(i) + 2);
    EXPECT_EQ(param.Key(), cases[i].key);
    EXPECT_EQ(param.Name(), cases[i].name);
    EXPECT_EQ(written.plugin.Cards().Find(u"1")->Value(cases[i].key), u"v");
  }
}

// ---- the written game ----

TEST(GameMaker, ShowsShortFieldsAndHidesTheRest) {
  TCardTable table{{u"No", u"Card Name", u"Cost", u"Type", u"Power", u"Text"}, {}};
  for (int i = 0; i < 20; ++i) {
    table.rows.push_back({IntToText(i + 1), u"Creature number " + IntToText(i), IntToText(i % 7), i % 2 ? u"Unit" : u"Spell",
                          IntToText(i % 4 * 100), u"When this enters, draw a card and then discard a card at random."});
  }
  for (int f = 0; f < 8; ++f) {
    table.fields.push_back(u"Extra" + IntToText(f));
    for (Texts& row : table.rows) row.push_back(u"x");
  }
  WrittenGame written(Make(table));
  const TPlugin& plugin = written.plugin;
  EXPECT_EQ(Keys(plugin.CardSections(), true),
            (Texts{u"No", u"Card_Name", u"Cost", u"Type", u"Power", u"Extra0", u"Extra1", u"Extra2", u"Extra3"}));
  EXPECT_EQ(Keys(plugin.CardSections(), false), (Texts{u"Text", u"Extra4", u"Extra5", u"Extra6", u"Extra7"}));
  EXPECT_EQ(plugin.CardSections().Item(1)->Name(), u"Card Name");
  // The name, then numbers before other short fields.
  EXPECT_EQ(Keys(plugin.DeckSections(), true), (Texts{u"Card_Name", u"Cost", u"Power"}));
  EXPECT_EQ(Keys(plugin.DeckSections(), false), Texts{});

  // The fields that make the card key tell little about a card in a deck.
  WrittenGame joined(Make({{u"Set", u"Number", u"Title", u"Cost", u"Rules"},
                           {{u"A", u"1", u"Bolt", u"1", u"Deal 3."}, {u"A", u"2", u"Bolt", u"1", u"Deal 3."}, {u"B", u"1", u"Bear", u"2", u""}}}));
  EXPECT_EQ(Keys(joined.plugin.DeckSections(), true), (Texts{u"Title", u"Cost"}));

  // The name comes second wherever it stands; fields that few cards have are
  // hidden, and numbers that tell the cards apart stay out of the deck list.
  TCardTable printed{{u"id", u"artist", u"multiverseid", u"loyalty", u"name", u"cmc", u"text"}, {}};
  for (int i = 0; i < 10; ++i) {
    printed.rows.push_back({u"h" + IntToText(i), u"Artist " + IntToText(i % 3), IntToText(1000 + i),
                            i == 0 ? u"3" : u"", u"Card " + IntToText(i / 2), IntToText(i % 4), u"Draw a card, then..."});
  }
  WrittenGame mtg(Make(printed));
  EXPECT_EQ(Keys(mtg.plugin.CardSections(), true), (Texts{u"id", u"name", u"artist", u"multiverseid", u"cmc"}));
  EXPECT_EQ(Keys(mtg.plugin.CardSections(), false), (Texts{u"loyalty", u"text"}));
  EXPECT_EQ(Keys(mtg.plugin.DeckSections(), true), (Texts{u"name", u"cmc", u"artist"}));
}

TEST(GameMaker, WritesAGameThatLoadsWithEveryCard) {
  TCardTable table{{u"No", u"Name", u"Color", u"Cost", u"Text"}, {}};
  const Texts colors{u"Red", u"Blue", u"Green", u"白", u"黒"};
  for (int i = 0; i < 300; ++i) {
    table.rows.push_back({u"S1-" + IntToText(1000 + i), u"カード" + IntToText(i), colors[i % 5], IntToText(i % 10),
                          i % 3 ? u"Line one\nline two" : u""});
  }
  const TGame game = Make(table, {u"My Game: 2nd edition", {}, {}});
  EXPECT_EQ(game.definitionFileName, "My_Game_2nd_edition.ini");
  EXPECT_EQ(game.cardFileName, "My_Game_2nd_edition-cards.txt");
  // Code page 932 with CR LF line ends.
  EXPECT_EQ(game.definition.rfind("[System]\r\nName=My Game: 2nd edition\r\nUniqueKey=No\r\nTextKey=Text\r\n"
                                  "CardList=My_Game_2nd_edition-cards.txt\r\n", 0), 0u);
  for (const std::string* bytes : {&game.definition, &game.cardData}) {
    for (std::size_t at = bytes->find('\n'); at != std::string::npos; at = bytes->find('\n', at + 1)) {
      ASSERT_TRUE(at > 0 && (*bytes)[at - 1] == '\r');
    }
  }
  EXPECT_NE(game.cardData.find(ToCp932(u"Name=カード0\r\n")), std::string::npos);

  WrittenGame written(game);
  ASSERT_TRUE(written.loaded);
  EXPECT_EQ(written.findings, "");
  const TPlugin& plugin = written.plugin;
  EXPECT_EQ(plugin.Name(), u"My Game: 2nd edition");
  EXPECT_EQ(plugin.Cards().Count(), 300u);
  for (const Texts& row : table.rows) {
    const TCardItem* card = plugin.Cards().Find(row[0]);
    ASSERT_NE(card, nullptr);
    EXPECT_EQ(card->Value(u"Color"), row[2]);
    EXPECT_EQ(card->Value(u"Text"), row[4].empty() ? u"" : u"Line one<br>line two");
  }
  ASSERT_EQ(plugin.Params().Count(), 5);
  const std::vector<int32_t> types{TCardParamItem::kText, TCardParamItem::kText, TCardParamItem::kChoice,
                                   TCardParamItem::kRange, TCardParamItem::kChoice};
  for (int32_t i = 0; i < 5; ++i) EXPECT_EQ(plugin.Params().Item(i)->Type(), types[i]) << i;
  EXPECT_EQ(plugin.Params().Find(u"Color")->Values().size(), 5u);
  // Every column shows parameters.
  for (const TSectionList* sections : {&plugin.CardSections(), &plugin.DeckSections()}) {
    for (int32_t i = 0; i < sections->Count(); ++i) {
      for (const std::u16string& key : sections->Item(i)->Keys()) EXPECT_NE(plugin.Params().Find(key), nullptr);
    }
  }
  ASSERT_EQ(plugin.Deck().LayerCount(), 2);
  EXPECT_EQ(plugin.Deck().Layer(0).Name(), u"Main");
  EXPECT_EQ(plugin.Deck().Layer(0).TotalLimit(), 60);
  EXPECT_EQ(plugin.Deck().Layer(0).ItemLimit(), 4);
  EXPECT_EQ(plugin.Deck().Layer(1).Name(), u"Side");
  EXPECT_EQ(plugin.Deck().Layer(1).TotalLimit(), 15);
}

TEST(GameMaker, FileStemsAreSafeNames) {
  const std::vector<std::pair<std::u16string, std::string>> cases = {
      {u"Sample", "Sample"},          {u"My Game!", "My_Game"},   {u"晶霊譚", "game"},
      {u"--rm -rf", "rm_-rf"},        {u"../../etc/x", "etc_x"},  {u"a  /  b", "a_b"},
      {std::u16string(100, u'z'), std::string(64, 'z')},
  };
  for (const auto& [name, stem] : cases) EXPECT_EQ(GameFileStem(name), stem) << ToUtf8(name);
}

}  // namespace
