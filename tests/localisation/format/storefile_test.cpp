// Tests of the record file: reading, writing, walking and damaged or read-only files.
#include "localisation/format/Storefile.h"
#include "platform/fakes/InMemoryFileSystem.h"

#include <gtest/gtest.h>

#include <string>
#include <type_traits>

namespace {

// Raised as one of the program's exception family.
static_assert(std::is_base_of_v<dm::Error, dm::StorefileError>);

using dm::Storefile;
using namespace std::string_literals;

const std::string kSignature = "ZEL LANGUAGE FILE";
// The folder of the record files, in a file system in memory.
const std::string kFolder = "/spk/";

std::string le(std::int32_t v) {
    const auto u = static_cast<std::uint32_t>(v);
    return {char(u & 255), char((u >> 8) & 255), char((u >> 16) & 255), char(u >> 24)};
}

std::string record(std::int32_t tag, const std::string& payload) {
    const auto p = static_cast<std::int32_t>(payload.size());
    return le(p + 8) + le(tag) + payload + le(p + 12);
}

class StorefileTest : public ::testing::Test {
protected:
    void open(Storefile& f, const std::string& name, bool readOnly = false) {
        f.setSignature(kSignature);
        f.setFilename(kFolder + name);
        f.setReadOnly(readOnly);
        f.SetActive(true);
    }
    std::string write(const std::string& name, const std::string& bytes) {
        files.addFile(kFolder + name, bytes);
        return kFolder + name;
    }
    // A file of records with tags 10, 11, ... and payloads "r0", "r1", ...
    std::string writeRecords(const std::string& name, int count) {
        std::string bytes = kSignature + le(count);
        for (int i = 0; i < count; ++i)
            bytes += record(10 + i, "r" + std::to_string(i));
        return write(name, bytes);
    }
    std::string file(const std::string& name) {
        return files.readFile(kFolder + name).value_or("");
    }

    dm::platform::InMemoryFileSystem files;
};

TEST_F(StorefileTest, NewFileHoldsSignatureAndZeroCount) {
    Storefile f(files);
    open(f, "new.spk");
    ASSERT_TRUE(f.Active());
    EXPECT_TRUE(f.Eof());
    EXPECT_EQ(f.Count(), 0);
    f.SetActive(false);
    EXPECT_EQ(file("new.spk"), kSignature + le(0));
    EXPECT_EQ(file("new.spk").size(), 21u);
}

TEST_F(StorefileTest, IntegerRecordIsSixteenBytesAndCountWrittenOnClose) {
    Storefile f(files);
    open(f, "int.spk");
    EXPECT_EQ(f.WriteInteger(512, 0x01170000), 1);
    EXPECT_EQ(file("int.spk"), kSignature + le(0) + le(12) + le(512) + le(0x01170000) + le(16));
    f.SetActive(false);
    EXPECT_EQ(file("int.spk"), kSignature + le(1) + le(12) + le(512) + le(0x01170000) + le(16));
}

TEST_F(StorefileTest, EmptyPayloadIsTwelveByteRecord) {
    {
        Storefile f(files);
        open(f, "empty.spk");
        EXPECT_EQ(f.WriteString(7, ""), 1);
    }
    EXPECT_EQ(file("empty.spk"), kSignature + le(1) + le(8) + le(7) + le(12));
    Storefile f(files);
    open(f, "empty.spk");
    std::string text = "old";
    EXPECT_EQ(f.ReadString(text, true), 7);
    EXPECT_EQ(text, "");
    EXPECT_TRUE(f.Eof());
}

TEST_F(StorefileTest, ReadDataCopiesAtMostThePayload) {
    write("d.spk", kSignature + le(1) + record(3, "abcd"));
    Storefile f(files);
    open(f, "d.spk");
    char buffer[100] = {};
    std::int32_t size = 100;
    EXPECT_EQ(f.ReadData(buffer, size, false), 3);
    EXPECT_EQ(size, 4);
    EXPECT_EQ(std::string(buffer, 4), "abcd");
    size = -1;
    EXPECT_EQ(f.ReadData(buffer, size, false), 3);
    EXPECT_EQ(size, 4);
    size = 2;
    char small[2];
    EXPECT_EQ(f.ReadData(small, size, true), 3);
    EXPECT_EQ(std::string(small, 2), "ab");
    EXPECT_TRUE(f.Eof());
    size = 100;
    EXPECT_EQ(f.ReadData(buffer, size, true), 0);
    EXPECT_EQ(size, 0);
}

TEST_F(StorefileTest, ReadIntegerFillsOnlyThePayloadBytes) {
    write("i.spk", kSignature + le(2) + record(1, "\x01\x02") + record(2, "\x05\0\0\0\x07"s));
    Storefile f(files);
    open(f, "i.spk");
    std::int32_t value = 0x7F000000;
    EXPECT_EQ(f.ReadInteger(value, true), 1);
    EXPECT_EQ(value, 0x7F000201);
    // A payload of more than 4 bytes fills all four and no more.
    value = 0x7F7F7F7F;
    EXPECT_EQ(f.DataSize(), 5);
    EXPECT_EQ(f.ReadInteger(value, true), 2);
    EXPECT_EQ(value, 5);
}

TEST_F(StorefileTest, WalksWithLastPriorAndGoTo) {
    writeRecords("w.spk", 5);
    Storefile f(files);
    open(f, "w.spk");
    ASSERT_EQ(f.Count(), 5);
    std::string text;
    EXPECT_FALSE(f.Prior());
    EXPECT_TRUE(f.Last());
    EXPECT_EQ(f.ReadString(text, false), 14);
    EXPECT_EQ(text, "r4");
    EXPECT_TRUE(f.Prior());
    EXPECT_EQ(f.ReadString(text, false), 13);
    EXPECT_EQ(f.DataSize(), 2);

    // Every target from every start, whichever way GoTo walks.
    for (int from = 0; from < 5; ++from) {
        for (int to = 0; to < 5; ++to) {
            f.GoTo(from);
            f.GoTo(to);
            EXPECT_EQ(f.ReadString(text, false), 10 + to) << from << " -> " << to;
        }
    }
    f.GoTo(2);
    for (int outside : {5, -1, 100}) {
        f.GoTo(outside);
        EXPECT_EQ(f.ReadString(text, false), 12) << outside;
    }
    EXPECT_TRUE(f.First());
    EXPECT_EQ(f.ReadString(text, false), 10);
}

TEST_F(StorefileTest, AppendsOnlyAtTheEnd) {
    writeRecords("a.spk", 2);
    Storefile f(files);
    open(f, "a.spk");
    f.Last();
    EXPECT_EQ(f.WriteInteger(1, 1), 0);
    EXPECT_TRUE(f.Next());
    EXPECT_TRUE(f.Eof());
    EXPECT_FALSE(f.Next());
    EXPECT_EQ(f.WriteString(20, "x"), 3);
    f.SetActive(false);
    EXPECT_EQ(file("a.spk"),
              kSignature + le(3) + record(10, "r0") + record(11, "r1") + record(20, "x"));
}

TEST_F(StorefileTest, CountThatCannotGrowTakesNoMoreRecords) {
    const std::string bytes = kSignature + le(INT32_MAX) + record(10, "r0");
    write("full.spk", bytes);
    Storefile f(files);
    open(f, "full.spk");
    EXPECT_TRUE(f.Last());
    EXPECT_TRUE(f.Next());
    EXPECT_TRUE(f.Eof());
    EXPECT_EQ(f.WriteString(20, "x"), 0);
    f.SetActive(false);
    EXPECT_EQ(file("full.spk"), bytes);
}

TEST_F(StorefileTest, ReadOnlyRaisesOnWriteAndClear) {
    writeRecords("r.spk", 1);
    const std::string before = file("r.spk");
    Storefile f(files);
    f.setReadOnly(true);
    try {
        f.WriteString(1, "x");
        FAIL() << "no exception before opening";
    } catch (const dm::StorefileError& e) {
        EXPECT_STREQ(e.what(), "Attempt to write a data while in ReadOnly mode");
    }
    open(f, "r.spk", true);
    ASSERT_TRUE(f.Active());
    EXPECT_THROW(f.WriteInteger(1, 2), dm::StorefileError);
    EXPECT_THROW(f.Clear(), dm::StorefileError);
    f.SetActive(false);
    EXPECT_EQ(file("r.spk"), before);
    EXPECT_TRUE(f.ReadOnly());
}

TEST_F(StorefileTest, UnwritableFileIsForcedReadOnlyUntilClosed) {
    const std::string path = writeRecords("locked.spk", 1);
    ASSERT_TRUE(files.setAttributes(path, dm::platform::kFileAttributeReadOnly));
    Storefile f(files);
    open(f, "locked.spk");
    EXPECT_TRUE(f.ReadOnly());
    EXPECT_EQ(f.Count(), 1);
    EXPECT_THROW(f.WriteString(1, "x"), dm::StorefileError);
    f.SetActive(false);
    EXPECT_FALSE(f.ReadOnly());
}

TEST_F(StorefileTest, WrongSignatureOrTooShortStaysClosed) {
    for (const std::string& bytes :
         {std::string("ZEL LANGUAGE FILX") + le(0), kSignature, kSignature.substr(0, 5)}) {
        write("bad.spk", bytes);
        Storefile f(files);
        open(f, "bad.spk");
        EXPECT_FALSE(f.Active());
        EXPECT_EQ(f.Count(), 0);
        EXPECT_TRUE(f.Eof());
        EXPECT_EQ(f.WriteString(1, "x"), 0);
        std::string text = "kept";
        EXPECT_EQ(f.ReadString(text, true), 0);
        EXPECT_EQ(text, "");
        EXPECT_EQ(file("bad.spk"), bytes);
    }
}

TEST_F(StorefileTest, BrokenRecordsEndTheFile) {
    const std::string good = record(10, "r0");
    const struct {
        const char* what;
        std::string tail;
    } cases[] = {
        {"length below 8", le(7) + le(1) + le(0) + le(0)},
        {"negative length", le(-20) + le(1) + le(0)},
        {"runs past the end", le(100) + le(1) + "abc"},
        {"length field cut", "\x10\x00"},
    };
    for (const auto& c : cases) {
        write("broken.spk", kSignature + le(5) + good + c.tail);
        Storefile f(files);
        open(f, "broken.spk", true);
        std::string text;
        EXPECT_EQ(f.ReadString(text, true), 10) << c.what;
        EXPECT_TRUE(f.Eof()) << c.what;
        EXPECT_EQ(f.DataSize(), 0) << c.what;
        EXPECT_EQ(f.ReadString(text, true), 0) << c.what;
        EXPECT_FALSE(f.Next()) << c.what;
        // The back length at the end is no record's: Last finds the last intact one.
        EXPECT_TRUE(f.Last());
        EXPECT_EQ(f.ReadString(text, false), 10) << c.what;
        f.GoTo(4);
        EXPECT_TRUE(f.Prior() || f.ReadString(text, false) == 10) << c.what;
    }
}

TEST_F(StorefileTest, MissingFileIsCreatedWithItsFolders) {
    Storefile f(files);
    f.setSignature("SIG");
    f.setFilename(kFolder + "a/b/c.dat");
    f.setReadOnly(true);
    f.SetActive(true);
    EXPECT_TRUE(f.Active());
    f.SetActive(false);
    EXPECT_EQ(file("a/b/c.dat"), "SIG" + le(0));
}

TEST_F(StorefileTest, EmptySignatureStartsWithTheCount) {
    Storefile f(files);
    f.setFilename(kFolder + "plain.dat");
    f.SetActive(true);
    EXPECT_EQ(f.WriteString(9, "ab"), 1);
    f.SetActive(false);
    EXPECT_EQ(file("plain.dat"), le(1) + record(9, "ab"));
}

TEST_F(StorefileTest, NameWithoutFolderIsCompletedWithTheCurrentFolder) {
    files.addFolder("/spk");
    files.setCurrentFolder("/spk");
    Storefile f(files);
    f.setSignature("S");
    f.setFilename("here.dat");
    f.SetActive(true);
    EXPECT_EQ(f.Filename(), "/spk/here.dat");
    EXPECT_EQ(file("here.dat"), "S" + le(0));
}

TEST_F(StorefileTest, ClearLeavesAnEmptyFile) {
    writeRecords("c.spk", 3);
    Storefile f(files);
    open(f, "c.spk");
    f.Clear();
    EXPECT_TRUE(f.Active());
    EXPECT_EQ(f.Count(), 0);
    f.SetActive(false);
    EXPECT_EQ(file("c.spk"), kSignature + le(0));
    f.Clear();
    EXPECT_FALSE(files.status(kFolder + "c.spk"));
    EXPECT_NO_THROW(f.Clear());
}

} // namespace
