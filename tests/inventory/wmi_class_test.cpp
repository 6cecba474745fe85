// Tests of the WMI class reader: loading, rows, names ignoring case, nulls and failures.
#include "inventory/WmiClass.h"
#include "inventory/WmiConverters.h"
#include "platform/wmi/LocalWmi.h"

#include <gtest/gtest.h>

namespace dm {
namespace {

using platform::Variant;

// A typed record over any class, with the usual selection rule.
class Things final : public WmiClass {
public:
    Things(platform::WmiLocator& locator, std::string className)
        : WmiClass(locator, "root\\CIMV2", std::move(className)) {}

    void SetCollectionIndex(int index) override {
        if (index < 0 || index > rowCount() - 1 || index == CurrentIndex())
            return;
        setCurrentIndex(index);
        Name = VarToStrDef(GetPropValue("name"));
        Size = VarToInt64Def(GetPropValue("SIZE"));
        When = WmiDateTimeToDateTime(GetPropValue("When"));
    }

    std::string Name;
    std::int64_t Size = 0;
    DateTime When = 0;
};

std::shared_ptr<platform::WmiRepository> makeRepository() {
    auto r = std::make_shared<platform::WmiRepository>();
    r->addClass("Win32_Thing", {"Name", "Size", "When"});
    r->addInstance("Win32_Thing", {Variant::fromText("one"), Variant::fromText("5000000000")});
    r->addInstance("Win32_Thing", {Variant::fromText("two"), Variant::fromInt(7)});
    r->addInstance("Win32_Thing", {Variant(), Variant()});
    r->addClass("Win32_Empty", {"Name"});
    return r;
}

class WmiClassTest : public ::testing::Test {
protected:
    std::shared_ptr<platform::WmiRepository> repository = makeRepository();
    int connections = 0;
    platform::LocalWmiLocator locator{[this] {
        ++connections;
        return repository;
    }};
};

TEST_F(WmiClassTest, LoadsEveryInstanceAndSelectsTheFirst) {
    Things things(locator, "Win32_Thing");
    EXPECT_EQ(things.GetCount(), -1);
    EXPECT_EQ(things.CurrentIndex(), -1);
    ASSERT_TRUE(things.LoadInstances());
    EXPECT_TRUE(things.Loaded());
    EXPECT_EQ(things.GetCount(), 3);
    EXPECT_EQ(things.CurrentIndex(), 0);
    EXPECT_EQ(things.Name, "one");
    EXPECT_EQ(things.Size, 5000000000);
    EXPECT_EQ(things.Names(), (std::vector<std::string>{"Name", "Size", "When"}));
}

TEST_F(WmiClassTest, LooksPropertiesUpIgnoringCaseAndGivesNullForUnknownOnes) {
    Things things(locator, "Win32_Thing");
    things.LoadInstances();
    EXPECT_EQ(things.GetPropValue("NAME"), Variant::fromText("one"));
    EXPECT_EQ(things.GetPropValueAt("size", 1), Variant::fromInt(7));
    EXPECT_TRUE(things.GetPropValue("Colour").isNull());
    EXPECT_EQ(VarToStrDef(things.GetPropValue("Colour")), "");
}

TEST_F(WmiClassTest, NullValuesGiveTheDefaults) {
    Things things(locator, "Win32_Thing");
    things.LoadInstances();
    things.SetCollectionIndex(2);
    EXPECT_EQ(things.Name, "");
    EXPECT_EQ(things.Size, 0);
    EXPECT_EQ(things.When, 0.0);
}

TEST_F(WmiClassTest, AFailedLoadCountsMinusOne) {
    Things unknown(locator, "Win32_Nothing");
    EXPECT_FALSE(unknown.LoadInstances());
    EXPECT_EQ(unknown.GetCount(), -1);
    EXPECT_EQ(unknown.CurrentIndex(), -1);
    EXPECT_EQ(unknown.FindInstance("Name", Variant::fromText("one")), -1);

    platform::LocalWmiLocator noData([] { return nullptr; });
    Things nothing(noData, "Win32_Thing");
    EXPECT_FALSE(nothing.LoadInstances());
    EXPECT_EQ(nothing.GetCount(), -1);
}

TEST_F(WmiClassTest, AClassWithoutInstancesLoadsWithNoRows) {
    Things empty(locator, "Win32_Empty");
    EXPECT_TRUE(empty.LoadInstances());
    EXPECT_EQ(empty.GetCount(), 0);
    EXPECT_EQ(empty.CurrentIndex(), -1);
    EXPECT_EQ(empty.Name, "");
    EXPECT_THROW(empty.GetPropValue("Name"), std::out_of_range);
}

TEST_F(WmiClassTest, RowBoundsAreChecked) {
    Things things(locator, "Win32_Thing");
    things.LoadInstances();
    EXPECT_THROW(things.GetPropValueAt("Name", 3), std::out_of_range);
    EXPECT_THROW(things.GetPropValueAt("Name", -1), std::out_of_range);
    things.ClearRows();
    EXPECT_EQ(things.CurrentIndex(), -1);
    EXPECT_EQ(things.Name, "one"); // the fields keep their values
    EXPECT_THROW(things.GetPropValue("Name"), std::out_of_range);
}

TEST_F(WmiClassTest, ReloadReusesTheConnectionAndTheNames) {
    Things things(locator, "Win32_Thing");
    things.LoadInstances();
    things.SetCollectionIndex(1);
    repository->addInstance("Win32_Thing", {Variant::fromText("four")});
    ASSERT_TRUE(things.LoadInstances());
    EXPECT_EQ(connections, 1);
    EXPECT_EQ(things.GetCount(), 4);
    EXPECT_EQ(things.CurrentIndex(), 0);
    EXPECT_EQ(things.Name, "one");
}

TEST_F(WmiClassTest, FindInstanceUsesVariantEquality) {
    Things things(locator, "Win32_Thing");
    EXPECT_EQ(things.FindInstance("Name", Variant::fromText("two")), -1); // nothing loaded
    things.LoadInstances();
    EXPECT_EQ(things.FindInstance("Name", Variant::fromText("two")), 1);
    EXPECT_EQ(things.FindInstance("name", Variant::fromText("TWO")), -1);
    EXPECT_EQ(things.FindInstance("Size", Variant::fromInt(5000000000)), 0);
    EXPECT_EQ(things.FindInstance("Size", Variant::fromUInt(7)), 1);
    EXPECT_EQ(things.FindInstance("Size", Variant()), 2);
    EXPECT_EQ(things.FindInstance("Colour", Variant::fromText("red")), -1);
}

TEST_F(WmiClassTest, ABadDateInTheFirstRowFailsTheLoad) {
    repository->addClass("Win32_Dated", {"Name", "When"});
    repository->addInstance(
        "Win32_Dated", {Variant::fromText("x"), Variant::fromText("20241340000000.000000+000")});
    Things dated(locator, "Win32_Dated");
    EXPECT_FALSE(dated.LoadInstances());
    EXPECT_EQ(dated.GetCount(), -1);
    EXPECT_EQ(dated.CurrentIndex(), 0);
    EXPECT_EQ(dated.Name, "x"); // fields before the failing one hold the new row
}

TEST_F(WmiClassTest, ReadsClassesWithMoreThan256Properties) {
    std::vector<std::string> names;
    std::vector<Variant> values;
    for (int i = 0; i < 300; ++i) {
        names.push_back("P" + std::to_string(i));
        values.push_back(Variant::fromInt(i));
    }
    repository->addClass("Win32_Wide", names);
    repository->addInstance("Win32_Wide", values);
    Things wide(locator, "Win32_Wide");
    ASSERT_TRUE(wide.LoadInstances());
    EXPECT_EQ(wide.GetPropValue("p299"), Variant::fromInt(299));
}

// Services whose instance enumerator hands out the given objects, then answers `last`.
class ScriptedWmi : public platform::WmiLocator, platform::WmiServices, platform::WmiObjectSet {
public:
    ScriptedWmi(std::vector<platform::WmiObjectRef> objects, platform::WmiFetch last)
        : objects_(std::move(objects)), last_(last) {}

    std::unique_ptr<platform::WmiServices>
    ConnectServer(std::string_view, std::string_view, std::string_view, std::string_view) override {
        struct Forward : platform::WmiServices {
            explicit Forward(ScriptedWmi& wmi) : wmi(wmi) {}
            std::unique_ptr<platform::WmiObjectSet> ExecQuery(std::string_view q,
                                                              std::string_view l, int f) override {
                return wmi.ExecQuery(q, l, f);
            }
            platform::WmiObjectRef Get(std::string_view p, int f, const Variant& c) override {
                return wmi.Get(p, f, c);
            }
            ScriptedWmi& wmi;
        };
        return std::make_unique<Forward>(*this);
    }
    std::unique_ptr<platform::WmiObjectSet> ExecQuery(std::string_view, std::string_view,
                                                      int) override {
        struct Set : platform::WmiObjectSet {
            explicit Set(ScriptedWmi& wmi) : wmi(wmi) {}
            std::unique_ptr<platform::WmiEnumerator<platform::WmiObjectRef>> NewEnum() override {
                return wmi.NewEnum();
            }
            ScriptedWmi& wmi;
        };
        return std::make_unique<Set>(*this);
    }
    platform::WmiObjectRef Get(std::string_view, int, const Variant&) override {
        return objects_.front();
    }
    std::unique_ptr<platform::WmiEnumerator<platform::WmiObjectRef>> NewEnum() override {
        struct Enumerator : platform::WmiEnumerator<platform::WmiObjectRef> {
            Enumerator(const ScriptedWmi& wmi) : wmi(wmi) {}
            platform::WmiFetch Next(platform::WmiObjectRef& item) override {
                if (next == wmi.objects_.size())
                    return wmi.last_;
                item = wmi.objects_[next++];
                return platform::WmiFetch::Item;
            }
            const ScriptedWmi& wmi;
            std::size_t next = 0;
        };
        return std::make_unique<Enumerator>(*this);
    }

private:
    std::vector<platform::WmiObjectRef> objects_;
    platform::WmiFetch last_;
};

TEST_F(WmiClassTest, AnEnumeratorErrorEndsTheInstancesWithoutFailingTheLoad) {
    const auto& instances = repository->find("Win32_Thing")->instances;
    ScriptedWmi wmi({instances[0], instances[1]}, platform::WmiFetch::Failed);
    Things things(wmi, "Win32_Thing");
    EXPECT_TRUE(things.LoadInstances());
    EXPECT_EQ(things.GetCount(), 2);
}

TEST_F(WmiClassTest, ALaterInstanceWithoutAPropertyFailsTheLoadAndKeepsEarlierRows) {
    auto other = std::make_shared<platform::WmiRepository>();
    other->addClass("Win32_Other", {"Name"});
    other->addInstance("Win32_Other", {Variant::fromText("odd")});
    const auto& instances = repository->find("Win32_Thing")->instances;
    ScriptedWmi wmi({instances[0], other->find("Win32_Other")->instances[0], instances[1]},
                    platform::WmiFetch::End);
    Things things(wmi, "Win32_Thing");
    EXPECT_FALSE(things.LoadInstances());
    EXPECT_EQ(things.GetCount(), -1);
    EXPECT_EQ(things.CurrentIndex(), -1);
    EXPECT_EQ(things.GetPropValueAt("Name", 0),
              Variant::fromText("one")); // kept until the next load
    things.SetCollectionIndex(0); // the rows held bound the selection, whatever the load gave
    EXPECT_EQ(things.CurrentIndex(), 0);
    EXPECT_EQ(things.Size, 5000000000);
}

} // namespace
} // namespace dm
