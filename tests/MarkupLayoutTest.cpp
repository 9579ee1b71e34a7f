#include "cards/MarkupLayout.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "common/Text.h"

namespace {

using Lines = std::vector<std::string>;

std::string Hex(TColor color) {
  char text[8];
  std::snprintf(text, sizeof text, "%06X", color);
  return text;
}

std::string Styles(bool bold, bool italic, bool underline) {
  return std::string(bold ? "b" : "") + (italic ? "i" : "") + (underline ? "u" : "");
}

// The box layout as lines: "span 0-4 b #000000 10", "note 1", "feed 1".
Lines Describe(const TTextBoxLayout& layout) {
  Lines lines;
  for (const TCharSpan& span : layout.spans) {
    lines.push_back("span " + std::to_string(span.start) + "-" + std::to_string(span.end) + " " +
                    Styles(span.bold, span.italic, span.underline) + " #" + Hex(span.color) + " " +
                    std::to_string(span.size));
  }
  for (std::size_t note : layout.blocknotes) lines.push_back("note " + std::to_string(note));
  for (std::size_t feed : layout.lineFeeds) lines.push_back("feed " + std::to_string(feed));
  return lines;
}

// The cell layout as one line per character: the character, its styles and
// its tag colour, as "c bi #FF0000".
Lines Describe(std::u16string_view text, const std::vector<TCellChar>& chars) {
  Lines lines;
  for (const TCellChar& c : chars) {
    std::string line = ToUtf8(text.substr(c.index, 1));
    const std::string styles = Styles(c.style.bold, c.style.italic, c.style.underline);
    if (!styles.empty()) line += " " + styles;
    if (c.style.tagColor) line += " #" + Hex(c.style.color);
    lines.push_back(line);
  }
  return lines;
}

TAG Tag(std::u16string name, int32_t position) {
  TAG tag;
  tag.name = std::move(name);
  tag.position = position;
  return tag;
}

Lines LayOutCell(std::u16string_view markup, TCellStyle start = {}) {
  TRTFtoHtml parser;
  const std::u16string text = parser.Parse(markup);
  return Describe(text, LayoutCell(text, parser.Tags(), start));
}

}  // namespace

TEST(MarkupLayout, TextBoxFromTags) {
  struct Case {
    std::u16string markup;
    Lines layout;
  };
  const Case cases[] = {
      {u"plain", {}},
      {u"<b>ab</b> c", {"span 0-2 b #000000 10"}},
      // The bold tag's own colour is the default, and it comes later: it wins over the red.
      {u"<font color=red>ab <b>cd</b></font>", {"span 0-5  #FF0000 10", "span 3-5 b #000000 10"}},
      {u"<font color=Red>a</font>", {"span 0-1  #000000 10"}},
      {u"<i><u>a</u></i>", {"span 0-1 i #000000 10", "span 0-1 u #000000 10"}},
      {u"<big>a</big><small>b</small>", {"span 0-1  #000000 11", "span 1-2  #000000 9"}},
      {u"<font size=14>a</font>", {"span 0-1  #000000 14"}},
      {u"<note color=blue>a</note>", {"span 0-1  #0000FF 10"}},  // any name carries colour and size
      {u"<b>a", {}},                                              // unclosed: no effect
      {u"<b></b>a", {}},
      // Each opening tag takes the first closing tag that no earlier one took.
      {u"<b>a<b>b</b>c</b>", {"span 0-2 b #000000 10", "span 1-3 b #000000 10"}},
      {u"<b>a</b>b</b>", {"span 0-1 b #000000 10"}},
      {u"a<br>b", {"feed 1"}},
      {u"a<br>b<br>c", {"feed 1", "feed 3"}},  // each counted with the earlier line feed in place
      {u"a</br>b", {"feed 1"}},
      {u"a<br></br>b", {"feed 1"}},            // the "/br" is taken as the closing tag
      {u"a<br>b</br>c</br>d", {"span 1-2  #000000 10", "feed 1", "feed 4"}},
      {u"<br>", {"feed 0"}},
      {u"<blocknote>Note</blocknote>", {"note 1"}},
      {u"<blocknote>Note", {}},
  };
  for (const Case& c : cases) {
    TRTFtoHtml parser;
    const TMarkupFont font{0x000000, 10};
    const std::u16string text = parser.Parse(c.markup, &font);
    EXPECT_EQ(Describe(LayoutTextBox(parser.Tags(), text.size())), c.layout) << ToUtf8(c.markup);
  }
}

TEST(MarkupLayout, TextBoxKeepsPositionsWithinTheText) {
  const std::list<TAG> tags = {Tag(u"i", -5), Tag(u"blocknote", 50), Tag(u"/i", 99), Tag(u"br", 2'000'000'000),
                               Tag(u"/blocknote", 2'000'000'000)};
  EXPECT_EQ(Describe(LayoutTextBox(tags, 3)), (Lines{"span 0-3  #000000 0", "note 3", "feed 3"}));
}

TEST(MarkupLayout, CellStylesFromTags) {
  struct Case {
    std::u16string markup;
    Lines chars;
  };
  const Case cases[] = {
      {u"ab", {"a", "b"}},
      {u"<b>a</b>b", {"a b", "b"}},
      {u"<font color=red>a<b>b</b></font>c", {"a #FF0000", "b b #FF0000", "c"}},
      {u"<font color=Red>a", {"a #000000"}},
      {u"<font>a</font>b", {"a #000000", "b"}},
      {u"<b>a", {"a b"}},  // on from here, closed or not
      {u"<i><u>a</u>b</i>c", {"a iu", "b i", "c"}},
      {u"<big>a</big><font size=14>b", {"a", "b #000000"}},
      {u"<blue color=blue>a", {"a"}},  // only "font" colours a cell
      {u"a<br>b", {"a", "b"}},
      {u"a\n\nb", {"a", "b"}},
      {u"a<b>\nb", {"a", "b"}},        // a tag at a line feed is not applied
      {u"a<b>", {"a"}},
  };
  for (const Case& c : cases) EXPECT_EQ(LayOutCell(c.markup), c.chars) << ToUtf8(c.markup);
}

TEST(MarkupLayout, CellStartsFromTheCellFontsStyle) {
  EXPECT_EQ(LayOutCell(u"a</b>b<u>c", TCellStyle{true, false, false}), (Lines{"a b", "b", "c u"}));
}

TEST(MarkupLayout, CellFitEndsInEllipsis) {
  struct Case {
    std::vector<int> widths;
    int dots, left, right;
    std::size_t count;
    bool ellipsis;
  };
  const Case cases[] = {
      {{}, 12, 0, 40, 0, false},
      {{5, 5, 5}, 8, 0, 100, 3, false},
      {{10, 10, 10, 10}, 12, 0, 43, 4, false},  // the last one starts at 30: 30 + 12 stays left of 43
      {{10, 10, 10, 10}, 12, 0, 42, 3, true},   // 30 + 12 reaches the right edge
      {{10, 10, 10, 10}, 12, 0, 40, 3, true},
      {{10, 10}, 12, 10, 32, 1, true},          // from the left edge of the rectangle
      {{10}, 12, 0, 11, 0, true},               // too narrow for anything but "..."
      {{10, 10}, 12, 0, -5, 0, true},
  };
  for (const Case& c : cases) {
    std::size_t asked = 0;
    const TCellFit fit = FitCell(
        c.widths.size(),
        [&](std::size_t i) {
          asked = std::max(asked, i + 1);
          return c.widths.at(i);
        },
        c.dots, c.left, c.right);
    EXPECT_EQ(fit.count, c.count) << c.right;
    EXPECT_EQ(fit.ellipsis, c.ellipsis) << c.right;
    EXPECT_EQ(asked, fit.count) << "widths are asked for the characters drawn only";
  }
}
