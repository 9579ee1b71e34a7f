#include "cards/MarkupLayout.h"

#include <algorithm>
#include <deque>
#include <map>
#include <string>

namespace {

constexpr std::size_t kNone = static_cast<std::size_t>(-1);

struct TPairing {
  std::size_t closer = kNone;  // the closing tag this tag takes
  bool taken = false;          // taken as another tag's closing tag
};

// One pass in list order: the tags waiting for a closing tag of this name
// take it first come, first served, which is the same as each opening tag
// taking the first following closing tag that no earlier one has taken.
std::vector<TPairing> PairTags(const std::vector<const TAG*>& tags) {
  std::vector<TPairing> pairs(tags.size());
  std::map<std::u16string, std::deque<std::size_t>> waiting;  // by the closing name waited for
  for (std::size_t i = 0; i < tags.size(); ++i) {
    const auto found = waiting.find(tags[i]->name);
    if (found != waiting.end() && !found->second.empty()) {
      pairs[found->second.front()].closer = i;
      found->second.pop_front();
      pairs[i].taken = true;
    } else {
      waiting[u"/" + tags[i]->name].push_back(i);
    }
  }
  return pairs;
}

// A 0-based index kept within a text of the given length.
std::size_t Index(int64_t index, std::size_t length) {
  return static_cast<std::size_t>(std::clamp<int64_t>(index, 0, static_cast<int64_t>(length)));
}

void ApplyCellTag(const TAG& tag, TCellStyle& style) {
  if (tag.bold != 0) style.bold = tag.bold > 0;
  if (tag.italic != 0) style.italic = tag.italic > 0;
  if (tag.underline != 0) style.underline = tag.underline > 0;
  if (tag.name == u"font") {
    style.tagColor = true;
    style.color = tag.color;
  } else if (tag.name == u"/font") {
    style.tagColor = false;
  }
}

}  // namespace

TTextBoxLayout LayoutTextBox(const std::list<TAG>& tags, std::size_t textLength) {
  std::vector<const TAG*> list;
  list.reserve(tags.size());
  for (const TAG& tag : tags) list.push_back(&tag);
  const std::vector<TPairing> pairs = PairTags(list);
  TTextBoxLayout layout;
  for (std::size_t i = 0; i < list.size(); ++i) {
    if (pairs[i].taken) continue;
    const TAG& tag = *list[i];
    if (tag.name == u"br" || tag.name == u"/br") {
      layout.lineFeeds.push_back(Index(int64_t{tag.position} - 1, textLength) + layout.lineFeeds.size());
    }
    if (pairs[i].closer == kNone) continue;
    if (tag.name == u"blocknote") {
      layout.blocknotes.push_back(Index(tag.position, textLength));
      continue;
    }
    const std::size_t start = Index(int64_t{tag.position} - 1, textLength);
    const std::size_t end = Index(int64_t{list[pairs[i].closer]->position} - 1, textLength);
    if (start < end) {
      layout.spans.push_back({start, end, tag.bold != 0, tag.italic != 0, tag.underline != 0, tag.color, tag.size});
    }
  }
  return layout;
}

std::vector<TCellChar> LayoutCell(std::u16string_view text, const std::list<TAG>& tags, TCellStyle style) {
  std::vector<TCellChar> chars;
  chars.reserve(text.size());
  auto tag = tags.begin();
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == u'\n') continue;
    const int64_t position = static_cast<int64_t>(i) + 1;
    while (tag != tags.end() && tag->position < position) ++tag;  // at a line feed: never applied
    for (; tag != tags.end() && tag->position == position; ++tag) ApplyCellTag(*tag, style);
    chars.push_back({i, style});
  }
  return chars;
}

TCellFit FitCell(std::size_t count, const std::function<int(std::size_t)>& width, int dotsWidth, int left, int right) {
  int64_t x = left;
  for (std::size_t i = 0; i < count; ++i) {
    if (x + dotsWidth >= right) return {i, true};
    x += width(i);
  }
  return {count, false};
}
