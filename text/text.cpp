#include "text/text.h"

#include <cstring>

#include "text/runtimeerror.h"

namespace qingyou {

namespace {
std::string_view UpToNul(std::string_view bytes) noexcept {
  const auto nul = bytes.find('\0');
  return nul == std::string_view::npos ? bytes : bytes.substr(0, nul);
}
}  // namespace

Text::Text(const char* bytes) {
  if (bytes != nullptr) bytes_.assign(bytes, std::strlen(bytes));
}

Text Text::FromBytes(std::string_view bytes) {
  Text text;
  text.bytes_.assign(UpToNul(bytes));
  return text;
}

TextBuilder& TextBuilder::Append(std::string_view bytes) {
  text_.bytes_.append(UpToNul(bytes));
  return *this;
}

TextBuilder& TextBuilder::Append(char byte) {
  if (byte != '\0') text_.bytes_.push_back(byte);
  return *this;
}

ByteString ByteString::FromBytes(std::string_view bytes) {
  ByteString result;
  result.bytes_.assign(bytes);
  return result;
}

int Count(const TextArray& array) noexcept {
  return static_cast<int>(array.items_.size());
}

const Text& At(const TextArray& array, int index) noexcept {
  if (index < 1) RaiseRuntimeError(kErrorIndexBelowOne, kMessageIndexBelowOne);
  if (index > Count(array)) RaiseRuntimeError(kErrorIndexAboveCount, kMessageIndexAboveCount);
  return array.items_[static_cast<std::size_t>(index - 1)];
}

void Append(TextArray& array, Text text) {
  array.items_.push_back(std::move(text));
}

void RemoveFirst(TextArray& array) noexcept {
  if (!array.items_.empty()) array.items_.erase(array.items_.begin());
}

void Clear(TextArray& array) noexcept {
  array.items_.clear();
}

int At(const ByteString& bytes, int index) noexcept {
  if (index < 1) RaiseRuntimeError(kErrorIndexBelowOne, kMessageIndexBelowOne);
  if (static_cast<std::size_t>(index) > bytes.size()) {
    RaiseRuntimeError(kErrorIndexAboveCount, kMessageIndexAboveCount);
  }
  return static_cast<unsigned char>(bytes.view()[static_cast<std::size_t>(index - 1)]);
}

}  // namespace qingyou
