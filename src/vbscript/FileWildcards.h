// Windows-style "*" and "?" in the last part of a FileSystemObject source path.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quillora::vbs {

// Whether the last part of the path has "*" or "?".
bool HasWildcards(std::string_view path);

// Whether a name fits the pattern, without regard to letter case; "*.*" takes every name.
bool WildcardMatch(std::string_view pattern, std::string_view name);

// The full paths of the entries of an existing folder whose names fit the pattern, sorted;
// folders or files only.
std::vector<std::string> MatchingEntries(const std::string& folder, std::string_view pattern,
                                         bool folders);

} // namespace quillora::vbs
