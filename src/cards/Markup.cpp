#include "cards/Markup.h"

#include <algorithm>
#include <array>
#include <limits>
#include <utility>

#include "common/Text.h"

namespace {

constexpr std::array<std::pair<std::u16string_view, TColor>, 36> kNamedColors = {{
    {u"black", 0x000000},         {u"red", 0xFF0000},           {u"orange", 0xFFA500},
    {u"pink", 0xFFC0CB},          {u"yellow", 0xFFFF00},        {u"white", 0xFFFFFF},
    {u"purple", 0x800080},        {u"gray", 0x808080},          {u"blue", 0x0000FF},
    {u"green", 0x008000},         {u"navy", 0x000080},          {u"darkblue", 0x00008B},
    {u"mediumblue", 0x0000CD},    {u"darkgreen", 0x006400},     {u"teal", 0x008080},
    {u"darkcyan", 0x008B8B},      {u"deepskyblue", 0x00BFFF},   {u"darkturquoise", 0x00CED1},
    {u"mediumspringgreen", 0x00FA9A}, {u"lime", 0x00FF00},      {u"springgreen", 0x00FF7F},
    {u"aqua", 0x00FFFF},          {u"cyan", 0x00FFFF},          {u"midnightblue", 0x191970},
    {u"dodgerblue", 0x1E90FF},    {u"lightseagreen", 0x20B2AA}, {u"forestgreen", 0x228B22},
    {u"seagreen", 0x2E8B57},      {u"darkslategray", 0x2F4F4F}, {u"limegreen", 0x32CD32},
    {u"mediumseagreen", 0x3CB371}, {u"turquoise", 0x40E0D0},    {u"royalblue", 0x4169E1},
    {u"steelblue", 0x4682B4},     {u"darkslateblue", 0x483D8B}, {u"mediumturquoise", 0x48D1CC},
}};

// The attribute's value: the text after its first "=", or the whole item.
std::u16string_view AttributeValue(std::u16string_view item) {
  const std::size_t equals = item.find(u'=');
  return equals == std::u16string_view::npos ? item : item.substr(equals + 1);
}

// A whole decimal number with an optional sign that fits 32 bits.
bool ParseSize(std::u16string_view text, int32_t& size) {
  const bool negative = !text.empty() && text[0] == u'-';
  if (!text.empty() && (text[0] == u'-' || text[0] == u'+')) text.remove_prefix(1);
  if (text.empty()) return false;
  int64_t value = 0;
  for (char16_t c : text) {
    if (c < u'0' || c > u'9') return false;
    value = value * 10 + (c - u'0');
    if (value > int64_t{std::numeric_limits<int32_t>::max()} + 1) return false;
  }
  value = negative ? -value : value;
  if (value > std::numeric_limits<int32_t>::max()) return false;
  size = static_cast<int32_t>(value);
  return true;
}

// A tag of blanks and commas only has no name (the comma rule would give it
// empty items).
bool IsBlanksAndCommas(std::u16string_view inner) {
  return std::all_of(inner.begin(), inner.end(), [](char16_t c) { return c == u',' || (c >= 1 && c <= 32); });
}

int32_t StyleOf(std::u16string_view name, std::u16string_view style) {
  if (name == style) return 1;
  if (name.size() == style.size() + 1 && name[0] == u'/' && name.substr(1) == style) return -1;
  return 0;
}

// Removes the tags in one pass. Each tag runs from the first "<" of the
// current text to its first ">". The text before that "<" holds no "<" (and no
// ">", or parsing would have failed), so the first ">" is either in the text
// between the previous tag and this "<" (a fault) or after the "<".
std::u16string ParseMarkup(std::u16string_view text, const TMarkupFont& font, std::list<TAG>* tags) {
  std::u16string done;  // the text before the current position, tags removed
  done.reserve(text.size());
  std::size_t pos = 0;
  for (;;) {
    const std::size_t open = text.find(u'<', pos);
    if (open == std::u16string_view::npos) break;
    const std::u16string_view before = text.substr(pos, open - pos);
    if (before.find(u'>') != std::u16string_view::npos) {
      // The ">" stands before the "<": the "<" and the character after it go, and no name is found.
      throw EMarkupError(done + std::u16string(before) + std::u16string(text.substr(std::min(text.size(), open + 2))));
    }
    const std::size_t close = text.find(u'>', open + 1);
    if (close == std::u16string_view::npos) break;
    done.append(before);
    TAG tag;
    tag.position = static_cast<int32_t>(std::min<std::size_t>(done.size() + 1, std::numeric_limits<int32_t>::max()));
    tag.color = font.color;
    tag.size = font.size;
    pos = close + 1;
    const std::u16string_view inner = text.substr(open + 1, close - open - 1);
    const std::vector<std::u16string> items = ReadCommaList(inner);
    if (items.empty() || IsBlanksAndCommas(inner)) throw EMarkupError(done + std::u16string(text.substr(pos)));
    tag.name = items[0];
    for (std::size_t i = 1; i < items.size(); ++i) {
      const std::u16string_view item = items[i];
      if (item.find(u"color") != std::u16string_view::npos) tag.color = TRTFtoHtml::ColorByName(AttributeValue(item));
      if (item.find(u"size") != std::u16string_view::npos && !ParseSize(AttributeValue(item), tag.size)) {
        throw EMarkupError(done + std::u16string(text.substr(pos)));
      }
    }
    tag.bold = StyleOf(tag.name, u"b");
    tag.italic = StyleOf(tag.name, u"i");
    tag.underline = StyleOf(tag.name, u"u");
    // One point up or down, saturating at the 32-bit limits.
    if (tag.name == u"big" && tag.size < std::numeric_limits<int32_t>::max()) ++tag.size;
    if (tag.name == u"small" && tag.size > std::numeric_limits<int32_t>::min()) --tag.size;
    if (tags != nullptr) tags->push_back(std::move(tag));
  }
  done.append(text.substr(pos));
  return done;
}

}  // namespace

EMarkupError::EMarkupError(std::u16string text)
    : std::runtime_error("the card value markup cannot be parsed"), text_(std::move(text)) {}

std::u16string TRTFtoHtml::Parse(std::u16string_view text, const TMarkupFont* font) {
  tags_.clear();
  return ParseMarkup(text, font != nullptr ? *font : TMarkupFont{}, &tags_);
}

TColor TRTFtoHtml::ColorByName(std::u16string_view name) {
  for (const auto& [colorName, color] : kNamedColors) {
    if (colorName == name) return color;
  }
  return 0x000000;
}

bool TRTFtoHtml::IsColorName(std::u16string_view name) {
  return std::any_of(kNamedColors.begin(), kNamedColors.end(), [&](const auto& named) { return named.first == name; });
}

std::u16string PlainText(std::u16string_view value) {
  if (value.find(u'<') == std::u16string_view::npos) return std::u16string(value);
  try {
    return ParseMarkup(value, TMarkupFont{}, nullptr);
  } catch (const EMarkupError& error) {
    return error.Text();
  }
}
