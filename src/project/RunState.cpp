// The run flags and the current-frame record.
#include "project/RunState.h"

namespace quillora {

RunFlags& Flags() {
    static RunFlags flags;
    return flags;
}

CurrentFrameRecord& CurrentFrame() {
    static CurrentFrameRecord record;
    return record;
}

void ClearCurrentFrame() {
    CurrentFrame() = CurrentFrameRecord();
}

} // namespace quillora
