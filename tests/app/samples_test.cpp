#include "app/SampleImages.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace dm::test {
namespace {

// The images in samples/ are the ones the writer makes (regenerate with dimmetric_make_samples).
TEST(Samples, CommittedImagesAreTheWritersOutput) {
    const char* source = std::getenv("DIMMETRIC_SOURCE_DIR");
    ASSERT_TRUE(source);
    for (const SampleImage& sample : SampleImages())
        EXPECT_EQ(TempDir::read(std::filesystem::path(source) / "samples" / sample.FileName),
                  sample.Bytes)
            << sample.FileName;
}

} // namespace
} // namespace dm::test
