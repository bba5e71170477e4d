#pragma once

#include "playback/playerwindows.h"
#include "search/resultlist.h"
#include "search/songsite.h"

namespace qingyou {

// The result list's double-click handler: opens the player window of the
// current display mode and points its strip at the player page of the
// current line's song. Does nothing when no line is current. A player window
// that cannot be created is the fatal run-time error "指定窗口尚未载入".
void OnResultDoubleClicked(const ResultList& list, PlayerWindows& windows,
                           const SongSite& site = DefaultSongSite());

}  // namespace qingyou
