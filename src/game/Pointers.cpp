// The project's default pointer and the screen pointer.
#include "game/Pointers.h"

#include "core/ClassicError.h"
#include "core/Cp1252.h"
#include "project/MediaPath.h"
#include "project/ProjectInfo.h"
#include "project/ProjectPaths.h"
#include "scene/PictureBox.h"
#include "scene/Pictures.h"

namespace quillora {

bool UsesSystemPointer() {
    const std::string& name = Project().DefaultCursor;
    return name.empty() || EqualsNoCase(name, "default");
}

namespace {

// The default pointer is looked up once per pointer file and reset, not once per element, so a
// missing file is reported once rather than for every hotspot of every frame.
struct DefaultPointerCache {
    bool valid = false;
    std::string name;
    bool loaded = false;
    QCursor pointer;
};

DefaultPointerCache& Cached() {
    static DefaultPointerCache cache;
    return cache;
}

} // namespace

void ForgetDefaultPointer() {
    Cached().valid = false;
}

bool LoadDefaultPointer(QCursor& pointer) {
    if (UsesSystemPointer()) return false;
    DefaultPointerCache& cache = Cached();
    if (!cache.valid || cache.name != Project().DefaultCursor) {
        cache.valid = true;
        cache.name = Project().DefaultCursor;
        try {
            // Looked up after a game reset or a script's change, never while the game is
            // stopping everything: a missing file is worth its warning.
            cache.pointer = LoadPointer(ResolveMediaPath(Paths().Icons + cache.name, false));
            cache.loaded = true;
        } catch (const ClassicError&) {
            cache.loaded = false;
        }
    }
    pointer = cache.pointer;
    return cache.loaded;
}

void ApplyDefaultPointer(SceneElement& element) {
    QCursor pointer;
    if (LoadDefaultPointer(pointer)) {
        element.MouseIcon = pointer;
        element.HasMouseIcon = true;
        element.MousePointer = 99;
    } else {
        element.MousePointer = 0;
        element.HasMouseIcon = false;
        element.MouseIcon = QCursor();
    }
}

void ApplyDefaultPointer(PictureBox& box) {
    QCursor pointer;
    box.HasMouseIcon = LoadDefaultPointer(pointer);
    box.MouseIcon = pointer;
    box.MousePointer = box.HasMouseIcon ? 99 : 0;
}

void SetScreenPointerArrow(PictureBox& box) {
    QCursor pointer;
    if (LoadDefaultPointer(pointer)) {
        box.SetScreenPointer(99, pointer);
    } else {
        box.SetScreenPointer(1);
    }
}

void SetScreenPointerDefault(PictureBox& box) {
    box.SetScreenPointer(0);
}

} // namespace quillora
