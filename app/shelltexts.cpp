#include "app/shelltexts.h"

#include "text/codepage.h"

namespace qingyou {

const Text& ProgramName() {
  static const Text text = Utf8ToGbk("青柚_歌曲");
  return text;
}

const Text& WindowedCaption() {
  static const Text text = Utf8ToGbk("青柚_歌曲   [窗口]");
  return text;
}

const Text& FloatingCaption() {
  static const Text text = Utf8ToGbk("青柚_歌曲   [悬浮]");
  return text;
}

const Text& ToFloatingLinkText() {
  static const Text text = Utf8ToGbk("悬浮模式");
  return text;
}

const Text& ToWindowedLinkText() {
  static const Text text = Utf8ToGbk("窗口模式");
  return text;
}

const Text& VersionNotes() {
  static const Text text = Utf8ToGbk(
      "此版本为1.1版本\r\n"
      "1、增加歌曲搜索功能\r\n"
      "2、增加列表框排序功能\r\n"
      "3、修复听着听着会卡死的问题\r\n"
      "4、增加悬浮窗口听歌功能\r\n"
      "5、歌曲可以无限循环放        V：1.1\r\n"
      "\r\n"
      "此版本是初始版本\r\n"
      "1、分析网页的音乐\r\n"
      "2、完美去网页广告\r\n"
      "3、优化内存\r\n"
      "4、修改XP风格                 V：1.0");
  return text;
}

const Text& ContactLine() {
  static const Text text = Utf8ToGbk("邮箱：q@example.com");
  return text;
}

}  // namespace qingyou
