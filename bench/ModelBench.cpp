// Times the model on a synthetic game of 100,000 cards.
#include <benchmark/benchmark.h>

#include <malloc.h>

#include <string>

#include "SyntheticGame.h"
#include "cards/CardData.h"
#include "cards/CardListReference.h"
#include "cards/CardParams.h"
#include "common/CodePage.h"
#include "common/FilePath.h"

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

// The floor: reading the card data bytes and converting them to UTF-16.
void ReadAndConvertCardBytes(benchmark::State& state) {
  std::string bytes;
  std::u16string text;
  Game();
  for (auto _ : state) {
    for (const std::u16string& file : Game().cardFiles) {
      ReadWholeFile(file, bytes, kMaxCardDataFileSize);
      text.clear();
      AppendFromCp932(bytes, text);
      benchmark::DoNotOptimize(text.data());
    }
  }
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

void HeapOfTheCards(benchmark::State& state) {
  TCardParams params;
  params.Load(Game().definition);
  TCardListReference cards;
  const double before = HeapMiB();
  for (auto _ : state) {
    for (const std::u16string& file : Game().cardFiles) ReadCardData(file, u"No", params, cards);
  }
  state.counters["cards"] = static_cast<double>(cards.Count());
  state.counters["heap_MiB"] = HeapMiB() - before;
  state.counters["utf16_MiB"] = static_cast<double>(Game().utf16Bytes) / (1024.0 * 1024.0);
}
BENCHMARK(HeapOfTheCards)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
