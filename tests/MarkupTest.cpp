#include <gtest/gtest.h>

#include <vector>

#include "cards/CardItem.h"
#include "cards/Markup.h"
#include "common/Text.h"

namespace {

// A tag as one comparable line: name@position b/i/u #colour size.
std::string Describe(const TAG& tag) {
  char colour[8];
  std::snprintf(colour, sizeof colour, "%06X", tag.color);
  return ToUtf8(tag.name) + "@" + std::to_string(tag.position) + " " + std::to_string(tag.bold) + "/" +
         std::to_string(tag.italic) + "/" + std::to_string(tag.underline) + " #" + colour + " " +
         std::to_string(tag.size);
}

std::vector<std::string> Describe(const std::list<TAG>& tags) {
  std::vector<std::string> lines;
  for (const TAG& tag : tags) lines.push_back(Describe(tag));
  return lines;
}

using Lines = std::vector<std::string>;

}  // namespace

TEST(MarkupParse, RemovesTagsAndRecordsThem) {
  struct Case {
    std::u16string text;
    std::u16string plain;
    Lines tags;
  };
  const Case cases[] = {
      {u"plain", u"plain", {}},
      {u"<b>Bold</b> rest", u"Bold rest", {"b@1 1/0/0 #000000 10", "/b@5 -1/0/0 #000000 10"}},
      {u"<i>x</i><u>y</u>", u"xy", {"i@1 0/1/0 #000000 10", "/i@2 0/-1/0 #000000 10", "u@2 0/0/1 #000000 10", "/u@3 0/0/-1 #000000 10"}},
      {u"a<br>b", u"ab", {"br@2 0/0/0 #000000 10"}},
      {u"<font color=red size=14>R</font>", u"R", {"font@1 0/0/0 #FF0000 14", "/font@2 0/0/0 #000000 10"}},
      {u"<font,color=navy>N", u"N", {"font@1 0/0/0 #000080 10"}},
      {u"<font color=Red>x", u"x", {"font@1 0/0/0 #000000 10"}},          // colour names are exact
      {u"<font color=\"red\">x", u"x", {"font@1 0/0/0 #000000 10"}},      // marks are removed by the split
      {u"<font color='red'>x", u"x", {"font@1 0/0/0 #000000 10"}},        // other marks stay: no colour
      {u"<font bgcolor=teal>x", u"x", {"font@1 0/0/0 #008080 10"}},       // "color" anywhere in the item
      {u"<font colorsize=7>x", u"x", {"font@1 0/0/0 #000000 7"}},         // both tests on one item
      {u"<big>B</big><small>s", u"Bs", {"big@1 0/0/0 #000000 11", "/big@2 0/0/0 #000000 10", "small@2 0/0/0 #000000 9"}},
      {u"<big size=20>x", u"x", {"big@1 0/0/0 #000000 21"}},
      {u"<big size=2147483647>x", u"x", {"big@1 0/0/0 #000000 2147483647"}},    // sizes saturate
      {u"<small size=-2147483648>x", u"x", {"small@1 0/0/0 #000000 -2147483648"}},
      {u"<b color=blue>x", u"x", {"b@1 1/0/0 #0000FF 10"}},
      {u"<B>x", u"x", {"B@1 0/0/0 #000000 10"}},                           // names are case-sensitive
      {u"<blocknote>note</blocknote>", u"note", {"blocknote@1 0/0/0 #000000 10", "/blocknote@5 0/0/0 #000000 10"}},
      {u"<custom x=1>y", u"y", {"custom@1 0/0/0 #000000 10"}},
      {u"a < b", u"a < b", {}},                                              // no ">": stays
      {u"a > b", u"a > b", {}},                                              // no "<": stays
      {u"<a<b>c", u"c", {"a<b@1 0/0/0 #000000 10"}},
      {u"<<>>", u">", {"<@1 0/0/0 #000000 10"}},
      {u"<,x>y", u"y", {"@1 0/0/0 #000000 10"}},                            // an empty name
      {u"x<b>", u"x", {"b@2 1/0/0 #000000 10"}},                             // a tag at the end
      {u"<b>\u901F\u653B</b>", u"\u901F\u653B", {"b@1 1/0/0 #000000 10", "/b@3 -1/0/0 #000000 10"}},
  };
  TRTFtoHtml markup;
  for (const Case& c : cases) {
    EXPECT_EQ(markup.Parse(c.text), c.plain) << ToUtf8(c.text);
    EXPECT_EQ(Describe(markup.Tags()), c.tags) << ToUtf8(c.text);
  }
}

TEST(MarkupParse, TagsDefaultToTheFont) {
  TRTFtoHtml markup;
  const TMarkupFont font{0x123456, 9};
  EXPECT_EQ(markup.Parse(u"<big>x</big><font size=14>y", &font), u"xy");
  EXPECT_EQ(Describe(markup.Tags()),
            (Lines{"big@1 0/0/0 #123456 10", "/big@2 0/0/0 #123456 9", "font@2 0/0/0 #123456 14"}));
}

TEST(MarkupParse, ReportsFaultsWithTheTextProcessedSoFar) {
  struct Case {
    std::u16string text;
    std::u16string processed;
    Lines tags;  // gathered before the fault
  };
  const Case cases[] = {
      {u"<>", u"", {}},
      {u"< \t>x", u"x", {}},
      {u"a<b>b< ,>c", u"abc", {"b@2 1/0/0 #000000 10"}},
      {u"x>y<b>z</b>", u"x>y>z</b>", {}},       // the "<" and the letter after it go first
      {u"<i>a</i>b>c<d>", u"ab>c>", {"i@1 0/1/0 #000000 10", "/i@2 0/-1/0 #000000 10"}},
      {u"<font size=big>x", u"x", {}},
      {u"<font size=>x", u"x", {}},
      {u"<font size=99999999999>x", u"x", {}},
  };
  TRTFtoHtml markup;
  for (const Case& c : cases) {
    try {
      markup.Parse(c.text);
      ADD_FAILURE() << "no fault in " << ToUtf8(c.text);
    } catch (const EMarkupError& error) {
      EXPECT_EQ(error.Text(), c.processed) << ToUtf8(c.text);
      EXPECT_EQ(Describe(markup.Tags()), c.tags) << ToUtf8(c.text);
    }
  }
}

TEST(MarkupColors, NamesTheThirtySixColours) {
  EXPECT_EQ(TRTFtoHtml::ColorByName(u"black"), 0x000000u);
  EXPECT_EQ(TRTFtoHtml::ColorByName(u"orange"), 0xFFA500u);
  EXPECT_EQ(TRTFtoHtml::ColorByName(u"cyan"), 0x00FFFFu);
  EXPECT_EQ(TRTFtoHtml::ColorByName(u"mediumturquoise"), 0x48D1CCu);
  EXPECT_EQ(TRTFtoHtml::ColorByName(u"darkslategray"), 0x2F4F4Fu);
  EXPECT_EQ(TRTFtoHtml::ColorByName(u"Red"), 0x000000u);
  EXPECT_EQ(TRTFtoHtml::ColorByName(u"grey"), 0x000000u);
  EXPECT_EQ(TRTFtoHtml::ColorByName(u""), 0x000000u);
}

TEST(PlainValue, RemovesTagsAndNeverFails) {
  TCardItem card;
  card.SetValue(u"Text", u"<b>Word</b> and more");
  card.SetValue(u"Limit", u"<b>5</b>");
  card.SetValue(u"Broken", u"a>b<b>c");
  card.SetValue(u"Br", u"x<br>y");
  EXPECT_EQ(card.PlainValue(u"Text"), u"Word and more");
  EXPECT_EQ(card.PlainValue(u"Limit"), u"5");
  EXPECT_EQ(card.PlainValue(u"Br"), u"xy");
  EXPECT_EQ(card.PlainValue(u"Broken"), u"a>b>c");  // what was processed when the fault was met
  EXPECT_EQ(card.PlainValue(u"Missing"), u"");
  EXPECT_EQ(PlainText(u"<>"), u"");
}

TEST(PlainValue, HostileMarkupStaysLinear) {
  std::u16string nested;
  for (int i = 0; i < 10000; ++i) nested += u"<b><i>";
  nested += u"x";
  EXPECT_EQ(PlainText(nested), u"x");
  std::u16string unclosed(20000, u'<');
  EXPECT_EQ(PlainText(unclosed), unclosed);
  std::u16string brackets;
  for (int i = 0; i < 20000; ++i) brackets += i % 3 ? u'<' : u'>';
  EXPECT_FALSE(PlainText(brackets).empty());
}
