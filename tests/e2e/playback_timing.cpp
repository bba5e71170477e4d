// Measures how long a double-clicked song takes to be heard: from the
// double-click to the player page loaded, to the page reporting sound, and to
// the first sound on the sink. "cold" is the first player window of the
// process (the web engine starts with it), "warm" a player window made after
// the first was closed (the engine already runs). Prints one line per
// measurement; tests/e2e/playback_timing.sh runs it several times.
//
// Run inside scripts/headless.sh: it needs the display and the null sink.

#include <httplib.h>

#include <QApplication>
#include <QTest>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>

#include "app/mainwindow.h"
#include "app/playerwindow.h"
#include "app/resultlistview.h"
#include "app/shell.h"
#include "app/strip/browserstrip.h"
#include "tests/app/strip/waituntil.h"
#include "tests/e2e/e2esupport.h"
#include "tests/e2e/siteprocess.h"
#include "tests/e2e/soundmonitor.h"
#include "tests/e2e/toolsession.h"

namespace qingyou {
namespace {

using testing::Clock;

constexpr int kTimeoutMs = 60000;
constexpr double kLoudSample = 0.02;

double Ms(Clock::duration d) {
  return std::chrono::duration<double, std::milli>(d).count();
}

// How far into the clip its first sample at kLoudSample comes: the part of
// the delay that is the song's own attack, not the program's.
std::optional<double> ClipLeadInMs(const testing::SiteProcess& site, int songId) {
  const QUrl origin(site.Origin());
  httplib::Client client(origin.host().toStdString(), origin.port());
  const auto result = client.Get("/audio/" + std::to_string(songId) + ".wav");
  if (!result || result->status != 200 || result->body.size() < 44) return std::nullopt;
  const std::string& wav = result->body;
  const auto u16 = [&wav](std::size_t at) {
    return static_cast<unsigned>(static_cast<unsigned char>(wav[at])) |
           static_cast<unsigned>(static_cast<unsigned char>(wav[at + 1])) << 8;
  };
  const unsigned rate = u16(24) | u16(26) << 16;
  const auto limit = static_cast<long>(std::lround(kLoudSample * 32768));
  for (std::size_t at = 44; at + 1 < wav.size(); at += 2) {
    const auto sample = static_cast<std::int16_t>(u16(at));
    if (std::labs(sample) >= limit) return 1000.0 * static_cast<double>((at - 44) / 2) / rate;
  }
  return std::nullopt;
}

struct Timing {
  std::optional<double> loaded, audible, sound;
};

// Double-clicks `row`, then waits for the page, its sound report and the
// first sound on the sink.
Timing Play(Shell& shell, testing::SoundMonitor& monitor, int row) {
  const std::size_t mark = monitor.Mark();
  const Clock::time_point clicked = Clock::now();
  testing::DoubleClickLine(*shell.Main(), row);
  Timing timing;
  if (shell.Player() == nullptr) return timing;
  const BrowserStrip& strip = *shell.Player()->Strip();
  (void)testing::WaitUntil(
      [&] {
        const double now = Ms(Clock::now() - clicked);
        if (!timing.loaded && strip.LoadsFinished() > 0) timing.loaded = now;
        if (!timing.audible && strip.RecentlyAudible()) timing.audible = now;
        if (!timing.sound) {
          if (const auto first = monitor.FirstLoudSince(mark, kLoudSample)) {
            timing.sound = Ms(*first - clicked);
          }
        }
        return timing.loaded && timing.audible && timing.sound;
      },
      kTimeoutMs);
  return timing;
}

std::string Field(const std::optional<double>& ms) {
  return ms ? std::to_string(std::lround(*ms)) : std::string("none");
}

int Run() {
  testing::ToolSession session;
  if (!session.Start()) return 1;
  testing::SiteProcess& site = session.Site();
  testing::SoundMonitor& monitor = session.Monitor();
  Shell& shell = session.Windows();

  MainWindow& main = *shell.Main();
  testing::SearchFor(main, QStringLiteral("月亮"));
  if (main.List()->ItemCount() < 2) {
    std::fprintf(stderr, "the search found fewer than two songs\n");
    return 1;
  }

  int status = 0;
  for (const auto& [label, row] : {std::pair{"cold", 0}, std::pair{"warm", 1}}) {
    const Timing timing = Play(shell, monitor, row);
    const std::optional<double> leadIn = ClipLeadInMs(site, main.List()->GetItemValue(row));
    std::printf("%s loaded_ms=%s audible_ms=%s sound_ms=%s clip_lead_in_ms=%s\n", label,
                Field(timing.loaded).c_str(), Field(timing.audible).c_str(),
                Field(timing.sound).c_str(), Field(leadIn).c_str());
    std::fflush(stdout);
    if (!timing.sound) status = 1;
    // Close the player and let the sink fall silent before the next song.
    if (shell.Player() != nullptr) shell.Player()->close();
    (void)testing::WaitUntil([&] { return shell.Player() == nullptr; }, 5000);
    testing::Pause(300);
    std::size_t quietFrom = monitor.Mark();
    const bool quiet = testing::WaitUntil(
        [&] {
          if (monitor.Mark() - quietFrom < testing::SoundMonitor::kRate / 2) return false;
          if (monitor.LevelSince(quietFrom).peak < 0.001) return true;
          quietFrom = monitor.Mark();
          return false;
        },
        10000);
    if (!quiet) {
      std::fprintf(stderr, "the sink did not fall silent after the player window closed\n");
      return 1;
    }
  }
  return status;
}

}  // namespace
}  // namespace qingyou

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  return qingyou::Run();
}
