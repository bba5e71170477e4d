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

void RaiseRuntimeError(int code, const Text& message) noexcept {
  // An error while reporting one (memory gone while building the message)
  // must not recurse: the first report is the one that counts.
  static std::atomic<bool> raising{false};
  if (!raising.exchange(true)) g_reporter.load()(RuntimeErrorText(code, message));
  std::_Exit(-1);
}

void RaiseOutOfMemory(std::size_t bytes) noexcept {
  // Built in a fixed buffer: the heap has just failed us.
  char message[96];
  std::snprintf(message, sizeof message, "%s%zu%s", kAllocPrefix, bytes, kAllocSuffix);
  RaiseRuntimeError(kErrorOutOfMemory, message);
}

}  // namespace qingyou
