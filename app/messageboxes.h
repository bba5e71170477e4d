#pragma once

#include <QMessageBox>
#include <memory>

#include "text/text.h"

namespace qingyou {

// The information box, not yet shown: caption "信息：", `text` (GBK, CR LF
// breaks lines), one OK button, no icon, no owner, modal to every window of
// the program.
[[nodiscard]] std::unique_ptr<QMessageBox> MakeInfoBox(const Text& text);

// Shows MakeInfoBox(text) and returns once the user has dismissed it; the
// program's windows take no input meanwhile.
void ShowInfoBox(const Text& text);

// The fatal run-time error box, not yet shown: caption "错误", the error
// icon, `message` (GBK), one OK button, no owner, modal to every window.
[[nodiscard]] std::unique_ptr<QMessageBox> MakeRuntimeErrorBox(const Text& message);

// Makes fatal run-time errors show MakeRuntimeErrorBox and wait for the user
// before the process ends. Without a QApplication (before it exists or after
// it has gone) the error goes to the reporter that was installed before.
void InstallRuntimeErrorBox();

}  // namespace qingyou
