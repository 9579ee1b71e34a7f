// A whole game definition that is its own card data file, loaded and used as
// the window would use it: the card list filled and sorted, a search, the deck.
#include <cstdint>

#include "FuzzFile.h"
#include "gamedef/Plugin.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  static const FuzzFile file("game.ini");
  static TPlugin plugin(u"/nonexistent/");
  if (!plugin.Load(file.Write(data, size))) return 0;
  plugin.FillAllCards();
  for (int32_t column = 0; column < plugin.CardSections().VisibleCount(); ++column) plugin.SortCardList(column, column % 2);
  for (int32_t i = 0; i < plugin.Params().Count(); ++i) {
    if (TSearchCriterion* criterion = plugin.Criteria().Find(plugin.Params().Item(i)->Key())) {
      criterion->ticked = true;
      criterion->text = u"a";
    }
  }
  plugin.ApplySearch();
  plugin.FillAllCards();
  for (int32_t layer = 0; layer < plugin.Deck().LayerCount() && layer < 4; ++layer) {
    for (int32_t row = 0; row < plugin.ListResult().Count() && row < 8; ++row) plugin.AddCardToDeck(row, layer);
  }
  plugin.DeckText();
  plugin.DeckClipboardText();
  for (int32_t row = 0; row < plugin.ListResult().Count() && row < 8; ++row) plugin.CardText(*plugin.ListResult().CardAt(row));
  return 0;
}
