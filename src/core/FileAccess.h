// Reading files that a game names: regular files only, never past a size limit, never blocking.
#pragma once

#include <cstddef>
#include <string>

namespace quillora {

enum class FileProblem {
    None,
    Missing,    // no such file
    NotRegular, // a folder, a device, a pipe or a socket
    TooLarge,   // larger than the reader's limit
    Unreadable, // no permission, or a read error
};

struct FileBytes {
    std::string bytes;
    FileProblem problem = FileProblem::None;
    explicit operator bool() const { return problem == FileProblem::None; }
};

// Reads a regular file whole when it holds at most maxBytes. Devices and pipes are never opened
// for reading, so a name like /dev/zero or a pipe costs nothing and cannot block; a file that
// grows while it is read is cut at maxBytes and reported TooLarge.
FileBytes ReadRegularFile(const std::string& path, size_t maxBytes);

// Reads at most maxBytes from the start of a regular file (shorter files give what they hold).
FileBytes ReadRegularFileHead(const std::string& path, size_t maxBytes);

// Whether path (symbolic links followed) is a regular file.
bool IsRegularFile(const std::string& path);

// A short English phrase for a problem ("is not a regular file"), for messages.
std::string DescribeFileProblem(FileProblem problem);

} // namespace quillora
