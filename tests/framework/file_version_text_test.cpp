// Tests of a file's version text, and of the program reporting its own version.
#include "framework/FileVersionText.h"
#include "platform/files/LinuxFileSystem.h"
#include "platform/version/FileVersionResources.h"
#include "platform/version/VersionBlockWriter.h"
#include "support/PeWriter.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace {

std::string peWithVersion(std::optional<dm::platform::FixedFileInfo> fixed) {
    dm::platform::VersionResourceContent content;
    content.Fixed = fixed;
    return dm::test::writePe(true, dm::platform::writeVersionBlock(content)).Bytes;
}

TEST(GetFileVersionText, JoinsTheFixedFileVersionOrTellsWhatIsMissing) {
    dm::test::TempDir dir;
    dm::platform::LinuxFileSystem files;
    dm::platform::FileVersionResources versions{files};
    dm::platform::FixedFileInfo fixed;
    fixed.FileVersionMS = 0xFFFF0002;
    fixed.FileVersionLS = 0x00030004;

    EXPECT_EQ(dm::GetFileVersionText(versions, dir.write("a.exe", peWithVersion(fixed))),
              "65535.2.3.4");
    EXPECT_EQ(dm::GetFileVersionText(versions, dir.write("b.exe", peWithVersion(std::nullopt))),
              "");
    EXPECT_EQ(dm::GetFileVersionText(versions, dir.write("c.exe", "plain text")), "");
    EXPECT_EQ(dm::GetFileVersionText(versions, dir.dir() + "missing.exe"), "File not found");
    EXPECT_EQ(dm::GetFileVersionText(versions, dir.path().string()), "File not found");
}

TEST(GetFileVersionText, TheProgramReportsItsOwnVersion) {
    dm::platform::LinuxFileSystem files;
    dm::platform::FileVersionResources versions{files};
    EXPECT_EQ(dm::GetFileVersionText(versions, DIMMETRIC_EXECUTABLE), "1.23.0.47");
}

} // namespace
