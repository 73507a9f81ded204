// Feeds arbitrary bytes to the CD index reader and the mount table reader: what the index keeps
// is always a valid record, and a damaged file throws only the classic errors.
#include "core/ClassicError.h"
#include "core/ValueListReader.h"
#include "project/MultiCDModule.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace quillora;
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    ValueListReader in(bytes);
    try {
        for (const CDIndexRecord& record : ReadCDIndex(in)) {
            if (record.FileName.empty() || record.CDNumber < 1 || record.FolderKind == 0)
                std::abort();
        }
    } catch (const ClassicError&) {
    }
    for (const std::string& point : CDMountPoints(bytes)) {
        if (point.size() > bytes.size()) std::abort();
    }
    return 0;
}
