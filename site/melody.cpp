#include "site/melody.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace qingyou::site {

namespace {

// splitmix64: tiny, well mixed, and the same on every platform, so a song's
// tune does not change between builds.
class Rng {
 public:
  explicit Rng(std::uint64_t seed) : state_(seed) {}
  std::uint64_t Next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  // Uniform enough in [0, n) for the small n used here.
  int Below(int n) { return static_cast<int>(Next() % static_cast<std::uint64_t>(n)); }

 private:
  std::uint64_t state_;
};

std::uint64_t Fnv1a(std::string_view bytes, std::uint64_t hash = 0xCBF29CE484222325ull) {
  for (char c : bytes) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 0x100000001B3ull;
  }
  return hash;
}

struct Scale {
  std::array<int, 7> steps;
  int size;
};

constexpr std::array<Scale, 5> kScales{{
    {{0, 2, 4, 7, 9, 0, 0}, 5},   // major pentatonic
    {{0, 3, 5, 7, 10, 0, 0}, 5},  // minor pentatonic
    {{0, 2, 4, 5, 7, 9, 11}, 7},  // major
    {{0, 2, 3, 5, 7, 8, 10}, 7},  // natural minor
    {{0, 2, 3, 5, 7, 9, 10}, 7},  // dorian
}};

int MidiOfDegree(int root, const Scale& scale, int degree) {
  const int octave = degree >= 0 ? degree / scale.size : -((-degree + scale.size - 1) / scale.size);
  const int index = degree - octave * scale.size;
  return root + 12 * octave + scale.steps[static_cast<std::size_t>(index)];
}

struct Partial {
  double ratio;  // frequency as a multiple of the note's
  double amplitude;
  double decay;  // extra damping per second on top of the voice's own
};

struct Voice {
  std::vector<Partial> partials;
  double decay;  // per second
};

Voice VoiceOf(Timbre timbre) {
  switch (timbre) {
    case Timbre::Organ:
      return {{{1, 1, 0}, {2, 0.5, 0}, {3, 0.3, 0}, {4, 0.15, 0}}, 0.8};
    case Timbre::Reed:
      return {{{1, 1, 0}, {3, 0.33, 0}, {5, 0.2, 0}, {7, 0.14, 0}, {9, 0.11, 0}}, 1.2};
    case Timbre::Pluck: {
      Voice voice{{}, 5.0};
      for (int k = 1; k <= 8; ++k) voice.partials.push_back({double(k), 1.0 / k, 2.0 * k});
      return voice;
    }
    case Timbre::Marimba:
      return {{{1, 1, 0}, {3.9, 0.35, 10}, {9.2, 0.12, 25}}, 7.0};
  }
  return {{{1, 1, 0}}, 1.0};
}

int SamplesPerEighth(int beatsPerMinute) {
  return static_cast<int>(std::lround(kClipSampleRate * 30.0 / beatsPerMinute));
}

// Adds one note to `out`. The envelope rises from zero and returns to zero
// inside the note, so notes never click against each other or at the loop seam.
void AddNote(std::vector<double>& out, std::size_t start, std::size_t length, int midi,
             const Voice& voice, double gain) {
  const double rate = kClipSampleRate;
  const double frequency = 440.0 * std::pow(2.0, (midi - 69) / 12.0);
  const double attack = 0.008 * rate;
  const double release = 0.02 * rate;
  for (const Partial& partial : voice.partials) {
    const double f = frequency * partial.ratio;
    if (f >= 0.45 * rate) continue;  // above this it would fold back as noise
    const double step = 2.0 * std::numbers::pi * f / rate;
    for (std::size_t i = 0; i < length && start + i < out.size(); ++i) {
      const double t = static_cast<double>(i) / rate;
      const double fromStart = static_cast<double>(i) / attack;
      const double toEnd = static_cast<double>(length - 1 - i) / release;
      const double envelope =
          std::min({1.0, fromStart, toEnd}) * std::exp(-t * (voice.decay + partial.decay));
      out[start + i] +=
          gain * partial.amplitude * envelope * std::sin(step * static_cast<double>(i));
    }
  }
}

}  // namespace

Melody MelodyFor(const Song& song) {
  std::uint64_t seed = Fnv1a(std::to_string(song.id));
  seed = Fnv1a("\t", seed);
  seed = Fnv1a(song.title, seed);
  seed = Fnv1a("\t", seed);
  seed = Fnv1a(song.singer, seed);
  Rng rng(seed);

  Melody melody;
  melody.beatsPerMinute = 84 + rng.Below(73);  // 84..156: 5.7 s down to 3.1 s
  melody.timbre = static_cast<Timbre>(rng.Below(4));
  const Scale& scale = kScales[static_cast<std::size_t>(rng.Below(int(kScales.size())))];
  const int root = 55 + rng.Below(12);  // G3..F#4

  constexpr std::array<int, 9> kSteps{-3, -2, -1, -1, 0, 1, 1, 2, 3};
  int degree = std::array{0, 2, 4}[static_cast<std::size_t>(rng.Below(3))];
  for (int slot = 0; slot < kClipEighths;) {
    int length = rng.Below(100) < 30 ? 2 : 1;
    if (slot + length > kClipEighths) length = 1;
    const bool last = slot + length == kClipEighths;
    if (slot != 0 && !last && rng.Below(100) < 12) {
      slot += length;  // a rest
      continue;
    }
    if (last) {
      // Ending on the tonic makes the jump back to the start sound intended.
      degree = degree >= scale.size / 2 ? scale.size : 0;
    } else if (slot != 0) {
      degree = std::clamp(degree + kSteps[static_cast<std::size_t>(rng.Below(int(kSteps.size())))],
                          -2, 2 * scale.size - 1);
    }
    melody.notes.push_back({slot, length, MidiOfDegree(root, scale, degree)});
    slot += length;
  }

  const int half = kClipEighths / 2;
  const int secondBass = std::array{5, 7, -3}[static_cast<std::size_t>(rng.Below(3))];
  melody.bass.push_back({0, half, root - 12});
  melody.bass.push_back({half, half, root - 12 + secondBass});
  return melody;
}

std::vector<std::int16_t> RenderMelody(const Melody& melody) {
  const auto eighth = static_cast<std::size_t>(SamplesPerEighth(melody.beatsPerMinute));
  std::vector<double> mix(eighth * kClipEighths, 0.0);
  const Voice lead = VoiceOf(melody.timbre);
  for (const Note& note : melody.notes) {
    AddNote(mix, static_cast<std::size_t>(note.startEighth) * eighth,
            static_cast<std::size_t>(note.lengthEighths) * eighth, note.midi, lead, 1.0);
  }
  const Voice bass{{{1, 1, 0}, {2, 0.3, 0}}, 0.6};
  for (const Note& note : melody.bass) {
    AddNote(mix, static_cast<std::size_t>(note.startEighth) * eighth,
            static_cast<std::size_t>(note.lengthEighths) * eighth, note.midi, bass, 0.35);
  }

  double peak = 0.0;
  for (double s : mix) peak = std::max(peak, std::abs(s));
  const double scale = peak > 0.0 ? 0.5 * 32767.0 / peak : 0.0;
  std::vector<std::int16_t> samples(mix.size());
  std::transform(mix.begin(), mix.end(), samples.begin(),
                 [scale](double s) { return static_cast<std::int16_t>(std::lround(s * scale)); });
  return samples;
}

std::string EncodeWav(const std::vector<std::int16_t>& samples, int sampleRate) {
  std::string wav;
  const auto put32 = [&wav](std::uint32_t v) {
    for (int shift = 0; shift < 32; shift += 8) wav += static_cast<char>((v >> shift) & 0xFF);
  };
  const auto put16 = [&wav](std::uint16_t v) {
    wav += static_cast<char>(v & 0xFF);
    wav += static_cast<char>(v >> 8);
  };
  const auto dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
  const auto rate = static_cast<std::uint32_t>(sampleRate);
  wav.reserve(44 + dataBytes);
  wav += "RIFF";
  put32(36 + dataBytes);
  wav += "WAVE";
  wav += "fmt ";
  put32(16);
  put16(1);  // PCM
  put16(1);  // mono
  put32(rate);
  put32(rate * 2);  // bytes per second
  put16(2);         // bytes per frame
  put16(16);        // bits per sample
  wav += "data";
  put32(dataBytes);
  for (std::int16_t s : samples) put16(static_cast<std::uint16_t>(s));
  return wav;
}

std::string SongClipWav(const Song& song) {
  return EncodeWav(RenderMelody(MelodyFor(song)), kClipSampleRate);
}

}  // namespace qingyou::site
