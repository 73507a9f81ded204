// The project folder and its fixed sub-folders, set once at start-up.
#pragma once

#include <string>
#include <vector>

namespace quillora {

// Every path ends with "/". Project files name their folders with "\" and any letter case;
// the path lookup resolves them, so the paths here keep the canonical names.
struct ProjectPaths {
    std::string Root;
    std::string Frames;
    std::string FramesData;
    std::string Areas;
    std::string Icons;
    std::string Config;
    std::string Temp;
    std::string Schemes;
    std::string Inventory;
    std::string External;
};

// The process-wide record.
ProjectPaths& Paths();

// Sets Root to folder plus one trailing "/" (none added when it already ends with one, as a
// root folder does) and derives the sub-folders. Schemes and Inventory are set only while they
// are still empty. Paths written from these folders are confined to them (PathLookup): a name
// like "..\\..\\etc\\passwd" in a game file is a missing file.
void SetProjectRoot(const std::string& folder);

// Confines paths to the project folders as above and to the extra folders (the CD drive a
// multi-CD game reads from), which replace any extra folders given before.
void ConfineGameFolders(const std::vector<std::string>& extraFolders);

} // namespace quillora
