#pragma once

#include <QColor>
#include <QLabel>

namespace qingyou {

// The mode link 超级链接框1: a clickable text in blue, a lighter blue while the
// pointer is over it, a pointing hand. It has no address of its own; a press
// of the left button (not the release) emits leftPressed().
class LinkLabel : public QLabel {
  Q_OBJECT

 public:
  static constexpr QColor kColour{0, 0, 255};
  static constexpr QColor kHoverColour{49, 106, 197};

  explicit LinkLabel(QWidget* parent = nullptr);

 signals:
  void leftPressed();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  void SetTextColour(const QColor& colour);
};

}  // namespace qingyou
