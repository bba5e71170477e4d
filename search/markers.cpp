#include "search/markers.h"

#include "text/textops.h"

namespace qingyou {

Text SongLinkStart(const SongSite& site) {
  return TextConcat(Text("<td class=\"ser_list_name\"><a href=\""), SongPageBaseUrl(site));
}

Text SongLinkEnd() {
  return ".html\" title=\"";
}

Text TitleEnd() {
  return "\" target=\"_blank\">";
}

}  // namespace qingyou
