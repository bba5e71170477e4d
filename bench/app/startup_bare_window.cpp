// An empty Qt Widgets window with the main window's outer size: the least a
// Qt program pays to put a window on the screen.
#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QWidget window;
  window.setWindowTitle(QStringLiteral("bare_window"));
  window.setFixedSize(192, 355);
  window.show();
  return QApplication::exec();
}
