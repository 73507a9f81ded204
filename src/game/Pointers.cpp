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

bool DefaultPointer::Load(QCursor& pointer) {
    if (UsesSystemPointer()) return false;
    if (!m_valid || m_name != Project().DefaultCursor) {
        m_valid = true;
        m_name = Project().DefaultCursor;
        try {
            // Looked up after a game reset or a script's change, never while the game is
            // stopping everything: a missing file is worth its warning.
            m_pointer = LoadPointer(ResolveMediaPath(Paths().Icons + m_name, false));
            m_loaded = true;
        } catch (const ClassicError&) {
            m_loaded = false;
        }
    }
    pointer = m_pointer;
    return m_loaded;
}

void DefaultPointer::ApplyTo(SceneElement& element) {
    QCursor pointer;
    if (Load(pointer)) {
        element.MouseIcon = pointer;
        element.HasMouseIcon = true;
        element.MousePointer = 99;
    } else {
        element.MousePointer = 0;
        element.HasMouseIcon = false;
        element.MouseIcon = QCursor();
    }
}

void DefaultPointer::ApplyTo(PictureBox& box) {
    QCursor pointer;
    box.HasMouseIcon = Load(pointer);
    box.MouseIcon = pointer;
    box.MousePointer = box.HasMouseIcon ? 99 : 0;
}

void DefaultPointer::SetScreenPointerArrow(PictureBox& box) {
    QCursor pointer;
    if (Load(pointer)) {
        box.SetScreenPointer(99, pointer);
    } else {
        box.SetScreenPointer(1);
    }
}

void SetScreenPointerDefault(PictureBox& box) {
    box.SetScreenPointer(0);
}

} // namespace quillora
