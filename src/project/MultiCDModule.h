// Multi-CD projects: the CD index read at start-up and the CD step of the media lookup.
#pragma once

#include <string>

namespace quillora {

// Reads the CD index of a multi-CD project. This player does not install games from CDs yet:
// the index stays empty and every project plays from its own folder.
void LoadCDIndex();
// Number of index records kept (0: not a multi-CD project).
int CDIndexCount();

// The path of a file on the game's CD; the path itself for a single-folder project.
std::string FindOnCD(const std::string& path);

} // namespace quillora
