// Allowed root folders, and paths resolved the way the system will follow them.
#include "core/FileConfinement.h"

#include <algorithm>
#include <cerrno>
#include <deque>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace quillora {
namespace {

// More links than this on one path is a loop, as the system itself decides.
constexpr int kMaxLinks = 40;

void PushParts(std::deque<std::string>& pending, const std::string& path, bool front,
               bool backslashes) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (size_t i = 0; i <= path.size(); ++i) {
        if (i == path.size() || path[i] == '/' || (backslashes && path[i] == '\\')) {
            if (i > start) parts.push_back(path.substr(start, i - start));
            start = i + 1;
        }
    }
    if (front)
        pending.insert(pending.begin(), parts.begin(), parts.end());
    else
        pending.insert(pending.end(), parts.begin(), parts.end());
}

bool IsInside(const std::string& path, const std::string& root) {
    if (root == "/") return true;
    return path.size() >= root.size() && path.compare(0, root.size(), root) == 0 &&
           (path.size() == root.size() || path[root.size()] == '/');
}

} // namespace

std::optional<std::string> FileConfinement::Resolve(const std::string& path) {
    return Resolve(path, false);
}

std::optional<std::string> FileConfinement::Resolve(const std::string& path, bool backslashes) {
    // The system reads a name only up to a zero byte: such a name would not be the one judged.
    if (path.find('\0') != std::string::npos) return std::nullopt;
    std::deque<std::string> pending;
    if (path.empty() || (path.front() != '/' && !(backslashes && path.front() == '\\'))) {
        std::error_code ec;
        const std::filesystem::path here = std::filesystem::current_path(ec);
        if (ec) return std::nullopt;
        PushParts(pending, here.string(), false, false);
    }
    PushParts(pending, path, false, backslashes);

    // `resolved` never holds a link or a "..", so going up one level is cutting its last part.
    std::string resolved;
    int links = 0;
    std::string target;
    while (!pending.empty()) {
        const std::string part = std::move(pending.front());
        pending.pop_front();
        if (part == ".") continue;
        if (part == "..") {
            const size_t slash = resolved.find_last_of('/');
            resolved.resize(slash == std::string::npos ? 0 : slash);
            continue;
        }
        const std::string next = resolved + "/" + part;
        struct stat info {};
        // A part that is missing (or in no folder) is taken as written, and so is what follows.
        if (::lstat(next.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) {
            resolved = next;
            continue;
        }
        if (++links > kMaxLinks) return std::nullopt;
        target.resize(static_cast<size_t>(std::max<off_t>(info.st_size, 0)) + 256);
        const ssize_t length = ::readlink(next.c_str(), target.data(), target.size());
        if (length <= 0 || static_cast<size_t>(length) >= target.size()) return std::nullopt;
        target.resize(static_cast<size_t>(length));
        if (target.front() == '/') resolved.clear();
        PushParts(pending, target, true, false); // the system reads links with "/" only
    }
    return resolved.empty() ? std::string("/") : resolved;
}

std::string FileConfinement::Anchored(const std::string& path) const {
    const bool absolute = !path.empty() && (path.front() == '/' || path.front() == '\\' ||
                                            (path.size() > 1 && path[1] == ':'));
    if (m_startFolder.empty() || absolute) return path;
    std::string anchored = m_startFolder;
    if (anchored.back() != '/') anchored += '/';
    return anchored + path;
}

void FileConfinement::Allow(const std::string& root) {
    m_confined = true;
    if (std::optional<std::string> resolved = Resolve(root)) {
        if (std::find(m_roots.begin(), m_roots.end(), *resolved) == m_roots.end())
            m_roots.push_back(std::move(*resolved));
    }
}

bool FileConfinement::Allows(const std::string& path) const {
    if (!m_confined) return true;
    auto inside = [&](bool backslashes) {
        const std::optional<std::string> resolved = Resolve(Anchored(path), backslashes);
        return resolved &&
               std::any_of(m_roots.begin(), m_roots.end(),
                           [&](const std::string& root) { return IsInside(*resolved, root); });
    };
    // A "\" is part of a name to the system but a separator to a game: both readings must stay in.
    return inside(false) && (path.find('\\') == std::string::npos || inside(true));
}

} // namespace quillora
