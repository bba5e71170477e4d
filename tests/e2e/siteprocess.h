#pragma once

#include <QProcess>
#include <QString>

namespace qingyou::testing {

// The bundled song site run as its own process on 127.0.0.1 and a port it
// picks itself, as the program meets it.
class SiteProcess {
 public:
  SiteProcess() = default;
  SiteProcess(const SiteProcess&) = delete;
  SiteProcess& operator=(const SiteProcess&) = delete;
  ~SiteProcess();

  // Starts `program` with --port 0 and waits for its "listening on" line;
  // false (Error() says why) when it does not come.
  bool Start(const QString& program, int timeoutMs = 15000);
  void Stop();

  // "http://127.0.0.1:PORT", empty until started.
  [[nodiscard]] QString Origin() const { return origin_; }
  [[nodiscard]] QString Error() const { return error_; }

 private:
  QProcess process_;
  QString origin_;
  QString error_;
};

}  // namespace qingyou::testing
