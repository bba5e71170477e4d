#include "playback/onresultdoubleclicked.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "playback/displaymode.h"
#include "text/codepage.h"

namespace qingyou {
namespace {

// The result list reduced to what the handler reads.
class FakeList : public ResultList {
 public:
  FakeList(std::vector<int> values, int current) : values_(std::move(values)), current_(current) {}
  void ClearItems() override { values_.clear(); }
  int AddItem(const Text& /*display*/, int value) override {
    values_.push_back(value);
    return static_cast<int>(values_.size()) - 1;
  }
  int GetItemValue(int index) const override {
    return index < 0 || index >= static_cast<int>(values_.size())
               ? -1
               : values_[static_cast<std::size_t>(index)];
  }
  int CurrentIndex() const override { return current_; }

 private:
  std::vector<int> values_;
  int current_;
};

// Records every call, in order, as the shell would see it.
class FakeWindows : public PlayerWindows {
 public:
  bool canCreate = true;
  std::vector<std::string> calls;
  bool open[2] = {false, false};

  bool Open(PlayerWindowKind kind) override {
    calls.push_back(std::string("open ") + Name(kind));
    if (canCreate) open[Slot(kind)] = true;
    return canCreate;
  }
  bool SetStripAddress(PlayerWindowKind kind, const Text& url) override {
    if (!open[Slot(kind)]) return false;
    calls.push_back(std::string("address ") + Name(kind) + " " + url.str());
    return true;
  }

 private:
  static int Slot(PlayerWindowKind kind) { return kind == PlayerWindowKind::Windowed ? 0 : 1; }
  static const char* Name(PlayerWindowKind kind) {
    return kind == PlayerWindowKind::Windowed ? "windowed" : "floating";
  }
};

class OnResultDoubleClickedTest : public testing::Test {
 protected:
  void TearDown() override { SetDisplayMode(Windowed); }
  const SongSite site{"http://127.0.0.1:9"};
};

TEST_F(OnResultDoubleClickedTest, OpensWindowOfTheModeThenPointsItsStripAtThePlayerPage) {
  struct Case {
    const char* name;
    int mode;
    std::vector<int> values;
    int current;
    std::vector<std::string> calls;
  };
  const std::string player = "http://127.0.0.1:9/player.swf?songtype=fc&songid=";
  const Case cases[] = {
      {"windowed", Windowed, {2345678, 91}, 0,
       {"open windowed", "address windowed " + player + "2345678"}},
      {"floating", Floating, {2345678, 91}, 1,
       {"open floating", "address floating " + player + "91"}},
      {"any non-zero mode is floating", 7, {5}, 0,
       {"open floating", "address floating " + player + "5"}},
      {"negative value keeps its sign", Windowed, {-2147483647 - 1}, 0,
       {"open windowed", "address windowed " + player + "-2147483648"}},
      {"zero value", Windowed, {0}, 0, {"open windowed", "address windowed " + player + "0"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SetDisplayMode(c.mode);
    FakeList list(c.values, c.current);
    FakeWindows windows;
    OnResultDoubleClicked(list, windows, site);
    EXPECT_EQ(windows.calls, c.calls);
  }
}

TEST_F(OnResultDoubleClickedTest, NoCurrentLineOpensNothingAndRequestsNothing) {
  FakeList empty({}, -1);
  FakeList unselected({1234567}, -1);
  for (FakeList* list : {&empty, &unselected}) {
    FakeWindows windows;
    OnResultDoubleClicked(*list, windows, site);
    EXPECT_TRUE(windows.calls.empty());
  }
}

TEST_F(OnResultDoubleClickedTest, ModeIsReadAtEachDoubleClick) {
  FakeList list({11, 22}, 0);
  FakeWindows windows;
  OnResultDoubleClicked(list, windows, site);
  SetDisplayMode(Floating);
  OnResultDoubleClicked(list, windows, site);
  ASSERT_EQ(windows.calls.size(), 4u);
  EXPECT_EQ(windows.calls[0], "open windowed");
  EXPECT_EQ(windows.calls[2], "open floating");
}

TEST_F(OnResultDoubleClickedTest, WindowThatCannotBeCreatedIsFatalRuntimeError) {
  FakeList list({1234567}, 0);
  FakeWindows windows;
  windows.canCreate = false;
  // The default reporter prints the message as UTF-8 on standard error.
  EXPECT_EXIT(OnResultDoubleClicked(list, windows, site), testing::ExitedWithCode(255),
              "运行时出错!\r\n\r\n错误信息：指定窗口尚未载入\r\n");
}

}  // namespace
}  // namespace qingyou
