#include "app/playerwindow.h"

#include <QLabel>
#include <memory>

#include "app/gbk.h"
#include "app/noteslabel.h"
#include "app/shelltexts.h"

namespace qingyou {

PlayerWindow::PlayerWindow() : ShellWindow(kOuterSize, kTitledWindowFlags) {
  setObjectName(QStringLiteral("PlayerWindow"));
  setWindowTitle(ToQString(ProgramName()));
}

PlayerWindow* PlayerWindow::Create(const StripFactory& makeStrip) {
  std::unique_ptr<PlayerWindow> window(new PlayerWindow());

  // In the layout's order: the notes, then the strip.
  auto* notes = new NotesLabel(ToQStringLines(VersionNotes()), window.get());
  notes->setObjectName(QStringLiteral("标签1"));
  QPalette palette = notes->palette();
  palette.setColor(QPalette::WindowText, QColor(128, 128, 255));
  notes->setPalette(palette);
  notes->setGeometry(8, 56, 256, 152);
  window->label1_ = notes;

  BrowserStrip* strip = makeStrip ? makeStrip(window.get()) : nullptr;
  if (strip == nullptr) return nullptr;
  strip->setObjectName(QStringLiteral("超文本浏览框1"));
  strip->setGeometry(8, 8, 256, 40);
  // Shown and heard, never operated.
  strip->setEnabled(false);
  window->strip_ = strip;
  return window.release();
}

}  // namespace qingyou
