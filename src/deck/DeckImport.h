#pragma once
// A deck list as text, added to the deck: the program's own clipboard text and
// deck files, and the lists that players paste from web pages and chats.
//
// Lines are "COUNT NAME", "COUNTx NAME", "NAME xCOUNT" or a name alone (one
// copy), under optional layer headings: "[layer name]", or a layer's name
// alone on a line; without a heading, the cards go to the default layer. A
// name is a card's key (exactly), else the text that a visible column of the
// card list shows for a card, else the card's line of the deck list as the
// clipboard text writes it; letter case and surrounding blanks are ignored
// there, and of several cards the first in the card list's order (then in
// key order) is taken. The limits apply as for adding one copy at a time.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class TCardItem;
class TCardListReference;
class TCardListResult;
class TDeckData;
class TSectionList;

// A line that could not be used, whole or in part.
struct TImportProblem {
  enum class Reason {
    kNoCard,     // no card has that name
    kNoLayer,    // the heading names no layer, or there is no layer to add to
    kOverLimit,  // the limits took fewer copies than asked (added says how many)
  };
  int32_t line = 0;  // from 1
  std::u16string text;
  Reason reason = Reason::kNoCard;
  int32_t asked = 0;
  int32_t added = 0;

  friend bool operator==(const TImportProblem&, const TImportProblem&) = default;
};

struct TImportReport {
  int32_t copies = 0;  // copies added
  std::vector<TImportProblem> problems;
};

// What the import reads the cards through.
struct TImportCatalogue {
  const TCardListReference& cards;
  const TCardListResult& order;       // the card list as it stands
  const TSectionList& cardSections;   // the card list's columns
  const TSectionList& deckSections;   // the deck list's columns, as the clipboard text writes them
  const std::u16string& uniqueKey;
};

TImportReport ImportDeckText(std::u16string_view text, const TImportCatalogue& catalogue, TDeckData& deck,
                             int32_t defaultLayer);
