// Tests of local WMI: connection, queries, enumeration and failures.
#include "platform/wmi/LocalWmi.h"

#include <gtest/gtest.h>

namespace dm::platform {
namespace {

std::shared_ptr<const WmiRepository> makeRepository() {
    auto repository = std::make_shared<WmiRepository>();
    repository->addClass("Win32_Thing", {"Name", "Size"});
    repository->addInstance("Win32_Thing", {Variant::fromText("one"), Variant::fromInt(1)});
    repository->addInstance("win32_thing", {Variant::fromText("two")});
    return repository;
}

std::uint32_t failureCode(const std::function<void()>& call) {
    try {
        call();
    } catch (const WmiError& e) {
        return e.code();
    }
    return 0;
}

TEST(LocalWmi, ConnectsOnlyToTheLocalCimv2NamespaceWithTheCallersIdentity) {
    LocalWmiLocator locator(makeRepository);
    EXPECT_TRUE(locator.ConnectServer("localhost", "root\\CIMV2", "", ""));
    EXPECT_TRUE(locator.ConnectServer("LocalHost", "ROOT\\cimv2", "", ""));
    EXPECT_EQ(failureCode([&] { locator.ConnectServer("server", "root\\CIMV2", "", ""); }),
              wbem::E_SERVER_UNAVAILABLE);
    EXPECT_EQ(failureCode([&] { locator.ConnectServer("localhost", "root\\WMI", "", ""); }),
              wbem::E_INVALID_NAMESPACE);
    EXPECT_EQ(failureCode([&] { locator.ConnectServer("localhost", "root\\CIMV2", "me", "pw"); }),
              wbem::E_LOCAL_CREDENTIALS);
}

TEST(LocalWmi, ConnectionFailsWhenTheSourceHasNothing) {
    LocalWmiLocator locator([] { return nullptr; });
    EXPECT_EQ(failureCode([&] { locator.ConnectServer("localhost", "root\\CIMV2", "", ""); }),
              wbem::E_FAILED);
}

TEST(LocalWmi, AnswersSelectAllInWqlAndEnumeratesInstancesAndProperties) {
    LocalWmiLocator locator(makeRepository);
    auto services = locator.ConnectServer("localhost", "root\\CIMV2", "", "");
    auto instances = services->ExecQuery("select  *  from WIN32_THING", "WQL", 48)->NewEnum();
    WmiObjectRef object;
    ASSERT_EQ(instances->Next(object), WmiFetch::Item);
    auto properties = object->Properties_().NewEnum();
    WmiProperty property;
    ASSERT_EQ(properties->Next(property), WmiFetch::Item);
    EXPECT_EQ(property.Name, "Name");
    EXPECT_EQ(property.Value, Variant::fromText("one"));
    ASSERT_EQ(properties->Next(property), WmiFetch::Item);
    EXPECT_EQ(property.Name, "Size");
    EXPECT_EQ(properties->Next(property), WmiFetch::End);
    ASSERT_EQ(instances->Next(object), WmiFetch::Item);
    EXPECT_EQ(object->Properties_().Item("name").Value, Variant::fromText("two"));
    EXPECT_TRUE(object->Properties_().Item("SIZE").Value.isNull());
    EXPECT_EQ(failureCode([&] { object->Properties_().Item("Colour"); }), wbem::E_NOT_FOUND);
    EXPECT_EQ(instances->Next(object), WmiFetch::End);
}

TEST(LocalWmi, FailsOtherQueriesAndUnknownClassesAsWmiDoes) {
    LocalWmiLocator locator(makeRepository);
    auto services = locator.ConnectServer("localhost", "root\\CIMV2", "", "");
    EXPECT_EQ(failureCode([&] { services->ExecQuery("SELECT Name FROM Win32_Thing", "WQL", 48); }),
              wbem::E_INVALID_QUERY);
    EXPECT_EQ(failureCode([&] { services->ExecQuery("SELECT * FROM", "WQL", 48); }),
              wbem::E_INVALID_QUERY);
    EXPECT_EQ(failureCode([&] { services->ExecQuery("SELECT * FROM Win32_Thing", "SQL", 48); }),
              wbem::E_INVALID_QUERY_TYPE);
    EXPECT_EQ(failureCode([&] { services->ExecQuery("SELECT * FROM Win32_Nothing", "WQL", 48); }),
              wbem::E_INVALID_CLASS);
    EXPECT_EQ(failureCode([&] { services->Get("Win32_Nothing", 0, Variant()); }),
              wbem::E_NOT_FOUND);
    const WmiObjectRef definition = services->Get("Win32_Thing", 0, Variant());
    EXPECT_TRUE(definition->Properties_().Item("Size").Value.isNull());
}

} // namespace
} // namespace dm::platform
