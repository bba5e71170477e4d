// An empty Qt Widgets window with the main window's outer size: the least a
// Qt program pays to put a window on the screen. With the argument
// "shared-contexts" it asks for the OpenGL contexts the web engine needs
// before the application exists, to show what that alone costs (the
// program leaves it to its first browser strip).
#include <QApplication>
#include <QWidget>
#include <cstring>

int main(int argc, char** argv) {
  if (argc > 1 && std::strcmp(argv[1], "shared-contexts") == 0) {
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
  }
  QApplication app(argc, argv);
  QWidget window;
  window.setWindowTitle(QStringLiteral("bare_window"));
  window.setFixedSize(192, 355);
  window.show();
  return QApplication::exec();
}
