#include "search/CardListResult.h"

#include <algorithm>

#include "cards/CardItem.h"
#include "cards/Markup.h"

int32_t TCardListResult::Sort(const std::vector<std::u16string>& keys, bool descending) {
  if (keys.empty()) return -1;
  // Each card's comparison key is computed once, into one shared buffer.
  struct Entry {
    std::size_t offset;
    std::size_t length;
    const TCardItem* card;
  };
  std::u16string buffer;
  std::vector<Entry> entries;
  entries.reserve(cards_.size());
  for (const TCardItem* card : cards_) {
    const std::size_t offset = buffer.size();
    for (const std::u16string& key : keys) {
      const std::u16string_view value = card->Value(key);
      if (value.find(u'<') == std::u16string_view::npos) {
        buffer.append(value);
      } else {
        buffer.append(PlainText(value));
      }
    }
    entries.push_back({offset, buffer.size() - offset, card});
  }
  const std::u16string_view all(buffer);
  auto key = [&](const Entry& entry) { return all.substr(entry.offset, entry.length); };
  std::stable_sort(entries.begin(), entries.end(), [&](const Entry& a, const Entry& b) {
    return descending ? key(b) < key(a) : key(a) < key(b);
  });
  std::transform(entries.begin(), entries.end(), cards_.begin(), [](const Entry& entry) { return entry.card; });
  return 0;
}
