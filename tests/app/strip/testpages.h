#pragma once

#include <cmath>
#include <cstdint>
#include <numbers>
#include <string>

namespace qingyou::testing {

// 16-bit mono PCM WAV of a 440 Hz sine at `amplitude` (0 to 1 of full scale).
inline std::string MakeWav(double amplitude, double seconds = 1.0) {
  constexpr std::uint32_t kRate = 22050;
  const auto frames = static_cast<std::uint32_t>(seconds * kRate);
  std::string wav;
  auto put32 = [&wav](std::uint32_t v) {
    for (int i = 0; i < 4; ++i) wav.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
  };
  auto put16 = [&wav](std::uint16_t v) {
    wav.push_back(static_cast<char>(v & 0xFF));
    wav.push_back(static_cast<char>(v >> 8));
  };
  wav += "RIFF";
  put32(36 + frames * 2);
  wav += "WAVEfmt ";
  put32(16);
  put16(1);  // PCM
  put16(1);  // mono
  put32(kRate);
  put32(kRate * 2);
  put16(2);
  put16(16);
  wav += "data";
  put32(frames * 2);
  for (std::uint32_t i = 0; i < frames; ++i) {
    const double sample = amplitude * std::sin(2 * std::numbers::pi * 440.0 * i / kRate);
    put16(static_cast<std::uint16_t>(static_cast<std::int16_t>(std::lround(sample * 32767))));
  }
  return wav;
}

// A page with `body` and no margin, so the page fills the strip from its corner.
inline std::string Page(const std::string& body) {
  return "<!doctype html><html><head><meta charset=\"utf-8\"></head>"
         "<body style=\"margin:0\">" +
         body + "</body></html>";
}

}  // namespace qingyou::testing
