// Tests of results and statuses, and of the family of errors the program raises.
#include "platform/Error.h"
#include "platform/Result.h"
#include "platform/registry/HiveFormat.h"
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

// A failure's kind goes with its text into every result and on from one result to the next;
// success has no kind.
TEST(Result, FailuresCarryTheirKind) {
    const struct {
        Failure failure;
        ErrorKind kind;
    } cases[] = {
        {Failure{"why"}, ErrorKind::Failed},
        {Failure::notFound("why"), ErrorKind::NotFound},
        {Failure::refused("why"), ErrorKind::Refused},
        {Failure::damaged("why"), ErrorKind::Damaged},
    };
    for (const auto& c : cases) {
        const Result<std::string> value(c.failure);
        const Result<std::unique_ptr<Base>> pointer(c.failure);
        const Status status(c.failure);
        EXPECT_EQ(value.kind(), c.kind);
        EXPECT_EQ(pointer.kind(), c.kind);
        EXPECT_EQ(status.kind(), c.kind);
        EXPECT_FALSE(status);
        const Status passedOn = pointer.failure();
        EXPECT_EQ(passedOn.kind(), c.kind);
        EXPECT_EQ(passedOn.error(), "why");
    }
    EXPECT_EQ(Result<std::string>(std::string()).kind(), std::nullopt);
    EXPECT_EQ(open(true).kind(), std::nullopt);
    EXPECT_EQ(Status().kind(), std::nullopt);
}

// The hive parser's failure is the failure of the line, not a reason kept for later.
TEST(Result, AHiveThatDoesNotParseIsDamaged) {
    const auto hive = parseHive("WINE REGISTRY Version 2\n[K]\n\"v\"=dword:\n");
    EXPECT_EQ(hive.kind(), ErrorKind::Damaged);
    EXPECT_EQ(hive.error(), "line 3: a malformed dword value");
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
