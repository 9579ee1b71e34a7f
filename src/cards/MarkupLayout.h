#pragma once
// How the tags of a parsed card value become formatting, worked out apart from
// any window: the card text box's character formats, paragraph formats and
// line breaks, and the style changes of a list cell.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <list>
#include <string_view>
#include <vector>

#include "cards/Markup.h"

// The largest font size, in points, that the card text box draws.
inline constexpr int32_t kMaxFontPoints = 1638;

// Character formatting over the characters [start, end) of the parsed text.
// Bold, italic and underline are added to what the characters already have;
// colour and size replace theirs.
struct TCharSpan {
  std::size_t start = 0;
  std::size_t end = 0;
  bool bold = false;
  bool italic = false;
  bool underline = false;
  TColor color = 0;
  int32_t size = 0;
};

struct TTextBoxLayout {
  std::vector<TCharSpan> spans;         // in the order they are applied: a later span wins colour and size
  std::vector<std::size_t> blocknotes;  // positions whose paragraph gets the note format
  std::vector<std::size_t> lineFeeds;   // insertion points, each counted with the earlier line feeds in place
};

// The card text box. Each opening tag, in list order, is closed by the first
// following closing tag ("/" and its name) that no earlier tag has taken; a
// tag without one does nothing, and a closing tag that was taken closes
// nothing else (so "br" then "/br" is one line break). Every position is kept
// within the text of textLength characters.
TTextBoxLayout LayoutTextBox(const std::list<TAG>& tags, std::size_t textLength);

// The font of one list cell character.
struct TCellStyle {
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool tagColor = false;  // drawn in color rather than in the cell's colour
  TColor color = 0;
};

struct TCellChar {
  std::size_t index = 0;  // in the parsed text
  TCellStyle style;
};

// The characters a list cell draws, line feeds left out, each with the style
// that the tags up to it give, starting from the cell font's style. Tags at a
// line feed are not applied; sizes have no effect in a cell.
std::vector<TCellChar> LayoutCell(std::u16string_view text, const std::list<TAG>& tags, TCellStyle style);

struct TCellFit {
  std::size_t count = 0;  // characters drawn
  bool ellipsis = false;  // "..." follows them
};

// How many of count characters fit between left and right (the right edge
// itself is outside). Characters go side by side from left; the first whose
// left position plus dotsWidth (the width of "....") reaches the right edge
// is replaced by "..." and ends the cell. Widths are asked only for the
// characters drawn.
TCellFit FitCell(std::size_t count, const std::function<int(std::size_t)>& width, int dotsWidth, int left, int right);
