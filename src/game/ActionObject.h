// The Action object's request fields: what a script asked the game to do once it has finished.
#pragma once

#include <cstdint>
#include <string>

namespace quillora {

// Scripts record requests here; the game carries them out after the script (frame change,
// quit, load or save window). ResetModule clears them before a script runs.
struct VBScriptActionModule {
    std::string sFrameToLoad;
    int16_t iHotspotNumber = 0;
    double dTransitionDuration = 0; // seconds
    int16_t iTransitionNumber = 1;
    bool bStopGame = false;
    bool bPopupLoadGame = false;
    bool bPopupSaveGame = false;

    // Clears the requests; iHotspotNumber keeps the last hotspot whose action ran.
    void ResetModule() {
        const int16_t hotspot = iHotspotNumber;
        *this = VBScriptActionModule();
        iHotspotNumber = hotspot;
    }
};

} // namespace quillora
