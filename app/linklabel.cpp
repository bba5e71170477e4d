#include "app/linklabel.h"

#include <QMouseEvent>
#include <QPointer>

namespace qingyou {

LinkLabel::LinkLabel(QWidget* parent) : QLabel(parent) {
  setTextFormat(Qt::PlainText);
  setCursor(Qt::PointingHandCursor);
  setFocusPolicy(Qt::NoFocus);
  SetTextColour(kColour);
}

void LinkLabel::mousePressEvent(QMouseEvent* event) {
  // The press itself switches: releasing the button elsewhere cannot cancel.
  if (event->button() == Qt::LeftButton) {
    // The handler may run a modal box; make sure this label outlived it.
    const QPointer<LinkLabel> self(this);
    emit leftPressed();
    if (self.isNull()) return;
  }
  QLabel::mousePressEvent(event);
}

void LinkLabel::enterEvent(QEnterEvent* event) {
  SetTextColour(kHoverColour);
  QLabel::enterEvent(event);
}

void LinkLabel::leaveEvent(QEvent* event) {
  SetTextColour(kColour);
  QLabel::leaveEvent(event);
}

void LinkLabel::SetTextColour(const QColor& colour) {
  QPalette p = palette();
  p.setColor(QPalette::WindowText, colour);
  setPalette(p);
}

}  // namespace qingyou
