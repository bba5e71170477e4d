#include "text/runtimeerror.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstddef>
#include <cstdio>
#include <limits>
#include <stdexcept>
#include <string>
#include <string_view>

#include "tests/text/testsupport.h"
#include "text/allocator.h"

namespace qingyou {
namespace {

using namespace std::string_view_literals;

// The text as an anchored POSIX regular expression that matches it literally.
std::string Literally(std::string_view text) {
  std::string re = "^";
  for (const char c : text) {
    if (std::string_view(".[]()*+?{}|^$\\").find(c) != std::string_view::npos) re += '\\';
    re += c;
  }
  return re + "$";
}

std::string Hex(std::string_view bytes) {
  std::string out;
  for (const char c : bytes) {
    char digits[3];
    std::snprintf(digits, sizeof digits, "%02X", static_cast<unsigned char>(c));
    out += digits;
  }
  return out;
}

// A reporter that shows exactly which bytes it was handed.
void HexReporter(const Text& message) {
  std::fprintf(stderr, "reported:%s\n", Hex(message.view()).c_str());
}

constexpr const char* kBelowOne = "数组成员引用下标必须大于等于1";
constexpr const char* kAboveCount = "数组成员引用下标超出定义范围";

TEST(RuntimeErrorText, BuildsCodeLineOnlyForNonZeroCodeAndMessageLineOnlyForAMessage) {
  struct Case {
    int code;
    const char* message;
    const char* expected;
  };
  const Case cases[] = {
      {0, "", "运行时出错!\r\n\r\n"},
      {4, "", "运行时出错!\r\n\r\n错误代码：4\r\n\r\n"},
      {0, "分配 16 字节内存失败!", "运行时出错!\r\n\r\n错误信息：分配 16 字节内存失败!\r\n"},
      {1, kAboveCount,
       "运行时出错!\r\n\r\n错误代码：1\r\n\r\n错误信息：数组成员引用下标超出定义范围\r\n"},
      {-3, "x", "运行时出错!\r\n\r\n错误代码：-3\r\n\r\n错误信息：x\r\n"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(RuntimeErrorText(c.code, Gbk(c.message)), Gbk(c.expected))
        << c.code << " " << c.message;
  }
}

TEST(RuntimeErrorReporter, SettingReturnsThePreviousAndNullRestoresTheDefault) {
  const RuntimeErrorReporter original = SetRuntimeErrorReporter(&HexReporter);
  EXPECT_EQ(SetRuntimeErrorReporter(nullptr), &HexReporter);
  const RuntimeErrorReporter fallback = SetRuntimeErrorReporter(original);
  EXPECT_NE(fallback, nullptr);
  EXPECT_NE(fallback, &HexReporter);
  EXPECT_EQ(fallback, original) << "the default is what a fresh process starts with";
}

struct IndexCase {
  const char* name;
  int index;
  int code;
  const char* message;
};

// Over a collection of two elements.
constexpr IndexCase kIndexCases[] = {
    {"index 0", 0, 4, kBelowOne},         {"negative index", -1, 4, kBelowOne},
    {"INT_MIN", INT_MIN, 4, kBelowOne},   {"Count + 1", 3, 1, kAboveCount},
    {"INT_MAX", INT_MAX, 1, kAboveCount},
};

std::string ExpectedStandardError(int code, const char* message) {
  return "运行时出错!\r\n\r\n错误代码：" + std::to_string(code) + "\r\n\r\n错误信息：" + message +
         "\r\n";
}

TEST(RuntimeErrorDeathTest, TextArrayAtOutsideOneToCountEndsTheProcess) {
  const TextArray array{"a", "b"};
  for (const IndexCase& c : kIndexCases) {
    EXPECT_EXIT((void)At(array, c.index), testing::ExitedWithCode(255),
                Literally(ExpectedStandardError(c.code, c.message)))
        << c.name;
  }
  EXPECT_EXIT((void)At(TextArray(), 1), testing::ExitedWithCode(255),
              Literally(ExpectedStandardError(1, kAboveCount)))
      << "an empty array has no element 1";
}

TEST(RuntimeErrorDeathTest, ByteStringAtOutsideOneToCountEndsTheProcess) {
  const ByteString bytes = Bytes("\0\xFF"sv);
  for (const IndexCase& c : kIndexCases) {
    EXPECT_EXIT((void)At(bytes, c.index), testing::ExitedWithCode(255),
                Literally(ExpectedStandardError(c.code, c.message)))
        << c.name;
  }
}

TEST(RuntimeErrorDeathTest, ReporterReceivesTheGbkText) {
  const std::string expected =
      Hex(Gbk("运行时出错!\r\n\r\n错误代码：4\r\n\r\n错误信息：数组成员引用下标必须大于等于1\r\n")
              .view());
  EXPECT_EXIT(
      {
        SetRuntimeErrorReporter(&HexReporter);
        (void)At(TextArray(), 0);
      },
      testing::ExitedWithCode(255), "^reported:" + expected + "\n$");

  const std::string custom =
      Hex(Gbk("运行时出错!\r\n\r\n错误代码：7\r\n\r\n错误信息：自定义\r\n").view());
  EXPECT_EXIT(
      {
        SetRuntimeErrorReporter(&HexReporter);
        RaiseRuntimeError(7, Gbk("自定义"));
      },
      testing::ExitedWithCode(255), "^reported:" + custom + "\n$");
}

TEST(RuntimeErrorDeathTest, MemoryThatCannotBeHadNamesTheBytesAskedFor) {
  constexpr std::size_t kHuge = std::size_t{1} << 62;
  EXPECT_EXIT((void)RuntimeAllocator<char>{}.allocate(kHuge), testing::ExitedWithCode(255),
              "运行时出错!\r\n\r\n错误信息：分配 4611686018427387904 字节内存失败!\r\n$");
  // n * sizeof(T) overflows size_t: the request must fail, not wrap to a
  // small block.
  constexpr std::size_t kWraps = std::numeric_limits<std::size_t>::max() / 2;
  EXPECT_EXIT((void)RuntimeAllocator<Text>{}.allocate(kWraps), testing::ExitedWithCode(255),
              "错误信息：分配 18446744073709551615 字节内存失败!\r\n$");
}

TEST(RuntimeErrorDeathTest, ThrowingReporterStillEndsWithTheRunTimeExitCode) {
  EXPECT_EXIT(
      {
        SetRuntimeErrorReporter([](const Text&) { throw std::runtime_error("box failed"); });
        (void)At(TextArray(), 0);
      },
      testing::ExitedWithCode(255), "");
}

TEST(RuntimeErrorDeathTest, ErrorWhileReportingEndsWithoutASecondReport) {
  EXPECT_EXIT(
      {
        SetRuntimeErrorReporter([](const Text&) {
          std::fputs("first report\n", stderr);
          (void)At(TextArray(), 1);
        });
        (void)At(TextArray(), 0);
      },
      testing::ExitedWithCode(255), "^first report\n运行时出错!\n$");
}

}  // namespace
}  // namespace qingyou
