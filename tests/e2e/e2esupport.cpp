#include "tests/e2e/e2esupport.h"

#include <sys/prctl.h>

#include <QApplication>
#include <QFile>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <csignal>

#include "app/mainwindow.h"
#include "app/resultlistview.h"
#include "tests/app/strip/waituntil.h"

namespace qingyou::testing {

std::vector<CatalogueSong> ReadCatalogue(const QString& path) {
  std::vector<CatalogueSong> songs;
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return songs;
  QByteArray all = file.readAll();
  if (all.startsWith("\xEF\xBB\xBF")) all.remove(0, 3);
  for (QByteArray line : all.split('\n')) {
    if (line.endsWith('\r')) line.chop(1);
    if (line.trimmed().isEmpty() || line.startsWith('#')) continue;
    const QList<QByteArray> columns = line.split('\t');
    if (columns.size() < 2) continue;
    CatalogueSong song;
    song.id = columns[0].toInt();
    song.title = columns[1].toStdString();
    song.singer = columns.size() > 2 ? columns[2].toStdString() : std::string();
    songs.push_back(std::move(song));
  }
  return songs;
}

namespace {

std::string HtmlEscaped(const std::string& text) {
  std::string escaped;
  for (const char c : text) {
    switch (c) {
      case '&':
        escaped += "&amp;";
        break;
      case '"':
        escaped += "&quot;";
        break;
      case '<':
        escaped += "&lt;";
        break;
      case '>':
        escaped += "&gt;";
        break;
      case '\'':
        escaped += "&#39;";
        break;
      default:
        escaped += c;
    }
  }
  return escaped;
}

}  // namespace

std::vector<ExpectedLine> ExpectedLines(const std::vector<CatalogueSong>& songs,
                                        const std::string& keyword) {
  std::vector<ExpectedLine> lines;
  for (const CatalogueSong& song : songs) {
    if (song.title.find(keyword) == std::string::npos &&
        song.singer.find(keyword) == std::string::npos) {
      continue;
    }
    const std::string number = std::to_string(lines.size() + 1);
    lines.push_back({number + "     " + HtmlEscaped(song.title), song.id});
  }
  return lines;
}

QString DismissNextModalBox(const std::function<void()>& action, int timeoutMs) {
  QString text;
  bool done = false;
  QTimer poll;
  poll.setInterval(50);
  QObject::connect(&poll, &QTimer::timeout, [&] {
    if (done) return;
    QWidget* box = QApplication::activeModalWidget();
    if (box == nullptr || !box->isVisible() || box->windowHandle() == nullptr) return;
    done = true;
    text = box->property("text").toString();
    QTest::keyClick(box->windowHandle(), Qt::Key_Return);
  });
  poll.start();
  QTimer giveUp;
  giveUp.setSingleShot(true);
  QObject::connect(&giveUp, &QTimer::timeout, [&] { done = true; });
  giveUp.start(timeoutMs);
  action();
  // The box may come after the action returns.
  (void)WaitUntil([&] { return done; }, timeoutMs);
  return text;
}

namespace {

QPoint InWindow(QWidget& widget, QPoint point) {
  return widget.mapTo(widget.window(), point);
}

}  // namespace

void SearchFor(MainWindow& window, const QString& keyword) {
  QLineEdit& box = *window.KeywordBox();
  box.setFocus();
  box.clear();
  QInputMethodEvent typed;
  typed.setCommitString(keyword);
  QApplication::sendEvent(&box, &typed);
  ClickThroughWindow(*window.SearchButton());
}

void DoubleClickLine(MainWindow& window, int row) {
  ResultListView* list = window.List();
  list->scrollTo(list->model()->index(row, 0));
  const QRect rect = list->visualRect(list->model()->index(row, 0));
  QTest::mouseDClick(window.windowHandle(), Qt::LeftButton, {},
                     InWindow(*list->viewport(), rect.center()));
}

void EndWithParent(QProcess& process) {
  process.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
}

void ClickThroughWindow(QWidget& widget) {
  QTest::mouseClick(widget.window()->windowHandle(), Qt::LeftButton, {},
                    InWindow(widget, widget.rect().center()));
}

}  // namespace qingyou::testing
