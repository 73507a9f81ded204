// The elements of the game window's frame area, by the names the game and its scripts use.
#pragma once

#include "core/ControlArray.h"
#include "core/PictureBox.h"

#include <memory>

namespace quillora {

// Built once per game window, back to front: the background element, hotspots with their
// animated pictures and videos, texts, inventory items, the message bar. Element 0 of each
// array is the hidden template.
struct GameScene {
    explicit GameScene(PictureBox& box);

    PictureBox& Box;
    // Covers the whole frame and takes the presses on its background.
    SceneElement& BackImage;
    ControlArray Area;
    ControlArray AniGifBox;
    ControlArray AniGif; // inside AniGifBox elements
    ControlArray VideoPlayer;
    ControlArray Text;
    ControlArray PickedObject;
    SceneElement& FrameMessageBox;
    SceneElement& LabelMessageBox; // inside FrameMessageBox
};

} // namespace quillora
