// The project folder record.
#include "project/ProjectPaths.h"

#include "core/PathLookup.h"

namespace quillora {

ProjectPaths& Paths() {
    static ProjectPaths paths;
    return paths;
}

void SetProjectRoot(const std::string& folder) {
    ProjectPaths& p = Paths();
    p.Root = folder;
    if (p.Root.empty() || (p.Root.back() != '/' && p.Root.back() != '\\')) p.Root += '/';
    p.Frames = p.Root + "Frames/";
    p.FramesData = p.Root + "FramesData/";
    p.Areas = p.Root + "Areas/";
    p.Icons = p.Root + "Icons/";
    p.Config = p.Root + "Config/";
    p.Temp = p.Root + "Temp/";
    if (p.Schemes.empty()) p.Schemes = p.Root + "Schemes/";
    if (p.Inventory.empty()) p.Inventory = p.Root + "Inventory/";
    p.External = p.Root + "External/";
    ConfineGameFolders({});
}

void ConfineGameFolders(const std::vector<std::string>& extraFolders) {
    const ProjectPaths& p = Paths();
    // Names in game files are written relative to these folders and must stay inside them.
    std::vector<std::string> folders{p.Root, p.Schemes, p.Inventory};
    folders.insert(folders.end(), extraFolders.begin(), extraFolders.end());
    PathLookup::Instance().SetConfinedFolders(folders);
}

} // namespace quillora
