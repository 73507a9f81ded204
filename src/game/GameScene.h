// The elements of the game window's frame area, by the names the game and its scripts use.
#pragma once

#include "scene/ControlArray.h"
#include "scene/PictureBox.h"

#include <memory>

namespace quillora {

// The inventory tab's design picture.
QImage InventoryTabPicture();

// Built once per game window, back to front: the background element, hotspots with their
// animated pictures and videos, texts, inventory items, the message bar, the dialogue panel.
// Element 0 of each array is the hidden template.
struct GameScene {
    explicit GameScene(PictureBox& box);

    PictureBox& Box;
    // Covers the whole frame and takes the presses on its background.
    SceneElement& BackImage;
    ControlArray Area;
    ControlArray AniGifBox;
    ControlArray AniGif; // inside AniGifBox elements
    ControlArray VideoPlayer;
    // The one-time video (element 1 while a cut-scene plays), above everything of the frame.
    ControlArray OneTimeVideoPlayer;
    ControlArray Text;
    // The inventory bar (items sit inside it when the project uses it), its background picture
    // and the tab that brings it in.
    SceneElement& Inventory1;
    SceneElement& Inventory_Background; // inside Inventory1
    ControlArray PickedObject;
    SceneElement& Inventory2;
    SceneElement& FrameMessageBox;
    SceneElement& LabelMessageBox; // inside FrameMessageBox
    // The dialogue panel along the bottom of the frame and its question lines (inside it).
    SceneElement& fmeDialogue;
    ControlArray lblDialogue;
};

} // namespace quillora
