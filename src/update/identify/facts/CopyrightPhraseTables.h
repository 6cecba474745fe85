// The phrases and texts the copyright clean-up strips, in the order it tries them.
#pragma once

#include <array>
#include <string_view>

namespace dm::update {

// The phrases and texts the copyright clean-up strips, in the order it tries them: licence
// phrases at the end, rights phrases, then texts at the start and at the end.
inline constexpr std::array<std::string_view, 11> kTrailingLicencePhrases = {
    " under GNU General Public License",
    " under the GPL",
    " under the GNU Public License (GPL)",
    " under GNU General Public License.",
    " under the GPL.",
    " under the GNU Public License (GPL).",
    "Freeware licensed under GPL",
    "This file is set under the General Public License.",
    "GNU General Public License v2",
    "Gnu General Public License (GPL, Copyleft)",
    ". This software is licensed under the terms of the GNU General Public License.",
};

inline constexpr std::array<std::string_view, 5> kRightsPhrases = {
    " All Rights Reserved.", " All Rights Reserved", " All Rigths Reserved.",
    " All Rigths Reserved",  ".All Rights Reserved",
};

inline constexpr std::array<std::string_view, 16> kLeadingTexts = {
    "\xA9",
    "Copyrights \xA9",
    "Copyright\xA9",
    "Copyright(c)",
    "Copyright\xC2\xA9",
    "Copyrights \xC2\xA9",
    "Copyright(r)",
    "Copyright?",
    "All rights reserved worldwide",
    "All Rights Reserved (C)",
    "All rights reserved",
    "(C)All rights reserved",
    "All rights reserverd",
    "All Rights Reversed",
    "\xC2\xA9",
    "\xA9",
};

inline constexpr std::array<std::string_view, 5> kTrailingTexts = {
    "All rights reserved.",
    "All right reserved.",
    "Some right reserved.",
    "No rights reserved.",
    "This software is protected by international and romanian copyright and trade laws.",
};

} // namespace dm::update
