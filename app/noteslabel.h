#pragma once

#include <QLabel>

namespace qingyou {

// A word-wrapped plain-text label that keeps all its lines inside its box.
// The box was laid out for fonts whose lines are a few pixels tighter than
// the usual desktop fonts here; when the lines would run past the bottom at
// the font's own spacing, they are drawn closer together (never closer than
// the font's ascent) instead of losing the last ones.
class NotesLabel final : public QLabel {
  Q_OBJECT

 public:
  explicit NotesLabel(const QString& text, QWidget* parent = nullptr);

  // Distance between the tops of two lines when drawn at the current size.
  [[nodiscard]] int LinePitch() const;
  // Lines the text takes at the current width, wrapped lines counted.
  [[nodiscard]] int LineCount() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace qingyou
