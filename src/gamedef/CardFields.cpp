#include "gamedef/CardFields.h"

#include <algorithm>
#include <unordered_set>
#include <utility>

#include "cards/CardData.h"
#include "cards/CardParams.h"
#include "common/CodePage.h"

namespace {

constexpr char16_t kReplacement = u'〓';
constexpr std::u16string_view kLineBreak = u"<br>";
constexpr std::size_t kMaxValueLength = 2047;
// A card line and its line feed come to the card data reader in one piece.
constexpr std::size_t kMaxCardLineBytes = kCardDataPieceBytes - 1;
constexpr std::size_t kMaxKeyLength = 64;
constexpr std::size_t kMaxCaptionLength = 100;
constexpr std::size_t kMaxChoices = 32;
constexpr int32_t kMinWidth = 40;
constexpr int32_t kMaxWidth = 300;
constexpr int32_t kWidthMargin = 8;
constexpr int32_t kShortWidth = 150;

// ---- Characters ----

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t'; }
bool IsLineEnd(char16_t c) { return c == u'\r' || c == u'\n'; }
bool IsControl(char16_t c) { return c < 0x20 || c == 0x7F; }
bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// Whether the code page holds the character and gives the same one back.
bool RoundTrips(char16_t c) {
  static const std::vector<bool> holds = [] {
    std::vector<bool> table(0x10000, false);
    for (uint32_t code = 0; code < 0x10000; ++code) {
      const std::u16string one(1, static_cast<char16_t>(code));
      table[code] = !IsHighSurrogate(one[0]) && !IsLowSurrogate(one[0]) && Cp932CanHold(one) &&
                    FromCp932(ToCp932(one)) == one;
    }
    return table;
  }();
  return holds[c];
}

// The code page's own form of a character that it holds under another name
// elsewhere: JIS X 0208's em dash, wave dash, double bar, minus and currency
// signs, which Shift_JIS text from other systems decodes differently, and the
// no-break space as a space.
char16_t CodePageForm(char16_t c) {
  switch (c) {
    case u'\u2014': return u'\u2015';
    case u'\u301C': return u'\uFF5E';
    case u'\u2016': return u'\u2225';
    case u'\u2212': return u'\uFF0D';
    case u'\u00A2': return u'\uFFE0';
    case u'\u00A3': return u'\uFFE1';
    case u'\u00AC': return u'\uFFE2';
    case u'\u00A0': return u' ';
    default: return c;
  }
}

// At most, as the code page may need two bytes for any character but ASCII
// and half-width katakana.
std::size_t CodePageBytes(char16_t c) { return c < 0x80 || (c >= 0xFF61 && c <= 0xFF9F) ? 1 : 2; }

// Roughly as the lists draw it: narrow and wide characters.
int32_t PixelWidth(std::u16string_view text) {
  int32_t width = 0;
  for (char16_t c : text) width += c < 0x80 || (c >= 0xFF61 && c <= 0xFF9F) ? 7 : 13;
  return width;
}

std::u16string_view Trimmed(std::u16string_view text) {
  while (!text.empty() && (IsBlank(text.front()) || IsLineEnd(text.front()))) text.remove_prefix(1);
  while (!text.empty() && (IsBlank(text.back()) || IsLineEnd(text.back()))) text.remove_suffix(1);
  return text;
}

// The character at `at` that the code page cannot hold, a surrogate pair
// counting as one: how many code units it takes.
std::size_t ForeignLength(std::u16string_view text, std::size_t at) {
  return IsHighSurrogate(text[at]) && at + 1 < text.size() && IsLowSurrogate(text[at + 1]) ? 2 : 1;
}

// ---- Values ----

struct Counts {
  std::size_t replaced = 0;
  std::size_t cut = 0;
  std::size_t escaped = 0;
};

// Line breaks as the markup's line break, "<" and ">" (which the markup would
// take for a tag) in full-width form, and what the code page cannot hold as "〓".
std::u16string MarkupText(std::u16string_view raw, Counts& counts) {
  std::u16string value;
  value.reserve(raw.size());
  for (std::size_t i = 0; i < raw.size(); ++i) {
    const char16_t c = CodePageForm(raw[i]);
    if (IsLineEnd(c)) {
      if (c == u'\r' && i + 1 < raw.size() && raw[i + 1] == u'\n') ++i;
      value += kLineBreak;
    } else if (c == u'<' || c == u'>') {
      value += c == u'<' ? u'＜' : u'＞';
      ++counts.escaped;
    } else if (c == u'\t' || (!IsControl(c) && RoundTrips(c))) {
      value += c;
    } else {
      i += ForeignLength(raw, i) - 1;
      value += kReplacement;
      ++counts.replaced;
    }
  }
  return value;
}

// Cut to what a card value may hold and to the bytes left on its line, never
// inside a line break tag. True when something was cut.
bool CutToFit(std::u16string& value, std::size_t maxBytes) {
  const std::size_t length = std::min(value.size(), kMaxValueLength);
  std::size_t end = 0;
  for (std::size_t bytes = 0; end < length; ++end) {
    bytes += CodePageBytes(value[end]);
    if (bytes > maxBytes) break;
  }
  if (end == value.size()) return false;
  // Every other "<" is in full-width form: this one opens a line break.
  const std::size_t open = end > 0 ? value.rfind(u'<', end - 1) : std::u16string::npos;
  if (open != std::u16string::npos && open + kLineBreak.size() > end) end = open;
  value.resize(end);
  return true;
}

// A card value as the card data file keeps it and gives it back: the reader
// drops blanks around it and any "=" that begins it.
std::u16string CardValue(std::u16string_view raw, std::size_t maxBytes, Counts& counts) {
  std::u16string value = MarkupText(Trimmed(raw), counts);
  if (!value.empty() && value.front() == u'=') {
    value.front() = u'＝';
    ++counts.escaped;
  }
  if (CutToFit(value, maxBytes)) ++counts.cut;
  return value;
}

// ---- Field names ----

bool FitsKey(char16_t c) {
  return c > u' ' && c != 0x7F && std::u16string_view(u"=,\"'[]").find(c) == std::u16string_view::npos &&
         RoundTrips(c);
}

// A parameter key that a card line, a comma list and the profile reader all
// keep whole: no blanks, "=", ",", quotation marks or brackets.
std::u16string KeyText(std::u16string_view field, std::size_t position) {
  const std::u16string_view trimmed = Trimmed(field);
  std::u16string key;
  for (std::size_t i = 0; i < trimmed.size() && key.size() < kMaxKeyLength; ++i) {
    if (const char16_t c = CodePageForm(trimmed[i]); FitsKey(c)) {
      key += c;
    } else {
      i += ForeignLength(trimmed, i) - 1;
      key += u'_';
    }
  }
  return key.empty() ? u"Field" + IntToText(static_cast<int64_t>(position) + 1) : key;
}

// ---- Fields and their kinds ----

// Whole numbers that the number range search reads unchanged (no more than
// nine digits, so never beyond 32 bits).
bool IsWholeNumber(std::u16string_view value) {
  if (!value.empty() && (value.front() == u'+' || value.front() == u'-')) value.remove_prefix(1);
  return !value.empty() && value.size() <= 9 &&
         std::all_of(value.begin(), value.end(), [](char16_t c) { return c >= u'0' && c <= u'9'; });
}

// Few distinct values, letter case ignored as the choice box does: at most
// kMaxChoices and at most half as many as there are cards.
bool HasFewValues(const std::vector<std::u16string>& values) {
  if (values.size() < 2) return false;
  const std::size_t most = std::min(kMaxChoices, values.size() / 2);
  std::unordered_set<std::u16string> distinct;
  for (const std::u16string& value : values) {
    if (!value.empty() && distinct.insert(FoldedText(value)).second && distinct.size() > most) return false;
  }
  return !distinct.empty();
}

// How wide nine values in ten are, at most.
int32_t TypicalWidth(const std::vector<std::u16string>& values) {
  std::vector<int32_t> widths;
  for (const std::u16string& value : values) {
    if (!value.empty()) widths.push_back(PixelWidth(value));
  }
  if (widths.empty()) return 0;
  const auto at = widths.begin() + static_cast<std::ptrdiff_t>((widths.size() - 1) * 9 / 10);
  std::nth_element(widths.begin(), at, widths.end());
  return *at;
}

}  // namespace

bool TCardField::IsShort() const { return width <= kShortWidth; }

std::u16string FreeKey(const std::u16string& key, TKeySet& taken) {
  std::u16string candidate = key;
  for (int64_t n = 2; !taken.insert(candidate).second; ++n) candidate = key + u"_" + IntToText(n);
  return candidate;
}

std::u16string CaptionText(std::u16string_view text) {
  std::u16string caption;
  for (std::size_t i = 0; i < text.size() && caption.size() < kMaxCaptionLength; ++i) {
    const char16_t c = CodePageForm(text[i]);
    if (IsControl(c)) {
      caption += u' ';
    } else if (RoundTrips(c)) {
      caption += c;
    } else {
      i += ForeignLength(text, i) - 1;
      caption += kReplacement;
    }
  }
  std::u16string_view view = Trimmed(caption);
  while (view.size() >= 2 && (view.front() == u'"' || view.front() == u'\'') && view.back() == view.front()) {
    view = Trimmed(view.substr(1, view.size() - 2));
  }
  return std::u16string(view);
}

// A choice box offers short values only; long ones are searched as text.
void InferKind(TCardField& field) {
  const auto& values = field.values;
  const bool anyValue = std::any_of(values.begin(), values.end(), [](const auto& v) { return !v.empty(); });
  const bool numbers = std::all_of(values.begin(), values.end(), [](const auto& v) { return v.empty() || IsWholeNumber(v); });
  const int32_t typical = TypicalWidth(values);
  if (anyValue && numbers) {
    field.type = TCardParamItem::kRange;
  } else if (typical <= kShortWidth && HasFewValues(values)) {
    field.type = TCardParamItem::kChoice;
  } else {
    field.type = TCardParamItem::kText;
  }
  field.width = std::clamp(std::max(typical, PixelWidth(field.name)) + kWidthMargin, kMinWidth, kMaxWidth);
}

std::vector<TCardField> ReadCardFields(TCardTable& table, TGameReport& report) {
  std::vector<TCardField> fields(table.fields.size());
  std::vector<std::size_t> valueBytes(fields.size());
  TKeySet taken;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    fields[i].field = table.fields[i];
    fields[i].key = FreeKey(KeyText(table.fields[i], i), taken);
    const std::u16string caption = CaptionText(table.fields[i]);
    fields[i].name = caption.empty() ? fields[i].key : caption;
    valueBytes[i] = kMaxCardLineBytes - ToCp932(fields[i].key).size() - 1;
  }
  Counts counts;
  std::vector<std::u16string> row(fields.size());
  for (std::vector<std::u16string>& cells : table.rows) {
    bool empty = true;
    for (std::size_t i = 0; i < fields.size(); ++i) {
      row[i] = i < cells.size() ? CardValue(cells[i], valueBytes[i], counts) : std::u16string();
      empty = empty && row[i].empty();
    }
    std::vector<std::u16string>().swap(cells);  // the input's memory goes as its values arrive
    if (empty) {
      ++report.emptyRows;
      continue;
    }
    for (std::size_t i = 0; i < fields.size(); ++i) fields[i].values.push_back(std::move(row[i]));
  }
  report.replacedCharacters = counts.replaced;
  report.cutValues = counts.cut;
  report.escapedCharacters = counts.escaped;
  for (TCardField& field : fields) InferKind(field);
  return fields;
}
