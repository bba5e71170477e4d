#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <functional>
#include <memory>
#include <vector>

#include "app/shell.h"
#include "app/strip/browserstrip.h"
#include "app/stripfactory.h"
#include "playback/displaymode.h"
#include "text/text.h"

namespace qingyou::testing {

// A browser strip without a web engine: remembers each address it is given.
class FakeStrip final : public BrowserStrip {
 public:
  using BrowserStrip::BrowserStrip;
  void SetAddress(const QUrl& url) override { addresses.push_back(url); }
  [[nodiscard]] QUrl Address() const override {
    return addresses.empty() ? QUrl() : addresses.back();
  }
  [[nodiscard]] bool RecentlyAudible() const override { return false; }
  [[nodiscard]] int LoadsStarted() const override { return static_cast<int>(addresses.size()); }
  [[nodiscard]] int LoadsFinished() const override { return 0; }

  std::vector<QUrl> addresses;
};

inline StripFactory FakeStripFactory() {
  return [](QWidget* parent) -> BrowserStrip* { return new FakeStrip(parent); };
}

inline StripFactory FailingStripFactory() {
  return [](QWidget* /*parent*/) -> BrowserStrip* { return nullptr; };
}

// What a modal message box looked like while it was up.
struct SeenBox {
  bool seen = false;
  QString caption;
  QString text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  Qt::WindowModality modality = Qt::NonModal;
  bool hasParent = true;
  int buttons = 0;
};

// Waits (from the event loop) for the next modal message box, records it,
// lets `whileShown` look at the program meanwhile, then presses its OK
// button. Gives up after half a minute so a missing box fails the test.
class ModalBoxWatcher {
 public:
  explicit ModalBoxWatcher(SeenBox* seen, std::function<void()> whileShown = {})
      : seen_(seen), whileShown_(std::move(whileShown)) {
    timer_.setInterval(5);
    QObject::connect(&timer_, &QTimer::timeout, [this] { Poll(); });
    timer_.start();
  }

 private:
  void Poll() {
    if (++polls_ > 6000) {
      timer_.stop();
      return;
    }
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr || !box->isVisible()) return;
    timer_.stop();
    seen_->seen = true;
    seen_->caption = box->windowTitle();
    seen_->text = box->text();
    seen_->icon = box->icon();
    seen_->modality = box->windowModality();
    seen_->hasParent = box->parentWidget() != nullptr;
    seen_->buttons = static_cast<int>(box->buttons().size());
    if (whileShown_) whileShown_();
    if (QAbstractButton* ok = box->button(QMessageBox::Ok)) {
      ok->click();
    } else {
      box->reject();
    }
  }

  SeenBox* seen_;
  std::function<void()> whileShown_;
  QTimer timer_;
  int polls_ = 0;
};

// Runs the deleteLater() of closed windows now.
inline void ProcessDeferredDeletes() {
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  QCoreApplication::processEvents();
}

// A shell on stand-in strips whose search only records the keywords it was
// given; the display mode is put back to windowed afterwards.
class ShellTest : public ::testing::Test {
 protected:
  void SetUp() override { shell = std::make_unique<Shell>(Options()); }

  void TearDown() override {
    shell.reset();
    ProcessDeferredDeletes();
    SetDisplayMode(Windowed);
  }

  [[nodiscard]] ShellOptions Options() {
    ShellOptions options;
    options.site = SongSite{Text("http://127.0.0.1:9")};
    options.makeStrip = FakeStripFactory();
    options.search = [this](const Text& keyword, ResultList& /*list*/) {
      searches.push_back(keyword);
    };
    return options;
  }

  // The open main window; fails the test when it cannot be opened.
  MainWindow* OpenMain() {
    EXPECT_TRUE(shell->OpenWindow(WindowId::Main));
    MainWindow* window = shell->Main();
    if (window != nullptr) {
      EXPECT_TRUE(QTest::qWaitForWindowActive(window));
    }
    return window;
  }

  std::unique_ptr<Shell> shell;
  std::vector<Text> searches;
};

// Top-level widgets on screen, message boxes and all.
inline int VisibleTopLevelCount() {
  int count = 0;
  for (const QWidget* widget : QApplication::topLevelWidgets()) {
    if (widget->isVisible()) ++count;
  }
  return count;
}

inline QRect ScreenGeometry() {
  return QGuiApplication::primaryScreen()->geometry();
}

// Where a window of `outer` size lands when centred on the screen.
inline QPoint CentredOnScreen(QSize outer) {
  const QRect screen = ScreenGeometry();
  return {screen.x() + (screen.width() - outer.width()) / 2,
          screen.y() + (screen.height() - outer.height()) / 2};
}

}  // namespace qingyou::testing
