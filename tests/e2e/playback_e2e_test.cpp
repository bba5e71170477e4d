#include <gtest/gtest.h>

#include <QApplication>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <chrono>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/floatingplayerwindow.h"
#include "app/linklabel.h"
#include "app/mainwindow.h"
#include "app/playerwindow.h"
#include "app/resultlistview.h"
#include "app/shell.h"
#include "app/strip/browserstrip.h"
#include "playback/displaymode.h"
#include "tests/app/strip/waituntil.h"
#include "tests/e2e/e2esupport.h"
#include "tests/e2e/siteprocess.h"
#include "tests/e2e/soundmonitor.h"
#include "text/codepage.h"

namespace qingyou {
namespace {

using testing::Clock;

// The first page waits for the engine to start, which on a busy machine
// takes a while.
constexpr int kPlayTimeoutMs = 60000;
// Full-scale fractions: the site's clips peak near 0.5; silence is 0.
constexpr double kLoudSample = 0.02;
constexpr double kMinimumRms = 0.01;

double Milliseconds(Clock::duration duration) {
  return std::chrono::duration<double, std::milli>(duration).count();
}

class PlaybackEndToEnd : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(site_.Start(QStringLiteral(QINGYOU_SITE_PROGRAM))) << site_.Error().toStdString();
    ASSERT_TRUE(sound_.Start()) << sound_.Error().toStdString();
    songs_ = testing::ReadCatalogue(QStringLiteral(QINGYOU_SITE_CATALOGUE));
    ASSERT_FALSE(songs_.empty()) << "catalogue " << QINGYOU_SITE_CATALOGUE << " did not load";

    ShellOptions options;
    options.site = SongSite{Utf8ToGbk(site_.Origin().toStdString())};
    shell_ = std::make_unique<Shell>(std::move(options));
    ASSERT_TRUE(shell_->OpenWindow(WindowId::Main));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(shell_->Main()));
  }

  void TearDown() override {
    shell_.reset();
    SetDisplayMode(Windowed);
  }

  [[nodiscard]] std::string PlayerUrl(int id) const {
    return site_.Origin().toStdString() + "/player.swf?songtype=fc&songid=" + std::to_string(id);
  }

  // Waits until `strip` reports sound; the time that took from `since`.
  [[nodiscard]] std::optional<double> WaitAudible(const BrowserStrip& strip,
                                                  Clock::time_point since) const {
    if (!testing::WaitUntil([&] { return strip.RecentlyAudible(); }, kPlayTimeoutMs)) return {};
    return Milliseconds(Clock::now() - since);
  }

  testing::SiteProcess site_;
  testing::SoundMonitor sound_;
  std::vector<testing::CatalogueSong> songs_;
  std::unique_ptr<Shell> shell_;
};

// The whole path: keyword to list, double-click to player page, page to sound.
TEST_F(PlaybackEndToEnd, SearchListsTheCatalogueSongsAndADoubleClickPlaysOne) {
  const std::string keyword = "月亮";
  const std::vector<testing::ExpectedLine> expected = testing::ExpectedLines(songs_, keyword);
  ASSERT_GE(expected.size(), 2U) << "the catalogue should hold several songs with " << keyword;

  testing::SearchFor(*shell_->Main(), QString::fromStdString(keyword));
  ResultListView& list = *shell_->Main()->List();
  ASSERT_EQ(list.ItemCount(), static_cast<int>(expected.size()));
  for (int i = 0; i < list.ItemCount(); ++i) {
    const auto& line = expected[static_cast<std::size_t>(i)];
    EXPECT_EQ(GbkToUtf8(list.ItemText(i)), line.display) << "line " << i;
    EXPECT_EQ(list.GetItemValue(i), line.value) << "line " << i;
  }
  EXPECT_EQ(list.CurrentIndex(), -1);

  const int row = 1;
  const std::size_t mark = sound_.Mark();
  const Clock::time_point clicked = Clock::now();
  testing::DoubleClickLine(*shell_->Main(), row);
  ASSERT_NE(shell_->Player(), nullptr) << "no player window opened";
  EXPECT_EQ(shell_->FloatingPlayer(), nullptr);
  BrowserStrip& strip = *shell_->Player()->Strip();
  EXPECT_EQ(strip.Address().toString().toStdString(),
            PlayerUrl(expected[static_cast<std::size_t>(row)].value));

  const std::optional<double> audibleMs = WaitAudible(strip, clicked);
  ASSERT_TRUE(audibleMs.has_value()) << "the page never reported sound";
  ASSERT_TRUE(testing::WaitUntil(
      [&] { return sound_.FirstLoudSince(mark, kLoudSample).has_value(); }, kPlayTimeoutMs))
      << "nothing was heard on the sink";
  const double onsetMs = Milliseconds(*sound_.FirstLoudSince(mark, kLoudSample) - clicked);

  // Two seconds of the song, measured from the first sound on.
  const std::size_t from = sound_.Mark();
  testing::Pause(2000);
  const testing::SoundLevel level = sound_.LevelSince(from);
  std::printf(
      "played: page audible after %.0f ms, first sound after %.0f ms (cold); "
      "%.1f s recorded, rms %.3f, peak %.3f of full scale\n",
      *audibleMs, onsetMs, level.seconds, level.rms, level.peak);
  EXPECT_GE(level.seconds, 1.5);
  EXPECT_GE(level.rms, kMinimumRms);
  EXPECT_GE(level.peak, kLoudSample);

  // sox, measuring the same recording on its own, must agree.
  const QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString wav = dir.filePath(QStringLiteral("played.wav"));
  ASSERT_TRUE(sound_.SaveWav(wav, from));
  const std::optional<testing::SoundLevel> sox = testing::SoxStat(wav);
  ASSERT_TRUE(sox.has_value()) << "sox could not measure " << wav.toStdString();
  std::printf("sox stat of the recording: %.2f s, RMS amplitude %.3f, maximum amplitude %.3f\n",
              sox->seconds, sox->rms, sox->peak);
  EXPECT_NEAR(sox->rms, level.rms, 0.01);
  EXPECT_NEAR(sox->peak, level.peak, 0.01);
  EXPECT_NEAR(sox->seconds, level.seconds, 0.05);
}

// A song started in windowed mode keeps playing after the switch to floating
// mode; the next double-click plays in the floating window beside it.
TEST_F(PlaybackEndToEnd, FloatingModePlaysTheNextSongBesideTheWindowedOne) {
  const std::vector<testing::ExpectedLine> expected = testing::ExpectedLines(songs_, "月亮");
  ASSERT_GE(expected.size(), 3U);
  testing::SearchFor(*shell_->Main(), QStringLiteral("月亮"));
  ASSERT_EQ(shell_->Main()->List()->ItemCount(), static_cast<int>(expected.size()));

  testing::DoubleClickLine(*shell_->Main(), 0);
  ASSERT_NE(shell_->Player(), nullptr);
  BrowserStrip& windowed = *shell_->Player()->Strip();
  ASSERT_TRUE(WaitAudible(windowed, Clock::now()).has_value());

  const QString message =
      testing::DismissNextModalBox([&] { testing::ClickThroughWindow(*shell_->Main()->Link()); });
  EXPECT_EQ(message, QStringLiteral("悬浮模式设置成功"));
  EXPECT_EQ(shell_->FloatingPlayer(), nullptr) << "switching modes opened a window";

  const Clock::time_point clicked = Clock::now();
  testing::DoubleClickLine(*shell_->Main(), 2);
  ASSERT_NE(shell_->FloatingPlayer(), nullptr) << "no floating player opened";
  ASSERT_NE(shell_->Player(), nullptr) << "the windowed player closed";
  BrowserStrip& floating = *shell_->FloatingPlayer()->Strip();
  EXPECT_EQ(floating.Address().toString().toStdString(), PlayerUrl(expected[2].value));
  EXPECT_EQ(windowed.Address().toString().toStdString(), PlayerUrl(expected[0].value));

  const std::optional<double> audibleMs = WaitAudible(floating, clicked);
  ASSERT_TRUE(audibleMs.has_value()) << "the floating player never reported sound";
  std::printf("floating player audible after %.0f ms (warm: engine already running)\n", *audibleMs);
  // Both pages play at once, each its own song.
  EXPECT_TRUE(windowed.RecentlyAudible());
  EXPECT_TRUE(floating.RecentlyAudible());
  EXPECT_EQ(windowed.LoadsStarted(), 1);
  EXPECT_EQ(floating.LoadsStarted(), 1);
}

// Closing the player window ends its song; the next double-click makes a new
// window, with a fresh strip, for the next song.
TEST_F(PlaybackEndToEnd, ClosingThePlayerStopsItsSongAndTheNextDoubleClickOpensANewOne) {
  const std::vector<testing::ExpectedLine> expected = testing::ExpectedLines(songs_, "月亮");
  ASSERT_GE(expected.size(), 2U);
  testing::SearchFor(*shell_->Main(), QStringLiteral("月亮"));
  ASSERT_EQ(shell_->Main()->List()->ItemCount(), static_cast<int>(expected.size()));

  testing::DoubleClickLine(*shell_->Main(), 0);
  ASSERT_NE(shell_->Player(), nullptr);
  ASSERT_TRUE(WaitAudible(*shell_->Player()->Strip(), Clock::now()).has_value());

  const QPointer<PlayerWindow> first = shell_->Player();
  first->close();
  ASSERT_TRUE(testing::WaitUntil([&] { return first.isNull(); }, 5000))
      << "the closed player window was not destroyed";
  // What was already on its way to the sink may still sound for a moment.
  testing::Pause(500);
  const std::size_t from = sound_.Mark();
  testing::Pause(1500);
  const testing::SoundLevel after = sound_.LevelSince(from);
  EXPECT_GE(after.seconds, 1.0);
  EXPECT_LT(after.peak, 0.001) << "the song went on after its window closed";

  testing::DoubleClickLine(*shell_->Main(), 1);
  ASSERT_NE(shell_->Player(), nullptr);
  BrowserStrip& strip = *shell_->Player()->Strip();
  EXPECT_EQ(strip.Address().toString().toStdString(), PlayerUrl(expected[1].value));
  EXPECT_TRUE(WaitAudible(strip, Clock::now()).has_value());
  EXPECT_EQ(strip.LoadsStarted(), 1) << "a new window's strip starts blank and loads once";
}

}  // namespace
}  // namespace qingyou

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (::testing::GTEST_FLAG(list_tests)) return RUN_ALL_TESTS();
  QApplication app(argc, argv);
  return RUN_ALL_TESTS();
}
