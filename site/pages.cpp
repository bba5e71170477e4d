#include "site/pages.h"

#include "site/htmlescape.h"

namespace qingyou::site {

namespace {

constexpr std::string_view kStyle =
    "body{font:14px/1.6 sans-serif;margin:0;background:#f7faf2;color:#333}"
    "#nav{background:#5a8f29;padding:6px 16px}#nav a{color:#fff;margin-right:16px;"
    "text-decoration:none}#main{padding:8px 16px}"
    "table.ser_list{border-collapse:collapse;width:100%}"
    "table.ser_list td,table.ser_list th{border-bottom:1px solid #dde6d2;padding:4px 8px;"
    "text-align:left}";

// Head, navigation and search box shared by the ordinary pages. `key` fills
// the search box so that the user sees what was searched for.
std::string PageStart(std::string_view title, std::string_view key) {
  std::string html;
  html += "<!DOCTYPE html>\n<html lang=\"zh-CN\">\n<head>\n<meta charset=\"utf-8\">\n<title>";
  html += EscapeHtml(title);
  html += " - 青柚翻唱</title>\n<style>";
  html += kStyle;
  html +=
      "</style>\n"
      "<script>\n"
      "function checkSearch(form) {\n"
      "  if (form.key.value.length > 100) { alert('关键字太长'); return false; }\n"
      "  return true;\n"
      "}\n"
      "</script>\n"
      "</head>\n<body>\n"
      "<div id=\"nav\"><a href=\"/\">首页</a><a href=\"/sfc.aspx?key=&amp;kind=1\">全部翻唱</a>"
      "</div>\n<div id=\"main\">\n"
      "<form action=\"/sfc.aspx\" method=\"get\" onsubmit=\"return checkSearch(this)\">"
      "<input type=\"text\" name=\"key\" value=\"";
  html += EscapeHtml(key);
  html +=
      "\"><input type=\"hidden\" name=\"kind\" value=\"1\">"
      "<input type=\"submit\" value=\"搜索\"></form>\n";
  return html;
}

constexpr std::string_view kPageEnd =
    "</div>\n<div id=\"foot\">本站歌曲均为示例，旋律由本站合成。</div>\n</body>\n</html>\n";

// Control characters (a tab in the key, say) are shown as spaces: a NUL in
// the page would cut it short for a reader that stops at NUL.
std::string Printable(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (static_cast<unsigned char>(c) < 0x20 || c == '\x7F') c = ' ';
  }
  return out;
}

}  // namespace

std::string PlayerPath(int id) {
  return "/player.swf?songtype=fc&songid=" + std::to_string(id);
}

std::string AudioPath(int id) {
  return "/audio/" + std::to_string(id) + ".wav";
}

std::string ResultPage(const std::vector<const Song*>& songs, std::string_view key,
                       std::string_view songPageBaseUrl) {
  const std::string shownKey = Printable(key);
  std::string html = PageStart(shownKey.empty() ? "全部翻唱" : shownKey, shownKey);
  html += "<p class=\"ser_info\">";
  if (!shownKey.empty()) html += "搜索 “" + EscapeHtml(shownKey) + "” ：";
  html += "共 " + std::to_string(songs.size()) + " 首</p>\n";
  html +=
      "<table class=\"ser_list\">\n"
      "<tr><th>序号</th><th>歌名</th><th>歌手</th><th>试听</th></tr>\n";
  int number = 0;
  for (const Song* song : songs) {
    const std::string id = std::to_string(song->id);
    const std::string title = EscapeHtml(song->title);
    html += "<tr><td class=\"ser_list_num\">" + std::to_string(++number) + "</td>";
    html += "<td class=\"ser_list_name\"><a href=\"";
    html += songPageBaseUrl;
    html += id + ".html\" title=\"" + title + "\" target=\"_blank\">" + title + "</a></td>";
    html += "<td class=\"ser_list_singer\">" + EscapeHtml(song->singer) + "</td>";
    html += "<td class=\"ser_list_play\"><a href=\"" + EscapeHtml(PlayerPath(song->id)) +
            "\" target=\"_blank\">试听</a></td></tr>\n";
  }
  html += "</table>\n";
  if (songs.empty()) html += "<p class=\"ser_none\">没有找到相关的翻唱。</p>\n";
  html += kPageEnd;
  return html;
}

std::string SongPage(const Song& song) {
  std::string html = PageStart(song.title, "");
  html += "<h1>" + EscapeHtml(song.title) + "</h1>\n";
  html += "<p>歌手：" + EscapeHtml(song.singer) + "</p>\n";
  html += "<p><a href=\"" + EscapeHtml(PlayerPath(song.id)) + "\">播放这首歌</a></p>\n";
  html += kPageEnd;
  return html;
}

namespace {

std::string PlayerShell(std::string_view title, std::string_view body) {
  std::string html =
      "<!DOCTYPE html>\n<html lang=\"zh-CN\">\n<head>\n<meta charset=\"utf-8\">\n<title>";
  html += EscapeHtml(title);
  html +=
      "</title>\n<style>"
      "html,body{margin:0;padding:0;width:256px;height:40px;overflow:hidden;"
      "background:#eef6e4;color:#3d6b17;font:13px/40px sans-serif}"
      "#title{display:block;padding:0 8px;white-space:nowrap;overflow:hidden;"
      "text-overflow:ellipsis}"
      "</style>\n</head>\n<body>\n";
  html += body;
  html += "</body>\n</html>\n";
  return html;
}

}  // namespace

std::string PlayerPage(const Song& song) {
  const std::string title = EscapeHtml(song.title);
  std::string body =
      "<span id=\"title\">♪ " + title + " — " + EscapeHtml(song.singer) + "</span>\n";
  body += "<audio id=\"clip\" src=\"" + AudioPath(song.id) + "\" autoplay loop></audio>\n";
  // The autoplay attribute is enough where autoplay is allowed; calling play()
  // as well covers engines that only honour it from script.
  body +=
      "<script>\n"
      "var clip = document.getElementById('clip');\n"
      "var started = clip.play();\n"
      "if (started && started.catch) { started.catch(function () {}); }\n"
      "</script>\n";
  return PlayerShell(song.title, body);
}

std::string PlayerMissingPage() {
  return PlayerShell("找不到这首歌", "<span id=\"title\">找不到这首歌</span>\n");
}

std::string NotFoundPage(std::string_view what) {
  std::string html = PageStart("找不到", "");
  html += "<p>找不到" + EscapeHtml(Printable(what)) + "。</p>\n";
  html += kPageEnd;
  return html;
}

std::string HomePage() {
  std::string html = PageStart("首页", "");
  html += "<p>输入歌名或歌手，找找大家翻唱的歌。</p>\n";
  html += kPageEnd;
  return html;
}

}  // namespace qingyou::site
