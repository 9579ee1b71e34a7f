#include "cards/CardData.h"

#include <algorithm>
#include <future>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "cards/CardItem.h"
#include "cards/CardListReference.h"
#include "cards/CardParams.h"
#include "cards/DistinctTexts.h"
#include "common/CodePage.h"
#include "common/FilePath.h"
#include "common/Text.h"
#include "common/TextLines.h"

namespace {

// A file at least this large is read as two halves on two threads.
constexpr std::size_t kTwoPartBytes = std::size_t{1} << 20;

struct ByteHash {
  using is_transparent = void;
  std::size_t operator()(std::string_view bytes) const { return std::hash<std::string_view>{}(bytes); }
};
struct ByteEqual {
  using is_transparent = void;
  bool operator()(std::string_view a, std::string_view b) const { return a == b; }
};

// The name of a section header line ("[" first, a "]" after a non-empty
// name), converted into `text`; nothing for any other line.
std::optional<std::u16string_view> SectionName(std::string_view line, std::u16string& text) {
  if (line.empty() || line[0] != '[') return std::nullopt;
  text.clear();
  AppendFromCp932(line, text);
  const std::size_t close = text.find(u']', 1);
  if (close == std::u16string::npos || close == 1) return std::nullopt;
  return std::u16string_view(text).substr(1, close - 1);
}

bool IsCardSection(std::u16string_view name) { return name.find(u"CardData") != std::u16string_view::npos; }

// What one stretch of a card data file holds: its cards, and the distinct
// values of each schema parameter in the order they were met.
struct CardDataPart {
  TCardListReference cards;
  std::vector<DistinctTexts> values;  // by parameter position
};

// Reads the lines of a stretch of a file. Cards of a file usually repeat the
// same keys in the same order, so the reader expects each line's key to be
// the key that the previous card had on that line, and gives a card the key
// list of the previous card when its keys are the same; it checks both before
// it relies on them.
class CardDataReader {
 public:
  CardDataReader(std::u16string_view uniqueKey, const TCardParams& params, CardDataPart& part)
      : uniqueKey_(uniqueKey), params_(params), part_(part) {
    part_.values.resize(static_cast<std::size_t>(params.Count()));
  }

  // Each file, and each stretch of one, begins outside any card section.
  void Read(std::string_view contents) {
    inCardSection_ = false;
    TextLines lines(contents, kCardDataPieceBytes);
    std::string_view line;
    std::u16string text;
    while (lines.Next(line)) {
      if (const auto name = SectionName(line, text)) {
        inCardSection_ = IsCardSection(*name);
        if (inCardSection_) FinishCard();
      } else if (inCardSection_) {
        ReadValueLine(line);
      }
    }
    FinishCard();
  }

 private:
  // A key as its bytes stand in the file, with the parameter it names.
  struct KeyInfo {
    std::u16string text;
    DistinctTexts* values;  // the values of the parameter of this key, if any
    bool isUniqueKey;
  };
  using KeyTable = std::unordered_map<std::string, KeyInfo, ByteHash, ByteEqual>;
  using KeyEntry = KeyTable::value_type;

  // A value line of the working card: its value lies in chars_.
  struct Value {
    const KeyEntry* key;
    std::size_t offset;
    std::size_t length;
  };

  void ReadValueLine(std::string_view line) {
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) return;
    // Blanks, tabs and "=" are single bytes that no double-byte character holds,
    // so the line can be split before it is converted.
    std::size_t keyEnd = equals;
    while (keyEnd > 0 && (line[keyEnd - 1] == ' ' || line[keyEnd - 1] == '\t')) --keyEnd;
    std::size_t valueStart = equals + 1;
    while (valueStart < line.size() && (line[valueStart] == '=' || line[valueStart] == ' ' || line[valueStart] == '\t')) {
      ++valueStart;
    }
    const KeyEntry& key = Key(line.substr(0, keyEnd));
    const std::string_view bytes = line.substr(valueStart);
    // chars_ only grows; charCount_ tells how much of it the card uses.
    if (chars_.size() < charCount_ + bytes.size()) chars_.resize(2 * (charCount_ + bytes.size()));
    const std::size_t length = DecodeCp932(bytes, chars_.data() + charCount_);
    values_.push_back({&key, charCount_, length});
    charCount_ += length;
    if (key.second.values != nullptr) {
      // The card's values are added when it is finished, so that their places
      // in large tables can arrive from memory in the meantime.
      const uint32_t hash = DistinctTexts::Hash(ValueText(values_.back()));
      key.second.values->Prefetch(hash);
      pending_.push_back({values_.size() - 1, hash});
    }
  }

  const KeyEntry& Key(std::string_view bytes) {
    const std::size_t line = values_.size();
    if (line < lastKeys_.size() && lastKeys_[line]->first == bytes) return *lastKeys_[line];
    auto found = keys_.find(bytes);
    if (found == keys_.end()) {
      std::u16string text = FromCp932(bytes);
      DistinctTexts* values = nullptr;
      for (int32_t i = 0; i < params_.Count() && values == nullptr; ++i) {
        if (params_.Item(i)->Key() == text) values = &part_.values[static_cast<std::size_t>(i)];
      }
      const bool isUniqueKey = text == uniqueKey_;
      found = keys_.emplace(std::string(bytes), KeyInfo{std::move(text), values, isUniqueKey}).first;
    }
    return *found;
  }

  void AddPendingValues() {
    for (const auto& [line, hash] : pending_) values_[line].key->second.values->Add(ValueText(values_[line]), hash);
    pending_.clear();
  }

  std::u16string_view ValueText(const Value& value) const {
    return std::u16string_view(chars_).substr(value.offset, value.length);
  }

  // Stores the working card under its card key (the last value of the unique
  // key), or drops it, and starts an empty one.
  void FinishCard() {
    if (!SameKeysAsLastCard()) {
      lastKeys_.clear();
      for (const Value& value : values_) lastKeys_.push_back(value.key);
      cardKeys_.reset();
    }
    const Value* cardKey = nullptr;
    for (const Value& value : values_) {
      if (value.key->second.isUniqueKey) cardKey = &value;
    }
    if (cardKey != nullptr && cardKey->length > 0) {
      if (cardKeys_ == nullptr) MakeCardKeys();
      std::vector<std::u16string_view>& ordered = orderedValues_;
      ordered.clear();
      for (std::size_t index : order_) ordered.push_back(ValueText(values_[index]));
      part_.cards.Store(ValueText(*cardKey), TCardItem(cardKeys_, ordered));
    }
    AddPendingValues();
    values_.clear();
    charCount_ = 0;
  }

  bool SameKeysAsLastCard() const {
    if (values_.size() != lastKeys_.size()) return false;
    for (std::size_t i = 0; i < values_.size(); ++i) {
      if (values_[i].key != lastKeys_[i]) return false;
    }
    return true;
  }

  // The card's keys in code-unit order and, for each, the line that gives its
  // value: of a key given twice, the later line.
  void MakeCardKeys() {
    order_.resize(values_.size());
    for (std::size_t i = 0; i < order_.size(); ++i) order_[i] = i;
    auto keyText = [&](std::size_t index) -> const std::u16string& { return values_[index].key->second.text; };
    std::stable_sort(order_.begin(), order_.end(), [&](std::size_t a, std::size_t b) { return keyText(a) < keyText(b); });
    auto keys = std::make_shared<TCardKeys>();
    std::size_t kept = 0;
    for (std::size_t i = 0; i < order_.size(); ++i) {
      if (i + 1 < order_.size() && keyText(order_[i]) == keyText(order_[i + 1])) continue;
      keys->push_back(keyText(order_[i]));
      order_[kept++] = order_[i];
    }
    order_.resize(kept);
    cardKeys_ = std::move(keys);
  }

  std::u16string_view uniqueKey_;
  const TCardParams& params_;
  CardDataPart& part_;
  KeyTable keys_;
  bool inCardSection_ = false;
  std::vector<Value> values_;              // the working card, line by line
  std::u16string chars_;                   // its values, one after the other
  std::size_t charCount_ = 0;
  std::vector<std::pair<std::size_t, uint32_t>> pending_;  // lines whose values are still to be added, with their hashes
  std::vector<const KeyEntry*> lastKeys_;  // the keys of the last card, line by line
  std::shared_ptr<const TCardKeys> cardKeys_;  // their key list, once a card needed it
  std::vector<std::size_t> order_;         // the lines that give the values of cardKeys_
  std::vector<std::u16string_view> orderedValues_;
};

// The card data of one file, or a stretch of it that begins at a line.
using Pieces = std::vector<std::string_view>;

CardDataPart ReadPieces(const Pieces& pieces, std::u16string_view uniqueKey, const TCardParams& params) {
  CardDataPart part;
  CardDataReader reader(uniqueKey, params, part);
  for (std::string_view piece : pieces) reader.Read(piece);
  return part;
}

// The first card section header at or after `from`, or the end.
std::size_t NextCardSection(std::string_view contents, std::size_t from) {
  std::u16string text;
  for (std::size_t start = from; start < contents.size();) {
    TextLines lines(contents.substr(start), kCardDataPieceBytes);
    std::string_view line;
    lines.Next(line);
    const auto name = SectionName(line, text);
    if (name && IsCardSection(*name)) return start;
    const std::size_t feed = contents.find('\n', start);
    start = feed == std::string_view::npos ? contents.size() : feed + 1;
  }
  return contents.size();
}

// Splits the files into two runs of about the same size, at the first card
// section header after the middle, so that each run begins and ends with whole
// cards. A header is where a single pass finishes one card and begins the
// next, so reading the runs apart changes nothing.
std::pair<Pieces, Pieces> SplitInTwo(const Pieces& files) {
  std::size_t total = 0;
  for (std::string_view file : files) total += file.size();
  if (total < kTwoPartBytes) return {files, {}};
  Pieces first;
  Pieces second;
  std::size_t before = 0;
  for (std::string_view file : files) {
    if (!second.empty() || before + file.size() <= total / 2) {
      (second.empty() ? first : second).push_back(file);
    } else {
      // The middle lies in this file: after the line that holds it.
      const std::size_t middle = total / 2 - std::min(total / 2, before);
      const std::size_t feed = middle == 0 ? 0 : file.find('\n', middle - 1);
      const std::size_t split = feed == std::string_view::npos ? file.size() : NextCardSection(file, middle == 0 ? 0 : feed + 1);
      first.push_back(file.substr(0, split));
      second.push_back(file.substr(split));
    }
    before += file.size();
  }
  return {first, second};
}

// Adds the part's values to every other parameter, from `first` on.
void AddValues(CardDataPart& part, TCardParams& params, std::size_t first) {
  for (std::size_t i = first; i < part.values.size(); i += 2) {
    params.Item(static_cast<int32_t>(i))->AddValues(std::move(part.values[i]));
  }
}

void Apply(CardDataPart&& part, TCardParams& params, TCardListReference& cards) {
  cards.Absorb(std::move(part.cards));
  AddValues(part, params, 0);
  AddValues(part, params, 1);
}

// Reads the two runs at once and applies them in file order, so the result is
// the one a single pass gives: later cards replace earlier ones, and each
// parameter keeps the form of a value met first. The second run's values join
// the parameters' on both threads too, each thread taking other parameters.
void ReadFiles(const Pieces& files, std::u16string_view uniqueKey, TCardParams& params, TCardListReference& cards) {
  const auto [first, second] = SplitInTwo(files);
  if (second.empty()) return Apply(ReadPieces(first, uniqueKey, params), params, cards);
  auto secondPart = std::async(std::launch::async, ReadPieces, std::cref(second), uniqueKey, std::cref(params));
  Apply(ReadPieces(first, uniqueKey, params), params, cards);
  CardDataPart part = secondPart.get();
  auto evenValues = std::async(std::launch::async, AddValues, std::ref(part), std::ref(params), 0);
  cards.Absorb(std::move(part.cards));
  AddValues(part, params, 1);
  evenValues.get();
}

}  // namespace

bool ReadCardData(std::u16string_view fileName, std::u16string_view uniqueKey, TCardParams& params,
                  TCardListReference& cards) {
  std::string contents;
  if (!ReadWholeFile(fileName, contents, kMaxCardDataFileSize)) return false;
  ReadFiles({contents}, uniqueKey, params, cards);
  return true;
}

void ReadCardDataFiles(const std::vector<std::u16string>& fileNames, std::u16string_view uniqueKey,
                       TCardParams& params, TCardListReference& cards) {
  std::vector<std::string> contents(fileNames.size());
  Pieces files;
  for (std::size_t i = 0; i < fileNames.size(); ++i) {
    if (ReadWholeFile(fileNames[i], contents[i], kMaxCardDataFileSize)) files.push_back(contents[i]);
  }
  ReadFiles(files, uniqueKey, params, cards);
}
