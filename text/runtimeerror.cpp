#include "text/runtimeerror.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "text/codepage.h"
#include "text/textops.h"

namespace qingyou {

namespace {

void WriteToStandardError(const Text& message) {
  const std::string utf8 = GbkToUtf8(message);
  std::fwrite(utf8.data(), 1, utf8.size(), stderr);
  std::fflush(stderr);
}

std::atomic<RuntimeErrorReporter> g_reporter{&WriteToStandardError};

// "运行时出错!", "错误代码：", "错误信息：" in GBK.
constexpr const char* kHeading = "\xd4\xcb\xd0\xd0\xca\xb1\xb3\xf6\xb4\xed\x21\r\n\r\n";
constexpr const char* kCodeLabel = "\xb4\xed\xce\xf3\xb4\xfa\xc2\xeb\xa3\xba";
constexpr const char* kMessageLabel = "\xb4\xed\xce\xf3\xd0\xc5\xcf\xa2\xa3\xba";
// "分配 " and " 字节内存失败!" in GBK.
constexpr const char* kAllocPrefix = "\xb7\xd6\xc5\xe4\x20";
constexpr const char* kAllocSuffix = "\x20\xd7\xd6\xbd\xda\xc4\xda\xb4\xe6\xca\xa7\xb0\xdc\x21";

}  // namespace

RuntimeErrorReporter SetRuntimeErrorReporter(RuntimeErrorReporter reporter) noexcept {
  return g_reporter.exchange(reporter != nullptr ? reporter : &WriteToStandardError);
}

Text RuntimeErrorText(int code, const Text& message) {
  TextBuilder text;
  text.Append(kHeading);
  if (code != 0) text.Append(kCodeLabel).Append(IntToText(code)).Append("\r\n\r\n");
  if (!message.empty()) text.Append(kMessageLabel).Append(message).Append("\r\n");
  return text.Take();
}

namespace {

// Set by the first run-time error. Anything that fails while that one is being
// reported (memory gone while building or showing the message) ends the
// process at once instead of recursing into a second report.
std::atomic<bool> g_raising{false};

[[noreturn]] void ExitAfterNestedError() noexcept {
  // Written from static storage: whatever failed may have been the heap.
  static constexpr char kFallback[] = "运行时出错!\n";
  std::fwrite(kFallback, 1, sizeof kFallback - 1, stderr);
  std::_Exit(-1);
}

[[noreturn]] void ReportAndExit(int code, const Text& message) noexcept {
  try {
    g_reporter.load()(RuntimeErrorText(code, message));
  } catch (...) {
    // A reporter that throws must not turn the exit code into an abort.
  }
  std::_Exit(-1);
}

}  // namespace

void RaiseRuntimeError(int code, const Text& message) noexcept {
  if (g_raising.exchange(true)) ExitAfterNestedError();
  ReportAndExit(code, message);
}

void RaiseOutOfMemory(std::size_t bytes) noexcept {
  // Claimed before the message is built: building it allocates, and a failure
  // there must not come back here.
  if (g_raising.exchange(true)) ExitAfterNestedError();
  char message[96];
  std::snprintf(message, sizeof message, "%s%zu%s", kAllocPrefix, bytes, kAllocSuffix);
  ReportAndExit(kErrorOutOfMemory, message);
}

}  // namespace qingyou
