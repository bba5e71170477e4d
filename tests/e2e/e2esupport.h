#pragma once

#include <QString>
#include <functional>
#include <string>
#include <vector>

class QProcess;
class QWidget;

namespace qingyou {
class MainWindow;
}

namespace qingyou::testing {

struct CatalogueSong {
  int id = 0;
  std::string title;  // UTF-8, as the catalogue has it
  std::string singer;
};

// The songs of a site catalogue file (id, title, singer separated by tabs;
// blank lines and # comments skipped); empty when the file cannot be read.
[[nodiscard]] std::vector<CatalogueSong> ReadCatalogue(const QString& path);

// The lines the result list should show for `keyword` (UTF-8): every song
// whose title or singer holds it, in catalogue order, numbered from 1, with
// the title as the result page carries it (HTML-escaped).
struct ExpectedLine {
  std::string display;  // UTF-8
  int value = 0;
};
[[nodiscard]] std::vector<ExpectedLine> ExpectedLines(const std::vector<CatalogueSong>& songs,
                                                      const std::string& keyword);

// Runs `action` while a timer waits for the modal box it opens, remembers the
// box's text and presses Return on it, as a user would. The box's text, or
// an empty string when none came within `timeoutMs`.
QString DismissNextModalBox(const std::function<void()>& action, int timeoutMs = 10000);

// Types `keyword` into 编辑框1 (as an input method commits composed text) and
// clicks 按钮1, as a user would.
void SearchFor(MainWindow& window, const QString& keyword);

// Double-clicks line `row` of the main window's result list through the
// window, so that the press selects the line before the double-click.
void DoubleClickLine(MainWindow& window, int row);

// Makes the child `process` will start end when the test process ends, even
// by a crash: a leftover child would hold the test's output open and keep
// its port or sound device.
void EndWithParent(QProcess& process);

// Clicks `widget` at its centre through its window, as the display would.
void ClickThroughWindow(QWidget& widget);

}  // namespace qingyou::testing
