// A deck list pasted as text, on arbitrary bytes (read as UTF-8 or code page
// 932, as the command-line tool reads its file), into a small game; then undo
// and redo over it, and its statistics.
#include <cstdint>
#include <string_view>

#include "FuzzFile.h"
#include "common/CodePage.h"
#include "deck/DeckStats.h"
#include "gamedef/Plugin.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  static const FuzzFile game("game.ini");
  static TPlugin plugin(u"/nonexistent/");
  static const char definition[] =
      "[System]\nName=G\n[Param00]\nKey=No\nName=No\nType=1\n[Param01]\nKey=Name\nName=Name\nType=3\n"
      "[Param02]\nKey=Cost\nName=Cost\nType=2\n[CardListSection00]\nKey=Name\n[DeckListSection00]\nKey=Name,Cost\n"
      "[DeckLayer00]\nName=Main\nTotalLimit=60\nItemLimit=4\n[DeckLayer01]\nName=Side\nTotalLimit=15\nItemLimit=4\n"
      "[CardData1]\nNo=1\nName=One\nCost=3\nLimit=2\n[CardData2]\nNo=2\nName=<b>Two</b>\nCost=-\n"
      "[CardData3]\nNo=x 3\nName=three\nCost=2147483647\n";
  static const std::u16string gameFile = game.Write(reinterpret_cast<const uint8_t*>(definition), sizeof definition - 1);
  if (!plugin.Load(gameFile)) __builtin_trap();
  plugin.FillAllCards();
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const TImportReport report = plugin.ImportDeck(FromUtf8OrCp932(bytes), static_cast<int32_t>(size % 3) - 1);
  for (int32_t i = 0; i < plugin.Deck().LayerCount(); ++i) {
    const TDeckLayer& layer = plugin.Deck().Layer(i);
    if (layer.TotalCount() > layer.TotalLimit()) __builtin_trap();
  }
  if (report.copies > 0 && !plugin.UndoDeck()) __builtin_trap();
  plugin.RedoDeck();
  for (int32_t i = 0; i < plugin.Params().Count(); ++i) {
    ComputeDeckStats(plugin.Deck(), -1, plugin.Cards(), *plugin.Params().Item(i));
  }
  plugin.DeckClipboardText();
  return 0;
}
