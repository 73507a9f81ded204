// Finding media files: under their own name, their stored numbered name, or on a CD.
#pragma once

#include <string>

namespace quillora {

// The numbered name under which a compiled game stores a media file: the path without its
// last four characters, ".", and a number of at least three digits derived from the first
// three characters of the name part and the extension. The path unchanged when the extension
// has no number or the name part has four characters or fewer.
std::string StoredMediaName(const std::string& path);

// The path under which a media file can be opened: the path itself when the file exists,
// else its stored name, else its copy on a CD. When none exists a warning names the last
// candidate (unless the game is stopping everything), which is returned; callers test existence.
std::string ResolveMediaPath(const std::string& path, bool stopEverything);

} // namespace quillora
