#include "app/program.h"

#include <QApplication>

#include "app/messageboxes.h"
#include "app/platform.h"
#include "text/codepage.h"
#include "text/runtimeerror.h"

namespace qingyou {

int RunProgram(int& argc, char** argv, const std::function<void(Shell&)>& started) {
  PreferXcbPlatform(argc, argv);
  QApplication app(argc, argv);
  InstallRuntimeErrorBox();

  Shell shell;
  if (!shell.OpenWindow(WindowId::Main)) {
    RaiseRuntimeError(0, Utf8ToGbk("载入启动窗口失败"));
  }
  if (started) started(shell);
  return shell.Run();
}

}  // namespace qingyou
