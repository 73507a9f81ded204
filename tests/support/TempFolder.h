// A temporary folder that tests write into; removed with everything in it at the end.
#pragma once

#include <QTemporaryDir>

#include <string>

namespace quillora::test {

class TempFolder {
public:
    TempFolder();
    // The folder's path, ending with "/".
    std::string Path() const;

private:
    QTemporaryDir m_dir;
};

} // namespace quillora::test
