#include "common/UiLanguage.h"

#include <gtest/gtest.h>

#include "common/Text.h"

namespace {

using Tags = std::vector<std::u16string>;

TEST(UiLanguage, AutomaticFollowsThePreferredLanguages) {
  struct Case {
    Tags preferred;
    TUiLanguage spoken;
  };
  const std::vector<Case> cases = {
      {{u"en-US", u"ja-JP"}, TUiLanguage::kEnglish},
      {{u"ja-JP", u"en-US"}, TUiLanguage::kJapanese},
      {{u"de-DE", u"en-GB", u"ja"}, TUiLanguage::kEnglish},  // the first of the two that is named
      {{u"EN_us.UTF-8"}, TUiLanguage::kEnglish},
      {{u"fr-FR", u"de"}, TUiLanguage::kJapanese},  // neither
      {{u"C"}, TUiLanguage::kJapanese},
      {{u"POSIX"}, TUiLanguage::kJapanese},
      {{}, TUiLanguage::kJapanese},
      {{u"eng", u"enx-US"}, TUiLanguage::kJapanese},  // other languages that merely begin alike
  };
  for (const Case& c : cases) {
    std::string tags;
    for (const std::u16string& tag : c.preferred) tags += ToUtf8(tag) + " ";
    EXPECT_EQ(SpokenLanguage(TUiLanguage::kAutomatic, c.preferred), c.spoken) << tags;
  }
  // A choice is kept whatever the user prefers.
  EXPECT_EQ(SpokenLanguage(TUiLanguage::kJapanese, {u"en-US"}), TUiLanguage::kJapanese);
  EXPECT_EQ(SpokenLanguage(TUiLanguage::kEnglish, {u"ja-JP"}), TUiLanguage::kEnglish);
}

TEST(UiLanguage, ReadsWhatItWrites) {
  for (TUiLanguage language : {TUiLanguage::kAutomatic, TUiLanguage::kJapanese, TUiLanguage::kEnglish}) {
    EXPECT_EQ(ReadUiLanguage(UiLanguageText(language)), language);
  }
  for (std::u16string_view other : {u"", u"EN", u"english", u"ja-JP", u"fr"}) {
    EXPECT_EQ(ReadUiLanguage(other), TUiLanguage::kAutomatic) << ToUtf8(other);
  }
}

}  // namespace
