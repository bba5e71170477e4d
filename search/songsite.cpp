#include "search/songsite.h"

#include "text/textops.h"

namespace qingyou {

const SongSite& DefaultSongSite() {
  static const SongSite site{TextConcat(Text(QINGYOU_SITE_SCHEME), "://", QINGYOU_SITE_HOST, ":",
                                        QINGYOU_SITE_PORT)};
  return site;
}

Text SearchBaseUrl(const SongSite& site) { return TextConcat(site.origin, "/sfc.aspx?key="); }

Text SongPageBaseUrl(const SongSite& site) { return TextConcat(site.origin, "/"); }

Text PlayerBaseUrl(const SongSite& site) {
  return TextConcat(site.origin, "/player.swf?songtype=fc&songid=");
}

}  // namespace qingyou
