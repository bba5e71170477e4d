#pragma once

#include "text/text.h"

namespace qingyou {

// The fixed texts of the windows, GBK bytes.

// "青柚_歌曲": the program's name and the player window's caption.
[[nodiscard]] const Text& ProgramName();
// Captions of the main window naming the current mode (three spaces before
// the bracket): "青柚_歌曲   [窗口]" and "青柚_歌曲   [悬浮]".
[[nodiscard]] const Text& WindowedCaption();
[[nodiscard]] const Text& FloatingCaption();
// Texts of the mode link, naming the mode a press switches to: "悬浮模式"
// while windowed, "窗口模式" while floating.
[[nodiscard]] const Text& ToFloatingLinkText();
[[nodiscard]] const Text& ToWindowedLinkText();
// The version notes of the player window, lines ended by CR LF.
[[nodiscard]] const Text& VersionNotes();
// "邮箱：" and the contact address under the result list.
[[nodiscard]] const Text& ContactLine();

}  // namespace qingyou
