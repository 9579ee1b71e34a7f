#include "deck/DeckImport.h"

#include <unordered_map>
#include <unordered_set>

#include "cards/CardItem.h"
#include "cards/CardListReference.h"
#include "cards/Markup.h"
#include "cards/Sections.h"
#include "common/Text.h"
#include "deck/Deck.h"
#include "search/CardListResult.h"

namespace {

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\u3000'; }
bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }
bool IsTimes(char16_t c) { return c == u'x' || c == u'X' || c == u'\u00D7'; }

std::u16string_view Trim(std::u16string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

std::size_t SkipBlanks(std::u16string_view text, std::size_t pos) {
  while (pos < text.size() && IsBlank(text[pos])) ++pos;
  return pos;
}

struct CardLine {
  int32_t count = 1;
  std::u16string_view name;
  bool counted = false;
};

// "COUNT NAME", "COUNTx NAME", "COUNT x NAME", "NAME xCOUNT", or a name alone.
CardLine ReadCardLine(std::u16string_view line) {
  std::size_t digits = 0;
  while (digits < line.size() && IsDigit(line[digits])) ++digits;
  if (digits > 0 && digits < line.size()) {
    std::size_t pos = digits;
    if (IsTimes(line[pos])) ++pos;
    std::size_t name = SkipBlanks(line, pos);
    if (pos == digits && name > pos && name + 1 < line.size() && IsTimes(line[name]) && IsBlank(line[name + 1])) {
      name = SkipBlanks(line, name + 1);  // "3 x Name"
    }
    if (name > pos && name < line.size()) return {TextToInt(line.substr(0, digits)), line.substr(name), true};
  }
  std::size_t start = line.size();
  while (start > 0 && IsDigit(line[start - 1])) --start;
  if (start < line.size() && start >= 2 && IsTimes(line[start - 1]) && IsBlank(line[start - 2])) {
    const std::u16string_view name = Trim(line.substr(0, start - 1));
    if (!name.empty()) return {TextToInt(line.substr(start)), name, true};
  }
  return {1, line, false};
}

// The text of the deck list's columns for a card, as the clipboard text writes them.
std::u16string DeckLine(const TCardItem& card, const TSectionList& sections) {
  std::u16string line;
  for (int32_t s = 0; s < sections.Count(); ++s) {
    line += u' ';
    for (const std::u16string& key : sections.Item(s)->Keys()) line += card.Value(key);
  }
  return line;
}

std::u16string ColumnText(const TCardItem& card, const TSectionItem& section) {
  std::u16string text;
  for (const std::u16string& key : section.Keys()) text += card.Value(key);
  return PlainText(text);
}

// Finds the card a line names: by key, else by the card list's columns in
// order, else by the deck list's line. The texts of the columns are indexed at
// the first name that is not a key.
class CardFinder {
 public:
  explicit CardFinder(const TImportCatalogue& catalogue) : catalogue_(catalogue) {}

  const TCardItem* Find(std::u16string_view name) {
    if (const TCardItem* card = catalogue_.cards.Find(name)) return card;
    if (!indexed_) Index();
    const std::u16string folded = FoldedText(Trim(name));
    for (const auto& texts : byText_) {
      if (const auto found = texts.find(folded); found != texts.end()) return found->second;
    }
    return nullptr;
  }

 private:
  void Index() {
    indexed_ = true;
    // The card list's order first, then every other card in key order.
    std::vector<const TCardItem*> cards;
    std::unordered_set<const TCardItem*> listed;
    for (int32_t row = 0; row < catalogue_.order.Count(); ++row) {
      cards.push_back(catalogue_.order.CardAt(row));
      listed.insert(cards.back());
    }
    for (const auto& [key, card] : catalogue_.cards) {
      if (!listed.contains(&card)) cards.push_back(&card);
    }
    const TSectionList& columns = catalogue_.cardSections;
    byText_.resize(static_cast<std::size_t>(columns.VisibleCount()) + 1);
    for (const TCardItem* card : cards) {
      for (int32_t c = 0; c < columns.VisibleCount(); ++c) {
        byText_[static_cast<std::size_t>(c)].emplace(FoldedText(Trim(ColumnText(*card, *columns.VisibleItem(c)))), card);
      }
      byText_.back().emplace(FoldedText(Trim(DeckLine(*card, catalogue_.deckSections))), card);
    }
  }

  const TImportCatalogue& catalogue_;
  bool indexed_ = false;
  std::vector<std::unordered_map<std::u16string, const TCardItem*>> byText_;
};

// The layer a heading names ("[name]", or a name alone, a colon after it
// allowed), ignoring letter case and blanks; -1 for none.
int32_t LayerNamed(std::u16string_view heading, const TDeckData& deck) {
  heading = Trim(heading);
  if (!heading.empty() && (heading.back() == u':' || heading.back() == u'\uFF1A')) heading = Trim(heading.substr(0, heading.size() - 1));
  for (int32_t i = 0; i < deck.LayerCount(); ++i) {
    if (EqualsIgnoreCase(Trim(deck.Layer(i).Name()), heading)) return i;
  }
  return -1;
}

bool IsBracketed(std::u16string_view line) { return line.size() >= 2 && line.front() == u'[' && line.back() == u']'; }

}  // namespace

TImportReport ImportDeckText(std::u16string_view text, const TImportCatalogue& catalogue, TDeckData& deck,
                             int32_t defaultLayer) {
  TImportReport report;
  CardFinder finder(catalogue);
  int32_t layer = defaultLayer >= 0 && defaultLayer < deck.LayerCount() ? defaultLayer : -1;
  int32_t number = 0;
  for (std::size_t start = 0; start <= text.size();) {
    const std::size_t end = std::min(text.find(u'\n', start), text.size());
    const std::u16string_view line = Trim(text.substr(start, end - start));
    start = end + 1;
    ++number;
    if (line.empty()) continue;
    const auto problem = [&](TImportProblem::Reason reason, int32_t asked = 0, int32_t added = 0) {
      report.problems.push_back({number, std::u16string(line), reason, asked, added});
    };
    if (line.size() >= 2 && line.front() == u'=' && line.back() == u'=') continue;  // a deck file's game
    if (IsBracketed(line)) {
      layer = LayerNamed(line.substr(1, line.size() - 2), deck);
      if (layer < 0) problem(TImportProblem::Reason::kNoLayer);
      continue;
    }
    const CardLine card = ReadCardLine(line);
    if (!card.counted && LayerNamed(line, deck) >= 0) {
      layer = LayerNamed(line, deck);
      continue;
    }
    const TCardItem* found = finder.Find(card.name);
    if (found == nullptr) {
      const bool heading = !card.counted && (line.back() == u':' || line.back() == u'\uFF1A');
      if (heading) {
        problem(TImportProblem::Reason::kNoLayer);
      } else {
        problem(TImportProblem::Reason::kNoCard, card.count);
      }
      if (heading) layer = -1;  // the cards under it have nowhere to go
      continue;
    }
    if (card.count <= 0) continue;
    if (layer < 0) {
      problem(TImportProblem::Reason::kNoLayer, card.count);
      continue;
    }
    const int32_t added = deck.Layer(layer).AddCopies(found->Value(catalogue.uniqueKey), card.count, CardLimit(*found));
    report.copies += added;
    if (added < card.count) problem(TImportProblem::Reason::kOverLimit, card.count, added);
  }
  return report;
}
