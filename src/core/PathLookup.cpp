// Case-insensitive path lookup with cached folder listings.
#include "core/PathLookup.h"

#include "core/Cp1252.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
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

bool IsInside(const std::string& path, const std::string& folder) {
    if (path.size() < folder.size() || path.compare(0, folder.size(), folder) != 0) return false;
    return path.size() == folder.size() || folder.back() == '/' || path[folder.size()] == '/';
}

std::string CanonicalPath(const std::string& path) {
    char* resolved = ::realpath(path.c_str(), nullptr);
    if (resolved == nullptr) return {};
    std::string result(resolved);
    std::free(resolved);
    return result;
}

} // namespace

PathLookup::Entry PathLookup::EntryOf(const std::string& folder, const ::dirent* entry) {
    Entry result{entry->d_name, Kind::Other, entry->d_type == DT_LNK};
    if (entry->d_type == DT_DIR) result.kind = Kind::Folder;
    if (entry->d_type == DT_REG) result.kind = Kind::File;
    if (entry->d_type != DT_UNKNOWN && entry->d_type != DT_LNK) return result;
    std::string path = folder;
    Append(path, entry->d_name);
    struct stat info {};
    if (entry->d_type == DT_UNKNOWN && ::lstat(path.c_str(), &info) == 0)
        result.isLink = S_ISLNK(info.st_mode);
    if (StatPath(path, info)) {
        result.kind = S_ISDIR(info.st_mode)   ? Kind::Folder
                      : S_ISREG(info.st_mode) ? Kind::File
                                              : Kind::Other;
    }
    return result;
}

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
        const Entry found = EntryOf(folder, entry);
        // Several names may fold alike on Linux; the first one listed answers.
        listing.byFoldedName.emplace(FoldCase(name), found);
        listing.exactNames.emplace(name, found);
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
            // A relative path may climb above its start: "./.." climbs on to "./../..".
            const size_t slash = real.find_last_of('/');
            const std::string_view last =
                std::string_view(real).substr(slash == std::string::npos ? 0 : slash + 1);
            if (last == "." || last == "..") {
                real += "/..";
            } else {
                real.resize(slash == 0 ? 1 : slash);
            }
            ++result.resolved;
            result.kind = Kind::Folder;
            continue;
        }
        const Listing* listing = ListingOf(real, false);
        if (listing == nullptr) break;
        // An exact match wins over a case-insensitive one when both exist.
        name.assign(part);
        if (const auto exact = listing->exactNames.find(name); exact != listing->exactNames.end()) {
            Append(real, part);
            Take(result, exact->second);
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
                Take(result, exact->second);
                continue;
            }
            entry = listing->byFoldedName.find(FoldCase(part));
            if (entry == listing->byFoldedName.end()) break;
        }
        Append(real, entry->second.name);
        Take(result, entry->second);
    }
    return result;
}

void PathLookup::Take(Resolution& result, const Entry& entry) {
    result.kind = entry.kind;
    ++result.resolved;
    if (entry.isLink) result.linksBelow = result.resolved;
}

bool PathLookup::Admissible(const std::vector<std::string_view>& parts, bool absolute,
                            const std::string& real, const Resolution& resolution) {
    for (const Confined& folder : m_confined) {
        if (folder.absolute != absolute || parts.size() < folder.parts.size() ||
            !std::equal(folder.parts.begin(), folder.parts.end(), parts.begin())) {
            continue;
        }
        const std::vector<std::string_view> folderParts(folder.parts.begin(), folder.parts.end());
        std::string folderReal;
        const Resolution inFolder = Resolve(folderParts, absolute, folderReal);
        if (inFolder.resolved != folderParts.size()) return false;
        // Links inside the folder may point anywhere: only the real paths tell.
        if (resolution.linksBelow > folderParts.size()) {
            const std::string target = CanonicalPath(real);
            const std::string home = CanonicalPath(folderReal);
            return !target.empty() && !home.empty() && IsInside(target, home);
        }
        return IsInside(real, folderReal);
    }
    return true;
}

void PathLookup::SetConfinedFolders(const std::vector<std::string>& folders) {
    std::lock_guard lock(m_mutex);
    m_confined.clear();
    for (const std::string& folder : folders) {
        Confined confined;
        confined.absolute = !folder.empty() && (folder.front() == '/' || folder.front() == '\\');
        for (const std::string_view part : SplitPath(folder))
            confined.parts.emplace_back(part);
        if (!confined.parts.empty() || confined.absolute) m_confined.push_back(std::move(confined));
    }
}

std::optional<std::string> PathLookup::Find(std::string_view path) {
    if (path.empty()) return std::nullopt;
    const bool absolute = path.front() == '/' || path.front() == '\\';
    const auto parts = SplitPath(path);
    std::lock_guard lock(m_mutex);
    std::string real;
    const Resolution result = Resolve(parts, absolute, real);
    if (result.resolved != parts.size() || !Admissible(parts, absolute, real, result))
        return std::nullopt;
    return real;
}

bool PathLookup::FileExists(std::string_view path) {
    if (path.empty()) return false;
    const bool absolute = path.front() == '/' || path.front() == '\\';
    const auto parts = SplitPath(path);
    std::lock_guard lock(m_mutex);
    std::string real;
    const Resolution result = Resolve(parts, absolute, real);
    return result.resolved == parts.size() && !parts.empty() && result.kind == Kind::File &&
           Admissible(parts, absolute, real, result);
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
