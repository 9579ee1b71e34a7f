#include "gamedef/CardListFile.h"

#include <map>
#include <nlohmann/json.hpp>
#include <optional>
#include <vector>

#include "common/CodePage.h"
#include "common/Text.h"
#include "gamedef/CsvTable.h"

namespace {

using json = nlohmann::json;

// Card objects nested deeper than this are refused rather than followed.
constexpr std::size_t kMaxDepth = 16;

std::string Number(std::size_t n) { return std::to_string(n); }

// Reads a JSON array of card objects into a table, event by event: a nested
// object's fields become "outer.inner", and every value that an array holds
// under one field joins that field's value with ", " (so an empty array gives
// none; null gives the empty value).
class CardListReader {
 public:
  using string_t = json::string_t;
  using binary_t = json::binary_t;

  explicit CardListReader(TCardTable& table) : table_(table) {}
  const std::string& Error() const { return error_; }

  bool null() { return Value({}); }
  bool boolean(bool value) { return Value(value ? "true" : "false"); }
  bool number_integer(json::number_integer_t value) { return Value(std::to_string(value)); }
  bool number_unsigned(json::number_unsigned_t value) { return Value(std::to_string(value)); }
  // The number as the file writes it, not as a double would print it.
  bool number_float(json::number_float_t, const string_t& text) { return Value(text); }
  bool string(string_t& value) { return Value(value); }
  bool binary(binary_t&) { return Fail("binary values are no card values"); }
  bool key(string_t& name) {
    key_ = name;
    return true;
  }

  bool start_object(std::size_t) {
    if (frames_.empty()) return Fail("the card list is not a JSON array of cards");
    if (frames_.size() == 1) {
      ++cardNumber_;
      frames_.push_back({false, {}});
      return true;
    }
    return Enter(false);
  }

  bool end_object() {
    frames_.pop_back();
    return frames_.size() != 1 || FinishCard();
  }

  bool start_array(std::size_t) {
    if (frames_.empty()) {
      frames_.push_back({true, {}});
      return true;
    }
    if (frames_.size() == 1) return NotACard();
    return Enter(true);
  }

  bool end_array() {
    frames_.pop_back();
    return true;
  }

  bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception& error) {
    return Fail(error.what());
  }

 private:
  struct Frame {
    bool array;
    std::string path;  // the field that the frame's values go to, or the prefix of its members
  };

  bool Fail(const std::string& message) {
    if (error_.empty()) error_ = message;
    return false;
  }

  bool NotACard() { return Fail("element " + Number(cardNumber_ + 1) + " of the card list is not an object"); }

  bool Enter(bool array) {
    if (frames_.size() > kMaxDepth) {
      return Fail("card " + Number(cardNumber_) + " nests deeper than " + Number(kMaxDepth) + " levels");
    }
    frames_.push_back({array, Path()});
    return true;
  }

  // Where a value met now belongs: an array's field, or an object's member.
  std::string Path() const {
    const Frame& frame = frames_.back();
    if (frame.array) return frame.path;
    return frame.path.empty() ? key_ : frame.path + "." + key_;
  }

  std::size_t FieldOf(const std::string& path) {
    const auto [found, added] = fieldIndex_.try_emplace(path, table_.fields.size());
    if (added) table_.fields.push_back(FromUtf8(path));
    return found->second;
  }

  bool Value(std::string_view text) {
    if (frames_.size() < 2) return frames_.empty() ? Fail("the card list is not a JSON array of cards") : NotACard();
    const std::size_t field = FieldOf(Path());
    if (table_.fields.size() > kMaxTableFields) return Fail("the cards have more than " + Number(kMaxTableFields) + " fields");
    if (cells_.size() <= field) cells_.resize(field + 1);
    std::optional<std::string>& cell = cells_[field];
    if (!cell) {
      cell.emplace(text);
    } else {
      cell->append(", ").append(text);
    }
    return true;
  }

  // An empty card counts as one value, so that a list of them cannot grow without bound.
  bool FinishCard() {
    if ((table_.rows.size() + 1) * std::max<std::size_t>(table_.fields.size(), 1) > kMaxTableCells) {
      return Fail("the card list has more values than " + Number(kMaxTableCells));
    }
    std::vector<std::u16string> row(cells_.size());
    for (std::size_t i = 0; i < cells_.size(); ++i) row[i] = cells_[i] ? FromUtf8(*cells_[i]) : std::u16string();
    table_.rows.push_back(std::move(row));
    cells_.clear();
    return true;
  }

  TCardTable& table_;
  std::vector<Frame> frames_;
  std::string key_;
  std::map<std::string, std::size_t> fieldIndex_;
  std::vector<std::optional<std::string>> cells_;  // the card being read, by field
  std::size_t cardNumber_ = 0;
  std::string error_;
};

bool ReadJsonTable(const std::string& text, TCardTable& table, std::u16string& error) {
  CardListReader reader(table);
  bool read = false;
  try {
    read = json::sax_parse(text, &reader);
  } catch (const std::exception& exception) {
    error = FromUtf8(exception.what());
    return false;
  }
  error = FromUtf8(reader.Error());
  return read && error.empty();
}

bool HasTsvExtension(std::string_view fileName) {
  const std::size_t dot = fileName.rfind('.');
  return dot != std::string_view::npos && EqualsIgnoreCase(FromUtf8(fileName.substr(dot)), u".tsv");
}

}  // namespace

bool ReadCardList(std::string_view fileName, std::string_view bytes, TCardTable& table, std::u16string& error) {
  table = {};
  const std::u16string text = FromUtf8OrCp932(bytes);
  const std::size_t first = text.find_first_not_of(u" \t\r\n");
  if (first != std::u16string::npos && text[first] == u'[') return ReadJsonTable(ToUtf8(text), table, error);
  const char16_t separator = HasTsvExtension(fileName) || HeaderUsesTabs(text) ? u'\t' : u',';
  return ReadCsvTable(text, separator, table, error);
}
