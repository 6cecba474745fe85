// Tests that the committed sample images are the ones their writer makes.
#include "app/SampleImages.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace dm::test {
namespace {

// The images in samples/ are the ones the writer makes (regenerate with dimmetric_make_samples).
TEST(Samples, CommittedImagesAreTheWritersOutput) {
    for (const SampleImage& sample : sampleImages())
        EXPECT_EQ(TempDir::read(std::filesystem::path(DIMMETRIC_SAMPLES_DIR) / sample.FileName),
                  sample.Bytes)
            << sample.FileName;
}

} // namespace
} // namespace dm::test
