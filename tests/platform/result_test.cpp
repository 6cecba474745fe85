#include "platform/Error.h"
#include "platform/Result.h"
#include "platform/registry/RegistryError.h"
#include "platform/wmi/Variant.h"
#include "platform/wmi/WmiError.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <type_traits>

namespace dm::platform {
namespace {

struct Base {
    virtual ~Base() = default;
    virtual int id() const { return 1; }
};
struct Derived : Base {
    int id() const override { return 2; }
};

Result<std::unique_ptr<Base>> open(bool ok) {
    if (!ok)
        return Failure{"cannot open"};
    return std::make_unique<Derived>();
}

TEST(Result, AnOwningPointerResultIsUsedLikeThePointer) {
    auto opened = open(true);
    ASSERT_TRUE(opened);
    EXPECT_EQ(opened->id(), 2);
    EXPECT_EQ((*opened).id(), 2);
    EXPECT_TRUE(opened.error().empty());
    std::unique_ptr<Base> owned = std::move(opened);
    EXPECT_EQ(owned->id(), 2);
    EXPECT_FALSE(opened);

    const auto failed = open(false);
    EXPECT_FALSE(failed);
    EXPECT_EQ(failed.get(), nullptr);
    EXPECT_EQ(failed.error(), "cannot open");
}

TEST(Result, ValuesAndStatusesCarryTheirErrorText) {
    const Result<std::string> value(std::string("text"));
    EXPECT_TRUE(value);
    EXPECT_EQ(*value, "text");
    const Result<std::string> failedValue(Failure{"why"});
    EXPECT_FALSE(failedValue);
    EXPECT_EQ(failedValue.error(), "why");
    EXPECT_TRUE(Status());
    EXPECT_EQ(Status(Failure{"why"}).error(), "why");
}

// Every kind the program raises is one of the family, keeps its message, and is still caught by
// a handler of std::exception.
TEST(Error, EveryRaisedKindIsAnErrorWithItsMessage) {
    const std::function<void()> raises[] = {
        [] { throw FileError("file"); },
        [] { throw RegistryError("file"); },
        [] { throw WmiError(wbem::E_FAILED, "file"); },
        [] { throw VariantConversionError("file"); },
    };
    for (const auto& raise : raises) {
        try {
            raise();
            ADD_FAILURE() << "nothing raised";
        } catch (const Error& error) {
            EXPECT_STREQ(error.what(), "file");
        }
    }
    static_assert(std::is_base_of_v<std::runtime_error, Error>);
}

} // namespace
} // namespace dm::platform
