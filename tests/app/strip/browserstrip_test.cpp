#include "app/strip/browserstrip.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

#include "tests/app/strip/enginemapped.h"
#include "tests/app/strip/loopbackserver.h"
#include "tests/app/strip/testpages.h"
#include "tests/app/strip/waituntil.h"

namespace qingyou {
namespace {

using testing::LoopbackServer;
using testing::MakeWav;
using testing::Page;

// The engine starts slowly on a loaded machine, and the first page waits for it.
constexpr int kLoadTimeoutMs = 60000;

// A window that remembers the presses and keys that reach it.
class HostWindow : public QWidget {
 public:
  std::vector<QPoint> presses;
  int keys = 0;

 protected:
  void mousePressEvent(QMouseEvent* event) override {
    presses.push_back(event->position().toPoint());
  }
  void keyPressEvent(QKeyEvent*) override { ++keys; }
};

QUrl ToUrl(const std::string& url) {
  return QUrl(QString::fromStdString(url));
}

class StripTest : public ::testing::Test {
 protected:
  void SetUp() override {
    host_.resize(272, 204);
    strip_ = CreateBrowserStrip(&host_);
    ASSERT_NE(strip_, nullptr) << "the web-engine module did not load";
    strip_->move(8, 8);
  }

  // Shows the window and waits until the display has it.
  void ShowHost() {
    host_.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&host_));
  }

  bool WaitForLoads(int finished) {
    return testing::WaitUntil([&] { return strip_->LoadsFinished() >= finished; }, kLoadTimeoutMs);
  }

  bool WaitForRequest(const std::string& path, int timeoutMs = kLoadTimeoutMs) {
    return testing::WaitUntil([&] { return server_.Count(path) > 0; }, timeoutMs);
  }

  LoopbackServer server_;
  HostWindow host_;
  QPointer<BrowserStrip> strip_;
};

TEST(BrowserStripLoader, LoadsTheWebEngineOnlyWhenTheFirstStripIsMade) {
  ASSERT_NE(testing::gMapsAtStart.find("libQt6Widgets"), std::string::npos)
      << "the process's mappings could not be read";
  EXPECT_EQ(testing::gMapsAtStart.find("libQt6WebEngine"), std::string::npos);

  QWidget host;
  BrowserStrip* strip = CreateBrowserStrip(&host);
  ASSERT_NE(strip, nullptr);
  EXPECT_EQ(strip->parentWidget(), &host);
  EXPECT_NE(testing::ProcessMaps().find("libQt6WebEngineCore"), std::string::npos);
}

TEST_F(StripTest, FreshStripIsBlankDisabledAndStripSized) {
  ShowHost();
  EXPECT_TRUE(strip_->Address().isEmpty());
  EXPECT_FALSE(strip_->isEnabled());
  EXPECT_EQ(strip_->size(), QSize(256, 40));
  // Nothing may be requested until an address is given.
  testing::Pause(500);
  EXPECT_EQ(strip_->LoadsStarted(), 0);
}

TEST_F(StripTest, PageSeesA256By40ViewportAtZoomOne) {
  server_.Serve("/measure",
                Page("<script>fetch('/report?w=' + innerWidth + '&h=' + innerHeight +"
                     " '&dpr=' + devicePixelRatio)</script>"),
                "text/html");
  ASSERT_TRUE(server_.Start());
  ShowHost();
  strip_->SetAddress(ToUrl(server_.Url("/measure")));
  ASSERT_TRUE(WaitForRequest("/report"));
  EXPECT_EQ(server_.Queries("/report"), std::vector<std::string>{"dpr=1&h=40&w=256"});
}

struct NavigationCase {
  const char* name;
  std::vector<std::string> paths;
};

void PrintTo(const NavigationCase& c, std::ostream* out) {
  *out << c.name;
}

class StripNavigationTest : public StripTest,
                            public ::testing::WithParamInterface<NavigationCase> {};

// Every address set is requested again, also one the strip already shows:
// double-clicking the song that plays starts it from the beginning.
TEST_P(StripNavigationTest, EverySetAddressIsANewRequest) {
  for (const char* path : {"/a", "/b"}) {
    server_.Serve(path, Page(std::string("page ") + path), "text/html");
  }
  ASSERT_TRUE(server_.Start());
  ShowHost();

  const std::vector<std::string>& paths = GetParam().paths;
  for (std::size_t i = 0; i < paths.size(); ++i) {
    const QUrl url = ToUrl(server_.Url(paths[i]));
    strip_->SetAddress(url);
    EXPECT_EQ(strip_->Address(), url);
    ASSERT_TRUE(WaitForLoads(static_cast<int>(i) + 1)) << "load " << i + 1 << " of " << paths[i];
  }
  EXPECT_EQ(strip_->LoadsStarted(), static_cast<int>(paths.size()));
  for (const char* path : {"/a", "/b"}) {
    const auto expected = std::count(paths.begin(), paths.end(), path);
    EXPECT_EQ(server_.Count(path), expected) << path;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Sequences, StripNavigationTest,
    ::testing::Values(NavigationCase{"SameAddressTwice", {"/a", "/a"}},
                      NavigationCase{"SameAddressThreeTimes", {"/a", "/a", "/a"}},
                      NavigationCase{"BackToAnEarlierAddress", {"/a", "/b", "/a"}}),
    [](const auto& testInfo) { return std::string(testInfo.param.name); });

// The floating player is dragged by presses anywhere on it, and the player
// page must never be operated: presses and keys go to the window, not the page.
TEST_F(StripTest, PressesAndKeysOverTheStripReachTheWindowNotThePage) {
  server_.Serve("/inputs",
                Page("<div style=\"width:256px;height:40px\">page</div><script>"
                     "for (const kind of ['mousedown', 'click', 'keydown'])"
                     "  addEventListener(kind, () => fetch('/input?kind=' + kind));"
                     "fetch('/ready');</script>"),
                "text/html");
  ASSERT_TRUE(server_.Start());
  ShowHost();
  strip_->SetAddress(ToUrl(server_.Url("/inputs")));
  ASSERT_TRUE(WaitForRequest("/ready"));
  ASSERT_TRUE(WaitForLoads(1));

  QWindow* window = host_.windowHandle();
  ASSERT_NE(window, nullptr);
  const std::vector<QPoint> points = {{9, 9}, {136, 28}, {263, 47}};
  for (const QPoint& point : points) {
    QTest::mouseClick(window, Qt::LeftButton, {}, point);
  }
  QTest::keyClick(window, Qt::Key_A);
  QTest::keyClick(window, Qt::Key_Space);
  // Give anything that did reach the page time to be requested.
  testing::Pause(1500);

  EXPECT_EQ(host_.presses, points);
  EXPECT_EQ(host_.keys, 2);
  EXPECT_EQ(server_.Queries("/input"), std::vector<std::string>{});
}

// The page's own dialogs must be usable although the strip takes no input:
// an alert that cannot be dismissed would hang the program.
TEST_F(StripTest, PageAlertCanBeDismissedAndThePageGoesOn) {
  server_.Serve("/alert", Page("<script>alert('hello'); fetch('/after');</script>"), "text/html");
  ASSERT_TRUE(server_.Start());
  ShowHost();

  QString shownText;
  bool dismissed = false;
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    if (dismissed) return;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
      auto* box = qobject_cast<QMessageBox*>(widget);
      if (box == nullptr || !box->isVisible() || box->windowHandle() == nullptr) continue;
      shownText = box->text();
      dismissed = true;
      // Through the window, as a user's key would come.
      QTest::keyClick(box->windowHandle(), Qt::Key_Return);
    }
  });
  poll.start(100);

  strip_->SetAddress(ToUrl(server_.Url("/alert")));
  ASSERT_TRUE(WaitForRequest("/after"));
  EXPECT_TRUE(dismissed);
  EXPECT_TRUE(shownText.contains(QStringLiteral("hello"))) << shownText.toStdString();
}

struct AutoplayCase {
  const char* name;
  double amplitude;
  bool audible;
};

void PrintTo(const AutoplayCase& c, std::ostream* out) {
  *out << c.name;
}

class StripAutoplayTest : public StripTest, public ::testing::WithParamInterface<AutoplayCase> {};

// The player page starts its song by itself: no click ever reaches it.
TEST_P(StripAutoplayTest, AutoplayingAudioPlaysWithoutAGesture) {
  server_.Serve("/clip.wav", MakeWav(GetParam().amplitude), "audio/wav");
  server_.Serve("/play",
                Page("<audio id=\"clip\" autoplay loop src=\"/clip.wav\"></audio><script>"
                     "clip.addEventListener('playing', () => fetch('/playing'));</script>"),
                "text/html");
  ASSERT_TRUE(server_.Start());
  ShowHost();
  strip_->SetAddress(ToUrl(server_.Url("/play")));
  ASSERT_TRUE(WaitForRequest("/playing")) << "the clip never started";

  if (GetParam().audible) {
    EXPECT_TRUE(testing::WaitUntil([&] { return strip_->RecentlyAudible(); }, 15000));
  } else {
    testing::Pause(3000);
    EXPECT_FALSE(strip_->RecentlyAudible());
  }
}

INSTANTIATE_TEST_SUITE_P(Clips, StripAutoplayTest,
                         ::testing::Values(AutoplayCase{"ToneIsHeard", 0.5, true},
                                           AutoplayCase{"SilenceIsNotHeard", 0.0, false}),
                         [](const auto& testInfo) { return std::string(testInfo.param.name); });

}  // namespace
}  // namespace qingyou
