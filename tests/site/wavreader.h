#pragma once

// A small, independent WAV reader for the tests: walks the RIFF chunks rather
// than trusting a fixed 44-byte header, so it catches a writer that gets the
// sizes or the chunk layout wrong.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qingyou::site::test {

struct Wav {
  std::string error;  // empty when the file is a well-formed PCM WAV
  int format = 0;
  int channels = 0;
  int sampleRate = 0;
  int bitsPerSample = 0;
  std::vector<std::int16_t> samples;
};

inline std::uint32_t Le(std::string_view bytes, std::size_t at, int width) {
  std::uint32_t value = 0;
  for (int i = width - 1; i >= 0; --i) {
    value = (value << 8) | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
  }
  return value;
}

inline Wav ReadWav(std::string_view bytes) {
  Wav wav;
  if (bytes.size() < 12 || bytes.substr(0, 4) != "RIFF" || bytes.substr(8, 4) != "WAVE") {
    wav.error = "no RIFF/WAVE header";
    return wav;
  }
  if (Le(bytes, 4, 4) != bytes.size() - 8) {
    wav.error = "RIFF size does not match the file";
    return wav;
  }
  bool haveFormat = false;
  bool haveData = false;
  for (std::size_t at = 12; at + 8 <= bytes.size();) {
    const std::string_view id = bytes.substr(at, 4);
    const std::uint32_t size = Le(bytes, at + 4, 4);
    if (at + 8 + size > bytes.size()) {
      wav.error = "chunk " + std::string(id) + " runs past the end";
      return wav;
    }
    if (id == "fmt " && size >= 16) {
      wav.format = static_cast<int>(Le(bytes, at + 8, 2));
      wav.channels = static_cast<int>(Le(bytes, at + 10, 2));
      wav.sampleRate = static_cast<int>(Le(bytes, at + 12, 4));
      const std::uint32_t byteRate = Le(bytes, at + 16, 4);
      const std::uint32_t blockAlign = Le(bytes, at + 20, 2);
      wav.bitsPerSample = static_cast<int>(Le(bytes, at + 22, 2));
      const auto frame = static_cast<std::uint32_t>(wav.channels * wav.bitsPerSample / 8);
      if (blockAlign != frame || byteRate != frame * static_cast<std::uint32_t>(wav.sampleRate)) {
        wav.error = "byte rate or block align inconsistent";
        return wav;
      }
      haveFormat = true;
    } else if (id == "data") {
      if (!haveFormat || wav.bitsPerSample != 16 || size % 2 != 0) {
        wav.error = "data chunk before fmt, or not 16-bit";
        return wav;
      }
      for (std::size_t i = 0; i < size; i += 2) {
        wav.samples.push_back(static_cast<std::int16_t>(Le(bytes, at + 8 + i, 2)));
      }
      haveData = true;
    }
    at += 8 + size + (size & 1);
  }
  if (!haveFormat || !haveData) wav.error = "fmt or data chunk missing";
  return wav;
}

}  // namespace qingyou::site::test
