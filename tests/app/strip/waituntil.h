#pragma once

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEvent>
#include <QEventLoop>
#include <QTimer>

namespace qingyou::testing {

// Serves events until `predicate` holds (checked every couple of
// milliseconds) or `timeoutMs` has passed; whether it held. Unlike
// QTest::qWaitFor, which sleeps 10 ms between passes over the pending events,
// this waits for events as the program's own loop does, so the web engine's
// chains of posted work run at full speed: with qWaitFor a page takes seconds
// longer to start playing than in the program, which spoils every timing.
// Windows closed meanwhile are deleted, as the program's loop would.
// Call it from the test's top level, not from inside an event handler.
template <typename Predicate>
[[nodiscard]] bool WaitUntil(Predicate predicate, int timeoutMs) {
  const QDeadlineTimer deadline(timeoutMs, Qt::PreciseTimer);
  // Wakes the wait below so that the predicate is looked at often.
  QTimer tick;
  tick.setTimerType(Qt::PreciseTimer);
  tick.start(2);
  while (!predicate()) {
    if (deadline.hasExpired()) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
  return true;
}

// Serves events for `ms` milliseconds.
inline void Pause(int ms) {
  (void)WaitUntil([] { return false; }, ms);
}

}  // namespace qingyou::testing
