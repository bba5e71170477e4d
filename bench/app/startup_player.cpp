// The program as it starts, then its first player window opened and pointed
// at a blank page the moment the main window is up, the way a double-click
// on a result would. Only for measuring: the program itself has no such
// switch.
#include <QTimer>

#include "app/program.h"
#include "text/codepage.h"
#include "text/runtimeerror.h"

int main(int argc, char** argv) {
  return qingyou::RunProgram(argc, argv, [](qingyou::Shell& shell) {
    QTimer::singleShot(0, [&shell] {
      if (!shell.Open(qingyou::PlayerWindowKind::Windowed) ||
          !shell.SetStripAddress(qingyou::PlayerWindowKind::Windowed, "about:blank")) {
        qingyou::RaiseRuntimeError(0, qingyou::Utf8ToGbk("指定窗口尚未载入"));
      }
    });
  });
}
