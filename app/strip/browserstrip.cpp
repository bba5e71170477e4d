#include "app/strip/browserstrip.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>
#include <QOpenGLContext>
#include <QString>
#include <QStringList>
#include <QSurfaceFormat>
#include <QtGlobal>
#include <memory>

#include "app/strip/stripmodule.h"

// Makes `context` the one every OpenGL context made afterwards shares with;
// the application does the same when asked for shared contexts before it is
// made. Qt6Gui exports it, but only a private header declares it, and Debian
// ships no private headers: this one line is all the loader needs of them.
Q_GUI_EXPORT void qt_gl_set_global_share_context(QOpenGLContext* context);

namespace qingyou {

namespace {

// Installed programs find the module beside the executable; a program or a
// test run from the build tree finds it where it was built.
QStringList ModuleCandidates() {
  QStringList candidates;
  if (QCoreApplication::instance() != nullptr) {
    candidates << QDir(QCoreApplication::applicationDirPath())
                      .filePath(QString::fromUtf8(QINGYOU_STRIP_MODULE_NAME));
  }
  candidates << QString::fromUtf8(QINGYOU_STRIP_MODULE_BUILD_PATH);
  return candidates;
}

// The module stays loaded for the rest of the process: strips made from it
// may live until the very end, and the engine cannot be started twice.
CreateWebStripFunction LoadFactory() {
  static CreateWebStripFunction factory = nullptr;
  if (factory != nullptr) return factory;
  for (const QString& path : ModuleCandidates()) {
    if (!QFileInfo::exists(path)) continue;
    QLibrary module(path);
    if (!module.load()) {
      qInfo("browser strip: cannot load %s: %s", qUtf8Printable(path),
            qUtf8Printable(module.errorString()));
      continue;
    }
    factory = reinterpret_cast<CreateWebStripFunction>(module.resolve(kCreateWebStripSymbol));
    if (factory != nullptr) return factory;
    qWarning("browser strip: %s has no %s", qUtf8Printable(path), kCreateWebStripSymbol);
  }
  return nullptr;
}

// The engine draws through OpenGL contexts shared with the windows' own and
// crashes as it starts when there is no context to share with. Asking the
// application for one costs every start as much as the window itself, so
// the first strip makes it instead, before the module is loaded (the engine
// looks for it as it loads). It is never deleted: the engine may use it until
// the process ends, and deleting it once the application is gone would reach
// into a platform that no longer exists.
bool EnsureSharedContext() {
  if (const QOpenGLContext* shared = QOpenGLContext::globalShareContext()) {
    // One the application made when it was asked for shared contexts; it is
    // unusable when the display has no OpenGL.
    if (shared->isValid()) return true;
    qWarning("browser strip: the shared OpenGL context is not usable; the engine cannot start");
    return false;
  }
  auto context = std::make_unique<QOpenGLContext>();
  context->setFormat(QSurfaceFormat::defaultFormat());
  if (!context->create()) {
    qWarning("browser strip: cannot create an OpenGL context; the engine cannot start");
    return false;
  }
  qt_gl_set_global_share_context(context.release());
  return true;
}

}  // namespace

BrowserStrip* CreateBrowserStrip(QWidget* parent) {
  // Without a context to share the engine would crash as it starts; no strip
  // is better than no program.
  if (!EnsureSharedContext()) return nullptr;
  const CreateWebStripFunction factory = LoadFactory();
  return factory != nullptr ? factory(parent) : nullptr;
}

void PrepareBrowserStrip() {
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
}

}  // namespace qingyou
