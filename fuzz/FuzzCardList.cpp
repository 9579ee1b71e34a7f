// A card list in JSON, CSV or TSV, on arbitrary bytes, made into a game; the
// game must load with every card and check clean. Card data in code page 932
// may happen to be valid UTF-8 as well (half-width katakana pairs are), which
// the check rightly points out and which is no fault of the game's.
#include <unistd.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "FuzzFile.h"
#include "common/Text.h"
#include "gamedef/CardListFile.h"
#include "gamedef/GameCheck.h"
#include "gamedef/GameMaker.h"
#include "gamedef/Plugin.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  // The game's name makes its file names those of the two files below.
  static const std::u16string name = FromUtf8("velqorandis-fuzz-" + std::to_string(getpid()) + "-game");
  static const FuzzFile definition("game.ini");
  static const FuzzFile cardData("game-cards.txt");
  static const char* const fileNames[] = {"cards.json", "cards.csv", "cards.tsv"};
  TCardTable table;
  std::u16string error;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  if (!ReadCardList(fileNames[size % 3], bytes, table, error)) return 0;
  TGame game;
  if (MakeGame(std::move(table), {name, {}, {}}, game)) return 0;
  cardData.Write(reinterpret_cast<const uint8_t*>(game.cardData.data()), game.cardData.size());
  const std::u16string path =
      definition.Write(reinterpret_cast<const uint8_t*>(game.definition.data()), game.definition.size());
  TPlugin plugin(u"/nonexistent/");
  if (!plugin.Load(path) || plugin.Cards().Count() != game.report.cards) __builtin_trap();
  for (const TFinding& finding : CheckGameDefinition(path)) {
    if (!finding.message.starts_with(u"the file looks like UTF-8")) __builtin_trap();
  }
  return 0;
}
