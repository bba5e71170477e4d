#pragma once

#include <fstream>
#include <sstream>
#include <string>

namespace qingyou::testing {

// The libraries and files mapped into this process, one mapping a line.
[[nodiscard]] inline std::string ProcessMaps() {
  std::ifstream maps("/proc/self/maps");
  std::ostringstream text;
  text << maps.rdbuf();
  return text.str();
}

// ProcessMaps() at the start of main, before any strip was made.
inline std::string gMapsAtStart;

}  // namespace qingyou::testing
