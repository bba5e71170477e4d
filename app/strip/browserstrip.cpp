#include "app/strip/browserstrip.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>
#include <QString>
#include <QStringList>
#include <QtGlobal>

#include "app/strip/stripmodule.h"

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

// The engine needs contexts shared with the windows, which can only be asked
// for before the application object exists. Doing it while the program
// loads means no main() can forget it; PrepareBrowserStrip says it again.
[[maybe_unused]] const bool kContextsShared = [] {
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
  return true;
}();

}  // namespace

BrowserStrip* CreateBrowserStrip(QWidget* parent) {
  // Without shared contexts the engine crashes as it starts; no strip is
  // better than no program.
  if (!QCoreApplication::testAttribute(Qt::AA_ShareOpenGLContexts)) {
    qWarning("browser strip: OpenGL contexts are not shared; the engine cannot start");
    return nullptr;
  }
  const CreateWebStripFunction factory = LoadFactory();
  return factory != nullptr ? factory(parent) : nullptr;
}

void PrepareBrowserStrip() {
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
}

}  // namespace qingyou
