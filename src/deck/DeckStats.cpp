#include "deck/DeckStats.h"

#include <algorithm>
#include <map>
#include <unordered_map>

#include "cards/CardItem.h"
#include "cards/CardListReference.h"
#include "cards/CardParams.h"
#include "common/Text.h"
#include "deck/Deck.h"

namespace {

// A value that begins (after blanks) with a number, as the number range
// search reads it; "-", a word or the empty value are none.
bool IsNumber(std::u16string_view value) {
  while (!value.empty() && (value.front() == u' ' || value.front() == u'\t' || value.front() == u'\u3000')) {
    value.remove_prefix(1);
  }
  if (!value.empty() && (value.front() == u'+' || value.front() == u'-')) value.remove_prefix(1);
  return !value.empty() && value.front() >= u'0' && value.front() <= u'9';
}

}  // namespace

TDeckStats ComputeDeckStats(const TDeckData& deck, int32_t layer, const TCardListReference& cards,
                            const TCardParamItem& param) {
  TDeckStats stats;
  stats.numeric = param.Type() == TCardParamItem::kRange;
  std::map<int32_t, int64_t> numbers;
  std::unordered_map<std::u16string, TStatsGroup> words;  // by the folded value
  double sum = 0;
  int64_t counted = 0;
  for (int32_t l = 0; l < deck.LayerCount(); ++l) {
    if (layer >= 0 && l != layer) continue;
    for (const TDeckItem& entry : deck.Layer(l).Entries()) {
      const TCardItem* card = cards.Find(entry.Key());
      const std::u16string value = card != nullptr ? card->PlainValue(param.Key()) : std::u16string();
      stats.copies += entry.Count();
      if (stats.numeric && IsNumber(value)) {
        const int32_t number = TextToInt(value);
        numbers[number] += entry.Count();
        sum += static_cast<double>(number) * entry.Count();
        counted += entry.Count();
        continue;
      }
      TStatsGroup& group = words.try_emplace(FoldedText(value), TStatsGroup{value, 0}).first->second;
      group.copies += entry.Count();
    }
  }
  for (const auto& [number, copies] : numbers) {
    stats.groups.push_back({IntToText(number), copies});
  }
  std::vector<TStatsGroup> others;
  for (auto& [folded, group] : words) others.push_back(std::move(group));
  std::sort(others.begin(), others.end(),
            [](const TStatsGroup& a, const TStatsGroup& b) { return CompareIgnoreCase(a.value, b.value) < 0; });
  stats.groups.insert(stats.groups.end(), others.begin(), others.end());
  if (counted > 0) stats.average = sum / static_cast<double>(counted);
  return stats;
}
