#pragma once

#include <functional>

#include "app/shell.h"

namespace qingyou {

// The program from start to end: the windowing platform, the application,
// the fatal error box, the main window (or the fatal error "载入启动窗口失败"
// when it cannot be made), then the event loop until the last window has
// gone. `started`, when given, runs once the main window is open; only
// measuring tools pass one. Returns the process's exit code.
int RunProgram(int& argc, char** argv, const std::function<void(Shell&)>& started = {});

}  // namespace qingyou
