#pragma once

#include <memory>

#include "app/mainwindow.h"
#include "app/shell.h"
#include "tests/e2e/siteprocess.h"
#include "tests/e2e/soundmonitor.h"

namespace qingyou::testing {

// What the measuring and screenshot tools start from: the bundled site on a
// free port, a recording of the null sink, and the program's windows pointed
// at that site with the main window on screen.
class ToolSession {
 public:
  // False, after printing why on standard error, when any part fails.
  bool Start();

  [[nodiscard]] SiteProcess& Site() { return site_; }
  [[nodiscard]] SoundMonitor& Monitor() { return monitor_; }
  [[nodiscard]] Shell& Windows() { return *shell_; }
  [[nodiscard]] MainWindow& Main() { return *shell_->Main(); }

 private:
  // Destroyed in reverse: the windows go before the recording and the site.
  SiteProcess site_;
  SoundMonitor monitor_;
  std::unique_ptr<Shell> shell_;
};

}  // namespace qingyou::testing
