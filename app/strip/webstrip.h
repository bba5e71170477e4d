#pragma once

#include <QUrl>

#include "app/strip/browserstrip.h"

class QWebEnginePage;
class QWebEngineProfile;
class QWebEngineView;

namespace qingyou {

// The strip as the web-engine module makes it: a QWebEngineView on a page of
// its own off-the-record profile, so nothing of a page outlives the window.
class WebStrip final : public BrowserStrip {
 public:
  explicit WebStrip(QWidget* parent);
  ~WebStrip() override;
  WebStrip(const WebStrip&) = delete;
  WebStrip& operator=(const WebStrip&) = delete;

  void SetAddress(const QUrl& url) override;
  [[nodiscard]] QUrl Address() const override;
  [[nodiscard]] bool RecentlyAudible() const override;
  [[nodiscard]] int LoadsStarted() const override;
  [[nodiscard]] int LoadsFinished() const override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void LetPressesThrough(QWidget* widget);

  QWebEngineProfile* profile_;
  QWebEnginePage* page_;
  QWebEngineView* view_;
  QUrl address_;
  int loadsStarted_ = 0;
  int loadsFinished_ = 0;
};

}  // namespace qingyou
