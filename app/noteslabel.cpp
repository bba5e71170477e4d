#include "app/noteslabel.h"

#include <QPainter>
#include <QTextLayout>
#include <algorithm>
#include <cmath>

namespace qingyou {

namespace {

// Lays `paragraph` out in lines of `width`, the first at `top`, each `pitch`
// below the one before; returns the number of lines.
int LayOut(QTextLayout& layout, qreal width, qreal top, qreal pitch) {
  int lines = 0;
  layout.beginLayout();
  for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
    line.setLineWidth(width);
    line.setPosition(QPointF(0, top + pitch * lines));
    ++lines;
  }
  layout.endLayout();
  return lines;
}

}  // namespace

NotesLabel::NotesLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
  setTextFormat(Qt::PlainText);
  setWordWrap(true);
  setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

int NotesLabel::LineCount() const {
  int lines = 0;
  const QStringList paragraphs = text().split(QLatin1Char('\n'));
  for (const QString& paragraph : paragraphs) {
    QTextLayout layout(paragraph, font());
    lines += std::max(1, LayOut(layout, contentsRect().width(), 0, 0));
  }
  return lines;
}

int NotesLabel::LinePitch() const {
  const QFontMetrics metrics = fontMetrics();
  const int natural = metrics.lineSpacing();
  const int lines = LineCount();
  if (lines * natural <= contentsRect().height()) return natural;
  return std::max(metrics.ascent(), contentsRect().height() / lines);
}

void NotesLabel::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  painter.setPen(palette().color(foregroundRole()));
  const QRect box = contentsRect();
  const int pitch = LinePitch();
  int top = box.top();
  const QStringList paragraphs = text().split(QLatin1Char('\n'));
  for (const QString& paragraph : paragraphs) {
    QTextLayout layout(paragraph, font());
    const int lines = LayOut(layout, box.width(), top, pitch);
    layout.draw(&painter, QPointF(box.left(), 0));
    top += pitch * std::max(1, lines);
  }
}

}  // namespace qingyou
