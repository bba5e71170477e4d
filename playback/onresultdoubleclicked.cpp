#include "playback/onresultdoubleclicked.h"

#include "playback/displaymode.h"
#include "text/codepage.h"
#include "text/runtimeerror.h"
#include "text/textops.h"

namespace qingyou {

void OnResultDoubleClicked(const ResultList& list, PlayerWindows& windows, const SongSite& site) {
  // Without a current line there is no song to play; opening a window for
  // the song -1 would only show the site's "unknown song" page.
  const int index = list.CurrentIndex();
  if (index < 0) return;

  const PlayerWindowKind kind =
      DisplayMode() == Windowed ? PlayerWindowKind::Windowed : PlayerWindowKind::Floating;
  // A window that could not be created shows up when its address is set.
  (void)windows.Open(kind);
  const Text url = TextConcat(PlayerBaseUrl(site), IntToText(list.GetItemValue(index)));
  if (!windows.SetStripAddress(kind, url)) {
    RaiseRuntimeError(0, Utf8ToGbk("指定窗口尚未载入"));
  }
}

}  // namespace qingyou
