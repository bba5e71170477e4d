#include "app/platform.h"

#include <gtest/gtest.h>

#include <vector>

namespace qingyou {
namespace {

struct Case {
  const char* name;
  const char* display;
  const char* qpaPlatform;
  std::vector<const char*> args;
  bool xcb;
};

class ShouldUseXcbTest : public ::testing::TestWithParam<Case> {};

TEST_P(ShouldUseXcbTest, Decides) {
  std::vector<const char*> argv{"qingyou"};
  argv.insert(argv.end(), GetParam().args.begin(), GetParam().args.end());
  EXPECT_EQ(ShouldUseXcb(GetParam().display, GetParam().qpaPlatform, static_cast<int>(argv.size()),
                         argv.data()),
            GetParam().xcb);
}

INSTANTIATE_TEST_SUITE_P(
    Platform, ShouldUseXcbTest,
    ::testing::Values(
        Case{"XDisplayAlone", ":0", nullptr, {}, true},
        Case{"XDisplayWithEmptyPlatformVariable", ":1", "", {}, true},
        Case{"NoDisplay", nullptr, nullptr, {}, false},
        Case{"EmptyDisplay", "", nullptr, {}, false},
        Case{"UserChoseWayland", ":0", "wayland", {}, false},
        Case{"UserChoseOffscreen", ":0", "offscreen", {}, false},
        Case{"PlatformArgument", ":0", nullptr, {"-platform", "wayland"}, false},
        Case{"DoubleDashPlatformArgument", ":0", nullptr, {"--platform", "vnc"}, false},
        Case{"OtherArgumentsDoNotCount", ":0", nullptr, {"-style", "fusion"}, true}),
    [](const ::testing::TestParamInfo<Case>& p) { return std::string(p.param.name); });

}  // namespace
}  // namespace qingyou
