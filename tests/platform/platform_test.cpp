// Tests of the platform bundle: it starts empty, so tests fill only what they need.
#include "platform/fakes/FakePlatform.h"

#include <gtest/gtest.h>

namespace dm::platform {
namespace {

TEST(FakePlatform, HandsOutItsFakesAndAServicePutInTheirPlace) {
    FakePlatform fakes;
    const Platform own = fakes.platform;
    EXPECT_EQ(&own.registry, &fakes.registry);
    EXPECT_EQ(&own.fileSystem, &fakes.files);
    EXPECT_EQ(&own.wmi, &fakes.wmi);
    EXPECT_EQ(&own.versions, &fakes.versions);

    FakeMessageBox other;
    fakes.platform.messageBox = other;
    const Platform replaced = fakes.platform;
    EXPECT_EQ(&replaced.messageBox, &other);
    EXPECT_EQ(&replaced.shell, &fakes.shell);
}

} // namespace
} // namespace dm::platform
