// Mouse pointers: the project's default pointer on elements, and the screen-wide pointer.
#pragma once

#include <QCursor>

namespace quillora {

class PictureBox;
class SceneElement;

// True when the project uses the system pointer (no default pointer file, or "default").
bool UsesSystemPointer();
// The project's default pointer file as a pointer; nothing when there is none or it cannot be
// loaded (the media lookup has already warned about a missing file).
// The file is looked up once until ForgetDefaultPointer (a game reset or a script's change).
bool LoadDefaultPointer(QCursor& pointer);
void ForgetDefaultPointer();

// Gives one element the project's default pointer (pointer 0 with the system pointer).
void ApplyDefaultPointer(SceneElement& element);
void ApplyDefaultPointer(PictureBox& box);

// The screen-wide pointer: the arrow (or the project's pointer) while a frame is built or a
// movie plays; 0 lets every element show its own again.
void SetScreenPointerArrow(PictureBox& box);
void SetScreenPointerDefault(PictureBox& box);

} // namespace quillora
