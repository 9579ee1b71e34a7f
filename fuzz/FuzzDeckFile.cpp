// The deck file reader, and the writer on what it read, on arbitrary bytes.
#include <cstdint>

#include "FuzzFile.h"
#include "gamedef/Plugin.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  static const FuzzFile game("game.ini");
  static TPlugin plugin(u"/nonexistent/");
  static const char definition[] =
      "[System]\nName=G\n[DeckLayer00]\nName=Main\nTotalLimit=60\nItemLimit=4\n"
      "[DeckLayer01]\nName=Side\nTotalLimit=15\nItemLimit=4\n[CardData]\nNo=1\nName=One\n";
  static const std::u16string gameFile = game.Write(reinterpret_cast<const uint8_t*>(definition), sizeof definition - 1);
  plugin.Load(gameFile);  // anew each time, so that the deck's undo history does not grow run after run
  static const FuzzFile deck("deck.txt");
  if (plugin.LoadDeck(deck.Write(data, size))) {
    for (int32_t i = 0; i < plugin.Deck().LayerCount(); ++i) {
      const TDeckLayer& layer = plugin.Deck().Layer(i);
      if (layer.TotalCount() > layer.TotalLimit()) __builtin_trap();
    }
    plugin.DeckClipboardText();
    plugin.SaveDeck(deck.Path());
  }
  return 0;
}
