// The shared test helper that writes project folders: value-list files, text files, pictures.
#pragma once

#include "TempFolder.h"
#include "core/ListValue.h"

#include <QColor>

#include <cstdint>
#include <string>
#include <vector>

namespace quillora::test {

// One value of a value-list file as the test wants it written: a typed value in its Write #
// form, or raw text exactly as it should stand in the file.
struct FileValue {
    FileValue() = default;
    FileValue(const char* text) : value(std::string(text)) {}
    FileValue(std::string text) : value(std::move(text)) {}
    FileValue(int number) : value(static_cast<int32_t>(number)) {}
    FileValue(double number) : value(number) {}
    FileValue(bool flag) : value(flag) {}
    static FileValue Raw(std::string text);
    static FileValue Empty() { return Raw(""); }

    ListValue value;
    bool raw = false;
    std::string rawText;
};

using FileValues = std::vector<FileValue>;

// The 55 values of a complete Config/General file with the demo-like settings below, so that
// tests change only what they look at (index = field number - 1).
FileValues GeneralFields();

// A project folder under a temporary folder (or any folder given).
class ProjectWriter {
public:
    ProjectWriter();
    explicit ProjectWriter(std::string root);

    // The project folder, ending with "/".
    const std::string& Root() const { return m_root; }

    // Writes bytes to a file given relative to the project folder ("/" or "\" separators);
    // creates folders on the way.
    void WriteBytes(const std::string& relative, const std::string& bytes);
    // Writes values one per line (separator "\r\n"), or with another separator.
    void WriteValues(const std::string& relative, const FileValues& values,
                     const std::string& separator = "\r\n");
    // Config/General with the given fields (see GeneralFields).
    void WriteGeneral(const FileValues& fields);
    // A picture of one colour (BMP, PNG, JPG or GIF by the name's extension).
    void WritePicture(const std::string& relative, int width, int height, QColor colour);

    // The Write # text of a value list.
    static std::string Format(const FileValues& values, const std::string& separator);

private:
    TempFolder m_folder;
    std::string m_root;
};

} // namespace quillora::test
