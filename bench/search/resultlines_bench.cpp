// What a search costs once the page is in (decode, cut out the ids, find the
// titles, fill a list) per result, for growing pages; and the same work with
// every title looked up by its own TextBetween over the whole page.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <vector>
#include "bench/timingreporter.h"

#include "bench/search/resultpage.h"
#include "search/collectbetween.h"
#include "search/decodeutf8page.h"
#include "search/listsearchresults.h"
#include "search/markers.h"
#include "search/resultlines.h"
#include "search/vectorresultlist.h"
#include "tests/search/literallines.h"

namespace qingyou::bench {
namespace {

BENCHMARK(BM_AfterFetch)->Apply(AllPageSizes);

// The steps one by one, to see which of them grows with the page.
void BM_StepDecode(benchmark::State& state) {
  const int results = static_cast<int>(state.range(0));
  const ByteString body = MakeResultPage(results);
  for (auto _ : state) benchmark::DoNotOptimize(DecodeUtf8Page(body));
  SetPerResult(state, results);
}

void BM_StepCollect(benchmark::State& state) {
  const int results = static_cast<int>(state.range(0));
  const Text page = DecodeUtf8Page(MakeResultPage(results));
  const Text linkStart = SongLinkStart(BenchSite());
  TextArray ids;
  for (auto _ : state)
    benchmark::DoNotOptimize(CollectBetween(page, linkStart, SongLinkEnd(), ids));
  SetPerResult(state, results);
}

void BM_StepTitles(benchmark::State& state) {
  const int results = static_cast<int>(state.range(0));
  const Text page = DecodeUtf8Page(MakeResultPage(results));
  const Text linkStart = SongLinkStart(BenchSite());
  TextArray ids;
  CollectBetween(page, linkStart, SongLinkEnd(), ids);
  for (auto _ : state) {
    benchmark::DoNotOptimize(ComposeResultLines(page, ids, linkStart, SongLinkEnd(), TitleEnd()));
  }
  SetPerResult(state, results);
}

void BM_StepFill(benchmark::State& state) {
  const int results = static_cast<int>(state.range(0));
  const Text page = DecodeUtf8Page(MakeResultPage(results));
  const Text linkStart = SongLinkStart(BenchSite());
  TextArray ids;
  CollectBetween(page, linkStart, SongLinkEnd(), ids);
  const std::vector<ResultLine> lines =
      ComposeResultLines(page, ids, linkStart, SongLinkEnd(), TitleEnd());
  VectorResultList list;
  for (auto _ : state) {
    list.ClearItems();
    for (const ResultLine& line : lines) list.AddItem(line.display, line.value);
    benchmark::DoNotOptimize(list.items().data());
  }
  SetPerResult(state, results);
}

BENCHMARK(BM_StepDecode)->Arg(1'000)->Arg(100'000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_StepCollect)->Arg(1'000)->Arg(100'000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_StepTitles)->Arg(1'000)->Arg(100'000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_StepFill)->Arg(1'000)->Arg(100'000)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same steps with the per-id title lookup.
void BM_AfterFetchLiteral(benchmark::State& state) {
  const int results = static_cast<int>(state.range(0));
  const ByteString body = MakeResultPage(results);
  const Text linkStart = SongLinkStart(BenchSite());
  VectorResultList list;
  for (auto _ : state) {
    list.ClearItems();
    const Text page = DecodeUtf8Page(body);
    TextArray ids;
    CollectBetween(page, linkStart, SongLinkEnd(), ids);
    for (const ResultLine& line :
         LiteralResultLines(page, ids, linkStart, SongLinkEnd(), TitleEnd())) {
      list.AddItem(line.display, line.value);
    }
    benchmark::DoNotOptimize(list.items().data());
  }
  if (list.items().size() != static_cast<std::size_t>(results)) {
    state.SkipWithError("wrong number of lines");
  }
  SetPerResult(state, results);
}
BENCHMARK(BM_AfterFetchLiteral)
    ->Arg(1'000)
    ->Arg(10'000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

void PrintSummary(const TimingReporter& timing) {
  std::printf("\nper result, one walk:\n");
  for (const int n : {100, 1'000, 10'000, 100'000}) {
    const auto it = timing.Seconds("BM_AfterFetch/" + std::to_string(n));
    if (it) std::printf("  %7d results  %8.3f us\n", n, *it / n * 1e6);
  }
  std::printf("\nper-id lookup beside one walk (whole after-fetch work):\n");
  for (const int n : {1'000, 10'000}) {
    const auto fast = timing.Seconds("BM_AfterFetch/" + std::to_string(n));
    const auto literal = timing.Seconds("BM_AfterFetchLiteral/" + std::to_string(n));
    if (!fast || !literal) continue;
    std::printf("  %7d results  per-id %10.3f ms  one walk %8.3f ms  ratio %8.1fx\n", n,
                *literal * 1e3, *fast * 1e3, *literal / *fast);
  }
}

}  // namespace
}  // namespace qingyou::bench

int main(int argc, char** argv) {
  qingyou::bench::TimingReporter reporter;
  return qingyou::bench::RunBenchmarks(argc, argv, reporter, qingyou::bench::PrintSummary);
}
