#pragma once
// A new game definition made from a card list that its author already has: a
// table of fields and cards, from which the card parameters and their kinds,
// the card key, the text key, the columns of both lists and two deck layers
// are inferred. The result is the game definition file and its card data
// file, both in code page 932 with CR LF line ends, and a report of what was
// inferred and of every value that had to change to fit the files.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Fields and cards as an input names them. A row shorter than the fields
// reads as empty values for the fields it lacks.
struct TCardTable {
  std::vector<std::u16string> fields;  // in the order in which they first appear
  std::vector<std::vector<std::u16string>> rows;
};

// What a table may hold, so that no input makes the maker run out of memory
// or time; the readers of tables refuse more.
inline constexpr std::size_t kMaxTableFields = 1000;
inline constexpr std::size_t kMaxTableCells = std::size_t{1} << 23;
inline constexpr std::size_t kMaxCardListBytes = std::size_t{64} << 20;

struct TGameOptions {
  std::u16string name;
  std::vector<std::u16string> keyFields;   // none: inferred; several: joined into a new field
  std::vector<std::u16string> textFields;  // none: inferred
};

struct TGameParam {
  std::u16string field;  // as the input names it; empty for a field made by the maker
  std::u16string key;
  int32_t type = 0;  // TCardParamItem's kinds
  int32_t width = 0;
};

enum class TKeyOrigin {
  kGiven,        // the field that the author named
  kUniqueField,  // the first field whose values tell every card apart
  kCombination,  // the fewest fields whose values, joined with "-", tell every card apart
  kOneWord,      // no fields without blanks do: a field whose blanks are made "_" for deck files
};

struct TGameReport {
  std::size_t cards = 0;
  std::size_t emptyRows = 0;  // rows without any value, left out
  std::vector<TGameParam> params;
  std::u16string uniqueKey;
  TKeyOrigin keyOrigin = TKeyOrigin::kGiven;
  std::vector<std::u16string> keyFields;  // the fields whose values make the card key
  std::vector<std::u16string> textKey;
  bool textGiven = false;
  std::size_t replacedCharacters = 0;  // written as "〓"
  std::size_t cutValues = 0;
  std::size_t escapedCharacters = 0;  // "<", ">" and a leading "=" in full-width form
};

struct TGame {
  TGameReport report;
  std::string definitionFileName;  // "<stem>.ini"
  std::string cardFileName;        // "<stem>-cards.txt"
  std::string definition;          // the bytes of each file
  std::string cardData;
};

struct TGameError {
  bool wrongCall = false;  // the options do not fit the table; otherwise the table makes no game
  std::u16string message;
};

// The game, or why the table makes none.
std::optional<TGameError> MakeGame(TCardTable table, const TGameOptions& options, TGame& game);

// A file name stem from the game's name: its ASCII letters, digits, "-" and
// "_", other runs as one "_"; "game" when nothing is left.
std::string GameFileStem(std::u16string_view name);
