#include "tests/e2e/toolsession.h"

#include <QTest>
#include <cstdio>
#include <utility>

#include "text/codepage.h"

namespace qingyou::testing {

bool ToolSession::Start() {
  if (!site_.Start(QStringLiteral(QINGYOU_SITE_PROGRAM))) {
    std::fprintf(stderr, "%s\n", qUtf8Printable(site_.Error()));
    return false;
  }
  if (!monitor_.Start()) {
    std::fprintf(stderr, "%s\n", qUtf8Printable(monitor_.Error()));
    return false;
  }
  ShellOptions options;
  options.site = SongSite{Utf8ToGbk(site_.Origin().toStdString())};
  shell_ = std::make_unique<Shell>(std::move(options));
  if (!shell_->OpenWindow(WindowId::Main) || !QTest::qWaitForWindowExposed(shell_->Main())) {
    std::fprintf(stderr, "the main window did not come up\n");
    return false;
  }
  return true;
}

}  // namespace qingyou::testing
