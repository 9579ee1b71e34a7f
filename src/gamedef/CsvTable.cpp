#include "gamedef/CsvTable.h"

#include <algorithm>
#include <vector>

#include "common/Text.h"

namespace {

bool IsLineEnd(char16_t c) { return c == u'\r' || c == u'\n'; }

std::u16string LineText(std::size_t line) { return u"line " + IntToText(static_cast<int64_t>(line)); }

// Reads one record after the other, counting lines for the messages.
class CsvReader {
 public:
  CsvReader(std::u16string_view text, char16_t separator) : text_(text), separator_(separator) {}

  bool AtEnd() const { return pos_ >= text_.size(); }
  std::size_t Line() const { return line_; }

  // The next record; false, with the reason in `error`, when a quoted field
  // runs to the end of the text or the record holds more values than a table
  // has fields.
  bool Next(std::vector<std::u16string>& record, std::u16string& error) {
    record.clear();
    for (;;) {
      if (record.size() == kMaxTableFields) {
        error = LineText(line_) + u" has more than " + IntToText(static_cast<int64_t>(kMaxTableFields)) + u" values";
        return false;
      }
      std::u16string field;
      if (pos_ < text_.size() && text_[pos_] == u'"' && !ReadQuoted(field)) {
        error = u"the quoted value that begins on " + LineText(quoteLine_) + u" never closes";
        return false;
      }
      // Anything after a closing mark, or an unquoted value, as it stands.
      while (pos_ < text_.size() && text_[pos_] != separator_ && !IsLineEnd(text_[pos_])) field += text_[pos_++];
      record.push_back(std::move(field));
      if (pos_ < text_.size() && text_[pos_] == separator_) {
        ++pos_;
        continue;
      }
      SkipLineEnd();
      return true;
    }
  }

 private:
  bool ReadQuoted(std::u16string& field) {
    quoteLine_ = line_;
    for (++pos_; pos_ < text_.size(); ++pos_) {
      const char16_t c = text_[pos_];
      if (c == u'"') {
        if (pos_ + 1 >= text_.size() || text_[pos_ + 1] != u'"') {
          ++pos_;
          return true;
        }
        ++pos_;  // a doubled mark stands for one
      } else if (c == u'\n' || (c == u'\r' && (pos_ + 1 >= text_.size() || text_[pos_ + 1] != u'\n'))) {
        ++line_;
      }
      field += c;
    }
    return false;
  }

  void SkipLineEnd() {
    if (pos_ < text_.size() && text_[pos_] == u'\r') ++pos_;
    if (pos_ < text_.size() && text_[pos_] == u'\n') ++pos_;
    ++line_;
  }

  std::u16string_view text_;
  char16_t separator_;
  std::size_t pos_ = 0;
  std::size_t line_ = 1;
  std::size_t quoteLine_ = 1;
};

bool IsBlankLine(const std::vector<std::u16string>& record) { return record.size() == 1 && record[0].empty(); }

// Values beyond the header's fields may only be empty (a separator at the end of each line).
bool FitRecord(std::vector<std::u16string>& record, std::size_t fields) {
  if (record.size() <= fields) return true;
  if (std::any_of(record.begin() + static_cast<std::ptrdiff_t>(fields), record.end(),
                  [](const std::u16string& value) { return !value.empty(); })) {
    return false;
  }
  record.resize(fields);
  return true;
}

}  // namespace

bool HeaderUsesTabs(std::u16string_view text) {
  const std::u16string_view line = text.substr(0, text.find_first_of(u"\r\n"));
  return line.find(u'\t') != std::u16string_view::npos && line.find(u',') == std::u16string_view::npos;
}

bool ReadCsvTable(std::u16string_view text, char16_t separator, TCardTable& table, std::u16string& error) {
  table = {};
  CsvReader reader(text, separator);
  std::vector<std::u16string> record;
  bool header = true;
  while (!reader.AtEnd()) {
    const std::size_t line = reader.Line();
    if (!reader.Next(record, error)) return false;
    if (IsBlankLine(record)) continue;
    if (header) {
      table.fields = std::move(record);
      header = false;
      continue;
    }
    if (!FitRecord(record, table.fields.size())) {
      error = LineText(line) + u" has " + IntToText(static_cast<int64_t>(record.size())) + u" values, the header " +
              IntToText(static_cast<int64_t>(table.fields.size())) + u" fields";
      return false;
    }
    if ((table.rows.size() + 1) * table.fields.size() > kMaxTableCells) {
      error = u"the card list has more values than " + IntToText(static_cast<int64_t>(kMaxTableCells));
      return false;
    }
    table.rows.push_back(std::move(record));
  }
  return true;
}
