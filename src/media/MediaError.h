// The failure a media player reports: a file that cannot be opened, is not supported or is damaged.
#pragma once

#include <stdexcept>
#include <string>

namespace quillora {

// Thrown by the media player's members (loading a file, starting it). The description is the
// text the caller's error report shows after its own words, e.g. "The file is damaged or is not a
// sound or video file (Invalid data found when processing input)."
class MediaError : public std::runtime_error {
public:
    explicit MediaError(const std::string& description) : std::runtime_error(description) {}
    std::string Description() const { return what(); }
};

} // namespace quillora
