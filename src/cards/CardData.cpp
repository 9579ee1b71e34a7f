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
    std::size_t valueStart = equals + 1;
    while (valueStart < line.size() && (line[valueStart] == '=' || line[valueStart] == ' ' || line[valueStart] == '\t')) {
      ++valueStart;
    }
    text_.clear();
    AppendFromCp932(line.substr(0, equals), text_);
    const std::size_t keyEnd = text_.find_last_not_of(u" \t");
    text_.resize(keyEnd == std::u16string::npos ? 0 : keyEnd + 1);
    value_.clear();
    AppendFromCp932(line.substr(valueStart), value_);

    const KeyInfo& info = Key(text_);
    card_.SetValue(info.key, value_);
    if (info.param != nullptr) info.param->AddValue(value_);
  }

  const KeyInfo& Key(std::u16string_view text) {
    auto found = keys_.find(text);
    if (found == keys_.end()) {
      found = keys_.emplace(std::u16string(text), KeyInfo{TValueKey(text), params_.Find(text)}).first;
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
  std::unordered_map<std::u16string, KeyInfo, TextHash, TextEqual> keys_;
  TCardItem card_;
  bool inCardSection_ = false;
  std::u16string text_;   // the line or key being read, reused line after line
  std::u16string value_;  // the value being read
};

}  // namespace

bool ReadCardData(std::u16string_view fileName, std::u16string_view uniqueKey, TCardParams& params,
                  TCardListReference& cards) {
  std::string contents;
  if (!ReadWholeFile(fileName, contents, kMaxCardDataFileSize)) return false;
  CardDataReader(uniqueKey, params, cards).Read(contents);
  return true;
}
