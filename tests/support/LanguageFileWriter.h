// Writes language files for tests and benchmarks, as raw records or from a file's fields.
#pragma once

// Header-only, so that only targets linked with the localisation library need it.

#include "localisation/format/LanguageFile.h"
#include "localisation/format/Storefile.h"

#include <cstdint>
#include <string>
#include <vector>

namespace dm::test {

struct Rec {
    std::int32_t tag;
    std::string data;
    bool operator==(const Rec&) const = default;
};
using Recs = std::vector<Rec>;

inline Recs operator+(Recs a, const Recs& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// 32-bit little-endian.
inline std::string int32Bytes(std::int32_t v) {
    const auto u = static_cast<std::uint32_t>(v);
    return {char(u & 255), char((u >> 8) & 255), char((u >> 16) & 255), char(u >> 24)};
}

// False when the file could not be created.
inline bool writeRecords(platform::FileSystem& files, const std::string& path, const Recs& recs) {
    Storefile f(files);
    f.setSignature(std::string(kLanguageSignature));
    f.setFilename(path);
    f.SetActive(true);
    if (!f.Active())
        return false;
    for (const Rec& r : recs)
        f.WriteString(r.tag, r.data);
    return true;
}

// One component group; a tag of 0 writes an empty text.
struct LanguageGroup {
    std::string path{};
    std::int32_t alignment = 0;
    std::int32_t captionTag = 0;
    std::string caption{};
    std::int32_t hintTag = 0;
    std::string hint{};
    std::int32_t itemsTag = 0;
    std::string items{};
};

// What a language file of revision 0 to 4 holds.
struct LanguageFileContent {
    std::uint16_t revision = kLanguageRevision;
    std::uint16_t languageId = 0;
    std::string listTitle{};
    std::string languageName{};
    std::string listNote{};
    std::string textLines{};
    std::string flagPicture{};
    std::uint32_t programVersion = 0;
    std::int32_t carriedByte = 0;
    std::string carriedText1{};
    std::string carriedText2{};
    std::string imeName{};
    std::string fontName{};
    std::int32_t charSet = 1;
    std::int32_t minFontSize = 8;
    std::vector<LanguageGroup> groups{};
};

// Records 0 to 5: header, list title, language name, list note, text lines, flag picture.
inline Recs leadingRecords(const LanguageFileContent& c) {
    return {{0, int32Bytes(
                    static_cast<std::int32_t>((std::uint32_t{c.revision} << 16) | c.languageId))},
            {1, c.listTitle},
            {2, c.languageName},
            {3, c.listNote},
            {4, c.textLines},
            {5, c.flagPicture}};
}

// The header block as the file's revision lays it out; revision 0 has none.
inline Recs headerRecords(const LanguageFileContent& c) {
    if (c.revision == 0)
        return {};
    Recs recs{{kTagProgramVersion, int32Bytes(static_cast<std::int32_t>(c.programVersion))}};
    if (c.revision >= 2)
        recs.insert(recs.end(), {{kTagCarriedByte, int32Bytes(c.carriedByte)},
                                 {kTagCarriedText1, c.carriedText1},
                                 {kTagCarriedText2, c.carriedText2}});
    recs.insert(recs.end(), {{kTagImeName, c.imeName},
                             {kTagFontName, c.fontName},
                             {kTagCharSet, int32Bytes(c.charSet)}});
    if (c.revision >= 4)
        recs.push_back({kTagMinFontSize, int32Bytes(c.minFontSize)});
    return recs;
}

// The group of a revision 3 or 4 file: its name record counts the texts it has.
inline Recs groupRecords(const LanguageGroup& g) {
    const int n = int(g.captionTag != 0) + int(g.hintTag != 0) + int(g.itemsTag != 0);
    return {{kTagGroupName + n, g.path},
            {kTagAlignment, int32Bytes(g.alignment)},
            {g.captionTag, g.caption},
            {g.hintTag, g.hint},
            {g.itemsTag, g.items}};
}

inline Recs languageRecords(const LanguageFileContent& c) {
    Recs recs = leadingRecords(c) + headerRecords(c);
    for (const LanguageGroup& g : c.groups)
        recs = std::move(recs) + groupRecords(g);
    return recs;
}

inline bool writeLanguageFile(platform::FileSystem& files, const std::string& path,
                              const LanguageFileContent& c) {
    return writeRecords(files, path, languageRecords(c));
}

} // namespace dm::test
