// Throughput of TextFind and TextSplit on 1 MB of mixed ASCII and GBK text,
// each beside a plain byte-by-byte loop that does the same job without
// stepping over two-byte characters. After the usual table the program prints
// one line per pair: "ratio" is the plain loop's time over ours, so 1.0 means
// as fast as the plain loop and above 1.0 faster. Both sides of a pair work
// on the same bytes in the same run, which keeps the ratio meaningful on a
// busy machine where the absolute figures are not.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <random>
#include <string>
#include <string_view>
#include <vector>
#include "bench/timingreporter.h"

#include "text/textops.h"

namespace qingyou {
namespace {

constexpr std::size_t kTextBytes = 1 << 20;

// Result-page-like lines: ASCII markup around GBK titles, commas between
// fields. Every GBK character has both bytes in 0xA1..0xFE, so no ASCII
// separator or marker can appear inside one and the plain loops find exactly
// what the character-stepping scans find.
const std::string& MixedText() {
  static const std::string text = [] {
    std::mt19937 engine(42);
    auto between = [&](int low, int high) {
      return std::uniform_int_distribution<int>(low, high)(engine);
    };
    std::string out;
    out.reserve(kTextBytes + 256);
    while (out.size() < kTextBytes) {
      out += "<td class=\"ser_list_name\"><a href=\"/fc/";
      out += std::to_string(between(1, 9999999));
      out += ".html\" title=\"";
      for (int i = between(2, 12); i > 0; --i) {
        out += static_cast<char>(between(0xB0, 0xD7));
        out += static_cast<char>(between(0xA1, 0xFE));
      }
      out += "\" target=\"_blank\">,";
      for (int i = between(1, 6); i > 0; --i) out += static_cast<char>(between('a', 'z'));
      out += ',';
      out += std::to_string(between(0, 500));
      out += ",\r\n";
    }
    out.resize(kTextBytes);
    return out;
  }();
  return text;
}

int PlainFind(std::string_view text, std::string_view sought) {
  for (std::size_t i = 0; i + sought.size() <= text.size(); ++i) {
    std::size_t k = 0;
    while (k < sought.size() && text[i + k] == sought[k]) ++k;
    if (k == sought.size()) return static_cast<int>(i + 1);
  }
  return -1;
}

std::vector<std::string> PlainSplit(std::string_view text, std::string_view separator) {
  std::vector<std::string> pieces;
  std::size_t start = 0;
  std::size_t i = 0;
  while (i + separator.size() <= text.size()) {
    if (text.compare(i, separator.size(), separator) == 0) {
      pieces.emplace_back(text.substr(start, i - start));
      i += separator.size();
      start = i;
    } else {
      ++i;
    }
  }
  if (start < text.size()) pieces.emplace_back(text.substr(start));
  return pieces;
}

// Sought texts that are absent, so every run scans the whole megabyte: one
// opening with a byte that is frequent in the markup, one with a frequent
// GBK lead byte.
std::string_view Sought(std::int64_t which) {
  return which == 0 ? std::string_view("<td class=\"missing\">")
                    : std::string_view("\xB0\xA1\xFF\xFF");
}

void SetThroughput(benchmark::State& state) {
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(kTextBytes));
}

void BM_TextFind(benchmark::State& state) {
  const Text text = Text::FromBytes(MixedText());
  const Text sought = Text::FromBytes(Sought(state.range(0)));
  const bool caseInsensitive = state.range(1) != 0;
  if (TextFind(text, sought, {}, caseInsensitive) != PlainFind(MixedText(), sought.view())) {
    state.SkipWithError("TextFind and the plain loop disagree");
  }
  for (auto _ : state) benchmark::DoNotOptimize(TextFind(text, sought, {}, caseInsensitive));
  SetThroughput(state);
}

void BM_PlainFind(benchmark::State& state) {
  const std::string& text = MixedText();
  const std::string_view sought = Sought(state.range(0));
  for (auto _ : state) benchmark::DoNotOptimize(PlainFind(text, sought));
  SetThroughput(state);
}

// Dense separators (a comma every dozen bytes or so) and a sparse marker.
std::string_view Separator(std::int64_t which) {
  return which == 0 ? std::string_view(",") : std::string_view("<td class=\"ser_list_name\">");
}

void BM_TextSplit(benchmark::State& state) {
  const Text text = Text::FromBytes(MixedText());
  const Text separator = Text::FromBytes(Separator(state.range(0)));
  if (Count(TextSplit(text, separator)) !=
      static_cast<int>(PlainSplit(MixedText(), separator.view()).size())) {
    state.SkipWithError("TextSplit and the plain loop disagree");
  }
  for (auto _ : state) benchmark::DoNotOptimize(TextSplit(text, separator));
  SetThroughput(state);
}

void BM_PlainSplit(benchmark::State& state) {
  const std::string& text = MixedText();
  const std::string_view separator = Separator(state.range(0));
  for (auto _ : state) benchmark::DoNotOptimize(PlainSplit(text, separator));
  SetThroughput(state);
}

// Arguments: sought (0 markup-like, 1 GBK), case-insensitive (0/1).
BENCHMARK(BM_TextFind)->ArgsProduct({{0, 1}, {0}})->Args({0, 1});
BENCHMARK(BM_PlainFind)->Args({0, 0})->Args({1, 0});
// Argument: separator (0 comma, 1 marker).
BENCHMARK(BM_TextSplit)->Arg(0)->Arg(1);
BENCHMARK(BM_PlainSplit)->Arg(0)->Arg(1);

// For each pair, the plain loop's time over ours.
void PrintRatios(const bench::TimingReporter& timing) {
  struct Pair {
    const char* what;
    const char* ours;
    const char* plain;
  };
  const Pair pairs[] = {
      {"find, markup-like sought", "BM_TextFind/0/0", "BM_PlainFind/0/0"},
      {"find, GBK sought", "BM_TextFind/1/0", "BM_PlainFind/1/0"},
      {"find, markup-like, caseInsensitive", "BM_TextFind/0/1", "BM_PlainFind/0/0"},
      {"split at commas", "BM_TextSplit/0", "BM_PlainSplit/0"},
      {"split at a marker", "BM_TextSplit/1", "BM_PlainSplit/1"},
  };
  std::printf("\nplain loop time / our time (above 1.0: faster than the plain loop)\n");
  for (const Pair& pair : pairs) {
    const auto ours = timing.Seconds(pair.ours);
    const auto plain = timing.Seconds(pair.plain);
    if (!ours || !plain) continue;
    std::printf("%-36s ours %8.1f MB/s  plain %8.1f MB/s  ratio %5.2f\n", pair.what,
                static_cast<double>(kTextBytes) / *ours / 1e6,
                static_cast<double>(kTextBytes) / *plain / 1e6, *plain / *ours);
  }
}

}  // namespace
}  // namespace qingyou

int main(int argc, char** argv) {
  qingyou::bench::TimingReporter reporter;
  return qingyou::bench::RunBenchmarks(argc, argv, reporter, qingyou::PrintRatios);
}
