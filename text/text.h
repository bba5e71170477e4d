#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "text/allocator.h"

namespace qingyou {

using RuntimeString = std::basic_string<char, std::char_traits<char>, RuntimeAllocator<char>>;

// Bytes in the local code page (GBK). Never holds a NUL: every constructor
// ends the text at the first NUL of its input. Empty and absent are one value.
class Text {
 public:
  Text() = default;
  // The bytes of a C string up to its NUL. Meant for ASCII literals; texts in
  // other scripts come from Utf8ToGbk (text/codepage.h) or from GBK bytes.
  Text(const char* bytes);  // NOLINT(google-explicit-constructor)
  // `bytes` up to its first NUL.
  [[nodiscard]] static Text FromBytes(std::string_view bytes);

  [[nodiscard]] std::string_view view() const noexcept { return bytes_; }
  [[nodiscard]] std::string str() const { return std::string(bytes_); }
  [[nodiscard]] const char* data() const noexcept { return bytes_.data(); }
  [[nodiscard]] std::size_t size() const noexcept { return bytes_.size(); }
  [[nodiscard]] bool empty() const noexcept { return bytes_.empty(); }

  friend bool operator==(const Text& a, const Text& b) noexcept { return a.bytes_ == b.bytes_; }

 private:
  friend class TextBuilder;
  RuntimeString bytes_;
};

// Builds a Text piece by piece; appended bytes are cut at their first NUL.
class TextBuilder {
 public:
  void Reserve(std::size_t bytes) { text_.bytes_.reserve(bytes); }
  TextBuilder& Append(std::string_view bytes);
  TextBuilder& Append(const char* bytes) { return Append(std::string_view(bytes)); }
  TextBuilder& Append(const Text& text) {
    text_.bytes_.append(text.view());
    return *this;
  }
  TextBuilder& Append(char byte);
  [[nodiscard]] std::size_t size() const noexcept { return text_.size(); }
  [[nodiscard]] Text Take() noexcept { return std::move(text_); }

 private:
  Text text_;
};

// Bytes of any value, NUL included. Empty and absent are one value.
class ByteString {
 public:
  ByteString() = default;
  [[nodiscard]] static ByteString FromBytes(std::string_view bytes);

  [[nodiscard]] std::string_view view() const noexcept { return bytes_; }
  [[nodiscard]] std::size_t size() const noexcept { return bytes_.size(); }
  [[nodiscard]] bool empty() const noexcept { return bytes_.empty(); }
  void Append(std::string_view bytes) { bytes_.append(bytes); }
  void Reserve(std::size_t bytes) { bytes_.reserve(bytes); }
  // Grows with zero bytes or shrinks to `bytes`.
  void Resize(std::size_t bytes) { bytes_.resize(bytes, '\0'); }
  [[nodiscard]] char* data() noexcept { return bytes_.data(); }

  friend bool operator==(const ByteString& a, const ByteString& b) noexcept {
    return a.bytes_ == b.bytes_;
  }

 private:
  RuntimeString bytes_;
};

// An ordered list of texts addressed 1 to Count.
class TextArray {
 public:
  using Storage = std::vector<Text, RuntimeAllocator<Text>>;

  TextArray() = default;
  TextArray(std::initializer_list<Text> items) : items_(items) {}

  [[nodiscard]] Storage::const_iterator begin() const noexcept { return items_.begin(); }
  [[nodiscard]] Storage::const_iterator end() const noexcept { return items_.end(); }
  [[nodiscard]] std::size_t size() const noexcept { return items_.size(); }

  friend bool operator==(const TextArray& a, const TextArray& b) noexcept {
    return a.items_ == b.items_;
  }

 private:
  friend int Count(const TextArray& array) noexcept;
  friend const Text& At(const TextArray& array, int index) noexcept;
  friend void Append(TextArray& array, Text text);
  friend void RemoveFirst(TextArray& array) noexcept;
  friend void Clear(TextArray& array) noexcept;
  Storage items_;
};

// Number of elements.
[[nodiscard]] int Count(const TextArray& array) noexcept;
// Element `index` (1-based). Below 1: run-time error 4; above Count: error 1.
[[nodiscard]] const Text& At(const TextArray& array, int index) noexcept;
// Adds `text` as element Count + 1.
void Append(TextArray& array, Text text);
// Removes element 1; nothing on an empty array.
void RemoveFirst(TextArray& array) noexcept;
// Removes every element.
void Clear(TextArray& array) noexcept;

// Byte `index` (1-based) as 0 to 255. Below 1: run-time error 4; above the
// length: error 1.
[[nodiscard]] int At(const ByteString& bytes, int index) noexcept;

}  // namespace qingyou
