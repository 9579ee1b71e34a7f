// The card data files' part of the game definition check: what the card
// reader skips, drops or replaces without a word, line by line as an editor
// numbers the lines.
#include <algorithm>
#include <filesystem>
#include <map>
#include <string_view>
#include <unordered_map>

#include "cards/CardParams.h"
#include "cards/Markup.h"
#include "common/CodePage.h"
#include "common/FilePath.h"
#include "common/Text.h"
#include "gamedef/GameCheck.h"
#include "gamedef/IniFile.h"

namespace {

constexpr std::size_t kPieceBytes = 2047;  // the reader takes a line in pieces of this many bytes
constexpr int kShownPerKind = 20;          // findings of one kind in one file before the rest are counted

using Severity = TFinding::Severity;

std::u16string Quoted(std::u16string_view text) { return u"\"" + std::u16string(text) + u"\""; }

std::u16string Where(const std::u16string& file, int32_t line) { return file + u":" + IntToText(line); }

// Findings of one file, at most kShownPerKind of a kind; the rest are counted
// in one last finding of that kind.
class FileReport {
 public:
  FileReport(const std::u16string& file, std::vector<TFinding>& findings) : file_(file), findings_(findings) {}
  ~FileReport() {
    for (const auto& [kind, more] : more_) {
      const TFinding& last = lastOf_.at(kind);
      findings_.push_back({file_, last.line, last.severity, u"... and " + IntToText(more) + u" more like the one above"});
    }
  }
  FileReport(const FileReport&) = delete;
  FileReport& operator=(const FileReport&) = delete;

  void Add(int kind, int32_t line, Severity severity, std::u16string message) {
    if (shown_[kind]++ >= kShownPerKind) {
      ++more_[kind];
      lastOf_[kind] = {file_, line, severity, {}};
      return;
    }
    findings_.push_back({file_, line, severity, std::move(message)});
  }

 private:
  const std::u16string& file_;
  std::vector<TFinding>& findings_;
  std::map<int, int> shown_;
  std::map<int, int> more_;
  std::map<int, TFinding> lastOf_;
};

enum Kind { kLongLine, kOutside, kOtherSection, kDropped, kTwice, kKeyTwice, kMarkup, kColour };

// A colour attribute whose name is no colour of the markup ("Red" for "red").
std::u16string UnknownColour(std::u16string_view value) {
  for (std::size_t open = value.find(u'<'); open != std::u16string_view::npos; open = value.find(u'<', open + 1)) {
    const std::size_t close = value.find(u'>', open);
    if (close == std::u16string_view::npos) break;
    for (const std::u16string& item : ReadCommaList(value.substr(open + 1, close - open - 1))) {
      if (item.find(u"color") == std::u16string::npos) continue;
      const std::size_t equals = item.find(u'=');
      const std::u16string name = equals == std::u16string::npos ? item : item.substr(equals + 1);
      if (!TRTFtoHtml::IsColorName(name)) return name;
    }
  }
  return {};
}

struct Card {
  int32_t line = 0;
  std::u16string section;
  std::unordered_map<std::u16string, int32_t> keyLines;
  std::u16string cardKey;
};

class CardDataScan {
 public:
  // seen: the card keys met so far in the game's card data files, with where.
  CardDataScan(const TCardDataCheck& check, const std::u16string& file, FileReport& report,
               std::unordered_map<std::u16string, std::u16string>& seen)
      : check_(check),
        file_(file),
        report_(report),
        seen_(seen),
        isDefinition_(NativePath(file) == NativePath(ResolveIgnoringCase(check.definition))) {}

  void Scan(std::string_view bytes) {
    int32_t number = 0;
    for (std::size_t start = 0; start < bytes.size();) {
      std::size_t end = bytes.find('\n', start);
      if (end == std::string_view::npos) end = bytes.size();
      std::string_view line = bytes.substr(start, end - start);
      if (!line.empty() && line.back() == '\r') line.remove_suffix(1);  // text mode: CR LF is a line feed
      start = end + 1;
      ++number;
      if (line.size() > kPieceBytes) {
        report_.Add(kLongLine, number, Severity::kWarning,
                    u"the line is longer than 2047 bytes: the reader cuts it and takes the rest as lines of their own");
      }
      for (std::size_t piece = 0; piece < line.size() || piece == 0; piece += kPieceBytes) {
        Piece(line.substr(piece, kPieceBytes), number);
        if (line.empty()) break;
      }
    }
    Finish();
  }

 private:
  void Piece(std::string_view piece, int32_t number) {
    const std::u16string text = FromCp932(piece);
    const std::size_t close = text.find(u']', 1);
    if (!text.empty() && text[0] == u'[' && close != std::u16string::npos && close > 1) {
      Header(text.substr(1, close - 1), number);
      return;
    }
    const std::size_t equals = text.find(u'=');
    if (equals == std::u16string::npos) return;
    if (!sawHeader_) {
      report_.Add(kOutside, number, Severity::kWarning, u"a line before any section: the reader ignores it");
    } else if (inCard_) {
      Value(text, equals, number);
    }
  }

  void Header(const std::u16string& name, int32_t number) {
    sawHeader_ = true;
    if (name.find(u"CardData") != std::u16string::npos) {
      Finish();
      card_ = Card{number, name, {}, {}};
      inCard_ = true;
      return;
    }
    inCard_ = false;
    if (!isDefinition_) {
      report_.Add(kOtherSection, number, Severity::kWarning,
                  u"the section " + Quoted(name) + u" is no card section (its name lacks \"CardData\"): its lines are ignored");
    }
  }

  void Value(const std::u16string& text, std::size_t equals, int32_t number) {
    std::u16string key = text.substr(0, equals);
    while (!key.empty() && (key.back() == u' ' || key.back() == u'\t')) key.pop_back();
    std::size_t at = equals;
    while (at < text.size() && (text[at] == u'=' || text[at] == u' ' || text[at] == u'\t')) ++at;
    const std::u16string value = text.substr(at);
    if (const auto [earlier, added] = card_.keyLines.try_emplace(key, number); !added) {
      report_.Add(kKeyTwice, number, Severity::kWarning,
                  Quoted(key) + u" is given again in this card (first on line " + IntToText(earlier->second) +
                      u"): the later value counts");
      earlier->second = number;
    }
    if (key == check_.uniqueKey) card_.cardKey = value;
    CheckMarkup(key, value, number);
  }

  void CheckMarkup(const std::u16string& key, const std::u16string& value, int32_t number) {
    if (value.find(u'<') == std::u16string::npos || value.find(u'>') == std::u16string::npos) return;
    try {
      TRTFtoHtml().Parse(value);
    } catch (const EMarkupError&) {
      report_.Add(kMarkup, number, Severity::kWarning,
                  u"the markup of " + Quoted(key) + u" does not parse (an empty tag, a \">\" before its \"<\", or a size "
                  u"that is no number): the card shows it only in part");
      return;
    }
    if (const std::u16string colour = UnknownColour(value); !colour.empty()) {
      report_.Add(kColour, number, Severity::kWarning,
                  u"the markup of " + Quoted(key) + u" names the colour " + Quoted(colour) +
                      u", which is none of the colour names (lower case, such as red): it shows black");
    }
  }

  void Finish() {
    if (!inCard_) return;
    inCard_ = false;
    if (card_.cardKey.empty()) {
      report_.Add(kDropped, card_.line, Severity::kError,
                  u"the card section " + Quoted(card_.section) + u" has no value for the unique key " +
                      Quoted(check_.uniqueKey) + u": the card is dropped");
      return;
    }
    const auto [earlier, added] = seen_.try_emplace(card_.cardKey, Where(file_, card_.line));
    if (!added) {
      report_.Add(kTwice, card_.line, Severity::kError,
                  u"the card key " + Quoted(card_.cardKey) + u" is defined again: it replaces the card at " +
                      earlier->second + u" entirely");
      earlier->second = Where(file_, card_.line);
    }
  }

  const TCardDataCheck& check_;
  const std::u16string& file_;
  FileReport& report_;
  std::unordered_map<std::u16string, std::u16string>& seen_;
  const bool isDefinition_;
  bool sawHeader_ = false;
  bool inCard_ = false;
  Card card_;
};

}  // namespace

void CheckCardDataFiles(const std::vector<std::u16string>& files, const TCardDataCheck& check) {
  std::unordered_map<std::u16string, std::u16string> seen;
  for (const std::u16string& file : files) {
    std::string bytes;
    if (!ReadWholeFile(file, bytes, TIniFile::kMaxFileSize)) {
      std::error_code error;
      const bool exists = std::filesystem::exists(NativePath(file), error);
      check.findings.push_back({check.definition, check.cardListLine, Severity::kError,
                                u"the card data file " + Quoted(file) +
                                    (exists ? u" cannot be read" : u" does not exist") + u": its cards are missing"});
      continue;
    }
    const std::string_view start(bytes.data(), std::min<std::size_t>(bytes.size(), 3));
    if (start.substr(0, 2) == "\xFF\xFE" || start.substr(0, 2) == "\xFE\xFF") {
      check.findings.push_back({file, 1, Severity::kError,
                                u"the card data file is in UTF-16: the reader takes code page 932 only, so none of its "
                                u"cards is read"});
      continue;
    }
    if (start == "\xEF\xBB\xBF") {
      const bool hidesCard = bytes.size() > 3 && bytes[3] == '[' && bytes.find("CardData") < bytes.find('\n');
      check.findings.push_back(
          {file, 1, hidesCard ? Severity::kError : Severity::kWarning,
           hidesCard ? u"the file begins with a UTF-8 byte-order mark, which hides the card section header of line 1: "
                       u"that card is lost"
                     : u"the file begins with a UTF-8 byte-order mark: the reader takes code page 932"});
    } else if (IsUtf8(bytes) && std::any_of(bytes.begin(), bytes.end(), [](char c) { return (c & 0x80) != 0; })) {
      check.findings.push_back({file, 1, Severity::kWarning,
                                u"the file looks like UTF-8: the reader takes code page 932, so its letters beyond ASCII "
                                u"come out garbled"});
    }
    FileReport report(file, check.findings);
    // After the mark, the lines as the author meant them: the one finding above says what the mark does.
    CardDataScan(check, file, report, seen).Scan(std::string_view(bytes).substr(start == "\xEF\xBB\xBF" ? 3 : 0));
  }
}
