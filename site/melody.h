#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "site/catalogue.h"

namespace qingyou::site {

inline constexpr int kClipSampleRate = 22050;
// Every clip is this many eighth notes long, so the tempo alone sets its
// length (3 to 6 seconds over the tempo range) and the loop closes on a beat.
inline constexpr int kClipEighths = 16;

enum class Timbre { Organ, Reed, Pluck, Marimba };

struct Note {
  int startEighth = 0;  // 0-based slot within the clip
  int lengthEighths = 1;
  int midi = 60;  // MIDI note number (60 = middle C)
};

// What a song sounds like: derived from its id, title and singer alone, so a
// song always gets the same tune and different songs get different ones.
struct Melody {
  int beatsPerMinute = 120;
  Timbre timbre = Timbre::Organ;
  std::vector<Note> notes;  // the tune, in order, never overlapping; gaps are rests
  std::vector<Note> bass;   // two long notes under the tune
};

[[nodiscard]] Melody MelodyFor(const Song& song);

// The melody rendered as mono 16-bit samples at kClipSampleRate. The loudest
// sample sits at half of full scale (about -6 dBFS); the clip starts and ends in
// silence so that it loops without a click.
[[nodiscard]] std::vector<std::int16_t> RenderMelody(const Melody& melody);

// A complete RIFF/WAVE file (PCM, mono, 16-bit) holding `samples`.
[[nodiscard]] std::string EncodeWav(const std::vector<std::int16_t>& samples, int sampleRate);

// The song's clip as a WAV file: EncodeWav(RenderMelody(MelodyFor(song))).
[[nodiscard]] std::string SongClipWav(const Song& song);

}  // namespace qingyou::site
