#include "app/messageboxes.h"

#include <QApplication>

#include "app/gbk.h"
#include "text/codepage.h"
#include "text/runtimeerror.h"

namespace qingyou {

namespace {

std::unique_ptr<QMessageBox> MakeBox(QMessageBox::Icon icon, const Text& caption,
                                     const Text& text) {
  auto box = std::make_unique<QMessageBox>(icon, ToQString(caption), ToQStringLines(text),
                                           QMessageBox::Ok);
  // Texts come from the program, never markup: show them as they are.
  box->setTextFormat(Qt::PlainText);
  box->setWindowModality(Qt::ApplicationModal);
  return box;
}

RuntimeErrorReporter g_fallbackReporter = nullptr;

void ShowRuntimeErrorBox(const Text& message) {
  if (qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr) {
    if (g_fallbackReporter != nullptr) g_fallbackReporter(message);
    return;
  }
  MakeRuntimeErrorBox(message)->exec();
}

}  // namespace

std::unique_ptr<QMessageBox> MakeInfoBox(const Text& text) {
  return MakeBox(QMessageBox::NoIcon, Utf8ToGbk("信息："), text);
}

void ShowInfoBox(const Text& text) {
  MakeInfoBox(text)->exec();
}

std::unique_ptr<QMessageBox> MakeRuntimeErrorBox(const Text& message) {
  return MakeBox(QMessageBox::Critical, Utf8ToGbk("错误"), message);
}

void InstallRuntimeErrorBox() {
  const RuntimeErrorReporter previous = SetRuntimeErrorReporter(&ShowRuntimeErrorBox);
  if (previous != &ShowRuntimeErrorBox) g_fallbackReporter = previous;
}

}  // namespace qingyou
