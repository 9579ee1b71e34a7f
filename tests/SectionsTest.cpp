#include <gtest/gtest.h>

#include "TestFiles.h"
#include "cards/CardParams.h"
#include "cards/Sections.h"
#include "common/Text.h"
#include "gamedef/IniFile.h"

namespace {

constexpr std::string_view kSchema =
    "[Param00]\nKey=No\nName=Number\n[Param01]\nKey=Name\nName=Card name\n"
    "[Param02]\nKey=Cost\nName=Cost\n[Param03]\nKey=Text\nName=Card text\n";

// One line per section: caption|keys|width|visible.
std::vector<std::string> Describe(const TSectionList& sections) {
  std::vector<std::string> lines;
  for (int32_t i = 0; i < sections.Count(); ++i) {
    const TSectionItem& s = *sections.Item(i);
    lines.push_back(ToUtf8(s.Name()) + "|" + ToUtf8(WriteCommaList(s.Keys())) + "|" + std::to_string(s.Width()) + "|" +
                    (s.Visible() ? "1" : "0"));
  }
  return lines;
}

using Lines = std::vector<std::string>;

class SectionsTest : public ::testing::Test {
 protected:
  TSectionList LoadCard(std::string_view sections, std::u16string uniqueKey = u"No",
                        std::vector<std::u16string> textKeys = {u"Text"}) {
    const std::u16string path = folder_.Write("g.ini", std::string(kSchema) + std::string(sections));
    params_.Clear();
    params_.Load(path);
    TSectionList list;
    list.Load(path, u"CardListSection%02d");
    CompleteCardSections(list, params_, uniqueKey, textKeys);
    return list;
  }
  TSectionList LoadDeck(std::string_view sections) {
    const std::u16string path = folder_.Write("g.ini", std::string(kSchema) + std::string(sections));
    params_.Clear();
    params_.Load(path);
    TSectionList list;
    list.Load(path, u"DeckListSection%02d");
    CompleteDeckSections(list, params_, u"No", {u"Text"});
    return list;
  }

  TempFolder folder_;
  TCardParams params_;
};

}  // namespace

TEST_F(SectionsTest, ReadsSectionsUpToTheFirstWithoutKey) {
  const TSectionList list = LoadCard(
      "[CardListSection00]\nKey=No\nWidth=60\nName=#\n"
      "[CardListSection01]\nKey=Name, Cost\nVisibled=0\n"
      "[CardListSection02]\nKey=\"Te xt\",Cost\nWidth=-5\n"
      "[CardListSection04]\nKey=Cost\n");
  EXPECT_EQ(Describe(list), (Lines{"#|No|60|1", "Card name|Name,Cost|100|0", "\"Te xt\",Cost|\"Te xt\",Cost|-5|1"}));
  EXPECT_EQ(list.VisibleCount(), 2);
  EXPECT_EQ(list.VisibleItem(1), list.Item(2));
  EXPECT_EQ(list.VisibleItem(2), nullptr);
  EXPECT_EQ(list.VisibleItem(-1), nullptr);
}

TEST_F(SectionsTest, GeneratesCardColumnsFromTheSchema) {
  EXPECT_EQ(Describe(LoadCard("")), (Lines{"Number|No|100|1", "Card name|Name|100|1", "Cost|Cost|100|1"}));
  // A text key in other letter case still keeps its parameter out.
  EXPECT_EQ(Describe(LoadCard("", u"No", {u"TEXT"})), (Lines{"Number|No|100|1", "Card name|Name|100|1", "Cost|Cost|100|1"}));
  // A card key that names no parameter still gets its column; "No" is then generated in schema order.
  EXPECT_EQ(Describe(LoadCard("", u"no", {})),
            (Lines{"no|no|100|1", "Number|No|100|1", "Card name|Name|100|1", "Cost|Cost|100|1", "Card text|Text|100|1"}));
}

TEST_F(SectionsTest, FillsEmptyCaptions) {
  const TSectionList card = LoadCard(
      "[CardListSection00]\nKey=Cost\nName=0\n[CardListSection01]\nKey=Name\n"
      "[CardListSection02]\nKey=Other,Cost\n[CardListSection03]\nKey=,Cost\n");
  EXPECT_EQ(Describe(card), (Lines{"Cost|Cost|100|1", "Card name|Name|100|1", "Other,Cost|Other,Cost|100|1", ",Cost|,Cost|100|1"}));
  const TSectionList deck = LoadDeck("[DeckListSection00]\nKey=Cost\nName=0\n[DeckListSection01]\nKey=Name\n");
  EXPECT_EQ(Describe(deck), (Lines{"0|Cost|100|1", "Card name|Name|100|1"}));
}

TEST_F(SectionsTest, CompletesOnlyListsThatNeedIt) {
  // A card list whose sections are all hidden is left without a column.
  EXPECT_EQ(Describe(LoadCard("[CardListSection00]\nKey=Cost\nVisibled=0\n")), (Lines{"Cost|Cost|100|0"}));
  // A deck list without a visible section gets the generated columns after its hidden ones.
  EXPECT_EQ(Describe(LoadDeck("[DeckListSection00]\nKey=Cost\nVisibled=0\n")),
            (Lines{"Cost|Cost|100|0", "Number|No|100|1", "Card name|Name|100|1", "Cost|Cost|100|1"}));
}

TEST_F(SectionsTest, RefusesPatternsThatAreNotOneIntegerConversion) {
  const std::u16string path = folder_.Write("g.ini", "[%s]\nKey=No\n[Col]\nKey=No\n");
  for (const char16_t* pattern : {u"%s", u"Col", u"%d%d", u"%n"}) {
    TSectionList list;
    EXPECT_EQ(list.Load(path, pattern), 0) << ToUtf8(pattern);
    list.Add(std::make_unique<TSectionItem>(u"x", u"No", 10, true));
    list.Save(path, pattern);
  }
  EXPECT_EQ(folder_.Read("g.ini"), "[%s]\nKey=No\n[Col]\nKey=No\n");
}

TEST_F(SectionsTest, SavesKeysWidthsAndVisibilityButNoCaptions) {
  TSectionList list = LoadCard("[CardListSection05]\nKey=Kept\n");
  list.Item(1)->SetVisible(false);
  list.Item(2)->SetWidth(-5);
  list.Item(0)->SetWidth(42);
  list.Save(folder_.Path("g.ini"), u"CardListSection%02d");

  TIniFile file(folder_.Path("g.ini"));
  EXPECT_EQ(file.ReadString(u"CardListSection00", u"Key", u""), u"No");
  EXPECT_EQ(file.ReadInteger(u"CardListSection00", u"Width", 0), 42);
  EXPECT_EQ(file.ReadString(u"CardListSection01", u"Visibled", u""), u"0");
  EXPECT_EQ(file.ReadInteger(u"CardListSection02", u"Width", -1), 0);
  EXPECT_EQ(file.ReadString(u"CardListSection00", u"Name", u"none"), u"none");
  EXPECT_EQ(file.ReadString(u"CardListSection05", u"Key", u""), u"Kept");  // beyond the count: untouched
  // The next load reads them back and fills the captions in again.
  EXPECT_EQ(Describe(LoadCard(folder_.Read("g.ini").substr(kSchema.size()))),
            (Lines{"Number|No|42|1", "Card name|Name|100|0", "Cost|Cost|0|1"}));
}

TEST_F(SectionsTest, AFailedSaveThrowsTheWriteError) {
  TSectionList list = LoadCard("");
  const std::u16string path = folder_.Write("ro/g.ini", "[S]\n");
  chmod(folder_.NativePath("ro").c_str(), 0555);
  HonourFilePermissions honour;
  EXPECT_THROW(list.Save(path, u"CardListSection%02d"), EIniFileException);
  EXPECT_EQ(folder_.Read("ro/g.ini"), "[S]\n");
}
