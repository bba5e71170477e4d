#include "app/xpstyle.h"

#include <QApplication>
#include <QString>

namespace qingyou {

namespace {

// One application-wide sheet reaches every window, those made later too,
// and leaves every class it does not name (lists, labels) to the platform.
QString XpStyleSheet(const QColor& frame) {
  const QString f = frame.name();
  return QStringLiteral(
             "QPushButton {"
             "  border: 1px solid %1; border-radius: 3px; padding: 2px 8px;"
             "  background: qlineargradient(x1:0, y1:0, x2:0, y2:1,"
             "    stop:0 #ffffff, stop:0.85 #ecebe6, stop:1 #d6d0c5);"
             "}"
             "QPushButton:hover { background: qlineargradient(x1:0, y1:0, x2:0, y2:1,"
             "    stop:0 #fffdf5, stop:0.85 #fbe7b2, stop:1 #f2c864); }"
             "QPushButton:pressed { background: qlineargradient(x1:0, y1:0, x2:0, y2:1,"
             "    stop:0 #e3e2da, stop:1 #f1f0ea); }"
             "QPushButton:disabled { color: #aca899; }"
             "QLineEdit, QAbstractSpinBox, QComboBox {"
             "  border: 1px solid %1; border-radius: 2px; background: #ffffff; padding: 0 1px;"
             "}"
             "QComboBox::drop-down { border-left: 1px solid %1; width: 15px; }"
             "QGroupBox { border: 1px solid %1; border-radius: 3px; margin-top: 6px; }"
             "QGroupBox::title { subcontrol-origin: margin; left: 7px; padding: 0 2px; }"
             "QCheckBox::indicator, QRadioButton::indicator {"
             "  width: 11px; height: 11px; border: 1px solid %1; background: #ffffff;"
             "}"
             "QRadioButton::indicator { border-radius: 6px; }"
             "QCheckBox::indicator:checked { background: #21a121; }"
             "QRadioButton::indicator:checked {"
             "  background: qradialgradient(cx:0.5, cy:0.5, radius:0.5, fx:0.5, fy:0.5,"
             "    stop:0 #21a121, stop:0.55 #21a121, stop:0.6 #ffffff);"
             "}")
      .arg(f);
}

}  // namespace

std::optional<QColor> XpStyleFrameColour(int scheme) {
  switch (scheme) {
    case 1:
      return QColor(123, 158, 189);
    case 2:
      return QColor(164, 185, 127);
    case 3:
      return QColor(198, 197, 215);
    default:
      return std::nullopt;
  }
}

bool ApplyXpStyle(int scheme) {
  const std::optional<QColor> frame = XpStyleFrameColour(scheme);
  qApp->setStyleSheet(frame ? XpStyleSheet(*frame) : QString());
  return frame.has_value();
}

}  // namespace qingyou
