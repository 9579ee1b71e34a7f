#pragma once
// Search criteria, one per card parameter, and the search that refills the card
// list result with the cards that meet every ticked criterion.

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>

class TCardParams;
class TCardListReference;
class TCardListResult;

struct TSearchCriterion {
  int32_t kind = 0;            // the parameter's Type: 1 text, 2 number range, 3 choice
  bool ticked = false;         // takes part in the search
  std::u16string text;         // search text
  std::u16string lower = u"0";  // bounds of the number range, read as integers
  std::u16string upper = u"99";
  std::u16string choice;       // the choice box's text

  // The state at every opening of the search: nothing ticked, no search text,
  // the bounds 0 and 99. The choice stays as it was.
  void Reset();
  // Whether the criterion accepts a card value (taken as stored, markup and all).
  bool Matches(std::u16string_view value) const;
};

class TSearchCriteria {
 public:
  // One criterion per parameter, made from the last parameter to the first so
  // that with a repeated key the first parameter's criterion stays; a choice
  // starts at the first of the parameter's values.
  void Rebuild(const TCardParams& params);
  void Clear() { criteria_.clear(); }
  TSearchCriterion* Find(std::u16string_view key);
  const TSearchCriterion* Find(std::u16string_view key) const;
  void ResetAll();
  std::size_t Count() const { return criteria_.size(); }

 private:
  std::map<std::u16string, TSearchCriterion, std::less<>> criteria_;
};

// Refills the result from the whole database, in card-key order, with every
// card whose values all the parameters' criteria accept.
void SearchCards(const TCardListReference& cards, const TCardParams& params, const TSearchCriteria& criteria,
                 TCardListResult& result);
