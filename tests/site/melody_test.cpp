#include "site/melody.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "site/catalogue.h"
#include "tests/site/wavreader.h"

namespace qingyou::site {
namespace {

using test::ReadWav;
using test::Wav;

double Seconds(const Wav& wav) {
  return static_cast<double>(wav.samples.size()) / wav.sampleRate;
}

int Peak(const std::vector<std::int16_t>& samples) {
  int peak = 0;
  for (std::int16_t s : samples) peak = std::max(peak, std::abs(int{s}));
  return peak;
}

double Rms(const std::vector<std::int16_t>& samples) {
  double sum = 0.0;
  for (std::int16_t s : samples) sum += static_cast<double>(s) * static_cast<double>(s);
  return std::sqrt(sum / static_cast<double>(samples.size()));
}

std::vector<int> Pitches(const Melody& melody) {
  std::vector<int> pitches;
  for (const Note& note : melody.notes) pitches.push_back(note.midi);
  return pitches;
}

TEST(EncodeWav, WritesAPcmFileThatReadsBackSampleForSample) {
  const std::vector<std::int16_t> samples{0, 1, -1, 32767, -32768, 1234};
  const Wav wav = ReadWav(EncodeWav(samples, 22050));
  ASSERT_EQ(wav.error, "");
  EXPECT_EQ(wav.format, 1);
  EXPECT_EQ(wav.channels, 1);
  EXPECT_EQ(wav.sampleRate, 22050);
  EXPECT_EQ(wav.bitsPerSample, 16);
  EXPECT_EQ(wav.samples, samples);
}

// Every shipped song: a mono 22050 Hz clip of 3 to 6 seconds, peaking near
// -6 dBFS, clearly audible throughout, and silent at both ends so the loop
// has no click.
TEST(SongClipWav, EveryShippedSongGetsAnAudibleLoopableClip) {
  const std::vector<Song> songs = LoadCatalogue(QINGYOU_SHIPPED_CATALOGUE);
  ASSERT_FALSE(songs.empty());
  for (const Song& song : songs) {
    SCOPED_TRACE(song.title);
    const Wav wav = ReadWav(SongClipWav(song));
    ASSERT_EQ(wav.error, "");
    EXPECT_EQ(wav.format, 1);
    EXPECT_EQ(wav.channels, 1);
    EXPECT_EQ(wav.sampleRate, kClipSampleRate);
    EXPECT_GE(Seconds(wav), 3.0);
    EXPECT_LE(Seconds(wav), 6.0);
    const int peak = Peak(wav.samples);
    EXPECT_GE(peak, 14600);               // -7 dBFS
    EXPECT_LE(peak, 18400);               // -5 dBFS
    EXPECT_GT(Rms(wav.samples), 1600.0);  // well above hiss: the tune fills the clip
    EXPECT_LE(std::abs(int{wav.samples.front()}), 64);
    EXPECT_LE(std::abs(int{wav.samples.back()}), 64);
  }
}

TEST(SongClipWav, SameSongGivesTheSameBytes) {
  const Song song{3105603, "Love & Rain", "Jay Lin"};
  EXPECT_EQ(SongClipWav(song), SongClipWav(song));
}

// Distinct to the ear: no two shipped songs share their sequence of pitches,
// so they differ in tune and not merely in tempo or timbre.
TEST(MelodyFor, ShippedSongsHavePairwiseDifferentTunes) {
  const std::vector<Song> songs = LoadCatalogue(QINGYOU_SHIPPED_CATALOGUE);
  ASSERT_GE(songs.size(), 2u);
  std::vector<std::vector<int>> tunes;
  for (const Song& song : songs) tunes.push_back(Pitches(MelodyFor(song)));
  for (std::size_t a = 0; a < tunes.size(); ++a) {
    for (std::size_t b = a + 1; b < tunes.size(); ++b) {
      EXPECT_NE(tunes[a], tunes[b]) << songs[a].title << " / " << songs[b].title;
    }
  }
}

TEST(MelodyFor, NotesFillTheClipInOrderWithoutOverlapAndEndOnTheTonic) {
  const std::vector<Song> songs = LoadCatalogue(QINGYOU_SHIPPED_CATALOGUE);
  for (const Song& song : songs) {
    SCOPED_TRACE(song.title);
    const Melody melody = MelodyFor(song);
    ASSERT_FALSE(melody.notes.empty());
    EXPECT_EQ(melody.notes.front().startEighth, 0);
    int end = 0;
    for (const Note& note : melody.notes) {
      EXPECT_GE(note.startEighth, end);
      EXPECT_GE(note.lengthEighths, 1);
      end = note.startEighth + note.lengthEighths;
    }
    EXPECT_EQ(end, kClipEighths);
    ASSERT_FALSE(melody.bass.empty());
    // The tune's last note is the key's root (in some octave), which is the
    // first bass note's pitch class.
    EXPECT_EQ((melody.notes.back().midi - melody.bass.front().midi) % 12, 0);
  }
}

}  // namespace
}  // namespace qingyou::site
