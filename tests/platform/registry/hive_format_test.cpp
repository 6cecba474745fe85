// Tests of the hive file format: every value form read and written, damaged text refused.
#include "platform/registry/HiveFormat.h"

#include <gtest/gtest.h>

using namespace dm::platform;

namespace {

const HiveKey* keyAt(const Hive& hive, std::string_view path) {
    return hive.root.find(splitKeyPath(path));
}

RegistryValue valueAt(const Hive& hive, std::string_view path, std::u16string_view name) {
    const HiveKey* key = keyAt(hive, path);
    const HiveValue* value = key ? key->findValue(name) : nullptr;
    return value ? value->value : RegistryValue{};
}

Hive parsed(std::string_view text) {
    auto hive = parseHive(text);
    EXPECT_TRUE(hive) << hive.error();
    return hive ? std::move(*hive) : Hive{};
}

// The value line that a one-value hive is written with.
std::string valueLine(const RegistryValue& value, std::u16string name = u"v") {
    Hive hive;
    hive.root.subKey(u"K").setValue(name, value);
    const std::string text = serializeHive(hive);
    const std::size_t start = text.find("]\n") + 2;
    return text.substr(start, text.size() - start - 1);
}

} // namespace

TEST(HiveFormat, ReadsEveryValueForm) {
    const Hive hive = parsed("WINE REGISTRY Version 2\n"
                             ";; All keys relative to \\\\User\\\\S-1-5-21-0-0-0-1000\n"
                             "#arch=win64\n"
                             "\n"
                             "[Software\\\\Maker\\\\Tool] 1733800000\n"
                             "#time=1db4a4e5c7d8e9f\n"
                             "@=\"default\"\n"
                             "\"Path\"=\"C:\\\\Tools\\\\a.exe\"\n"
                             "\"Expand\"=str(2):\"%TEMP%\\\\x\"\n"
                             "\"Count\"=dword:0000000a\n"
                             "\"Blob\"=hex:00,01,fe,\\\n"
                             "  ff\n"
                             "\"List\"=hex(7):61,00,00,00,62,00,00,00,00,00\n"
                             "\"Wide\"=str(7):\"a\\0b\\0\"\n"
                             "\"Quad\"=hex(b):01,00,00,00,00,00,00,00\n");
    EXPECT_EQ(hive.header.size(), 2u);
    EXPECT_EQ(keyAt(hive, "Software\\Maker\\Tool")->stamp, "1733800000");
    EXPECT_EQ(keyAt(hive, "Software\\Maker\\Tool")->meta.size(), 1u);
    const char* tool = "Software\\Maker\\Tool";
    EXPECT_EQ(valueAt(hive, tool, u""), RegistryValue::string("default"));
    EXPECT_EQ(valueAt(hive, tool, u"path"), RegistryValue::string("C:\\Tools\\a.exe"));
    EXPECT_EQ(valueAt(hive, tool, u"Expand"), RegistryValue::expandString("%TEMP%\\x"));
    EXPECT_EQ(valueAt(hive, tool, u"Count"), RegistryValue::dword(10));
    EXPECT_EQ(valueAt(hive, tool, u"Blob"), RegistryValue::binary(std::string("\0\1\xfe\xff", 4)));
    EXPECT_EQ(valueAt(hive, tool, u"List"), RegistryValue::multiString({"a", "b"}));
    EXPECT_EQ(valueAt(hive, tool, u"Wide"), RegistryValue::multiString({"a", "b"}));
    EXPECT_EQ(valueAt(hive, tool, u"Quad").type, static_cast<RegType>(11));
    EXPECT_EQ(valueAt(hive, tool, u"Quad").data.size(), 8u);
}

TEST(HiveFormat, WritesValuesInTheirForms) {
    const struct {
        RegistryValue value;
        std::string line;
    } cases[] = {
        {RegistryValue::string("plain"), "\"v\"=\"plain\""},
        {RegistryValue::string("a\\b\"c"), "\"v\"=\"a\\\\b\\\"c\""},
        {RegistryValue::string("caf\xe9"), "\"v\"=\"caf\\xe9\""},
        {RegistryValue::string("\xe9"
                               "a"),
         "\"v\"=\"\\x00e9a\""},
        {RegistryValue::string("tab\tnew\nline\r"), "\"v\"=\"tab\\tnew\\nline\\r\""},
        {RegistryValue::string(std::string("\x01"
                                           "7\x01",
                                           3)),
         "\"v\"=\"\\0017\\1\""},
        {RegistryValue::expandString("%PATH%"), "\"v\"=str(2):\"%PATH%\""},
        {RegistryValue::dword(0xFFFFFFFF), "\"v\"=dword:ffffffff"},
        {RegistryValue::binary("\x01\xab"), "\"v\"=hex:01,ab"},
        {RegistryValue::binary(""), "\"v\"=hex:"},
        {RegistryValue::multiString({"a"}), "\"v\"=hex(7):61,00,00,00,00,00"},
        {RegistryValue{RegType::Sz, "x"}, "\"v\"=hex(1):78"},
        {RegistryValue{RegType::Dword, "12345"}, "\"v\"=hex(4):31,32,33,34,35"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(valueLine(c.value), c.line);
        Hive back = parsed("WINE REGISTRY Version 2\n[K]\n" + c.line + "\n");
        EXPECT_EQ(valueAt(back, "K", u"v"), c.value) << c.line;
    }
    EXPECT_EQ(valueLine(RegistryValue::string("x"), u""), "@=\"x\"");
    EXPECT_EQ(valueLine(RegistryValue::string("x"), u"a\"b"), "\"a\\\"b\"=\"x\"");
}

TEST(HiveFormat, WideTextAndNamesSurviveARewrite) {
    const std::string text = "WINE REGISTRY Version 2\n"
                             "\n"
                             "[Software\\\\\\x4e2d\\]x]\n"
                             "\"\\x4e2d\"=\"a\\xd836\\xdd77b\"\n";
    EXPECT_EQ(serializeHive(parsed(text)), text);
    const Hive hive = parsed(text);
    const HiveKey* key = hive.root.findSubKey(u"software")->findSubKey(u"\x4e2d]x");
    ASSERT_TRUE(key);
    EXPECT_EQ(key->values()[0].name, u"\x4e2d");
    EXPECT_EQ(key->values()[0].value.text(), "a?b");
}

TEST(RegistryText, ACharacterBeyondSixteenBitsNarrowsToOneQuestionMark) {
    const struct {
        std::u16string units;
        std::string text;
    } cases[] = {
        {u"a\xd836\xdd77\x62", "a?b"},  // a pair: one character
        {u"a\xd836\x62", "a?b"},        // a lone high half
        {u"a\xdd77\x62", "a?b"},        // a lone low half
        {u"\xdd77\xd836", "??"},        // halves the wrong way round
        {u"\xd836\xd836\xdd77", "??"},  // a lone half, then a pair
        {u"caf\xe9\x4e2d", "caf\xe9?"}, // Latin-1 kept, a wide character one "?"
    };
    for (const auto& c : cases)
        EXPECT_EQ(narrowUnits(c.units), c.text);
}

TEST(HiveFormat, RawUtf8InAHandEditedFileIsDecoded) {
    const Hive hive = parsed("WINE REGISTRY Version 2\r\n[K]\r\n\"v\"=\"caf\xc3\xa9 \xff\"\r\n");
    EXPECT_EQ(valueAt(hive, "K", u"v"), RegistryValue::string("caf\xe9 \xff"));
}

TEST(HiveFormat, StrayCarriageReturnsCountAsBlanks) {
    const Hive hive = parsed("WINE REGISTRY Version 2\r\r\n[K] 12 \r\t\r\n#time=1\r\r\n");
    EXPECT_EQ(keyAt(hive, "K")->stamp, "12");
    EXPECT_EQ(serializeHive(hive), "WINE REGISTRY Version 2\n\n[K] 12\n#time=1\n");
}

TEST(HiveFormat, KeysKeepFileOrderAndEmptyKeysAreKept) {
    const std::string text = "WINE REGISTRY Version 2\n"
                             "\n"
                             "[B\\\\Z] 1\n"
                             "\n"
                             "[B\\\\A] 2\n"
                             "\"x\"=dword:00000001\n"
                             "\n"
                             "[A] 3\n";
    const Hive hive = parsed(text);
    ASSERT_EQ(hive.root.subKeys().size(), 2u);
    EXPECT_EQ(hive.root.subKeys()[0]->name, u"B");
    EXPECT_EQ(hive.root.subKeys()[0]->subKeys()[0]->name, u"Z");
    EXPECT_EQ(serializeHive(hive), text);
}

TEST(HiveFormat, EmptyTextIsAnEmptyHive) {
    const Hive hive = parsed("");
    EXPECT_TRUE(hive.root.subKeys().empty());
}

TEST(HiveFormat, RefusesDamagedText) {
    const struct {
        std::string text;
        std::string line;
    } cases[] = {
        {"REGEDIT4\n", "line 1"},
        {"WINE REGISTRY Version 2\n\"v\"=\"before any key\"\n", "line 2"},
        {"WINE REGISTRY Version 2\n[K\n", "line 2"},
        {"WINE REGISTRY Version 2\n[K]\n\"v\"=\"open\n", "line 3"},
        {"WINE REGISTRY Version 2\n[K]\n\"v\"=\"x\" tail\n", "line 3"},
        {"WINE REGISTRY Version 2\n[K]\n\"v\"\n", "line 3"},
        {"WINE REGISTRY Version 2\n[K]\n\"v=\"x\"\n", "line 3"},
        {"WINE REGISTRY Version 2\n[K]\n\"v\"=dword:123456789\n", "line 3"},
        {"WINE REGISTRY Version 2\n[K]\n\"v\"=dword:\n", "line 3"},
        {"WINE REGISTRY Version 2\n[K]\n\"v\"=hex:1,zz\n", "line 3"},
        {"WINE REGISTRY Version 2\n[K]\n\"v\"=hex:123\n", "line 3"},
        {"WINE REGISTRY Version 2\n[K]\n\"v\"=hex:01,\\\n", "line 4"},
        {"WINE REGISTRY Version 2\n[K]\n\"v\"=str(2)\"x\"\n", "line 3"},
        {"WINE REGISTRY Version 2\n[K]\n\"v\"=other\n", "line 3"},
        {"WINE REGISTRY Version 2\n[K]\ngarbage\n", "line 3"},
        {"WINE REGISTRY Version 2\n[K]\n\"v\"=\"x\\", "line 3"},
    };
    for (const auto& c : cases) {
        const auto hive = parseHive(c.text);
        EXPECT_FALSE(hive) << c.text;
        EXPECT_EQ(hive.error().rfind(c.line + ":", 0), 0u) << c.text << " -> " << hive.error();
    }
}

TEST(HiveFormat, RefusesKeysNestedTooDeep) {
    std::string path;
    for (std::size_t i = 0; i <= kMaxKeyDepth; ++i)
        path += "k\\\\";
    EXPECT_FALSE(parseHive("WINE REGISTRY Version 2\n[" + path + "]\n"));
}

TEST(HiveKey, ValuesAreFoundIgnoringCaseAndKeepTheirOrderThroughChanges) {
    HiveKey key;
    for (const char16_t* name : {u"Alpha", u"beta", u"Gamma", u"delta"})
        key.setValue(name, RegistryValue::string("x"));
    key.setValue(u"BETA", RegistryValue::dword(2)); // replaces, keeps its name and place
    EXPECT_TRUE(key.removeValue(u"ALPHA"));
    EXPECT_FALSE(key.removeValue(u"alpha"));
    key.setValue(u"Epsilon", RegistryValue::dword(5));
    EXPECT_TRUE(key.removeValue(u"gamma"));
    std::vector<std::u16string> names;
    for (const HiveValue& value : key.values())
        names.push_back(value.name);
    EXPECT_EQ(names, (std::vector<std::u16string>{u"beta", u"delta", u"Epsilon"}));
    EXPECT_EQ(key.findValue(u"Beta")->value, RegistryValue::dword(2));
    EXPECT_EQ(key.findValue(u"DELTA")->name, u"delta");
    EXPECT_EQ(key.findValue(u"epsilon")->value, RegistryValue::dword(5));
    EXPECT_EQ(key.findValue(u"Gamma"), nullptr);
    EXPECT_EQ(key.findValue(u"Alpha"), nullptr);
}

TEST(HiveFormat, AKeyOfManyValuesReadsBackWhole) {
    std::string text = "WINE REGISTRY Version 2\n[Software\\\\Wide]\n";
    for (int i = 0; i < 20000; ++i)
        text += "\"V" + std::to_string(i) + "\"=dword:" + std::to_string(i % 10) + "\n";
    text += "\"v7\"=\"last\"\n"; // the same name in another case: the later one wins
    const auto hive = parseHive(text);
    ASSERT_TRUE(hive) << hive.error();
    const HiveKey* key = keyAt(*hive, "Software\\Wide");
    ASSERT_TRUE(key);
    EXPECT_EQ(key->values().size(), 20000u);
    EXPECT_EQ(valueAt(*hive, "Software\\Wide", u"v19999"), RegistryValue::dword(9));
    EXPECT_EQ(valueAt(*hive, "Software\\Wide", u"V7"), RegistryValue::string("last"));
}
