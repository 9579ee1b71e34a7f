// The commands over a deck list as text and a deck's make-up: import and stats.
#include <iostream>

#include "cli/Cli.h"
#include "common/CodePage.h"
#include "common/FilePath.h"
#include "common/Text.h"
#include "deck/DeckStats.h"

namespace {

constexpr std::size_t kMaxTextBytes = std::size_t{64} << 20;

std::string Reason(const TImportProblem& problem) {
  switch (problem.reason) {
    case TImportProblem::Reason::kNoCard:
      return "no such card";
    case TImportProblem::Reason::kNoLayer:
      return "no such layer";
    case TImportProblem::Reason::kOverLimit:
      return "over a limit, " + std::to_string(problem.added) + " of " + std::to_string(problem.asked) + " copies added";
  }
  return {};
}

}  // namespace

// The list's cards go to the first layer unless headings say otherwise; the
// card list is in the window's order after a load (by the first column).
int Import(const std::string& gameFile, const std::string& textFile, const std::string& saveFile) {
  CliPlugin plugin;
  if (!LoadGame(plugin, gameFile)) return kLoadFailed;
  std::string bytes;
  if (!ReadWholeFile(FromUtf8(textFile), bytes, kMaxTextBytes)) {
    std::cerr << "cannot read " << textFile << '\n';
    return kLoadFailed;
  }
  plugin.FillAllCards();
  plugin.SortCardList(0, false);
  const TImportReport report = plugin.ImportDeck(FromUtf8OrCp932(bytes), 0);
  for (const TImportProblem& problem : report.problems) {
    std::cerr << "line " << problem.line << ": " << ToUtf8(problem.text) << ": " << Reason(problem) << '\n';
  }
  PrintDeckFile(plugin);
  return saveFile.empty() ? 0 : SaveDeck(plugin, saveFile);
}

int Stats(const std::string& gameFile, const std::string& deckFile, const std::string& key, int32_t layer) {
  CliPlugin plugin;
  if (!LoadGame(plugin, gameFile) || !plugin.LoadDeck(FromUtf8(deckFile))) return kLoadFailed;
  const TCardParamItem* param = plugin.Params().Find(FromUtf8(key));
  if (param == nullptr) {
    std::cerr << "the game has no parameter " << key << '\n';
    return kWrongCall;
  }
  if (layer < -1 || layer >= plugin.Deck().LayerCount()) {
    std::cerr << "the deck has no layer " << layer << '\n';
    return kWrongCall;
  }
  const TDeckStats stats = ComputeDeckStats(plugin.Deck(), layer, plugin.Cards(), *param);
  json groups = json::array();
  for (const TStatsGroup& group : stats.groups) groups.push_back({{"value", ToUtf8(group.value)}, {"copies", group.copies}});
  PrintJson({{"by", key},
             {"layer", layer < 0 ? json(nullptr) : json(layer)},
             {"numeric", stats.numeric},
             {"copies", stats.copies},
             {"groups", groups},
             {"average", stats.average ? json(*stats.average) : json(nullptr)}});
  return 0;
}
