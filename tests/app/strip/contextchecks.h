#pragma once

#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <QPixmap>
#include <QPoint>
#include <QScreen>
#include <QString>
#include <QUrl>
#include <QWidget>
#include <QtGlobal>
#include <ios>
#include <mutex>
#include <string>
#include <vector>

#include "app/strip/browserstrip.h"
#include "tests/app/strip/loopbackserver.h"
#include "tests/app/strip/testpages.h"
#include "tests/app/strip/waituntil.h"

namespace qingyou::testing {

// Every message Qt reports while one of these lives, from any thread; each is
// passed on to the handler that was there before, so the log still shows it.
class MessageLog {
 public:
  MessageLog() { previous_ = qInstallMessageHandler(&MessageLog::Handle); }
  MessageLog(const MessageLog&) = delete;
  MessageLog& operator=(const MessageLog&) = delete;
  ~MessageLog() { qInstallMessageHandler(previous_); }

  // The messages so far that contain `part`.
  [[nodiscard]] std::vector<std::string> Containing(const std::string& part) const {
    const std::lock_guard lock(mutex_);
    std::vector<std::string> found;
    for (const std::string& message : messages_) {
      if (message.find(part) != std::string::npos) found.push_back(message);
    }
    return found;
  }

 private:
  static void Handle(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    {
      const std::lock_guard lock(mutex_);
      messages_.push_back(text.toStdString());
    }
    if (previous_ != nullptr) previous_(type, context, text);
  }

  inline static std::mutex mutex_;
  inline static std::vector<std::string> messages_;
  inline static QtMessageHandler previous_ = nullptr;
};

// A colour nothing but the test page puts on the screen.
inline constexpr QRgb kPageColour = qRgb(200, 30, 160);

// Serves "/tone": a page that fills the strip with kPageColour and plays a
// tone by itself, and asks for "/playing" once the tone has started.
inline void ServeColourAndTone(LoopbackServer& server) {
  server.Serve("/tone.wav", MakeWav(0.5), "audio/wav");
  server.Serve("/tone",
               Page("<div style=\"width:100vw;height:100vh;background:rgb(200,30,160)\"></div>"
                    "<audio id=\"clip\" autoplay loop src=\"/tone.wav\"></audio><script>"
                    "clip.addEventListener('playing', () => fetch('/playing'));</script>"),
               "text/html");
}

// The colour the display shows at the middle of `strip`, read back from the
// screen, so that it is what the engine really drew into the window.
inline QRgb ShownAtStripMiddle(const BrowserStrip& strip) {
  const QWidget* window = strip.window();
  const QImage shot = window->screen()->grabWindow(window->winId()).toImage();
  const QPoint middle = strip.mapTo(window, strip.rect().center());
  return shot.valid(middle) ? shot.pixel(middle) : qRgb(0, 0, 0);
}

inline bool NearPageColour(QRgb colour) {
  return qAbs(qRed(colour) - qRed(kPageColour)) <= 2 &&
         qAbs(qGreen(colour) - qGreen(kPageColour)) <= 2 &&
         qAbs(qBlue(colour) - qBlue(kPageColour)) <= 2;
}

// Points a shown `strip` at "/tone" of `server` (see ServeColourAndTone) and
// checks that the page appears on the screen and is heard.
inline void ExpectDrawsAndPlays(BrowserStrip& strip, const LoopbackServer& server) {
  const int requestsBefore = server.Count("/playing");
  strip.SetAddress(QUrl(QString::fromStdString(server.Url("/tone"))));
  // The first page waits for the engine to start, slow on a busy machine.
  ASSERT_TRUE(WaitUntil([&] { return server.Count("/playing") > requestsBefore; }, 60000))
      << "the tone never started";
  EXPECT_TRUE(WaitUntil([&] { return strip.RecentlyAudible(); }, 15000)) << "the tone is not heard";
  EXPECT_TRUE(WaitUntil([&] { return NearPageColour(ShownAtStripMiddle(strip)); }, 15000))
      << "the screen shows #" << std::hex << ShownAtStripMiddle(strip) << " where the page is";
}

}  // namespace qingyou::testing
