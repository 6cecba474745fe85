#include "platform/Platform.h"

#include <gtest/gtest.h>

TEST(PlatformContext, StartsEmptySoTestsFillOnlyWhatTheyNeed) {
    dm::platform::Platform p;
    EXPECT_EQ(p.registry, nullptr);
    EXPECT_EQ(p.wmi, nullptr);
}
