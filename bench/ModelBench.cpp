// Times the model on a synthetic game of 100,000 cards.
#include <benchmark/benchmark.h>

#include <malloc.h>

#include <chrono>
#include <memory>
#include <string>

#include "SyntheticGame.h"
#include "cards/CardData.h"
#include "cards/CardListReference.h"
#include "cards/CardParams.h"
#include "common/CodePage.h"
#include "common/FilePath.h"
#include "gamedef/Plugin.h"

namespace {

const SyntheticGame& Game() {
  static const SyntheticGame game = MakeSyntheticGame(100000);
  return game;
}

// Bytes in use on the heap: unlike the resident size, it also counts memory
// that earlier benchmarks freed and this one takes again.
double HeapMiB() {
  const struct mallinfo2 info = mallinfo2();
  return static_cast<double>(info.uordblks + info.hblkhd) / (1024.0 * 1024.0);
}

// The floor: reading the card data bytes and converting them to UTF-16, into
// buffers that are used again (the lowest floor: no fresh memory).
void ReadAndConvert(std::string& bytes, std::u16string& text) {
  for (const std::u16string& file : Game().cardFiles) {
    ReadWholeFile(file, bytes, kMaxCardDataFileSize);
    text.clear();
    AppendFromCp932(bytes, text);
    benchmark::DoNotOptimize(text.data());
  }
}

void ReadAndConvertCardBytes(benchmark::State& state) {
  Game();
  std::string bytes;
  std::u16string text;
  for (auto _ : state) ReadAndConvert(bytes, text);
}
BENCHMARK(ReadAndConvertCardBytes)->Unit(benchmark::kMillisecond);

void ReadBothCardDataFiles(benchmark::State& state) {
  Game();
  for (auto _ : state) {
    TCardParams params;
    params.Load(Game().definition);
    TCardListReference cards;
    for (const std::u16string& file : Game().cardFiles) ReadCardData(file, u"No", params, cards);
    benchmark::DoNotOptimize(cards.Count());
    state.PauseTiming();  // freeing the cards is not part of the reading
    cards.Clear();
    state.ResumeTiming();
  }
}
BENCHMARK(ReadBothCardDataFiles)->Unit(benchmark::kMillisecond);

// The whole game definition: System keys, schema, both card files, columns, layers.
void LoadGameDefinition(benchmark::State& state) {
  Game();
  for (auto _ : state) {
    auto plugin = std::make_unique<TPlugin>(Game().folder);
    plugin->Load(Game().definition);
    benchmark::DoNotOptimize(plugin->Cards().Count());
    state.PauseTiming();
    plugin.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(LoadGameDefinition)->Unit(benchmark::kMillisecond);

// The load and the floor in turn, so that a machine whose speed drifts still
// gives a fair ratio of the two.
void LoadAgainstFloor(benchmark::State& state) {
  using Clock = std::chrono::steady_clock;
  Game();
  Clock::duration load{};
  Clock::duration floor{};
  std::string bytes;
  std::u16string text;
  for (auto _ : state) {
    const auto start = Clock::now();
    ReadAndConvert(bytes, text);
    const auto middle = Clock::now();
    auto plugin = std::make_unique<TPlugin>(Game().folder);
    plugin->Load(Game().definition);
    const auto end = Clock::now();
    floor += middle - start;
    load += end - middle;
    state.SetIterationTime(std::chrono::duration<double>(end - middle).count());
  }
  state.counters["ratio"] = std::chrono::duration<double>(load) / std::chrono::duration<double>(floor);
}
BENCHMARK(LoadAgainstFloor)->UseManualTime()->Iterations(30)->Unit(benchmark::kMillisecond);

// Heap in use by a loaded game, against the UTF-16 size of all its keys and values.
void HeapOfALoadedGame(benchmark::State& state) {
  Game();
  const double before = HeapMiB();
  TPlugin plugin(Game().folder);
  for (auto _ : state) plugin.Load(Game().definition);
  const double heap = HeapMiB() - before;
  const double utf16 = static_cast<double>(Game().utf16Bytes) / (1024.0 * 1024.0);
  state.counters["cards"] = static_cast<double>(plugin.Cards().Count());
  state.counters["heap_MiB"] = heap;
  state.counters["utf16_MiB"] = utf16;
  state.counters["ratio"] = heap / utf16;
}
BENCHMARK(HeapOfALoadedGame)->Iterations(1)->Unit(benchmark::kMillisecond);

TPlugin& LoadedGame() {
  static TPlugin plugin(Game().folder);
  if (plugin.Name().empty()) plugin.Load(Game().definition);
  return plugin;
}

// What the window does after a load: every card, sorted by the first column.
void FillAndSortByFirstColumn(benchmark::State& state) {
  TPlugin& plugin = LoadedGame();
  for (auto _ : state) {
    plugin.FillAllCards();
    plugin.SortCardList(0, false);
  }
}
BENCHMARK(FillAndSortByFirstColumn)->Unit(benchmark::kMillisecond);

// A column of two keys (cost and power).
void SortByTwoKeyColumn(benchmark::State& state) {
  TPlugin& plugin = LoadedGame();
  plugin.FillAllCards();
  bool descending = false;
  for (auto _ : state) {
    plugin.SortCardList(2, descending);
    descending = !descending;
  }
}
BENCHMARK(SortByTwoKeyColumn)->Unit(benchmark::kMillisecond);

// A name text, a cost range and a colour choice, all ticked.
void SearchWithThreeCriteria(benchmark::State& state) {
  TPlugin& plugin = LoadedGame();
  plugin.Criteria().ResetAll();
  TSearchCriterion& name = *plugin.Criteria().Find(u"Name");
  name.ticked = true;
  name.text = u"竜";
  TSearchCriterion& cost = *plugin.Criteria().Find(u"Cost");
  cost.ticked = true;
  cost.lower = u"2";
  cost.upper = u"5";
  TSearchCriterion& color = *plugin.Criteria().Find(u"Color");
  color.ticked = true;
  color.choice = u"赤";
  for (auto _ : state) plugin.ApplySearch();
  state.counters["found"] = plugin.ListResult().Count();
  plugin.Criteria().ResetAll();
}
BENCHMARK(SearchWithThreeCriteria)->Unit(benchmark::kMillisecond);

// The search floor: every value of every card looked at once.
void ScanEveryValue(benchmark::State& state) {
  TPlugin& plugin = LoadedGame();
  for (auto _ : state) {
    std::size_t characters = 0;
    for (const auto& [key, card] : plugin.Cards()) {
      for (std::size_t i = 0; i < card.Count(); ++i) characters += card.ValueAt(i).size();
    }
    benchmark::DoNotOptimize(characters);
  }
}
BENCHMARK(ScanEveryValue)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
