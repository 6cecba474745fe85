// The registry held in memory for tests, with writes that fail on demand.
#include "platform/fakes/FakeRegistry.h"

namespace dm::platform {

namespace {

class MemoryHiveStore : public HiveStore {
public:
    Result<const Hive*> read(RegistryRoot root) override { return &hives_[slotOf(root)]; }

    // The change works on the held hive itself, so its cost is the change's and not the hive's
    // size: a change refuses before it alters anything, so a refusal leaves nothing behind.
    Status modify(RegistryRoot root, const std::function<bool(Hive&)>& change) override {
        if (writesFail_)
            return Failure{"writes are switched off"};
        if (!change(hives_[slotOf(root)]))
            return Failure::refused("the change was refused");
        return {};
    }

    bool writesFail_ = false;

private:
    static int slotOf(RegistryRoot root) { return root == RegistryRoot::CurrentUser ? 0 : 1; }

    Hive hives_[2];
};

} // namespace

FakeRegistry::FakeRegistry() : HiveRegistry(std::make_unique<MemoryHiveStore>()) {}

void FakeRegistry::setWritesFail(bool fail) {
    static_cast<MemoryHiveStore&>(store()).writesFail_ = fail;
}

} // namespace dm::platform
