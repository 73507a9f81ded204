// The folders an untrusted game may reach files in: a value that file operations ask first.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace quillora {

// A set of allowed root folders. With none allowed it is unconfined and allows every path;
// once Allow has been called, only paths inside an allowed root are allowed (even when that
// root could not be resolved, so a failed Allow never leaves a game unconfined).
//
// Paths are judged by where they really lead: made absolute (against the current folder), then
// "." and ".." and every symbolic link resolved as far as the path exists. So "..\..\x" from
// inside a root, or a link inside a root that points out of it, is refused, and a file that
// does not exist yet is judged by its resolved folder. A link is followed even when its target
// does not exist, since creating a file through it would create the target.
//
// Judge the path that is handed to the system, after any case-insensitive lookup, since that is
// the file the system acts on. A path with "\" must stay inside both when "\" is read as part
// of a name (as the system reads it) and when it separates parts (as games write paths).
class FileConfinement {
public:
    // Allows the folder and everything inside it. The root is resolved now, as paths are.
    void Allow(const std::string& root);
    // Whether any root was allowed (false: everything is allowed).
    bool Confined() const { return m_confined; }
    bool Allows(const std::string& path) const;
    // The resolved roots, for messages.
    const std::vector<std::string>& Roots() const { return m_roots; }
    // The folder relative paths start from instead of the process's current folder: a game's
    // scripts name their files relative to the game, wherever the player was started.
    void StartFrom(const std::string& folder) { m_startFolder = folder; }
    const std::string& StartFolder() const { return m_startFolder; }
    // `path` made absolute against the start folder when it is relative and one is set; a
    // path beginning with "/", "\" or a drive ("C:") is left as written.
    std::string Anchored(const std::string& path) const;

    // The absolute path with ".", ".." and symbolic links resolved as far as it exists; nothing
    // when links loop or nest too deep (such a path is never allowed).
    static std::optional<std::string> Resolve(const std::string& path);

private:
    static std::optional<std::string> Resolve(const std::string& path, bool backslashes);

    std::vector<std::string> m_roots;
    std::string m_startFolder;
    bool m_confined = false;
};

} // namespace quillora
