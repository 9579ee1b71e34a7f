#include "search/Search.h"

#include <vector>

#include "cards/CardListReference.h"
#include "cards/CardParams.h"
#include "common/Text.h"
#include "search/CardListResult.h"

void TSearchCriterion::Reset() {
  ticked = false;
  text.clear();
  lower = u"0";
  upper = u"99";
}

bool TSearchCriterion::Matches(std::u16string_view value) const {
  if (!ticked) return true;
  switch (kind) {
    case TCardParamItem::kText:
      return !text.empty() && value.find(text) != std::u16string_view::npos;
    case TCardParamItem::kRange: {
      const int32_t n = TextToInt(value);
      return TextToInt(lower) <= n && n <= TextToInt(upper);
    }
    case TCardParamItem::kChoice:
      return value == choice;
    default:
      return true;
  }
}

void TSearchCriteria::Rebuild(const TCardParams& params) {
  criteria_.clear();
  for (int32_t i = params.Count() - 1; i >= 0; --i) {
    const TCardParamItem& param = *params.Item(i);
    TSearchCriterion criterion;
    criterion.kind = param.Type();
    // Only a choice criterion reads its choice, so only its values need ordering.
    if (param.Type() == TCardParamItem::kChoice && !param.Values().empty()) criterion.choice = param.Values().front();
    criteria_.insert_or_assign(param.Key(), std::move(criterion));
  }
}

TSearchCriterion* TSearchCriteria::Find(std::u16string_view key) {
  const auto found = criteria_.find(key);
  return found == criteria_.end() ? nullptr : &found->second;
}

const TSearchCriterion* TSearchCriteria::Find(std::u16string_view key) const {
  const auto found = criteria_.find(key);
  return found == criteria_.end() ? nullptr : &found->second;
}

void TSearchCriteria::ResetAll() {
  for (auto& [key, criterion] : criteria_) criterion.Reset();
}

void SearchCards(const TCardListReference& cards, const TCardParams& params, const TSearchCriteria& criteria,
                 TCardListResult& result) {
  // An unticked criterion accepts every value: only the ticked ones need the
  // cards' values, in schema order.
  std::vector<std::pair<const std::u16string*, const TSearchCriterion*>> ticked;
  for (int32_t i = 0; i < params.Count(); ++i) {
    const TSearchCriterion* criterion = criteria.Find(params.Item(i)->Key());
    if (criterion != nullptr && criterion->ticked) ticked.emplace_back(&params.Item(i)->Key(), criterion);
  }
  result.Clear();
  for (const auto& [cardKey, card] : cards) {
    bool accepted = true;
    for (const auto& [key, criterion] : ticked) {
      if (!criterion->Matches(card.Value(*key))) {
        accepted = false;
        break;
      }
    }
    if (accepted) result.Append(&card);
  }
}
