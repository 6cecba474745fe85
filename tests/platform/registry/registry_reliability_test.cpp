// Hive writes from other processes: killed writers and concurrent writers.
#include "platform/process/ChildProcess.h"
#include "platform/registry/FileRegistry.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <random>
#include <thread>
#include <vector>

using namespace dm::platform;

namespace {

constexpr auto HKCU = RegistryRoot::CurrentUser;

// A value that tells whether it was stored whole: "<n>:" and then a long run of one letter that
// depends on n.
std::string content(unsigned n) {
    return std::to_string(n) + ":" + std::string(60000 + n % 1000, static_cast<char>('a' + n % 26));
}

bool isWhole(const std::string& text) {
    const std::size_t colon = text.find(':');
    if (colon == std::string::npos)
        return false;
    return text == content(static_cast<unsigned>(std::stoul(text.substr(0, colon))));
}

} // namespace

TEST(RegistryReliability, AWriterKilledAtAnyMomentLeavesTheOldOrTheNewHive) {
    dm::test::TempDir dir;
    const std::string folder = dir.path().string();
    {
        FileRegistry registry(folder);
        ASSERT_TRUE(
            registry.createKey(HKCU, "K", RegistryAccess::Full)->writeString("v", content(0)));
    }
    std::mt19937 random(12345);
    unsigned last = 0;
    for (int round = 0; round < 50; ++round) {
        // The child reports its first stored write, so every round gets past one write and is
        // then killed at a random moment of the writes that follow.
        ReadySignal ready;
        ChildProcess child([&] {
            FileRegistry registry(folder);
            auto key = registry.openKey(HKCU, "K", RegistryAccess::Full);
            for (unsigned n = (round + 1) * 100000u;; ++n) {
                // The parent judges what was stored; the child is killed mid-write anyway.
                (void)key->writeString("v", content(n));
                if (n == (round + 1) * 100000u && !ready.signal())
                    ChildProcess::exitChild(1);
            }
        });
        ASSERT_TRUE(child.started());
        EXPECT_TRUE(ready.waitForSignal());
        // Until the kill, readers must only ever see whole hives.
        FileRegistry reader(folder);
        const auto killAt =
            std::chrono::steady_clock::now() + std::chrono::microseconds(random() % 8000);
        do {
            auto key = reader.openKey(HKCU, "K", RegistryAccess::Read);
            ASSERT_TRUE(key && isWhole(key->readString("v").value)) << key.error();
        } while (std::chrono::steady_clock::now() < killAt);
        child.kill();
        child.wait();

        FileRegistry after(folder);
        auto key = after.openKey(HKCU, "K", RegistryAccess::Read);
        ASSERT_TRUE(key) << "round " << round;
        const std::string value = key->readString("v").value;
        ASSERT_TRUE(isWhole(value)) << "round " << round;
        const unsigned n = static_cast<unsigned>(std::stoul(value));
        EXPECT_GT(n, last);
        last = n;
    }
    // The next write clears what the killed writers left behind.
    FileRegistry registry(folder);
    ASSERT_TRUE(registry.openKey(HKCU, "K", RegistryAccess::Full)->writeString("done", "1"));
    for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
        EXPECT_NE(entry.path().extension(), ".tmp") << entry.path();
}

TEST(RegistryReliability, TwoProcessesWritingAtOnceKeepEachOthersValues) {
    dm::test::TempDir dir;
    const std::string folder = dir.path().string();
    constexpr int kPerProcess = 60;
    std::vector<std::unique_ptr<ChildProcess>> children;
    for (int p = 0; p < 2; ++p) {
        children.push_back(std::make_unique<ChildProcess>([&] {
            FileRegistry registry(folder);
            auto key = registry.createKey(HKCU, "Shared", RegistryAccess::Full);
            for (int i = 0; i < kPerProcess; ++i)
                if (!key || !key->writeDword("p" + std::to_string(p) + "-" + std::to_string(i), i))
                    ChildProcess::exitChild(1);
        }));
        ASSERT_TRUE(children.back()->started());
    }
    for (const auto& child : children)
        EXPECT_EQ(child->wait(), 0);
    FileRegistry registry(folder);
    auto key = registry.openKey(HKCU, "Shared", RegistryAccess::Read);
    ASSERT_TRUE(key);
    EXPECT_EQ(key->valueNames().size(), 2u * kPerProcess);
    for (int p = 0; p < 2; ++p)
        for (int i = 0; i < kPerProcess; ++i)
            EXPECT_EQ(key->readDword("p" + std::to_string(p) + "-" + std::to_string(i)).value,
                      static_cast<std::uint32_t>(i));
}
