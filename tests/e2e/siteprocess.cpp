#include "tests/e2e/siteprocess.h"

#include <QDeadlineTimer>
#include <QRegularExpression>

#include "tests/e2e/e2esupport.h"

namespace qingyou::testing {

SiteProcess::~SiteProcess() {
  Stop();
}

bool SiteProcess::Start(const QString& program, int timeoutMs) {
  process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
  EndWithParent(process_);
  process_.start(program, {QStringLiteral("--port"), QStringLiteral("0")});
  if (!process_.waitForStarted(timeoutMs)) {
    error_ = program + QStringLiteral(" did not start: ") + process_.errorString();
    return false;
  }
  const QDeadlineTimer deadline(timeoutMs);
  while (!process_.canReadLine()) {
    if (process_.state() == QProcess::NotRunning || deadline.hasExpired()) {
      error_ = QStringLiteral("the site printed no address");
      return false;
    }
    process_.waitForReadyRead(static_cast<int>(std::max<qint64>(1, deadline.remainingTime())));
  }
  const QString line = QString::fromUtf8(process_.readLine()).trimmed();
  // Only loopback is acceptable for a test's server.
  static const QRegularExpression listening(
      QStringLiteral("^listening on (127\\.0\\.0\\.1:[0-9]+)$"));
  const QRegularExpressionMatch match = listening.match(line);
  if (!match.hasMatch()) {
    error_ = QStringLiteral("unexpected first line from the site: ") + line;
    return false;
  }
  origin_ = QStringLiteral("http://") + match.captured(1);
  return true;
}

void SiteProcess::Stop() {
  if (process_.state() == QProcess::NotRunning) return;
  process_.terminate();
  if (!process_.waitForFinished(5000)) {
    process_.kill();
    process_.waitForFinished(5000);
  }
}

}  // namespace qingyou::testing
