// Key files of the Windows profile kind ([section] and key=value lines), read and written
// with the results of the Windows profile functions.
#pragma once

#include <string>

namespace quillora {

// The value of key in section of the key file (both compared without regard to case), trimmed
// of blanks and of one pair of enclosing quotes, cut to 254 characters. Empty when the file,
// the section or the key is missing, or on any failure (a file that is not a regular one, or
// holds more than 4 MB, is not read).
std::string ReadINI(const std::string& file, const std::string& section, const std::string& key);

// Sets key in section to value, replacing the key's line or adding it at the end of its
// section, and the section at the end of the file; creates the file when it is missing.
// Failures (a missing folder, no permission, a file that cannot be read) are ignored.
void WriteINI(const std::string& file, const std::string& section, const std::string& key,
              const std::string& value);

} // namespace quillora
