#pragma once
// Card value markup: HTML-like tags in card values for bold, italic and
// underlined text, named colours, sizes, line breaks and one paragraph format.
// This is the parser; the window draws the tags it finds.

#include <cstdint>
#include <list>
#include <stdexcept>
#include <string>
#include <string_view>

// A colour as 0xRRGGBB.
using TColor = uint32_t;

struct TMarkupFont {
  TColor color = 0x000000;
  int32_t size = 10;
};

// One tag found in a text.
struct TAG {
  int32_t position = 0;  // 1-based index, in the text without tags, of the character after the tag
  std::u16string name;   // the first item between the brackets: "b", "/b", "font", ...
  int32_t bold = 0;      // 1 for "b", -1 for "/b", 0 otherwise
  int32_t italic = 0;
  int32_t underline = 0;
  TColor color = 0;      // the default colour, or the colour attribute's
  int32_t size = 0;      // the default size or the size attribute's, one up for "big", one down for "small"
};

// A tag without a name, a ">" before the first "<", or a size that is not a
// number. Text() is the text as far as it was processed: every tag before the
// faulty one removed, and the faulty one too except when a ">" stood first.
class EMarkupError : public std::runtime_error {
 public:
  explicit EMarkupError(std::u16string text);
  const std::u16string& Text() const { return text_; }

 private:
  std::u16string text_;
};

class TRTFtoHtml {
 public:
  // The text with every tag removed; the tag list is rebuilt. Tags default to
  // the font's colour and size, or to black and 10 without a font. Throws
  // EMarkupError; the tags gathered before the error stay in the list.
  std::u16string Parse(std::u16string_view text, const TMarkupFont* font = nullptr);
  const std::list<TAG>& Tags() const { return tags_; }

  // One of the 36 colour names (exact, lower case), or black.
  static TColor ColorByName(std::u16string_view name);
  static bool IsColorName(std::u16string_view name);

 private:
  std::list<TAG> tags_;
};

// The value with every tag removed. A value whose markup cannot be parsed
// gives the text as far as it was processed, so no error ever escapes.
std::u16string PlainText(std::u16string_view value);
