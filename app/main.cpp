#include <QApplication>

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
  return shell.Run();
}
