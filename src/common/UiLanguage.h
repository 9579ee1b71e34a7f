#pragma once
// The language that the windows speak: chosen in the settings, or left to the
// user's preferred languages. Files never change with it.

#include <string>
#include <string_view>
#include <vector>

enum class TUiLanguage { kAutomatic, kJapanese, kEnglish };

// As the settings file keeps the choice: "auto", "ja" or "en"; anything else
// reads as automatic.
TUiLanguage ReadUiLanguage(std::u16string_view text);
std::u16string UiLanguageText(TUiLanguage language);

// The chosen language, or for automatic: English when the preferred languages
// (language tags such as "en-GB" or "ja_JP", the most preferred first) name
// English before Japanese, Japanese in every other case.
TUiLanguage SpokenLanguage(TUiLanguage chosen, const std::vector<std::u16string>& preferred);
