// Temporary folders for tests.
#include "TempFolder.h"

#include <stdexcept>

namespace quillora::test {

TempFolder::TempFolder() : m_dir(QDir::tempPath() + "/quillora-test-XXXXXX") {
    if (!m_dir.isValid()) throw std::runtime_error("cannot create a temporary folder");
}

std::string TempFolder::Path() const {
    return m_dir.path().toStdString() + "/";
}

} // namespace quillora::test
