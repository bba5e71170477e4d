#include "app/toggledisplaymode.h"

#include <QPointer>

#include "app/mainwindow.h"
#include "app/messageboxes.h"
#include "app/shelltexts.h"
#include "playback/displaymode.h"
#include "text/codepage.h"
#include "text/textops.h"

namespace qingyou {

void ToggleDisplayMode(MainWindow& window) {
  const bool toFloating = TextCompare(window.LinkText(), ToFloatingLinkText()) == 0;
  const QPointer<MainWindow> alive(&window);
  ShowInfoBox(Utf8ToGbk(toFloating ? "悬浮模式设置成功" : "窗口模式设置成功"));
  SetDisplayMode(toFloating ? Floating : Windowed);
  // The box keeps every other window from input, but not from the window
  // manager's hands; do not touch a main window that went meanwhile.
  if (alive.isNull()) return;
  window.SetCaption(toFloating ? FloatingCaption() : WindowedCaption());
  window.SetLinkText(toFloating ? ToWindowedLinkText() : ToFloatingLinkText());
}

}  // namespace qingyou
