// The text boxes of a frame: created from the frame's text file, removed at the next frame.
#pragma once

#include <string>

namespace quillora {

struct GameScene;
struct GameSession;

// Creates the text elements of the current frame from FramesData/<frame>.mr1 (merged texts) or
// .fm1. A bad value leaves its property unchanged and loading goes on.
void LoadTexts(GameScene& scene, GameSession& session);

// Removes every text element above the template.
void ResetFrameTexts(GameScene& scene);

} // namespace quillora
