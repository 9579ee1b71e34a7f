#include "cards/CardData.h"

#include <string>
#include <unordered_map>

#include "cards/CardItem.h"
#include "cards/CardListReference.h"
#include "cards/CardParams.h"
#include "common/CodePage.h"
#include "common/FilePath.h"
#include "common/Text.h"
#include "common/TextLines.h"

namespace {

struct ByteHash {
  using is_transparent = void;
  std::size_t operator()(std::string_view bytes) const { return std::hash<std::string_view>{}(bytes); }
};
struct ByteEqual {
  using is_transparent = void;
  bool operator()(std::string_view a, std::string_view b) const { return a == b; }
};

class CardDataReader {
 public:
  CardDataReader(std::u16string_view uniqueKey, TCardParams& params, TCardListReference& cards)
      : uniqueKey_(uniqueKey), params_(params), cards_(cards) {}

  void Read(std::string_view contents) {
    TextLines lines(contents, kCardDataPieceBytes);
    std::string_view line;
    while (lines.Next(line)) {
      if (!line.empty() && line[0] == '[' && ReadHeader(line)) continue;
      if (inCardSection_) ReadValueLine(line);
    }
    FinishCard();
  }

 private:
  // A key as met in the file, with the shared key and the parameter it names.
  struct KeyInfo {
    TValueKey key;
    TCardParamItem* param;
  };

  // True when the line is a section header with a name.
  bool ReadHeader(std::string_view line) {
    text_.clear();
    AppendFromCp932(line, text_);
    const std::size_t close = text_.find(u']', 1);
    if (close == std::u16string::npos || close == 1) return false;
    inCardSection_ = std::u16string_view(text_).substr(1, close - 1).find(u"CardData") != std::u16string_view::npos;
    if (inCardSection_) {
      FinishCard();
      card_.Clear();
    }
    return true;
  }

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
    const std::u16string_view value(value_.data(), DecodeCp932(line.substr(valueStart), value_.data()));
    const KeyInfo& info = Key(line.substr(0, keyEnd));
    card_.SetValue(info.key, value);
    if (info.param != nullptr) info.param->AddValue(value);
  }

  // Keys are looked up by their bytes, and converted only the first time.
  const KeyInfo& Key(std::string_view bytes) {
    auto found = keys_.find(bytes);
    if (found == keys_.end()) {
      const std::u16string text = FromCp932(bytes);
      found = keys_.emplace(std::string(bytes), KeyInfo{TValueKey(text), params_.Find(text)}).first;
    }
    return found->second;
  }

  void FinishCard() {
    const std::u16string_view cardKey = card_.Value(uniqueKey_);
    if (!cardKey.empty()) cards_.Store(cardKey, card_);
  }

  std::u16string_view uniqueKey_;
  TCardParams& params_;
  TCardListReference& cards_;
  std::unordered_map<std::string, KeyInfo, ByteHash, ByteEqual> keys_;
  TCardItem card_;
  bool inCardSection_ = false;
  std::u16string text_;                                      // a header line being read
  std::u16string value_ = std::u16string(kCardDataPieceBytes, u'\0');  // room for any value of a piece
};

}  // namespace

bool ReadCardData(std::u16string_view fileName, std::u16string_view uniqueKey, TCardParams& params,
                  TCardListReference& cards) {
  std::string contents;
  if (!ReadWholeFile(fileName, contents, kMaxCardDataFileSize)) return false;
  CardDataReader(uniqueKey, params, cards).Read(contents);
  return true;
}
