#include "gamedef/IniFile.h"

#include <algorithm>
#include <limits>

#include "common/CodePage.h"
#include "common/FilePath.h"
#include "common/SafeFile.h"

namespace {

constexpr std::string_view kUtf16Bom = "\xFF\xFE";

std::u16string Decode(std::string_view bytes) { return FromCp932(bytes); }
std::u16string Decode(std::u16string_view units) { return std::u16string(units); }

void Encode(std::u16string_view text, std::string& out) { AppendToCp932(text, out); }
void Encode(std::u16string_view text, std::u16string& out) { out += text; }

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t'; }

std::u16string_view Trimmed(std::u16string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && (IsBlank(text.back()) || text.back() == u'\r')) text.remove_suffix(1);
  return text;
}

// One line of a text: [begin, end) is its text without the line end, next is
// where the following line starts.
template <class Unit>
struct Line {
  std::size_t begin;
  std::size_t end;
  std::size_t next;
};

template <class Unit>
Line<Unit> LineAt(std::basic_string_view<Unit> text, std::size_t pos) {
  const std::size_t feed = text.find(Unit('\n'), pos);
  std::size_t end = feed == text.npos ? text.size() : feed;
  const std::size_t next = feed == text.npos ? text.size() : feed + 1;
  if (end > pos && text[end - 1] == Unit('\r')) --end;
  return {pos, end, next};
}

// The section name of a header line ("[name]", blanks allowed around), or nothing.
template <class Unit>
std::optional<std::u16string> HeaderName(std::basic_string_view<Unit> line) {
  std::size_t first = 0;
  while (first < line.size() && (line[first] == Unit(' ') || line[first] == Unit('\t'))) ++first;
  if (first == line.size() || line[first] != Unit('[')) return std::nullopt;
  const std::u16string decoded = Decode(line.substr(first + 1));
  const std::size_t close = decoded.find(u']');
  if (close == std::u16string::npos) return std::nullopt;
  return std::u16string(Trimmed(std::u16string_view(decoded).substr(0, close)));
}

template <class Unit>
std::basic_string_view<Unit> LineEnding(std::basic_string_view<Unit> text) {
  static constexpr Unit kCrLf[] = {Unit('\r'), Unit('\n'), Unit(0)};
  const std::size_t feed = text.find(Unit('\n'));
  if (feed == text.npos || (feed > 0 && text[feed - 1] == Unit('\r'))) return kCrLf;
  return std::basic_string_view<Unit>(kCrLf + 1);
}

// Written values stay on their line: a line end inside would start a new key.
std::u16string OneLine(std::u16string_view value) {
  std::u16string line(value);
  std::replace_if(line.begin(), line.end(), [](char16_t c) { return c == u'\r' || c == u'\n'; }, u' ');
  return line;
}

bool ParseDecimal(std::u16string_view text, int32_t& value) {
  bool negative = false;
  if (!text.empty() && (text[0] == u'+' || text[0] == u'-')) {
    negative = text[0] == u'-';
    text.remove_prefix(1);
  }
  if (text.empty()) return false;
  int64_t magnitude = 0;
  for (char16_t c : text) {
    if (c < u'0' || c > u'9') return false;
    magnitude = magnitude * 10 + (c - u'0');
    if (magnitude > int64_t{std::numeric_limits<int32_t>::max()} + 1) return false;
  }
  const int64_t signedValue = negative ? -magnitude : magnitude;
  if (signedValue > std::numeric_limits<int32_t>::max()) return false;
  value = static_cast<int32_t>(signedValue);
  return true;
}

bool ParseHex(std::u16string_view digits, int32_t& value) {
  if (digits.empty() || digits.size() > 8) return false;
  uint32_t result = 0;
  for (char16_t c : digits) {
    unsigned digit;
    if (c >= u'0' && c <= u'9') digit = c - u'0';
    else if (c >= u'a' && c <= u'f') digit = c - u'a' + 10;
    else if (c >= u'A' && c <= u'F') digit = c - u'A' + 10;
    else return false;
    result = result << 4 | digit;
  }
  value = static_cast<int32_t>(result);  // eight digits wrap into the negative numbers
  return true;
}

}  // namespace

EIniFileException::EIniFileException(std::u16string fileName)
    : std::runtime_error(ToUtf8(fileName + u" に書き込めません")), fileName_(std::move(fileName)) {}

TIniFile::TIniFile(std::u16string fileName, Encoding encoding) : fileName_(std::move(fileName)), encoding_(encoding) {}

void TIniFile::Load() {
  if (loaded_) return;
  loaded_ = true;
  std::string bytes;
  ReadWholeFile(fileName_, bytes, kMaxFileSize);
  wide_ = bytes.size() >= 2 && std::string_view(bytes).substr(0, 2) == kUtf16Bom;
  if (wide_) {
    const std::size_t count = (bytes.size() - 2) / 2;
    units_.resize(count);
    for (std::size_t i = 0; i < count; ++i) {
      units_[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 + 2 * i]) |
                                        static_cast<unsigned char>(bytes[3 + 2 * i]) << 8);
    }
    oddByte_ = bytes.substr(2 + 2 * count);
    Index<char16_t>(units_);
  } else {
    ansi_ = std::move(bytes);
    Index<char>(ansi_);
  }
}

void TIniFile::Widen() {
  units_ = FromCp932(ansi_);
  ansi_.clear();
  wide_ = true;
  Index<char16_t>(units_);
}

template <class Unit>
void TIniFile::Index(std::basic_string_view<Unit> text) {
  sections_.clear();
  lineEnds_.clear();
  Range* current = nullptr;
  for (std::size_t pos = 0; pos < text.size();) {
    const Line<Unit> line = LineAt(text, pos);
    if (auto name = HeaderName(text.substr(line.begin, line.end - line.begin))) {
      if (current != nullptr) current->end = line.begin;
      auto [it, inserted] = sections_.try_emplace(std::move(*name), Range{line.next, text.size()});
      current = inserted ? &it->second : nullptr;  // a repeated section is ignored
    }
    pos = line.next;
  }
}

template <class Unit>
std::optional<TIniFile::KeyLine> TIniFile::FindKey(std::basic_string_view<Unit> text, Range section,
                                                   std::u16string_view key) const {
  for (std::size_t pos = section.begin; pos < section.end;) {
    const Line<Unit> line = LineAt(text, pos);
    const auto content = text.substr(line.begin, line.end - line.begin);
    const std::size_t equals = content.find(Unit('='));
    if (equals != content.npos && EqualsIgnoreCase(Trimmed(Decode(content.substr(0, equals))), key)) {
      return KeyLine{line.begin, line.end, std::u16string(Trimmed(Decode(content.substr(equals + 1))))};
    }
    pos = line.next;
  }
  return std::nullopt;
}

std::optional<TIniFile::KeyLine> TIniFile::FindKey(std::u16string_view section, std::u16string_view key) const {
  const auto found = sections_.find(section);
  if (found == sections_.end()) return std::nullopt;
  if (wide_) return FindKey<char16_t>(units_, found->second, key);
  return FindKey<char>(ansi_, found->second, key);
}

std::u16string TIniFile::ReadString(std::u16string_view section, std::u16string_view key,
                                    std::u16string_view defaultValue) {
  Load();
  const auto line = FindKey(section, key);
  if (!line) return std::u16string(defaultValue);
  std::u16string_view value = line->value;
  if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') && value.back() == value.front()) {
    value = value.substr(1, value.size() - 2);
  }
  return std::u16string(value.substr(0, kMaxValueLength));
}

int32_t TIniFile::ReadInteger(std::u16string_view section, std::u16string_view key, int32_t defaultValue) {
  const std::u16string text = ReadString(section, key, u"");
  int32_t value = defaultValue;
  const bool hex = text.size() >= 3 && text[0] == u'0' && (text[1] == u'x' || text[1] == u'X');
  if (hex ? ParseHex(std::u16string_view(text).substr(2), value) : ParseDecimal(text, value)) return value;
  return defaultValue;
}

bool TIniFile::ValueExists(std::u16string_view section, std::u16string_view key) {
  Load();
  return FindKey(section, key).has_value();
}

int32_t TIniFile::LineAtOffset(std::size_t offset) {
  if (lineEnds_.empty()) {
    const auto collect = [this](auto text) {
      using Unit = typename decltype(text)::value_type;
      for (std::size_t at = text.find(Unit('\n')); at != decltype(text)::npos; at = text.find(Unit('\n'), at + 1)) {
        lineEnds_.push_back(at);
      }
    };
    wide_ ? collect(std::u16string_view(units_)) : collect(std::string_view(ansi_));
    lineEnds_.push_back(std::numeric_limits<std::size_t>::max());  // found once, also for a file of one line
  }
  return static_cast<int32_t>(std::lower_bound(lineEnds_.begin(), lineEnds_.end(), offset) - lineEnds_.begin()) + 1;
}

int32_t TIniFile::LineOf(std::u16string_view section, std::u16string_view key) {
  Load();
  const auto found = sections_.find(section);
  if (found == sections_.end()) return 0;
  if (key.empty()) return LineAtOffset(found->second.begin - 1);  // the header ends just before its section
  const auto line = FindKey(section, key);
  return line ? LineAtOffset(line->begin) : 0;
}

bool TIniFile::ReadBool(std::u16string_view section, std::u16string_view key, bool defaultValue) {
  return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

template <class Unit>
std::basic_string<Unit> TIniFile::Edited(std::basic_string_view<Unit> text, std::u16string_view section,
                                         std::u16string_view key, std::u16string_view value) const {
  const auto lineEnd = LineEnding(text);
  std::basic_string<Unit> keyLine;
  Encode(std::u16string(key) + u'=' + OneLine(value), keyLine);

  std::basic_string<Unit> result(text);
  const auto found = sections_.find(section);
  if (found == sections_.end()) {
    std::basic_string<Unit> header;
    Encode(u"[" + std::u16string(section) + u"]", header);
    if (!result.empty() && result.back() != Unit('\n')) result += lineEnd;
    result += header + std::basic_string<Unit>(lineEnd) + keyLine + std::basic_string<Unit>(lineEnd);
    return result;
  }
  if (const auto line = FindKey(text, found->second, key)) {
    return result.replace(line->begin, line->end - line->begin, keyLine);
  }
  // A new key goes after the section's last line that is not blank, so that
  // blank lines before the next section stay where they are.
  std::size_t insertAt = found->second.begin;
  for (std::size_t pos = found->second.begin; pos < found->second.end;) {
    const Line<Unit> line = LineAt(text, pos);
    if (!Trimmed(Decode(text.substr(line.begin, line.end - line.begin))).empty()) insertAt = line.next;
    pos = line.next;
  }
  std::basic_string<Unit> insertion;
  if (insertAt > 0 && text[insertAt - 1] != Unit('\n')) insertion += lineEnd;
  insertion += keyLine + std::basic_string<Unit>(lineEnd);
  return result.insert(insertAt, insertion);
}

void TIniFile::WriteString(std::u16string_view section, std::u16string_view key, std::u16string_view value) {
  WriteStrings(section, {{std::u16string(key), std::u16string(value)}});
}

void TIniFile::WriteStrings(std::u16string_view section, const std::vector<std::pair<std::u16string, std::u16string>>& values) {
  if (values.empty()) return;
  Load();
  const bool fits = Cp932CanHold(section) && std::all_of(values.begin(), values.end(), [](const auto& pair) {
    return Cp932CanHold(pair.first) && Cp932CanHold(pair.second);
  });
  if (!wide_ && encoding_ == Encoding::kWidenWhenNeeded && !fits) Widen();
  // The edits are made one after the other on a new text, which replaces the file once.
  std::u16string units;
  std::string ansi;
  for (std::size_t i = 0; i < values.size(); ++i) {
    const auto& [key, value] = values[i];
    if (wide_) {
      units = Edited<char16_t>(i == 0 ? std::u16string_view(units_) : std::u16string_view(units), section, key, value);
      Index<char16_t>(units);
    } else {
      ansi = Edited<char>(i == 0 ? std::string_view(ansi_) : std::string_view(ansi), section, key, value);
      Index<char>(ansi);
    }
  }
  std::string bytes;
  if (wide_) {
    bytes.reserve(2 + units.size() * 2 + oddByte_.size());
    bytes += kUtf16Bom;
    for (char16_t unit : units) {
      bytes += static_cast<char>(unit & 0xFF);
      bytes += static_cast<char>(unit >> 8);
    }
    bytes += oddByte_;
  }
  if (!ReplaceFileContents(fileName_, wide_ ? bytes : ansi)) {
    wide_ ? Index<char16_t>(units_) : Index<char>(ansi_);  // the text as it was, and its index
    throw EIniFileException(fileName_);
  }
  if (wide_) {
    units_ = std::move(units);
  } else {
    ansi_ = std::move(ansi);
  }
}

void TIniFile::WriteInteger(std::u16string_view section, std::u16string_view key, int32_t value) {
  WriteString(section, key, IntToText(value));
}

void TIniFile::WriteBool(std::u16string_view section, std::u16string_view key, bool value) {
  WriteString(section, key, value ? u"1" : u"0");
}
