#include "vbscript/FileWildcards.h"

#include "core/Cp1252.h"
#include "core/PathLookup.h"

#include <algorithm>
#include <filesystem>

namespace quillora::vbs {

bool HasWildcards(std::string_view path) {
    return FileNamePart(path).find_first_of("*?") != std::string_view::npos;
}

namespace {

bool Match(std::string_view p, std::string_view n) {
    // Iterative glob: on a mismatch, let the last "*" take one more character.
    size_t pi = 0, ni = 0, star = std::string_view::npos, mark = 0;
    while (ni < n.size()) {
        if (pi < p.size() && (p[pi] == '?' || p[pi] == n[ni])) {
            ++pi;
            ++ni;
        } else if (pi < p.size() && p[pi] == '*') {
            star = pi++;
            mark = ni;
        } else if (star != std::string_view::npos) {
            pi = star + 1;
            ni = ++mark;
        } else {
            return false;
        }
    }
    while (pi < p.size() && p[pi] == '*')
        ++pi;
    return pi == p.size();
}

} // namespace

bool WildcardMatch(std::string_view pattern, std::string_view name) {
    if (pattern == "*.*") return true;
    return Match(FoldCase(pattern), FoldCase(name));
}

std::vector<std::string> MatchingEntries(const std::string& folder, std::string_view pattern,
                                         bool folders) {
    namespace fs = std::filesystem;
    std::vector<std::string> found;
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(folder, ec)) {
        if (e.is_directory(ec) != folders) continue;
        if (WildcardMatch(pattern, e.path().filename().string()))
            found.push_back(e.path().string());
    }
    std::sort(found.begin(), found.end());
    return found;
}

} // namespace quillora::vbs
