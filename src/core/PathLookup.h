// Finds files by names written with "\" or "/" and in any letter case, as Windows games name them.
#pragma once

#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

struct dirent;

namespace quillora {

// Resolves a path component by component: an exact match wins, otherwise the entry of the
// folder whose name equals the component without regard to letter case. Folder listings are
// cached: a listing is trusted for a short while (kTrustSeconds), then checked against the
// folder's modification time; a name not found makes the folder be checked at once. So a lookup
// of a known file costs no system call, new files are seen at once, and files removed by other
// programs are seen within the trust period (the player's own removals call Forget).
// Thread-safe: media threads may resolve while the window thread does.
class PathLookup {
public:
    static PathLookup& Instance();

    // The real path of an existing file or folder, or nothing. Accepts "\" and "/" separators.
    std::optional<std::string> Find(std::string_view path);
    bool Exists(std::string_view path) { return Find(path).has_value(); }
    // Whether the path names an existing regular file (not a folder, a device or a pipe).
    bool FileExists(std::string_view path);
    // The path to create or overwrite a file at: the existing folders and file resolved without
    // regard to case, missing parts kept as written (with "/" separators).
    std::string PathForWriting(std::string_view path);
    // Forgets the cached listing of one folder (after the player creates or removes files in it).
    void Forget(std::string_view folder);
    void ForgetAll();

    // Folders that paths written from inside them may not leave: a path whose text begins with
    // one of these folders is found only when it resolves (after ".." parts and symbolic links)
    // to something inside that folder. Other paths are not affected. The game's folder is one,
    // so that names read from game files cannot reach other files.
    void SetConfinedFolders(const std::vector<std::string>& folders);

private:
    static constexpr double kTrustSeconds = 0.25;

    enum class Kind : unsigned char { Folder, File, Other };
    struct Entry {
        std::string name;
        Kind kind = Kind::File;
        bool isLink = false;
    };
    struct Listing {
        long long modified = 0;
        long long checkedAt = 0; // steady-clock nanoseconds
        std::unordered_map<std::string, Entry> byFoldedName;
        std::unordered_map<std::string, Entry> exactNames;
    };
    struct Resolution {
        size_t resolved = 0;      // leading components found
        Kind kind = Kind::Folder; // kind of the last one found
        size_t linksBelow = 0;    // 1 + index of the last component that is a symbolic link
    };
    struct Confined {
        std::vector<std::string> parts;
        bool absolute = false;
    };

    Resolution Resolve(const std::vector<std::string_view>& parts, bool absolute,
                       std::string& real);
    static Entry EntryOf(const std::string& folder, const ::dirent* entry);
    static void Take(Resolution& result, const Entry& entry);
    // Whether a resolved path may be used: inside the confined folder its text begins with.
    bool Admissible(const std::vector<std::string_view>& parts, bool absolute,
                    const std::string& real, const Resolution& resolution);
    // The listing of a folder; check: compare with the folder now rather than trusting it.
    const Listing* ListingOf(const std::string& folder, bool check);

    std::mutex m_mutex;
    std::unordered_map<std::string, Listing> m_listings;
    std::vector<Confined> m_confined;
};

// Splits a path at "\" and "/" separators, dropping empty and "." parts.
std::vector<std::string_view> SplitPath(std::string_view path);

// The part after the last separator ("\" or "/").
std::string_view FileNamePart(std::string_view path);
// Everything up to and including the last separator.
std::string_view FolderPart(std::string_view path);

} // namespace quillora
