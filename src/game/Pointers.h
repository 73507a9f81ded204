// Mouse pointers: the project's default pointer on elements, and the screen-wide pointer.
#pragma once

#include <QCursor>

#include <string>

namespace quillora {

class PictureBox;
class SceneElement;

// True when the project uses the system pointer (no default pointer file, or "default").
bool UsesSystemPointer();
// The project's default pointer for one game. The file is looked up once per pointer file until
// Forget (a game reset or a script's change), not once per element, so a missing file is
// reported once rather than for every hotspot of every frame.
class DefaultPointer {
public:
    // The pointer; false when there is none or it cannot be loaded (the media lookup has already
    // warned about a missing file).
    bool Load(QCursor& pointer);
    void Forget() { m_valid = false; }

    // Gives one element the project's default pointer (pointer 0 with the system pointer).
    void ApplyTo(SceneElement& element);
    void ApplyTo(PictureBox& box);
    // The screen-wide pointer while a frame is built or a movie plays: the project's pointer, or
    // the arrow.
    void SetScreenPointerArrow(PictureBox& box);

private:
    bool m_valid = false;
    std::string m_name;
    bool m_loaded = false;
    QCursor m_pointer;
};

// Lets every element show its own pointer again.
void SetScreenPointerDefault(PictureBox& box);

} // namespace quillora
