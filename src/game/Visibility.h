// Which hotspots of the current frame show: the hidden-hotspot list and the variable conditions.
#pragma once

#include <functional>

namespace quillora {

struct GameScene;
struct GameSession;

// What the visibility pass does to a hotspot's media when the hotspot shows or hides.
struct VisibilityHooks {
    // Stops (play false) or restarts (play true) animated picture n.
    std::function<void(int n, bool play)> AnimatedPicture;
    // Hides and stops, or rewinds, starts and shows, the video of hotspot i.
    std::function<void(int i, bool show)> HotspotVideo;
};

// Recomputes the visibility of every hotspot of the current frame from its hotspot file: a
// hotspot listed in Disappear for this frame stays hidden; otherwise, when its conditions flag
// is set, every variable of its first list must be 1 and every one of its second list 0 (a
// variable that does not exist never hides it). A damaged file shows " Unable to set hotspots
// visibility. " and leaves the later hotspots as they were.
void ShowOrNotShowAreas(GameScene& scene, GameSession& session, const VisibilityHooks& hooks);

// Shows or hides hotspot i (not the template) with its animated picture or video, as the pass
// does for each hotspot; scripts that set a hotspot's Visible go through it too. Returns false
// when window events handled on the way changed the frame's elements.
bool ApplyHotspotVisibility(GameScene& scene, int i, bool visible, const VisibilityHooks& hooks);

} // namespace quillora
