#include "tests/e2e/soundmonitor.h"

#include <QFile>
#include <QRegularExpression>
#include <QTest>
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "tests/app/strip/waituntil.h"
#include "tests/e2e/e2esupport.h"

namespace qingyou::testing {

SoundMonitor::~SoundMonitor() {
  Stop();
}

bool SoundMonitor::Start(const QString& source, int timeoutMs) {
  QObject::connect(&process_, &QProcess::readyReadStandardOutput, [this] { Read(); });
  EndWithParent(process_);
  // A short latency makes arrival times close to the moment of playing.
  process_.start(QStringLiteral("parec"),
                 {QStringLiteral("--device=") + source, QStringLiteral("--format=s16le"),
                  QStringLiteral("--rate=%1").arg(kRate), QStringLiteral("--channels=1"),
                  QStringLiteral("--latency-msec=10"), QStringLiteral("--raw")});
  if (!process_.waitForStarted(timeoutMs)) {
    error_ = QStringLiteral("parec did not start: ") + process_.errorString();
    return false;
  }
  if (!WaitUntil([this] { return !samples_.empty(); }, timeoutMs)) {
    error_ = QStringLiteral("parec gave no samples: ") +
             QString::fromLocal8Bit(process_.readAllStandardError());
    return false;
  }
  return true;
}

void SoundMonitor::Stop() {
  if (process_.state() == QProcess::NotRunning) return;
  process_.terminate();
  if (!process_.waitForFinished(3000)) {
    process_.kill();
    process_.waitForFinished(3000);
  }
}

void SoundMonitor::Read() {
  const QByteArray bytes = process_.readAllStandardOutput();
  if (bytes.isEmpty()) return;
  const Clock::time_point now = Clock::now();
  std::size_t i = 0;
  auto sample = [](char low, char high) {
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(
        static_cast<std::uint8_t>(low) | (static_cast<std::uint8_t>(high) << 8)));
  };
  if (oddByte_) {
    samples_.push_back(sample(pendingByte_, bytes[0]));
    oddByte_ = false;
    i = 1;
  }
  for (; i + 1 < static_cast<std::size_t>(bytes.size()); i += 2) {
    samples_.push_back(
        sample(bytes[static_cast<qsizetype>(i)], bytes[static_cast<qsizetype>(i + 1)]));
  }
  if (i < static_cast<std::size_t>(bytes.size())) {
    pendingByte_ = bytes[static_cast<qsizetype>(i)];
    oddByte_ = true;
  }
  arrivals_.push_back({samples_.size(), now});
}

SoundLevel SoundMonitor::LevelSince(std::size_t from) const {
  SoundLevel level;
  if (from >= samples_.size()) return level;
  double sumOfSquares = 0;
  int peak = 0;
  for (std::size_t i = from; i < samples_.size(); ++i) {
    const int value = samples_[i];
    sumOfSquares += static_cast<double>(value) * value;
    peak = std::max(peak, std::abs(value));
  }
  const auto count = static_cast<double>(samples_.size() - from);
  level.rms = std::sqrt(sumOfSquares / count) / 32768.0;
  level.peak = peak / 32768.0;
  level.seconds = count / kRate;
  return level;
}

std::optional<Clock::time_point> SoundMonitor::FirstLoudSince(std::size_t from,
                                                              double threshold) const {
  const int limit = static_cast<int>(std::lround(threshold * 32768.0));
  for (std::size_t i = from; i < samples_.size(); ++i) {
    if (std::abs(static_cast<int>(samples_[i])) < limit) continue;
    // The sample played when its chunk arrived, less the samples after it in
    // that chunk.
    const auto chunk =
        std::lower_bound(arrivals_.begin(), arrivals_.end(), i + 1,
                         [](const Arrival& arrival, std::size_t end) { return arrival.end < end; });
    if (chunk == arrivals_.end()) return std::nullopt;
    const auto later = std::chrono::duration<double>(static_cast<double>(chunk->end - i) / kRate);
    return chunk->at - std::chrono::duration_cast<Clock::duration>(later);
  }
  return std::nullopt;
}

bool SoundMonitor::SaveWav(const QString& path, std::size_t from) const {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return false;
  const std::size_t count = from < samples_.size() ? samples_.size() - from : 0;
  const auto dataBytes = static_cast<std::uint32_t>(count * 2);
  QByteArray header;
  auto put32 = [&header](std::uint32_t v) {
    for (int i = 0; i < 4; ++i) header.append(static_cast<char>((v >> (8 * i)) & 0xFF));
  };
  auto put16 = [&header](std::uint16_t v) {
    header.append(static_cast<char>(v & 0xFF));
    header.append(static_cast<char>(v >> 8));
  };
  header.append("RIFF");
  put32(36 + dataBytes);
  header.append("WAVEfmt ");
  put32(16);
  put16(1);
  put16(1);
  put32(kRate);
  put32(kRate * 2);
  put16(2);
  put16(16);
  header.append("data");
  put32(dataBytes);
  if (file.write(header) != header.size()) return false;
  const auto* data = reinterpret_cast<const char*>(samples_.data() + from);
  return count == 0 || file.write(data, static_cast<qint64>(dataBytes)) == dataBytes;
}

std::optional<SoundLevel> SoxStat(const QString& path) {
  QProcess sox;
  sox.start(QStringLiteral("sox"), {path, QStringLiteral("-n"), QStringLiteral("stat")});
  if (!sox.waitForFinished(30000) || sox.exitCode() != 0) return std::nullopt;
  // sox writes its statistics to standard error, one "Name:   value" a line.
  const QString report = QString::fromLocal8Bit(sox.readAllStandardError());
  auto value = [&report](const QString& name) -> std::optional<double> {
    const QRegularExpression line(QRegularExpression::escape(name) +
                                  QStringLiteral(":\\s*([-0-9.eE+]+)"));
    const QRegularExpressionMatch match = line.match(report);
    if (!match.hasMatch()) return std::nullopt;
    return match.captured(1).toDouble();
  };
  const auto rms = value(QStringLiteral("RMS     amplitude"));
  const auto peak = value(QStringLiteral("Maximum amplitude"));
  const auto seconds = value(QStringLiteral("Length (seconds)"));
  if (!rms || !peak || !seconds) return std::nullopt;
  return SoundLevel{*rms, *peak, *seconds};
}

}  // namespace qingyou::testing
