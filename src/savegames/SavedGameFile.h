// The saved-game file (NAME.sav in the project folder): its record sequence, written and read value
// for value in the classic sequential-file form, and the resume table that says where play goes on.
#pragma once

#include "game/Variables.h"

#include <optional>
#include <string>
#include <vector>

namespace quillora {

class ValueListReader;
struct GameSession;
struct ProjectInfo;

// The player's version as a saved game records it.
inline constexpr const char* kSavedGameVersion = "Version 3.4.3";

// What a saved game holds, as read from its file. Older saves end early: the parts they lack are
// absent and keep, when loaded, what the game reset gave them.
struct SavedGameRecord {
    std::string ResumeFrame;
    VariablesCollection Variables; // integer variables: name, value
    VariablesCollection Hidden;    // hidden hotspots: frame name, hotspot number
    std::vector<std::string> Items;
    std::optional<std::vector<std::string>> History;
    std::optional<VariantCollection> Variants;
};

// The bytes of a saved game of `session` resuming at `resumeFrame`, saved on `date`
// ("MM/DD/YYYY"): one value a line, CR LF, Windows-1252. A double quote, which the file form
// cannot hold inside a string, is written as a single quote, so every file reads back.
std::string SavedGameBytes(const GameSession& session, const std::string& resumeFrame,
                           const ProjectInfo& project, const std::string& date);

// Reads a whole saved game; throws ClassicError when a value is missing or damaged (nothing of the
// file is used then).
SavedGameRecord ReadSavedGame(ValueListReader& in);

// The frame at which a game saved in `frameName` resumes: the second value of the last pair of
// Config/Resume whose first value equals frameName (any case) and whose second is not empty;
// frameName itself without such a pair, or when the table is missing or damaged.
std::string GetResumeLocation(const std::string& frameName);

} // namespace quillora
