// The CD index (empty until multi-CD games are supported).
#include "project/MultiCDModule.h"

namespace quillora {
namespace {
int g_cdIndexCount = 0;
} // namespace

void LoadCDIndex() {
    g_cdIndexCount = 0;
}

int CDIndexCount() {
    return g_cdIndexCount;
}

std::string FindOnCD(const std::string& path) {
    return path;
}

} // namespace quillora
