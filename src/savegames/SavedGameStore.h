// The saved games of a project on disk: their list, names, atomic writing, the picture beside each
// save, and reading one back whole.
#pragma once

#include "savegames/SavedGameFile.h"

#include <QDateTime>
#include <QImage>

#include <optional>
#include <string>
#include <vector>

namespace quillora {

// The ten characters a saved game's name may not hold, as the refusal message lists them.
inline constexpr const char* kForbiddenSaveCharacters = "\\/:*?\"<>|,";

// True when the name holds none of the forbidden characters.
bool IsAllowedSaveName(const std::string& name);

// The file of a saved game: the project folder + name + ".sav" (an existing file whose name
// differs only in case is the same saved game).
std::string SavedGamePath(const std::string& name);
// The picture of the frame saved beside it (name + ".png").
std::string SavedGamePicturePath(const std::string& name);

// The names (without ".sav") of the saved games, oldest first; equal times keep alphabetical
// order. Files of four characters or fewer ("x.sav" has five) are not saved games.
std::vector<std::string> ListSavedGames();
// When the saved game was last written; invalid when it cannot be read.
QDateTime SavedGameTime(const std::string& name);

// Writes `bytes` to `path` through a temporary file in the same folder that replaces the old file
// only once it is completely on disk: a failure leaves the old file as it was and no temporary
// file behind. Throws ClassicError with what failed.
void WriteFileAtomically(const std::string& path, const std::string& bytes);

// Saves `bytes` as saved game `name`, then its picture (scaled down; a failing picture costs only
// the picture). Throws ClassicError when the saved game itself cannot be written.
void WriteSavedGame(const std::string& name, const std::string& bytes, const QImage& frame);

// Reads saved game `name` whole; throws ClassicError when it is missing, not a file, or damaged.
SavedGameRecord ReadSavedGameFile(const std::string& name);
// The same; a failure shows " Unable to load '<folder><name>.sav'." and gives nothing.
std::optional<SavedGameRecord> ReadSavedGameOrReport(const std::string& name);

// Today's date as a saved game records it: "MM/DD/YYYY".
std::string SaveDateText(const QDate& date);

} // namespace quillora
