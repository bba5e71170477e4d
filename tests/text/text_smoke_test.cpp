#include <gtest/gtest.h>

#include "text/textops.h"

namespace qingyou {
namespace {

TEST(TextSmoke, FindsAfterTwoByteCharacter) {
  EXPECT_EQ(TextFind("\xD6\xD0" "ab", "ab"), 3);
}

}  // namespace
}  // namespace qingyou
