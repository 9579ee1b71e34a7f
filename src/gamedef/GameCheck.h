#pragma once
// The checker for game definition authors: every place where listing and
// loading a game definition silently falls back, skips or drops something,
// with the file and line an editor shows. Errors are what keeps the game
// from being listed or loaded, or loses cards; warnings are what is probably
// not meant.

#include <cstdint>
#include <string>
#include <vector>

struct TFinding {
  enum class Severity { kError, kWarning };
  std::u16string file;
  int32_t line = 1;  // from 1
  Severity severity = Severity::kWarning;
  std::u16string message;

  friend bool operator==(const TFinding&, const TFinding&) = default;
};

// The findings for the game definition file and the card data files and image
// archives it names, in the order the program meets them.
std::vector<TFinding> CheckGameDefinition(const std::u16string& fileName);

// The card data files' part of the check (card sections, keys, markup).
class TCardParams;
struct TCardDataCheck {
  const std::u16string& uniqueKey;
  const TCardParams& params;
  const std::u16string& definition;  // the game definition file, which may be a card data file too
  int32_t cardListLine;              // where the definition names its card data files
  std::vector<TFinding>& findings;
};
void CheckCardDataFiles(const std::vector<std::u16string>& files, const TCardDataCheck& check);
