// Card lists read into tables: CSV and TSV by their quoting rules, JSON by
// how nested objects and arrays become fields, and which of them a file is.
#include "gamedef/CardListFile.h"

#include <gtest/gtest.h>

#include "common/CodePage.h"
#include "common/Text.h"
#include "gamedef/CsvTable.h"

namespace {

using Texts = std::vector<std::u16string>;
using Rows = std::vector<Texts>;

// ---- CSV and TSV ----

TEST(CsvTable, ReadsQuotedFieldsAndLineEnds) {
  struct Case {
    const char* what;
    std::u16string text;
    char16_t separator;
    Texts fields;
    Rows rows;
  };
  const std::vector<Case> cases = {
      {"CR LF and no line end at the end", u"No,Name\r\n1,Alpha\r\n2,Beta", u',', {u"No", u"Name"},
       {{u"1", u"Alpha"}, {u"2", u"Beta"}}},
      {"quoted separators, marks and line breaks", u"No,Text\n1,\"a, \"\"b\"\"\r\nc\"\n", u',', {u"No", u"Text"},
       {{u"1", u"a, \"b\"\r\nc"}}},
      {"text after a closing mark stays", u"A\n\"x\"y z\n", u',', {u"A"}, {{u"xy z"}}},
      {"a mark inside an unquoted value stays", u"A,B\nx\"y,2\n", u',', {u"A", u"B"}, {{u"x\"y", u"2"}}},
      {"blank lines are skipped", u"\n\nA\r\n\r\n1\n\n", u',', {u"A"}, {{u"1"}}},
      {"short rows stay short", u"A,B,C\n1\n", u',', {u"A", u"B", u"C"}, {{u"1"}}},
      {"an empty value after the last field", u"A,B\n1,2,\n", u',', {u"A", u"B"}, {{u"1", u"2"}}},
      {"old Mac line ends", u"A\r1\r2", u',', {u"A"}, {{u"1"}, {u"2"}}},
      {"tabs", u"No\tName, full\n1\t\"Alpha\tOne\"\n", u'\t', {u"No", u"Name, full"}, {{u"1", u"Alpha\tOne"}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TCardTable table;
    std::u16string error;
    ASSERT_TRUE(ReadCsvTable(c.text, c.separator, table, error)) << ToUtf8(error);
    EXPECT_EQ(table.fields, c.fields);
    EXPECT_EQ(table.rows, c.rows);
  }
}

TEST(CsvTable, ReportsWhereTheTextGoesWrong) {
  const std::vector<std::pair<std::u16string, std::u16string>> cases = {
      {u"A,B\n1,\"two\nlines\"\n2,\"open\n", u"the quoted value that begins on line 4 never closes"},
      {u"A,B\n1,2\n\n1,2,3\n", u"line 4 has 3 values, the header 2 fields"},
      {std::u16string(kMaxTableFields, u',') + u"\n", u"line 1 has more than 1000 values"},
      {u"A\n" + std::u16string(kMaxTableFields, u',') + u"\n", u"line 2 has more than 1000 values"},
  };
  for (const auto& [text, message] : cases) {
    TCardTable table;
    std::u16string error;
    EXPECT_EQ(ReadCsvTable(text, u',', table, error), message.empty());
    EXPECT_EQ(error, message);
  }
  // Short rows count as full ones, which the game makes of them.
  std::u16string manyRows = std::u16string(kMaxTableFields - 1, u',') + u"\n";
  for (std::size_t i = 0; i * kMaxTableFields <= kMaxTableCells; ++i) manyRows += u"1\n";
  TCardTable table;
  std::u16string error;
  EXPECT_FALSE(ReadCsvTable(manyRows, u',', table, error));
  EXPECT_EQ(error, u"the card list has more values than 8388608");
}

TEST(CsvTable, TellsTabsFromTheHeader) {
  EXPECT_TRUE(HeaderUsesTabs(u"No\tName\n1,2"));
  EXPECT_FALSE(HeaderUsesTabs(u"No\tName,Cost\n"));
  EXPECT_FALSE(HeaderUsesTabs(u"No,Name\n1\t2"));
  EXPECT_FALSE(HeaderUsesTabs(u"No\n\t"));
}

// ---- JSON and the kind of file ----

TCardTable Read(std::string_view fileName, std::string_view bytes) {
  TCardTable table;
  std::u16string error;
  EXPECT_TRUE(ReadCardList(fileName, bytes, table, error)) << ToUtf8(error);
  return table;
}

TEST(CardListFile, FlattensNestedJson) {
  const TCardTable table = Read("cards.json", R"([
    {"id": "c1", "cost": {"red": 1, "generic": 0}, "tags": ["fast", "burn"],
     "abilities": [{"name": "Zap", "damage": 3}, {"name": "Sear", "damage": 1.50}],
     "legal": true, "errata": null, "empty": [], "big": 18446744073709551615, "neg": -7},
    {"id": "c2", "cost": {"green": 2}, "deep": {"a": {"b": [[1, 2], [3]]}}}
  ])");
  EXPECT_EQ(table.fields, (Texts{u"id", u"cost.red", u"cost.generic", u"tags", u"abilities.name", u"abilities.damage",
                                 u"legal", u"errata", u"big", u"neg", u"cost.green", u"deep.a.b"}));
  // An empty array gives no value, null the empty one; numbers as written.
  EXPECT_EQ(table.rows, (Rows{{u"c1", u"1", u"0", u"fast, burn", u"Zap, Sear", u"3, 1.50", u"true", u"",
                               u"18446744073709551615", u"-7"},
                              {u"c2", u"", u"", u"", u"", u"", u"", u"", u"", u"", u"2", u"1, 2, 3"}}));
}

TEST(CardListFile, TellsJsonCsvAndTsvApart) {
  const std::vector<std::tuple<const char*, std::string, Texts>> cases = {
      {"a.txt", "\xEF\xBB\xBF \r\n[{\"No\": 1}]", {u"No"}},  // JSON after a byte-order mark and blanks
      {"a.json", "No,Name\n1,A\n", {u"No", u"Name"}},      // CSV whatever the name says
      {"a.TSV", "No,x\tName\n", {u"No,x", u"Name"}},
      {"a.csv", "No\tName\n1\t2,3\n", {u"No", u"Name"}},  // tabs and no commas in the header
      {"a.csv", "\x96\xBC\x91\x4F,No\n", {u"名前", u"No"}},  // code page 932
  };
  for (const auto& [name, bytes, fields] : cases) EXPECT_EQ(Read(name, bytes).fields, fields) << name;
}

TEST(CardListFile, RefusesWhatIsNoCardList) {
  std::string manyFields = "[{";
  for (std::size_t i = 0; i <= kMaxTableFields; ++i) manyFields += (i > 0 ? ",\"f" : "\"f") + std::to_string(i) + "\":1";
  manyFields += "}]";
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"[{\"id\": 1,}]", "parse error"},
      {"[{\"id\": 1}] [", "parse error"},
      {"[1, 2]", "element 1 of the card list is not an object"},
      {"[{\"id\": 1}, [2]]", "element 2 of the card list is not an object"},
      {"[{\"a\":" + std::string(40, '[') + std::string(40, ']') + "}]", "card 1 nests deeper than 16 levels"},
      {manyFields, "the cards have more than 1000 fields"},
  };
  for (const auto& [bytes, message] : cases) {
    TCardTable table;
    std::u16string error;
    EXPECT_FALSE(ReadCardList("a.json", bytes, table, error));
    EXPECT_NE(ToUtf8(error).find(message), std::string::npos) << ToUtf8(error);
  }
}

}  // namespace
