#include "common/UiLanguage.h"

#include "common/Text.h"

namespace {

// The primary language subtag, in lower case: "en" of "en-GB" and "EN_us".
std::u16string PrimaryLanguage(std::u16string_view tag) {
  return FoldedText(tag.substr(0, tag.find_first_of(u"-_.@")));
}

}  // namespace

TUiLanguage ReadUiLanguage(std::u16string_view text) {
  if (text == u"ja") return TUiLanguage::kJapanese;
  if (text == u"en") return TUiLanguage::kEnglish;
  return TUiLanguage::kAutomatic;
}

std::u16string UiLanguageText(TUiLanguage language) {
  switch (language) {
    case TUiLanguage::kJapanese:
      return u"ja";
    case TUiLanguage::kEnglish:
      return u"en";
    case TUiLanguage::kAutomatic:
      break;
  }
  return u"auto";
}

TUiLanguage SpokenLanguage(TUiLanguage chosen, const std::vector<std::u16string>& preferred) {
  if (chosen != TUiLanguage::kAutomatic) return chosen;
  for (const std::u16string& tag : preferred) {
    const std::u16string language = PrimaryLanguage(tag);
    if (language == u"en") return TUiLanguage::kEnglish;
    if (language == u"ja") return TUiLanguage::kJapanese;
  }
  return TUiLanguage::kJapanese;
}
