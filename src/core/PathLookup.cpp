// Case-insensitive path lookup with cached folder listings.
#include "core/PathLookup.h"

#include "core/Cp1252.h"

#include <dirent.h>
#include <sys/stat.h>

namespace quillora {
namespace {

bool StatPath(const std::string& path, struct stat& info) { return ::stat(path.c_str(), &info) == 0; }

long long ModifiedNs(const struct stat& info) {
    return static_cast<long long>(info.st_mtim.tv_sec) * 1000000000LL + info.st_mtim.tv_nsec;
}

void Append(std::string& real, std::string_view part) {
    if (real.empty() || real.back() != '/') real += '/';
    real += part;
}

} // namespace

std::vector<std::string_view> SplitPath(std::string_view path) {
    std::vector<std::string_view> parts;
    size_t start = 0;
    for (size_t i = 0; i <= path.size(); ++i) {
        if (i == path.size() || path[i] == '/' || path[i] == '\\') {
            const std::string_view part = path.substr(start, i - start);
            if (!part.empty() && part != ".") parts.push_back(part);
            start = i + 1;
        }
    }
    return parts;
}

std::string_view FileNamePart(std::string_view path) {
    const size_t slash = path.find_last_of("/\\");
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

std::string_view FolderPart(std::string_view path) {
    const size_t slash = path.find_last_of("/\\");
    return slash == std::string_view::npos ? std::string_view() : path.substr(0, slash + 1);
}

PathLookup& PathLookup::Instance() {
    static PathLookup lookup;
    return lookup;
}

const PathLookup::Listing* PathLookup::ListingOf(const std::string& folder, bool refresh) {
    auto found = m_listings.find(folder);
    if (found != m_listings.end() && !refresh) return &found->second;
    struct stat info {};
    if (!StatPath(folder, info) || !S_ISDIR(info.st_mode)) {
        if (found != m_listings.end()) m_listings.erase(found);
        return nullptr;
    }
    if (found != m_listings.end() && found->second.modified == ModifiedNs(info)) {
        return &found->second;
    }
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) return nullptr;
    Listing listing;
    listing.modified = ModifiedNs(info);
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name == "." || name == "..") continue;
        // Several names may fold alike on Linux; the first one listed answers.
        listing.byFoldedName.emplace(FoldCase(name), name);
    }
    ::closedir(dir);
    return &(m_listings[folder] = std::move(listing));
}

size_t PathLookup::Resolve(const std::vector<std::string_view>& parts, bool absolute,
                           std::string& real, bool refresh) {
    real.assign(1, absolute ? '/' : '.');
    size_t resolved = 0;
    for (const std::string_view part : parts) {
        if (part == "..") {
            const size_t slash = real.find_last_of('/');
            if (slash == std::string::npos) {
                real += "/..";
            } else {
                real.resize(slash == 0 ? 1 : slash);
            }
            ++resolved;
            continue;
        }
        const Listing* listing = ListingOf(real, refresh);
        if (listing == nullptr) break;
        auto entry = listing->byFoldedName.find(FoldCase(part));
        if (entry == listing->byFoldedName.end() && !refresh) {
            // A file created since the listing was read: read it again if the folder changed.
            listing = ListingOf(real, true);
            if (listing == nullptr) break;
            entry = listing->byFoldedName.find(FoldCase(part));
        }
        if (entry == listing->byFoldedName.end()) break;
        // An exact match wins over a case-insensitive one when both exist.
        std::string exact = real;
        Append(exact, part);
        struct stat info {};
        if (entry->second != part && StatPath(exact, info)) {
            real = std::move(exact);
        } else {
            Append(real, entry->second);
        }
        ++resolved;
    }
    return resolved;
}

std::optional<std::string> PathLookup::Find(std::string_view path) {
    if (path.empty()) return std::nullopt;
    const bool absolute = path.front() == '/' || path.front() == '\\';
    const auto parts = SplitPath(path);
    std::lock_guard lock(m_mutex);
    std::string real;
    for (const bool refresh : {false, true}) {
        if (Resolve(parts, absolute, real, refresh) != parts.size()) continue;
        struct stat info {};
        if (StatPath(real, info)) return real; // confirms a cached answer is not stale
    }
    return std::nullopt;
}

bool PathLookup::FileExists(std::string_view path) {
    const auto real = Find(path);
    struct stat info {};
    return real && StatPath(*real, info) && S_ISREG(info.st_mode);
}

std::string PathLookup::PathForWriting(std::string_view path) {
    const bool absolute = !path.empty() && (path.front() == '/' || path.front() == '\\');
    const auto parts = SplitPath(path);
    std::lock_guard lock(m_mutex);
    std::string real;
    size_t resolved = Resolve(parts, absolute, real, false);
    if (resolved != parts.size()) resolved = Resolve(parts, absolute, real, true);
    for (size_t i = resolved; i < parts.size(); ++i) Append(real, parts[i]);
    return real;
}

void PathLookup::Forget(std::string_view folder) {
    std::lock_guard lock(m_mutex);
    std::string key(folder);
    while (key.size() > 1 && (key.back() == '/' || key.back() == '\\')) key.pop_back();
    m_listings.erase(key);
}

void PathLookup::ForgetAll() {
    std::lock_guard lock(m_mutex);
    m_listings.clear();
}

} // namespace quillora
