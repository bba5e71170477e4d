#pragma once

#include <benchmark/benchmark.h>

#include <string>

#include "search/listsearchresults.h"
#include "search/songsite.h"
#include "search/vectorresultlist.h"
#include "text/text.h"

namespace qingyou::bench {

inline constexpr char kBenchOrigin[] = "http://127.0.0.1:18765";

// The site the bench pages link to.
inline const SongSite& BenchSite() {
  static const SongSite site{kBenchOrigin};
  return site;
}

// The page sizes every after-fetch bench runs at, timed on the wall clock
// (the list control draws outside the benchmark thread's CPU time).
inline void AllPageSizes(benchmark::internal::Benchmark* bench) {
  for (const int results : {100, 1'000, 10'000, 100'000}) bench->Arg(results);
  bench->Unit(benchmark::kMillisecond)->UseRealTime();
}

// Reports the time per result beside the time per page.
inline void SetPerResult(benchmark::State& state, int results) {
  state.counters["per_result"] = benchmark::Counter(
      results, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

// A search result page of `results` songs in the site's markup and UTF-8, as
// the site sends it: head, scripts and navigation, one table row per song
// (number, linked title, singer, listen link, date), paging and a footer.
inline ByteString MakeResultPage(int results, const std::string& origin = kBenchOrigin) {
  static const char* const kTitles[] = {
      "晴天（翻唱）",     "稻香 - 吉他弹唱版", "Tom &amp; Jerry 主题曲",
      "後來（粤语翻唱）", "月亮代表我的心",    "&quot;起风了&quot; 清唱",
      "童话 ★ 翻唱",      "光年之外 (Live)"};
  std::string page =
      "<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Transitional//EN\" "
      "\"http://www.w3.org/TR/xhtml1/DTD/xhtml1-transitional.dtd\">\n"
      "<html xmlns=\"http://www.w3.org/1999/xhtml\"><head>\n"
      "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\" />\n"
      "<title>晴天 - 翻唱搜索结果 - 青柚歌曲</title>\n"
      "<link href=\"" +
      origin +
      "/css/common.css\" rel=\"stylesheet\" type=\"text/css\" />\n"
      "<script type=\"text/javascript\">function addRow(base, id, title) {\n"
      "  return '<td class=\"ser_list_name\"><a href=\"' + base + id + '.html\" title=\"' + "
      "title + '\" target=\"_blank\">' + title + '</a></td>'; }</script>\n"
      "</head><body><div id=\"top\"><ul class=\"nav\"><li><a href=\"" +
      origin + "/\">首页</a></li><li class=\"cur\"><a href=\"" + origin +
      "/fc/\">翻唱</a></li></ul></div>\n"
      "<div id=\"main\"><table class=\"ser_list\" cellspacing=\"0\" cellpadding=\"0\">\n";
  for (int i = 1; i <= results; ++i) {
    const std::string id = std::to_string(5000000 + i);
    const std::string title = std::string(kTitles[i % 8]) + " " + std::to_string(i);
    page += "<tr><td class=\"ser_list_num\">" + std::to_string(i) +
            "</td><td class=\"ser_list_name\"><a href=\"" + origin + "/" + id + ".html\" title=\"" +
            title + "\" target=\"_blank\">" + title +
            "</a></td><td class=\"ser_list_singer\"><a href=\"" + origin + "/u/" +
            std::to_string(i % 977) + ".html\" target=\"_blank\">歌手" + std::to_string(i % 977) +
            "</a></td><td><a href=\"" + origin + "/" + id +
            ".html\" target=\"_blank\">试听</a></td><td>2009-05-17</td></tr>\n";
  }
  page +=
      "</table><div class=\"pages\"><span class=\"cur\">1</span></div></div>\n"
      "<div id=\"foot\">Copyright &copy; 2009 青柚歌曲</div></body></html>\n";
  return ByteString::FromBytes(page);
}

// The whole work after the fetch (decode, cut, titles, fill) into a plain
// list: what the search handler does once the page is in.
inline void BM_AfterFetch(benchmark::State& state) {
  const int results = static_cast<int>(state.range(0));
  const ByteString body = MakeResultPage(results);
  VectorResultList list;
  for (auto _ : state) {
    list.ClearItems();
    ListSearchResults(body, BenchSite(), list);
    benchmark::DoNotOptimize(list.items().data());
  }
  if (list.items().size() != static_cast<std::size_t>(results)) {
    state.SkipWithError("wrong number of lines");
  }
  SetPerResult(state, results);
}

}  // namespace qingyou::bench
