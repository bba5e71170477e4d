// Whether filling the main window's result list dominates a search: the work
// after the fetch into the real list control (shown, and laid out before the
// clock stops, as the event loop does after a search) beside the same work
// into a plain in-memory list, for growing pages.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QScrollBar>
#include <cstdio>
#include <string>
#include <vector>
#include "bench/timingreporter.h"

#include "app/resultlistview.h"
#include "bench/search/resultpage.h"
#include "search/listsearchresults.h"
#include "search/vectorresultlist.h"

namespace qingyou::bench {
namespace {

void BM_SearchIntoListControl(benchmark::State& state) {
  const int results = static_cast<int>(state.range(0));
  const ByteString body = MakeResultPage(results);
  ResultListView list;
  list.resize(300, 240);
  list.show();
  QApplication::processEvents();
  for (auto _ : state) {
    list.ClearItems();
    ListSearchResults(body, BenchSite(), list);
    // The list is laid out and drawn once the handler has returned.
    QApplication::processEvents();
  }
  if (list.ItemCount() != results) state.SkipWithError("lines lost");
  // Many columns of lines need a scroll bar; without one the layout never ran.
  if (results >= 1'000 && list.horizontalScrollBar()->maximum() == 0) {
    state.SkipWithError("list not laid out");
  }
  SetPerResult(state, results);
}

BENCHMARK(BM_AfterFetch)->Apply(AllPageSizes);
BENCHMARK(BM_SearchIntoListControl)->Apply(AllPageSizes);

void PrintSummary(const TimingReporter& timing) {
  std::printf("\nper result (real time): plain list, list control, control / plain\n");
  for (const int n : {100, 1'000, 10'000, 100'000}) {
    const auto plain = timing.Seconds("BM_AfterFetch/" + std::to_string(n));
    const auto control = timing.Seconds("BM_SearchIntoListControl/" + std::to_string(n));
    if (!plain || !control) continue;
    std::printf("  %7d results  %8.3f us  %8.3f us  %5.2fx\n", n, *plain / n * 1e6,
                *control / n * 1e6, *control / *plain);
  }
}

}  // namespace
}  // namespace qingyou::bench

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  qingyou::bench::TimingReporter reporter;
  return qingyou::bench::RunBenchmarks(argc, argv, reporter, qingyou::bench::PrintSummary);
}
