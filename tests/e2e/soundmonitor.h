#pragma once

#include <QProcess>
#include <QString>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace qingyou::testing {

using Clock = std::chrono::steady_clock;

// Loudness of a stretch of recording, as fractions of full scale.
struct SoundLevel {
  double rms = 0;
  double peak = 0;
  double seconds = 0;
};

// Records what plays on a PulseAudio sink as it plays, through parec on the
// sink's monitor (scripts/headless.sh makes "qingyou_null" the default sink),
// and remembers when each piece of sound arrived, so a test can tell when a
// song became audible and how loud it was. Mono, 16 bits, kRate samples a
// second. Samples arrive while the Qt event loop runs.
class SoundMonitor {
 public:
  static constexpr int kRate = 44100;

  SoundMonitor() = default;
  SoundMonitor(const SoundMonitor&) = delete;
  SoundMonitor& operator=(const SoundMonitor&) = delete;
  ~SoundMonitor();

  // Starts recording `source` and waits until the first samples come;
  // false (with Error() saying why) when they do not within `timeoutMs`.
  bool Start(const QString& source = QStringLiteral("qingyou_null.monitor"), int timeoutMs = 10000);
  void Stop();
  [[nodiscard]] QString Error() const { return error_; }

  // The number of samples recorded so far: a place to measure from.
  [[nodiscard]] std::size_t Mark() const { return samples_.size(); }

  // Loudness of the samples from `from` to now.
  [[nodiscard]] SoundLevel LevelSince(std::size_t from) const;

  // When the first sample from `from` on whose magnitude reaches `threshold`
  // (of full scale) was played, estimated from its arrival; empty when none
  // has come yet.
  [[nodiscard]] std::optional<Clock::time_point> FirstLoudSince(std::size_t from,
                                                                double threshold) const;

  // Writes the samples from `from` to now as a WAV file (for sox and ears).
  bool SaveWav(const QString& path, std::size_t from) const;

 private:
  void Read();

  // When the chunk of samples ending at `end` arrived.
  struct Arrival {
    std::size_t end;
    Clock::time_point at;
  };

  QProcess process_;
  QString error_;
  std::vector<std::int16_t> samples_;
  std::vector<Arrival> arrivals_;
  bool oddByte_ = false;
  char pendingByte_ = 0;
};

// What `sox FILE -n stat` says of a recording: its RMS and maximum amplitude
// and length; empty when sox cannot be run or says nothing of the kind.
[[nodiscard]] std::optional<SoundLevel> SoxStat(const QString& path);

}  // namespace qingyou::testing
