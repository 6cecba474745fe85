#include "platform/fakes/FakeRegistry.h"

namespace dm::platform {

namespace {

class MemoryHiveStore : public HiveStore {
public:
    Result<const Hive*> read(RegistryRoot root) override { return &hives_[Index(root)]; }

    Status modify(RegistryRoot root, const std::function<bool(Hive&)>& change) override {
        if (writesFail_)
            return Failure{"writes are switched off"};
        // Work on a copy so that a refused change leaves nothing behind.
        Hive copy = copyHive(hives_[Index(root)]);
        if (!change(copy))
            return Failure{"the change was refused"};
        hives_[Index(root)] = std::move(copy);
        return {};
    }

    bool writesFail_ = false;

private:
    static int Index(RegistryRoot root) { return root == RegistryRoot::CurrentUser ? 0 : 1; }

    static void copyKey(const HiveKey& from, HiveKey& to) {
        to.name = from.name;
        to.stamp = from.stamp;
        to.meta = from.meta;
        for (const HiveValue& value : from.values())
            to.setValue(value.name, value.value);
        for (const auto& sub : from.subKeys())
            copyKey(*sub, to.subKey(sub->name));
    }

    static Hive copyHive(const Hive& hive) {
        Hive copy;
        copy.header = hive.header;
        copyKey(hive.root, copy.root);
        return copy;
    }

    Hive hives_[2];
};

} // namespace

FakeRegistry::FakeRegistry() : HiveRegistry(std::make_unique<MemoryHiveStore>()) {}

void FakeRegistry::setWritesFail(bool fail) {
    static_cast<MemoryHiveStore&>(store()).writesFail_ = fail;
}

} // namespace dm::platform
