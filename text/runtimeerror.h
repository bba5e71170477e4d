#pragma once

#include "text/text.h"

namespace qingyou {

// Receives the complete message of a fatal run-time error (GBK bytes) and
// shows it; the program ends when it returns. The default writes the message,
// converted to UTF-8, to standard error. The windows install a modal box.
using RuntimeErrorReporter = void (*)(const Text& message);

// Installs `reporter`; nullptr restores the default. Returns the previous one.
RuntimeErrorReporter SetRuntimeErrorReporter(RuntimeErrorReporter reporter) noexcept;

// "运行时出错!\r\n\r\n", then "错误代码：" code "\r\n\r\n" when `code` is not 0,
// then "错误信息：" message "\r\n" when `message` is not empty; GBK bytes.
[[nodiscard]] Text RuntimeErrorText(int code, const Text& message);

// Shows the run-time error through the reporter, then ends the process at once
// with exit code -1 (status 255), also when the reporter throws. A second error
// raised while the first is being reported (memory gone while building the
// message, a reporter that fails) ends the process with -1 after a fixed line
// on standard error, without a second report.
[[noreturn]] void RaiseRuntimeError(int code, const Text& message) noexcept;

// The messages of the run-time's own errors, GBK bytes.
inline constexpr int kErrorIndexAboveCount = 1;
inline constexpr int kErrorIndexBelowOne = 4;
inline constexpr int kErrorOutOfMemory = 0;
// "数组成员引用下标超出定义范围"
inline constexpr const char* kMessageIndexAboveCount =
    "\xca\xfd\xd7\xe9\xb3\xc9\xd4\xb1\xd2\xfd\xd3\xc3\xcf\xc2\xb1\xea\xb3\xac\xb3\xf6\xb6\xa8\xd2"
    "\xe5\xb7\xb6\xce\xa7";
// "数组成员引用下标必须大于等于1"
inline constexpr const char* kMessageIndexBelowOne =
    "\xca\xfd\xd7\xe9\xb3\xc9\xd4\xb1\xd2\xfd\xd3\xc3\xcf\xc2\xb1\xea\xb1\xd8\xd0\xeb\xb4\xf3\xd3"
    "\xda\xb5\xc8\xd3\xda\x31";

}  // namespace qingyou
