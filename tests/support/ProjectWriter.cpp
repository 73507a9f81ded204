// Writing project folders for tests.
#include "ProjectWriter.h"

#include "core/ValueListWriter.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>

#include <fstream>
#include <stdexcept>

namespace quillora::test {

FileValue FileValue::Raw(std::string text) {
    FileValue value{std::string()};
    value.raw = true;
    value.rawText = std::move(text);
    return value;
}

FileValues GeneralFields() {
    return {"TestProject", "", "Test Adventure", 0, "Start", "Version 2.5", 640, 480, "An Author",
            "author@example.org", "https://example.org/",
            // fields 12 to 22
            0, 0, 0, 0, "", 0, 0, 0, false, false, 0,
            // fields 23 to 38
            "", 0, 10, 10, true, true, true, true, true, false, "DEFAULT", "DEFAULT", 0, 0, 0,
            "DEFAULT",
            // fields 39 to 55
            0, 0, false, 0, false, false, 0, false, false, false, 0, 0, 0, false, "", false, ""};
}

ProjectWriter::ProjectWriter() : m_root(m_folder.Path()) {}

ProjectWriter::ProjectWriter(std::string root) : m_root(std::move(root)) {
    if (m_root.empty() || m_root.back() != '/') m_root += '/';
}

void ProjectWriter::WriteBytes(const std::string& relative, const std::string& bytes) {
    std::string path = m_root + relative;
    for (char& c : path) {
        if (c == '\\') c = '/';
    }
    QDir().mkpath(QFileInfo(QString::fromStdString(path)).absolutePath());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) throw std::runtime_error("cannot write " + path);
    out << bytes;
}

std::string ProjectWriter::Format(const FileValues& values, const std::string& separator) {
    std::string text;
    for (size_t i = 0; i < values.size(); ++i) {
        if (i > 0) text += separator;
        if (values[i].raw) {
            text += values[i].rawText;
        } else {
            ValueListWriter writer;
            writer.WriteValue(values[i].value);
            std::string line = writer.Bytes();
            line.resize(line.size() - 2); // drop the CR LF
            text += line;
        }
    }
    return text + "\r\n";
}

void ProjectWriter::WriteValues(const std::string& relative, const FileValues& values,
                                const std::string& separator) {
    WriteBytes(relative, Format(values, separator));
}

void ProjectWriter::WriteGeneral(const FileValues& fields) {
    WriteValues("Config/General", fields);
}

void ProjectWriter::WritePicture(const std::string& relative, int width, int height,
                                 QColor colour) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    const std::string path = m_root + relative;
    QDir().mkpath(QFileInfo(QString::fromStdString(path)).absolutePath());
    if (!image.save(QString::fromStdString(path))) throw std::runtime_error("cannot write " + path);
}

} // namespace quillora::test
