// Paths of the rules and of the registry, with the platform's delimiter.
#pragma once

#include <string>
#include <string_view>

namespace dm::update {

// A relative name or folder test of the rules, written with "\", with the platform's delimiter.
std::string rulePath(std::string_view text);
// A path read from the registry (written with either delimiter) with the platform's delimiter.
std::string registryPath(std::string_view path);

} // namespace dm::update
