#pragma once

#include "text/text.h"

namespace qingyou {

// Where the song site is: scheme, host and port, as "http://127.0.0.1:18765"
// (no trailing slash). The fixed paths and query keys are added here.
struct SongSite {
  Text origin;
};

// The site baked in at build time (CMake cache values QINGYOU_SITE_*).
[[nodiscard]] const SongSite& DefaultSongSite();

// origin + "/sfc.aspx?key="
[[nodiscard]] Text SearchBaseUrl(const SongSite& site);
// origin + "/"
[[nodiscard]] Text SongPageBaseUrl(const SongSite& site);
// origin + "/player.swf?songtype=fc&songid="
[[nodiscard]] Text PlayerBaseUrl(const SongSite& site);

}  // namespace qingyou
