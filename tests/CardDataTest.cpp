#include <gtest/gtest.h>

#include "TestFiles.h"
#include "cards/CardData.h"
#include "cards/CardListReference.h"
#include "cards/CardParams.h"
#include "common/Text.h"

namespace {

// A database read from card data given as bytes, with a schema of No, Name and Cost.
class CardDataTest : public ::testing::Test {
 protected:
  CardDataTest() {
    params_.Load(folder_.Write("schema.ini",
                               "[Param00]\nKey=No\nName=n\n[Param01]\nKey=Name\nName=a\n[Param02]\nKey=Cost\nName=c\n"));
  }

  bool Read(std::string_view contents, std::u16string_view uniqueKey = u"No") {
    return ReadCardData(folder_.Write("cards.txt", contents), uniqueKey, params_, cards_);
  }

  std::u16string Value(std::u16string_view cardKey, std::u16string_view key) const {
    const TCardItem* card = cards_.Find(cardKey);
    return card == nullptr ? u"(no card)" : std::u16string(card->Value(key));
  }

  std::vector<std::u16string> CardKeys() const {
    std::vector<std::u16string> keys;
    for (const auto& entry : cards_) keys.push_back(entry.first);
    return keys;
  }

  std::vector<std::u16string> Values(std::u16string_view param) const {
    const auto& values = params_.Find(param)->Values();
    return std::vector<std::u16string>(values.begin(), values.end());
  }

  TempFolder folder_;
  TCardParams params_;
  TCardListReference cards_;
};

using Texts = std::vector<std::u16string>;

}  // namespace

TEST_F(CardDataTest, StoresEachCardUnderItsKey) {
  EXPECT_TRUE(Read("[CardData0001]\r\nNo=001\r\nName=Alpha\r\n\r\n[CardData0002]\r\nName=Beta\r\nNo=002\r\n"));
  EXPECT_EQ(CardKeys(), (Texts{u"001", u"002"}));
  const TCardItem& first = *cards_.Find(u"001");
  ASSERT_EQ(first.Count(), 2u);
  EXPECT_EQ(first.KeyAt(0), u"Name");  // keys in code-unit order
  EXPECT_EQ(first.ValueAt(0), u"Alpha");
  EXPECT_EQ(first.Value(u"No"), u"001");
  EXPECT_EQ(first.Value(u"Cost"), u"");
  EXPECT_EQ(Value(u"002", u"Name"), u"Beta");
}

TEST_F(CardDataTest, ReadsJapaneseInCodePage932) {
  ASSERT_TRUE(ReadCardData(FixturePath("game-cp932.ini"), u"No", params_, cards_));
  EXPECT_EQ(CardKeys(), (Texts{u"001", u"002"}));
  EXPECT_EQ(Value(u"001", u"Name"), u"\u708E\u306E\u5263\u58EB");
  EXPECT_EQ(Value(u"001", u"Text"), u"<b>\u901F\u653B</b>");
  EXPECT_EQ(Value(u"001", u"Image"), u"001.jpg");  // a key that names no parameter
  EXPECT_EQ(Values(u"Name"), (Texts{u"\u6C37\u306E\u9B54\u5973", u"\u708E\u306E\u5263\u58EB"}));
}

TEST_F(CardDataTest, DropsCardsWithoutKeyButKeepsTheirValues) {
  Read("[CardData1]\nName=Nameless\n[CardData2]\nNo=\nName=Empty\n[CardData3]\nNo=3\nName=Kept\n");
  EXPECT_EQ(CardKeys(), (Texts{u"3"}));
  EXPECT_EQ(Values(u"Name"), (Texts{u"Empty", u"Kept", u"Nameless"}));
  EXPECT_EQ(Values(u"No"), (Texts{u"", u"3"}));
}

TEST_F(CardDataTest, ALaterCardReplacesTheWholeEarlierOne) {
  Read("[CardData]\nNo=1\nName=Old\nCost=5\n[CardData]\nNo=1\nName=New\nName=Newer\n");
  EXPECT_EQ(Value(u"1", u"Name"), u"Newer");
  EXPECT_EQ(Value(u"1", u"Cost"), u"");
  EXPECT_EQ(Values(u"Name"), (Texts{u"New", u"Newer", u"Old"}));
  EXPECT_EQ(Values(u"Cost"), (Texts{u"5"}));
  // The database is not cleared between files: a second file replaces the same keys.
  Read("[CardData]\nNo=1\nCost=2\n[CardData]\nNo=2\n");
  EXPECT_EQ(CardKeys(), (Texts{u"1", u"2"}));
  EXPECT_EQ(Value(u"1", u"Name"), u"");
}

TEST_F(CardDataTest, SplitsValueLinesAtTheirFirstEqualsSign) {
  Read("[CardData]\nNo=1\nName = Alpha \n  Cost=9\nA==x\nB= =y\nC=\t=  z=w\nD=\nnot a value line\n");
  const TCardItem& card = *cards_.Find(u"1");
  EXPECT_EQ(card.Value(u"Name"), u"Alpha ");  // blanks before "=" go, blanks at the end stay
  EXPECT_EQ(card.Value(u"  Cost"), u"9");      // blanks at the start stay part of the key
  EXPECT_EQ(card.Value(u"Cost"), u"");
  EXPECT_TRUE(params_.Find(u"Cost")->Values().empty());
  EXPECT_EQ(card.Value(u"A"), u"x");
  EXPECT_EQ(card.Value(u"B"), u"y");
  EXPECT_EQ(card.Value(u"C"), u"z=w");
  EXPECT_EQ(card.Count(), 7u);
}

TEST_F(CardDataTest, RecognisesSectionHeadersExactly) {
  Read("No=0\n"                    // before any section: ignored
       "[MyCardData]\nNo=1\n"       // "CardData" anywhere in the name
       "[CardData\n"                // no "]": no header, and no "=": ignored
       "Name=A=\n"
       "[CardData9=x\n"             // no "]" but a "=": a value line
       "[]\n"                       // "[]" is no header
       "Cost=3\n"
       " [CardData]\n"              // something before the "[": no header
       "[carddata]\nNo=2\n"         // letter case counts: not a card section
       "[CardDataX] trailing text\nNo=5\n");
  EXPECT_EQ(CardKeys(), (Texts{u"1", u"5"}));
  const TCardItem& card = *cards_.Find(u"1");
  EXPECT_EQ(card.Count(), 4u);
  EXPECT_EQ(card.Value(u"Name"), u"A=");
  EXPECT_EQ(card.Value(u"[CardData9"), u"x");
  EXPECT_EQ(card.Value(u"Cost"), u"3");
}

TEST_F(CardDataTest, AnotherSectionEndsACardSection) {
  Read("[CardData1]\nNo=1\n[System]\nName=System value\n[CardData2]\nNo=2\n");
  EXPECT_EQ(CardKeys(), (Texts{u"1", u"2"}));
  EXPECT_EQ(Value(u"1", u"Name"), u"");
  EXPECT_TRUE(params_.Find(u"Name")->Values().empty());
}

TEST_F(CardDataTest, HeadersAreReadCharacterByCharacter) {
  // 0x81 0x5D is one character whose second byte is "]": this line has no "]".
  Read("[CardData]\nNo=1\n[X\x81\x5D=5\nName=A\n");
  EXPECT_EQ(Value(u"1", u"[X\u2010"), u"5");
  EXPECT_EQ(Value(u"1", u"Name"), u"A");
}

TEST_F(CardDataTest, ReadsLongLinesInPieces) {
  // The first piece holds 2047 bytes; the rest of the line is a line of its own.
  const std::string head = "Name=";
  const std::string filler(kCardDataPieceBytes - head.size(), 'x');
  Read("[CardData]\nNo=1\n" + head + filler + "Cost=7\n");
  EXPECT_EQ(Value(u"1", u"Name"), std::u16string(filler.size(), u'x'));
  EXPECT_EQ(Value(u"1", u"Cost"), u"7");
}

TEST_F(CardDataTest, UsesTheGivenUniqueKey) {
  Read("[CardData]\nNo=1\nName=Alpha\n[CardData]\nNo=2\n", u"Name");
  EXPECT_EQ(CardKeys(), (Texts{u"Alpha"}));
  EXPECT_EQ(cards_.Find(u"alpha"), nullptr);  // card keys are compared exactly
}

TEST_F(CardDataTest, ReportsOnlyFilesThatCannotBeRead) {
  EXPECT_FALSE(ReadCardData(folder_.Path("missing.txt"), u"No", params_, cards_));
  EXPECT_FALSE(ReadCardData(folder_.Path(""), u"No", params_, cards_));
  EXPECT_TRUE(Read(""));
  EXPECT_TRUE(Read("\xFF\xFE[\0C\0a\0r\0d\0"));  // UTF-16 is not recognised: no card
  EXPECT_EQ(cards_.Count(), 0u);
}

TEST_F(CardDataTest, ReadsALargeFileInTwoHalvesAsOnePass) {
  // Over a megabyte of cards, so that the file is read as two halves. Card 1
  // comes again near the end, the parameter values differ in letter case
  // between the halves, and a card without key in the second half still gives
  // its values.
  std::string file = "[CardData]\nNo=1\nName=First\nCost=Red\n";
  for (int n = 2; n <= 20000; ++n) {
    file += "[CardData]\nNo=" + std::to_string(n) + "\nName=Card" + std::to_string(n % 7) + "\nCost=" +
            std::string(n > 15000 ? "RED" : "Red") + "\nText=" + std::string(40, 'x') + "\n";
  }
  file += "[CardData]\nName=Nameless\nCost=blue\n[CardData]\nNo=1\nName=Last\nCost=BLUE\n";
  ASSERT_GT(file.size(), std::size_t{1} << 20);
  Read(file);
  EXPECT_EQ(cards_.Count(), 20000u);
  EXPECT_EQ(Value(u"1", u"Name"), u"Last");
  EXPECT_EQ(Value(u"1", u"Cost"), u"BLUE");
  EXPECT_EQ(Value(u"19999", u"Cost"), u"RED");
  EXPECT_EQ(Values(u"Cost"), (Texts{u"blue", u"Red"}));
  EXPECT_EQ(Values(u"Name").size(), 10u);  // First, Card0 to Card6, Nameless, Last
  EXPECT_EQ(Values(u"No").size(), 20000u);
}

TEST_F(CardDataTest, SurvivesHostileFiles) {
  // A line of megabytes is read in pieces of 2047 bytes; a piece with "=" is a line of its own.
  Read("[CardData]\nNo=1\nName=" + std::string(3 << 20, 'y') + "\n");
  EXPECT_EQ(Value(u"1", u"Name").size(), kCardDataPieceBytes - 5);
  // Only section headers: every card section is empty and dropped.
  std::string headers;
  for (int i = 0; i < 100000; ++i) headers += "[CardData]\n";
  cards_.Clear();
  EXPECT_TRUE(Read(headers));
  EXPECT_EQ(cards_.Count(), 0u);
  // Bytes that are no text at all.
  std::string binary;
  for (int i = 0; i < 100000; ++i) binary += static_cast<char>((i * 7919) % 256);
  EXPECT_TRUE(Read(binary));
}
