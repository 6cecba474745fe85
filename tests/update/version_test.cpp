// Tests of four-part versions: reading, words, validity and comparison.
#include "update/Version.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace dm::update {
namespace {

struct TextCase {
    std::string text;
    std::string parts; // ToText of the version read
    bool valid;
};

TEST(VigilVersion, ReadsTextPieceByPiece) {
    const std::vector<TextCase> cases = {
        {"1.23.0.47", "1.23.0.47", true},
        {"1.2", "1.2.0.0", true},
        {"7", "7.0.0.0", true},
        {"", "0.0.0.0", false},
        {"1.23.0.47\r\n", "1.23.0.0", true}, // the last piece holds the line break
        {"1.23.0.47\n", "1.23.0.0", true},
        {"1.2.3.4.5", "1.2.3.0", true}, // the fourth piece runs to the end: "4.5" is no integer
        {"1.2.x.4", "1.2.0.4", true},
        {"1.2.3.$10", "1.2.3.16", true},
        {"0x10.X1f.x2.0XA", "16.31.2.10", true},
        {"70000.1.2.3", "0.1.2.3", true},
        {"65535.65536.0.0", "65535.0.0.0", true},
        {"-1.0.0.0", "-1.0.0.0", false},
        {"0.0.0.1", "0.0.0.1", true},
        {"0.0.0.0", "0.0.0.0", false},
        {"  3. +4.-0.5", "3.4.0.5", true},     // leading spaces and a sign are accepted
        {"3 .4\t.5.6", "0.0.5.6", true},       // trailing blanks are not
        {"1..2", "1.0.2.0", true},             // an empty piece is 0
        {"2147483648.1.1.1", "0.1.1.1", true}, // outside the signed 32-bit range
        {"-2147483648.0.0.0", "-2147483648.0.0.0", false},
        {"$FFFFFFFF.1.0.0", "-1.1.0.0", false}, // hexadecimal wraps to negative
        {"$100000000.1.0.0", "0.1.0.0", true},  // beyond 32 bits
        {"$.0x.-.+", "0.0.0.0", false},         // a prefix or sign without digits
        {"1,2,3,4", "0.0.0.0", false},
        {"v1.2", "0.2.0.0", true},
        {"1.2.3.4 beta", "1.2.3.0", true},
    };
    for (const auto& c : cases) {
        const VigilVersion v(c.text);
        EXPECT_EQ(v.ToText(), c.parts) << "'" << c.text << "'";
        EXPECT_EQ(v.IsValid(), c.valid) << "'" << c.text << "'";
    }
}

TEST(VigilVersion, SetFromTextReplacesEveryPart) {
    VigilVersion v("9.9.9.9");
    v.SetFromText("1");
    EXPECT_EQ(v.ToText(), "1.0.0.0");
}

TEST(VigilVersion, ValiditySumsWithoutWrapping) {
    // In 32 bits these parts would sum to 1; the version is garbage and must not count as valid.
    VigilVersion v;
    v.Major = INT32_MIN;
    v.Minor = INT32_MIN;
    v.Release = 0;
    v.Build = 1;
    EXPECT_FALSE(v.IsValid());
    EXPECT_FALSE(VigilVersion("-2147483648.-2147483648.0.1").IsValid());
    EXPECT_FALSE(VigilVersion("-2147483648.-2147483648.0.1").IsNewerThan(VigilVersion("0.0.0.0")));
}

TEST(VigilVersion, CarriesTwoWords) {
    const VigilVersion v = VigilVersion::CreateFromDwords(65536, 3);
    EXPECT_EQ(v.ToText(), "1.0.0.3");
    EXPECT_EQ(v.GetMS(), 65536u);
    EXPECT_EQ(v.GetLS(), 3u);
    EXPECT_EQ(v.MSText(), "65536");
    EXPECT_EQ(v.LSText(), "3");

    const VigilVersion own("1.23.0.47");
    EXPECT_EQ(own.MSText(), "65559");
    EXPECT_EQ(own.LSText(), "47");

    const VigilVersion top = VigilVersion::CreateFromDwords(0xFFFFFFFF, 0xFFFFFFFF);
    EXPECT_EQ(top.ToText(), "65535.65535.65535.65535");
    EXPECT_EQ(top.MSText(), "4294967295");
    EXPECT_EQ(top.GetLS(), 0xFFFFFFFFu);
}

TEST(VigilVersion, NegativePartsWrapInTheWords) {
    const VigilVersion v("-1.0.0.0");
    EXPECT_EQ(v.GetMS(), 0xFFFF0000u);
}

struct NewerCase {
    std::string a;
    std::string b;
    bool newer; // a is newer than b
};

TEST(VigilVersion, IsNewerThanIsStrict) {
    const std::vector<NewerCase> cases = {
        {"1.2.3.4", "1.2.3.4", false},  {"1.10.0.0", "1.9.9.9", true},
        {"1.9.9.9", "1.10.0.0", false}, {"2.0.0.0", "1.65535.65535.65535", true},
        {"1.2.3.5", "1.2.3.4", true},   {"1.2.4.0", "1.2.3.9", true},
        {"0.0.0.0", "-1.0.0.0", true}, // compared as signed numbers
        {"2.10", "2.9", true},          {"", "0.0.0.0", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(VigilVersion(c.a).IsNewerThan(VigilVersion(c.b)), c.newer) << c.a << " > " << c.b;
        const VigilVersion b(c.b);
        if (b.Major >= 0) { // the words carry negative parts wrapped, as unsigned numbers
            EXPECT_EQ(VigilVersion(c.a).IsNewerThanDwords(b.GetMS(), b.GetLS()), c.newer)
                << c.a << " > " << c.b << " as words";
        }
    }
}

TEST(VigilVersion, IsNewerThanDwordsComparesUnsigned) {
    const VigilVersion high = VigilVersion::CreateFromDwords(0x80000000, 0);
    EXPECT_TRUE(high.IsNewerThanDwords(0x7FFFFFFF, 0xFFFFFFFF));
    EXPECT_FALSE(VigilVersion("1.0.0.0").IsNewerThanDwords(0x80000000, 0));
    // -1.0.0.0 wraps into a first word with its top bit set.
    EXPECT_TRUE(VigilVersion("-1.0.0.0").IsNewerThanDwords(0x7FFF0000, 0));
    EXPECT_FALSE(VigilVersion("1.23.0.47").IsNewerThanDwords(65559, 47));
    EXPECT_TRUE(VigilVersion("1.23.0.48").IsNewerThanDwords(65559, 47));
}

} // namespace
} // namespace dm::update
