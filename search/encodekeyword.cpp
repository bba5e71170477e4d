#include "search/encodekeyword.h"

#include <iconv.h>

#include <cstddef>
#include <string>

#include "text/iconvhandle.h"
#include "text/textops.h"

namespace qingyou {

namespace {

// The keyword's UTF-8 form, or empty when any part of it is not GBK. GBK
// rather than GB 2312: the keyword box holds GBK text, and traditional forms
// such as 華 would otherwise throw away the whole keyword.
std::string KeywordToUtf8(std::string_view gbk) {
  std::string utf8;
  if (gbk.empty()) return utf8;
  IconvHandle converter("UTF-8", "GBK");
  if (!converter.valid()) return utf8;
  // Three UTF-8 bytes per GBK byte: the one-byte euro sign 0x80 takes three.
  utf8.resize(gbk.size() * 3);
  char* in = const_cast<char*>(gbk.data());
  std::size_t inLeft = gbk.size();
  char* out = utf8.data();
  std::size_t outLeft = utf8.size();
  // One call over the whole keyword: an invalid byte (EILSEQ) or a lead byte
  // at the very end (EINVAL) fails it, and nothing partial is kept.
  if (iconv(converter.get(), &in, &inLeft, &out, &outLeft) == static_cast<std::size_t>(-1) ||
      inLeft != 0) {
    return {};
  }
  utf8.resize(utf8.size() - outLeft);
  return utf8;
}

}  // namespace

Text EncodeKeyword(const Text& keyword) {
  const std::string utf8 = KeywordToUtf8(keyword.view());
  TextBuilder encoded;
  encoded.Reserve(utf8.size() * 3);
  for (const char byte : utf8) {
    encoded.Append('%');
    encoded.Append(IntToHexText(static_cast<unsigned char>(byte)));
  }
  return encoded.Take();
}

}  // namespace qingyou
