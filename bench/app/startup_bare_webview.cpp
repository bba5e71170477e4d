// A window holding only a web view the size of the player's strip, pointed
// at a blank page: what the web engine costs on its own.
#include <QApplication>
#include <QUrl>
#include <QWebEngineView>

int main(int argc, char** argv) {
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
  QApplication app(argc, argv);
  QWebEngineView view;
  view.setWindowTitle(QStringLiteral("bare_webview_window"));
  view.setFixedSize(256, 40);
  view.load(QUrl(QStringLiteral("about:blank")));
  view.show();
  return QApplication::exec();
}
