// What a game's scripts may reach beyond the game: files only in the game's folder, its per-user
// data folder and the temporary folder; programs only once the player agreed.
#pragma once

#include "core/FileConfinement.h"

#include <QUrl>

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace quillora {

// Games are downloaded from the internet, so their scripts are not trusted with the player's
// files or programs. An author testing their own game lifts both limits (--trust-scripts).
class ScriptPermissions {
public:
    ScriptPermissions();
    // Trusted scripts reach every file and start programs without asking.
    void SetTrusted(bool trusted) { m_trusted = trusted; }
    bool Trusted() const { return m_trusted; }
    // The folders scripts may use (absolute paths), set at every game reset: the game's own
    // (its folder and its data folder), whose files scripts may also hand to the desktop, and
    // the temporary folder. Relative paths start from the first game folder.
    void SetAllowedFolders(const std::vector<std::string>& gameFolders,
                           const std::string& temporaryFolder);

    // Whether a script may read or write `path` (absolute): it lies inside an allowed folder
    // once "..", "." and symbolic links are resolved as far as the path exists.
    bool AllowsFile(const std::string& path) const;
    // The same rules for the script engine's own file objects (FileSystemObject): unconfined
    // only when trusted. Relative paths start from the game's folder either way.
    FileConfinement EngineRules() const;
    // Fails with "Permission denied" (70), which scripts can catch, when it may not.
    void CheckFileAccess(const std::string& path) const;
    // Whether a script may hand the file to the desktop's opener: only the game's own files.
    bool AllowsOpening(const std::string& path) const;
    // Before a script starts the program `path`: the player is asked (Yes/No, naming the file)
    // the first time for each program in this game; the answer is kept. Fails with 70 when the
    // player said No.
    void CheckProgramStart(const std::string& path);
    // Hands an address or a file to the desktop, without waiting: a program file is started,
    // anything else opened with its associated program. False when that failed.
    bool OpenExternally(const QUrl& target) const { return m_opener(target); }
    // Replaces the desktop (tests record what would be opened).
    void SetOpener(std::function<bool(const QUrl&)> opener) { m_opener = std::move(opener); }

private:
    bool m_trusted = false;
    std::function<bool(const QUrl&)> m_opener;
    FileConfinement m_files;   // the game's folders and the temporary folder
    FileConfinement m_opening; // the game's folders only
    std::map<std::string, bool> m_answers;
};

// The per-user data folder of the game named `projectName`, where its scripts may keep files.
std::string GameDataFolder(const std::string& projectName);

// Whether `path` names a program rather than a document: an executable file, or a Windows
// program by its extension.
bool IsProgramFile(const std::string& path);

} // namespace quillora
