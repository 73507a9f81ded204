// Bounded, non-blocking reads of regular files.
#include "core/FileAccess.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quillora {
namespace {

FileProblem ProblemOf(int error) {
    return error == ENOENT || error == ENOTDIR ? FileProblem::Missing : FileProblem::Unreadable;
}

// Reads up to maxBytes (and, when whole, one byte more to notice growth past the limit).
FileBytes Read(const std::string& path, size_t maxBytes, bool whole) {
    FileBytes result;
    struct stat info {};
    // Refused before opening: opening a pipe blocks, and opening some devices acts on them.
    if (::stat(path.c_str(), &info) != 0) {
        result.problem = ProblemOf(errno);
        return result;
    }
    if (!S_ISREG(info.st_mode)) {
        result.problem = FileProblem::NotRegular;
        return result;
    }
    if (whole && static_cast<unsigned long long>(info.st_size) > maxBytes) {
        result.problem = FileProblem::TooLarge;
        return result;
    }
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        result.problem = ProblemOf(errno);
        return result;
    }
    // The name may have been replaced between the two looks.
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        result.problem = FileProblem::NotRegular;
        return result;
    }
    const size_t expected = static_cast<size_t>(info.st_size);
    const size_t limit = whole ? maxBytes + 1 : maxBytes;
    result.bytes.resize(std::min(expected + 1, limit));
    size_t done = 0;
    while (done < result.bytes.size()) {
        const ssize_t got = ::read(fd, result.bytes.data() + done, result.bytes.size() - done);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) {
            ::close(fd);
            return FileBytes{{}, FileProblem::Unreadable};
        }
        if (got == 0) break;
        done += static_cast<size_t>(got);
    }
    ::close(fd);
    result.bytes.resize(done);
    if (whole && done > maxBytes) return FileBytes{{}, FileProblem::TooLarge};
    return result;
}

} // namespace

FileBytes ReadRegularFile(const std::string& path, size_t maxBytes) {
    return Read(path, maxBytes, true);
}

FileBytes ReadRegularFileHead(const std::string& path, size_t maxBytes) {
    return Read(path, maxBytes, false);
}

bool IsRegularFile(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

std::string DescribeFileProblem(FileProblem problem) {
    switch (problem) {
    case FileProblem::None: return "can be read";
    case FileProblem::Missing: return "does not exist";
    case FileProblem::NotRegular: return "is not a regular file";
    case FileProblem::TooLarge: return "is too large";
    case FileProblem::Unreadable: return "cannot be read";
    }
    return "cannot be read";
}

} // namespace quillora
