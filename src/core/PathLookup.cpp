// Case-insensitive path lookup with cached folder listings.
#include "core/PathLookup.h"

#include "core/Cp1252.h"

#include <chrono>
#include <dirent.h>
#include <sys/stat.h>

namespace quillora {
namespace {

bool StatPath(const std::string& path, struct stat& info) {
    return ::stat(path.c_str(), &info) == 0;
}

long long ModifiedNs(const struct stat& info) {
    return static_cast<long long>(info.st_mtim.tv_sec) * 1000000000LL + info.st_mtim.tv_nsec;
}

long long NowNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

void Append(std::string& real, std::string_view part) {
    if (real.empty() || real.back() != '/') real += '/';
    real += part;
}

bool IsFolderEntry(const std::string& folder, const dirent* entry) {
    if (entry->d_type == DT_DIR) return true;
    if (entry->d_type != DT_UNKNOWN && entry->d_type != DT_LNK) return false;
    std::string path = folder;
    Append(path, entry->d_name);
    struct stat info {};
    return StatPath(path, info) && S_ISDIR(info.st_mode);
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

const PathLookup::Listing* PathLookup::ListingOf(const std::string& folder, bool check) {
    const long long now = NowNs();
    auto found = m_listings.find(folder);
    if (found != m_listings.end() && !check &&
        now - found->second.checkedAt < static_cast<long long>(kTrustSeconds * 1e9)) {
        return &found->second;
    }
    struct stat info {};
    if (!StatPath(folder, info) || !S_ISDIR(info.st_mode)) {
        if (found != m_listings.end()) m_listings.erase(found);
        return nullptr;
    }
    if (found != m_listings.end() && found->second.modified == ModifiedNs(info)) {
        found->second.checkedAt = now;
        return &found->second;
    }
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) return nullptr;
    Listing listing;
    listing.modified = ModifiedNs(info);
    listing.checkedAt = now;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name == "." || name == "..") continue;
        const bool isFolder = IsFolderEntry(folder, entry);
        // Several names may fold alike on Linux; the first one listed answers.
        listing.byFoldedName.emplace(FoldCase(name), Entry{name, isFolder});
        listing.exactNames.emplace(name, isFolder);
    }
    ::closedir(dir);
    return &(m_listings[folder] = std::move(listing));
}

PathLookup::Resolution PathLookup::Resolve(const std::vector<std::string_view>& parts,
                                           bool absolute, std::string& real) {
    real.assign(1, absolute ? '/' : '.');
    Resolution result;
    std::string name;
    for (const std::string_view part : parts) {
        if (part == "..") {
            const size_t slash = real.find_last_of('/');
            if (slash == std::string::npos) {
                real += "/..";
            } else {
                real.resize(slash == 0 ? 1 : slash);
            }
            ++result.resolved;
            result.isFolder = true;
            continue;
        }
        const Listing* listing = ListingOf(real, false);
        if (listing == nullptr) break;
        // An exact match wins over a case-insensitive one when both exist.
        name.assign(part);
        if (const auto exact = listing->exactNames.find(name); exact != listing->exactNames.end()) {
            Append(real, part);
            result.isFolder = exact->second;
            ++result.resolved;
            continue;
        }
        auto entry = listing->byFoldedName.find(FoldCase(part));
        if (entry == listing->byFoldedName.end()) {
            // Perhaps created since the listing was read: look at the folder now.
            listing = ListingOf(real, true);
            if (listing == nullptr) break;
            if (const auto exact = listing->exactNames.find(name);
                exact != listing->exactNames.end()) {
                Append(real, part);
                result.isFolder = exact->second;
                ++result.resolved;
                continue;
            }
            entry = listing->byFoldedName.find(FoldCase(part));
            if (entry == listing->byFoldedName.end()) break;
        }
        Append(real, entry->second.name);
        result.isFolder = entry->second.isFolder;
        ++result.resolved;
    }
    return result;
}

std::optional<std::string> PathLookup::Find(std::string_view path) {
    if (path.empty()) return std::nullopt;
    const bool absolute = path.front() == '/' || path.front() == '\\';
    const auto parts = SplitPath(path);
    std::lock_guard lock(m_mutex);
    std::string real;
    if (Resolve(parts, absolute, real).resolved != parts.size()) return std::nullopt;
    return real;
}

bool PathLookup::FileExists(std::string_view path) {
    if (path.empty()) return false;
    const bool absolute = path.front() == '/' || path.front() == '\\';
    const auto parts = SplitPath(path);
    std::lock_guard lock(m_mutex);
    std::string real;
    const Resolution result = Resolve(parts, absolute, real);
    return result.resolved == parts.size() && !parts.empty() && !result.isFolder;
}

std::string PathLookup::PathForWriting(std::string_view path) {
    const bool absolute = !path.empty() && (path.front() == '/' || path.front() == '\\');
    const auto parts = SplitPath(path);
    std::lock_guard lock(m_mutex);
    std::string real;
    const size_t resolved = Resolve(parts, absolute, real).resolved;
    for (size_t i = resolved; i < parts.size(); ++i)
        Append(real, parts[i]);
    return real;
}

void PathLookup::Forget(std::string_view folder) {
    std::lock_guard lock(m_mutex);
    std::string key(folder);
    while (key.size() > 1 && (key.back() == '/' || key.back() == '\\'))
        key.pop_back();
    m_listings.erase(key);
}

void PathLookup::ForgetAll() {
    std::lock_guard lock(m_mutex);
    m_listings.clear();
}

} // namespace quillora
