// Reading and writing profile-style key files.
#include "core/IniFile.h"

#include "core/Cp1252.h"
#include "core/FileAccess.h"
#include "core/PathLookup.h"

#include <fstream>
#include <optional>
#include <vector>

namespace quillora {
namespace {

constexpr size_t kMaxValueLength = 254;

std::string Trim(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return "";
    const size_t last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

// Key files are small; a larger one, a device or a pipe is not read (nor overwritten).
constexpr size_t kMaxFileBytes = 4 * 1024 * 1024;

std::optional<std::vector<std::string>> ReadLines(const std::string& path) {
    const FileBytes file = ReadRegularFile(path, kMaxFileBytes);
    if (!file && file.problem != FileProblem::Missing) return std::nullopt;
    const std::string& bytes = file.bytes;
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r' || bytes[i] == '\n') {
            lines.push_back(bytes.substr(start, i - start));
            if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
            start = i + 1;
        }
    }
    if (start < bytes.size()) lines.push_back(bytes.substr(start));
    return lines;
}

// The section name of a "[name]" line, or nothing.
std::optional<std::string> SectionName(const std::string& line) {
    const std::string trimmed = Trim(line);
    if (trimmed.size() < 2 || trimmed.front() != '[') return std::nullopt;
    const size_t close = trimmed.find(']');
    if (close == std::string::npos) return std::nullopt;
    return Trim(trimmed.substr(1, close - 1));
}

// The key of a "key=value" line, or nothing.
std::optional<std::string> KeyName(const std::string& line, std::string* value = nullptr) {
    const size_t equals = line.find('=');
    if (equals == std::string::npos) return std::nullopt;
    if (value) *value = Trim(line.substr(equals + 1));
    return Trim(line.substr(0, equals));
}

bool SameName(const std::string& fileBytes, const std::string& utf8Name) {
    return EqualsNoCase(Cp1252ToUtf8(fileBytes), utf8Name);
}

} // namespace

std::string ReadINI(const std::string& file, const std::string& section, const std::string& key) {
    const auto real = PathLookup::Instance().Find(file);
    if (!real || !PathLookup::Instance().FileExists(*real)) return "";
    bool inSection = false;
    const auto lines = ReadLines(*real);
    if (!lines) return "";
    for (const std::string& line : *lines) {
        if (const auto name = SectionName(line)) {
            if (inSection) break; // only the first section of that name counts
            inSection = SameName(*name, section);
            continue;
        }
        std::string value;
        if (!inSection) continue;
        const auto name = KeyName(line, &value);
        if (!name || !SameName(*name, key)) continue;
        if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
            value.back() == value.front()) {
            value = value.substr(1, value.size() - 2);
        }
        if (value.size() > kMaxValueLength) value.resize(kMaxValueLength);
        return Cp1252ToUtf8(value);
    }
    return "";
}

void WriteINI(const std::string& file, const std::string& section, const std::string& key,
              const std::string& value) {
    const std::string real = PathLookup::Instance().PathForWriting(file);
    const auto existing = ReadLines(real);
    if (!existing) return;
    std::vector<std::string> lines = *existing;
    const std::string newLine = Utf8ToCp1252(key) + "=" + Utf8ToCp1252(value);
    std::optional<size_t> sectionLine;
    size_t insertAt = lines.size();
    bool replaced = false;
    for (size_t i = 0; i < lines.size() && !replaced; ++i) {
        if (const auto name = SectionName(lines[i])) {
            if (sectionLine) break;
            if (SameName(*name, section)) {
                sectionLine = i;
                insertAt = i + 1;
            }
            continue;
        }
        if (!sectionLine) continue;
        if (const auto name = KeyName(lines[i]); name && SameName(*name, key)) {
            lines[i] = newLine;
            replaced = true;
        } else if (!Trim(lines[i]).empty()) {
            insertAt = i + 1;
        }
    }
    if (!replaced) {
        if (!sectionLine) {
            insertAt = lines.size();
            lines.insert(lines.begin() + static_cast<long>(insertAt),
                         "[" + Utf8ToCp1252(section) + "]");
            ++insertAt;
        }
        lines.insert(lines.begin() + static_cast<long>(insertAt), newLine);
    }
    std::ofstream out(real, std::ios::binary | std::ios::trunc);
    if (!out) return;
    for (const std::string& line : lines)
        out << line << "\r\n";
    PathLookup::Instance().Forget(FolderPart(real));
}

} // namespace quillora
