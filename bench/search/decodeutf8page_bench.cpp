// DecodeUtf8Page on a result page and on pure Chinese text, each beside a
// straightforward iconv conversion of the same bytes; prints MB/s and the
// ratio of the two from the same run.
#include <benchmark/benchmark.h>
#include <iconv.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include "bench/timingreporter.h"

#include "search/decodeutf8page.h"
#include "text/iconvhandle.h"

namespace qingyou {
namespace {

constexpr std::size_t kPageBytes = 500 * 1024;

const char* const kTitleWords[] = {
    "翻唱",
    "月亮代表我的心",
    "后来",
    "青花瓷",
    "童话",
    "稻香",
    "晴天",
    "十年",
    "红豆",
    "小幸运",
    "演员",
    "平凡之路",
    "夜空中最亮的星",
    "成都",
    "南山南",
    "吉他版",
    "清唱",
    "现场",
    "钢琴伴奏",
    "女声",
    "男声",
    "粤语",
    "经典老歌",
    "原调",
    "降调",
    "（",
    "）",
    "·",
    "——",
    "《",
    "》",
    "Live",
    "cover",
};
const char* const kSingers[] = {"小鱼儿", "青柚", "阿杰", "木子", "Lily", "夏天", "晚风", "安静"};

// A search result page as the site sends it: head, scripts and navigation,
// then table rows of mostly ASCII markup with Chinese titles and names.
std::string ResultPage() {
  std::mt19937 random(42);
  std::uniform_int_distribution<std::size_t> word(0, std::size(kTitleWords) - 1);
  std::uniform_int_distribution<std::size_t> singer(0, std::size(kSingers) - 1);
  std::uniform_int_distribution<int> id(100000, 9999999);
  std::uniform_int_distribution<int> words(2, 5);
  std::string page =
      "<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Transitional//EN\" "
      "\"http://www.w3.org/TR/xhtml1/DTD/xhtml1-transitional.dtd\">\n"
      "<html xmlns=\"http://www.w3.org/1999/xhtml\"><head>\n"
      "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\" />\n"
      "<title>搜索结果 - 翻唱歌曲</title>\n"
      "<link href=\"/css/style.css\" rel=\"stylesheet\" type=\"text/css\" />\n"
      "<script type=\"text/javascript\">var _page = 1; function go(p) { "
      "window.location.href = '/sfc.aspx?key=' + encodeURIComponent(k) + '&kind=1&page=' + p; "
      "}</script>\n</head><body>\n<div id=\"nav\"><a href=\"/\">首页</a> | <a "
      "href=\"/fc/\">翻唱</a>"
      " | <a href=\"/yc/\">原创</a> | <a href=\"/bz/\">伴奏</a></div>\n"
      "<table class=\"ser_list\" width=\"100%\" cellpadding=\"0\" cellspacing=\"0\">\n";
  for (int row = 1; page.size() < kPageBytes - 200; ++row) {
    std::string title;
    for (int k = words(random); k > 0; --k) title += kTitleWords[word(random)];
    const std::string songId = std::to_string(id(random));
    page += "<tr><td class=\"ser_list_num\">" + std::to_string(row) +
            "</td><td class=\"ser_list_name\"><a href=\"http://127.0.0.1:18765/" + songId +
            ".html\" title=\"" + title + "\" target=\"_blank\">" + title +
            "</a></td><td class=\"ser_list_singer\"><a href=\"/u/" + std::to_string(id(random)) +
            "/\" target=\"_blank\">" + kSingers[singer(random)] +
            "</a></td><td class=\"ser_list_time\">2011-03-" + std::to_string(row % 28 + 1) +
            "</td></tr>\n";
  }
  page += "</table>\n<div id=\"foot\">&copy; 2011 翻唱歌曲</div></body></html>\n";
  return page;
}

// Running Chinese prose: common characters with full-width punctuation.
std::string ChineseText() {
  static const char* const kCharacters[] = {
      "的", "一", "是", "在", "不", "了", "有", "和", "人", "这", "中", "大", "为", "上", "个",
      "国", "我", "以", "要", "他", "时", "来", "用", "们", "生", "到", "作", "地", "于", "出",
      "就", "分", "对", "成", "会", "可", "歌", "曲", "唱", "听", "，", "。", "青", "柚"};
  std::mt19937 random(7);
  std::uniform_int_distribution<std::size_t> pick(0, std::size(kCharacters) - 1);
  std::string text;
  while (text.size() + 3 <= kPageBytes) text += kCharacters[pick(random)];
  return text;
}

// The obvious way: one iconv converter over the page, "?" for each byte it
// cannot take, the text cut at the first NUL.
std::string IconvDecode(std::string_view page) {
  page = page.substr(0, page.find('\0'));
  std::string out(page.size() + 1, '\0');
  IconvHandle converter("GBK", "UTF-8");
  char* in = const_cast<char*>(page.data());
  std::size_t inLeft = page.size();
  char* outPtr = out.data();
  std::size_t outLeft = out.size();
  while (inLeft > 0) {
    if (iconv(converter.get(), &in, &inLeft, &outPtr, &outLeft) != static_cast<std::size_t>(-1)) {
      break;
    }
    if (errno == E2BIG) break;
    *outPtr++ = '?';
    --outLeft;
    ++in;
    --inLeft;
  }
  out.resize(out.size() - outLeft);
  return out;
}

const std::string& Input(const std::string& name) {
  static const std::map<std::string, std::string> inputs = {{"page", ResultPage()},
                                                            {"chinese", ChineseText()}};
  return inputs.at(name);
}

void BM_DecodeUtf8Page(benchmark::State& state, const std::string& name) {
  const ByteString page = ByteString::FromBytes(Input(name));
  benchmark::DoNotOptimize(DecodeUtf8Page(page));  // builds the GBK table outside the timing
  for (auto _ : state) benchmark::DoNotOptimize(DecodeUtf8Page(page));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(page.size()));
}

void BM_IconvDecode(benchmark::State& state, const std::string& name) {
  const std::string& page = Input(name);
  for (auto _ : state) benchmark::DoNotOptimize(IconvDecode(page));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(page.size()));
}

BENCHMARK_CAPTURE(BM_DecodeUtf8Page, page, std::string("page"))->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_IconvDecode, page, std::string("page"))->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_DecodeUtf8Page, chinese, std::string("chinese"))
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_IconvDecode, chinese, std::string("chinese"))->Unit(benchmark::kMicrosecond);

// MB/s of each (CPU time, as in the table) and the ratio per input.
void PrintRatios(const bench::TimingReporter& timing) {
  for (const char* input : {"page", "chinese"}) {
    const bool same =
        DecodeUtf8Page(ByteString::FromBytes(Input(input))).view() == IconvDecode(Input(input));
    std::printf("%-8s outputs %s\n", input, same ? "identical" : "DIFFER");
    const auto fast = timing.Seconds(std::string("BM_DecodeUtf8Page/") + input);
    const auto slow = timing.Seconds(std::string("BM_IconvDecode/") + input);
    if (!fast || !slow) continue;
    const double megabytes = static_cast<double>(Input(input).size()) / 1e6;
    std::printf("%-8s %7.1f KB  DecodeUtf8Page %8.1f MB/s  iconv %8.1f MB/s  ratio %5.1fx\n", input,
                static_cast<double>(Input(input).size()) / 1024.0, megabytes / *fast,
                megabytes / *slow, *slow / *fast);
  }
}

}  // namespace
}  // namespace qingyou

int main(int argc, char** argv) {
  qingyou::bench::TimingReporter reporter(qingyou::bench::TimingReporter::Clock::Cpu);
  return qingyou::bench::RunBenchmarks(argc, argv, reporter, qingyou::PrintRatios);
}
