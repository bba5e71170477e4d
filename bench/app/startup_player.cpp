// The program as it starts, then its first player window opened and pointed
// at a blank page the moment the main window is up, the way a double-click
// on a result would. Only for measuring: the program itself has no such
// switch.
#include <QApplication>
#include <QTimer>

#include "app/messageboxes.h"
#include "app/platform.h"
#include "app/shell.h"
#include "text/codepage.h"
#include "text/runtimeerror.h"

int main(int argc, char** argv) {
  qingyou::PreferXcbPlatform(argc, argv);
  QApplication app(argc, argv);
  qingyou::InstallRuntimeErrorBox();

  qingyou::Shell shell;
  if (!shell.OpenWindow(qingyou::WindowId::Main)) {
    qingyou::RaiseRuntimeError(0, qingyou::Utf8ToGbk("载入启动窗口失败"));
  }
  QTimer::singleShot(0, [&shell] {
    if (!shell.Open(qingyou::PlayerWindowKind::Windowed) ||
        !shell.SetStripAddress(qingyou::PlayerWindowKind::Windowed, "about:blank")) {
      qingyou::RaiseRuntimeError(0, qingyou::Utf8ToGbk("指定窗口尚未载入"));
    }
  });
  return shell.Run();
}
