#pragma once

#include <QSize>

#include "app/shellwindow.h"
#include "app/stripfactory.h"

class QLabel;

namespace qingyou {

// The windowed-mode player: a title bar with the caption "青柚_歌曲", the
// browser strip 超文本浏览框1 and the version notes in 标签1 below it.
class PlayerWindow final : public ShellWindow {
  Q_OBJECT

 public:
  static constexpr QSize kOuterSize{273, 243};

  // A new hidden window with a blank, disabled strip from `makeStrip`;
  // nullptr when the strip cannot be made.
  [[nodiscard]] static PlayerWindow* Create(const StripFactory& makeStrip);

  [[nodiscard]] BrowserStrip* Strip() const { return strip_; }
  [[nodiscard]] QLabel* Notes() const { return label1_; }

 private:
  PlayerWindow();

  BrowserStrip* strip_ = nullptr;
  QLabel* label1_ = nullptr;
};

}  // namespace qingyou
