#include "app/strip/webstrip.h"

#include <QChildEvent>
#include <QEvent>
#include <QVBoxLayout>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineView>

#include "app/strip/stripmodule.h"

namespace qingyou {

WebStrip::WebStrip(QWidget* parent)
    // A profile without a storage name is off the record: cache, cookies and
    // storage stay in memory and go with the strip.
    : BrowserStrip(parent),
      profile_(new QWebEngineProfile(this)),
      page_(new QWebEnginePage(profile_, this)),
      view_(new QWebEngineView(this)) {
  QWebEngineSettings* settings = profile_->settings();
  // The player page starts its song on load; nobody can click the strip.
  settings->setAttribute(QWebEngineSettings::PlaybackRequiresUserGesture, false);
  // The page may show its own dialogs, and it needs scripts to play.
  settings->setAttribute(QWebEngineSettings::JavascriptEnabled, true);
  // Nothing goes to disk, and there is no offline mode that would answer
  // from a cache instead of asking the site.
  profile_->setHttpCacheType(QWebEngineProfile::MemoryHttpCache);

  view_->setPage(page_);
  view_->setZoomFactor(1.0);
  view_->setContextMenuPolicy(Qt::NoContextMenu);
  LetPressesThrough(view_);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(view_);

  QObject::connect(page_, &QWebEnginePage::loadStarted, this, [this] { ++loadsStarted_; });
  QObject::connect(page_, &QWebEnginePage::loadFinished, this, [this](bool) { ++loadsFinished_; });

  resize(256, 40);
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setFocusPolicy(Qt::NoFocus);
  setEnabled(false);
}

WebStrip::~WebStrip() {
  // A page must go before its profile, and both are children of the strip,
  // which would delete the profile first.
  view_->setPage(nullptr);
  delete page_;
}

void WebStrip::SetAddress(const QUrl& url) {
  address_ = url;
  // load() navigates even when `url` is the address already shown.
  page_->load(url);
}

QUrl WebStrip::Address() const {
  return address_;
}

bool WebStrip::RecentlyAudible() const {
  return page_->recentlyAudible();
}

int WebStrip::LoadsStarted() const {
  return loadsStarted_;
}

int WebStrip::LoadsFinished() const {
  return loadsFinished_;
}

bool WebStrip::eventFilter(QObject* watched, QEvent* event) {
  // The view makes its render widget only once a page shows; it must let
  // presses through to the window as well.
  if (event->type() == QEvent::ChildAdded) {
    if (auto* child = qobject_cast<QWidget*>(static_cast<QChildEvent*>(event)->child())) {
      LetPressesThrough(child);
    }
  }
  return BrowserStrip::eventFilter(watched, event);
}

// A disabled strip must still leave presses to its window (the floating
// player is dragged by them); a transparent widget is skipped when Qt looks
// for the widget under the pointer.
void WebStrip::LetPressesThrough(QWidget* widget) {
  widget->setAttribute(Qt::WA_TransparentForMouseEvents);
  widget->setFocusPolicy(Qt::NoFocus);
  widget->installEventFilter(this);
  for (QObject* child : widget->children()) {
    if (auto* childWidget = qobject_cast<QWidget*>(child)) LetPressesThrough(childWidget);
  }
}

}  // namespace qingyou

extern "C" Q_DECL_EXPORT qingyou::BrowserStrip* QingyouCreateWebStrip(QWidget* parent) {
  return new qingyou::WebStrip(parent);
}
