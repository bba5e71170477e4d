#include "text/codepage.h"

#include <cerrno>

#include "text/iconvhandle.h"

namespace qingyou {

namespace {

constexpr std::string_view kReplacementUtf8 = "\xEF\xBF\xBD";

}  // namespace

Text Utf8ToGbk(std::string_view utf8) {
  if (utf8.empty()) return {};
  IconvHandle converter("GBK", "UTF-8");
  if (!converter.valid()) return {};
  // GBK never needs more bytes than UTF-8 for the same characters.
  std::string out(utf8.size(), '\0');
  char* in = const_cast<char*>(utf8.data());
  std::size_t inLeft = utf8.size();
  char* outPtr = out.data();
  std::size_t outLeft = out.size();
  if (iconv(converter.get(), &in, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1)) {
    return {};
  }
  out.resize(out.size() - outLeft);
  return Text::FromBytes(out);
}

std::string GbkToUtf8(std::string_view gbk) {
  std::string result;
  if (gbk.empty()) return result;
  IconvHandle converter("UTF-8", "GBK");
  if (!converter.valid()) return result;
  // A GBK character of one or two bytes is at most three bytes of UTF-8.
  std::string out(gbk.size() * 3 / 2 + 4, '\0');
  char* in = const_cast<char*>(gbk.data());
  std::size_t inLeft = gbk.size();
  while (inLeft > 0) {
    char* outPtr = out.data();
    std::size_t outLeft = out.size();
    const std::size_t rc = iconv(converter.get(), &in, &inLeft, &outPtr, &outLeft);
    result.append(out.data(), out.size() - outLeft);
    if (rc != static_cast<std::size_t>(-1)) break;
    if (errno == E2BIG) continue;
    // EILSEQ or EINVAL: one byte that starts no character; mark it and go on.
    result.append(kReplacementUtf8);
    ++in;
    --inLeft;
  }
  return result;
}

}  // namespace qingyou
