// Hotspot actions and their consequences: the effects an author switched on for a hotspot, and
// what the game does with a script's requests.
#pragma once

#include <cstdint>
#include <string>

namespace quillora {

class GameHost;
class GameVideos;
class Inventory;
struct GameScene;
struct GameSession;

// What an action did.
enum class ActionOutcome : int16_t {
    StayInFrame = 0,
    EndGame = 1,
    FrameOpened = 2,
};

struct ActionContext {
    GameScene& Scene;
    GameSession& Session;
    GameHost& Host;
    Inventory& Items;
    GameVideos& Videos;
};

// Performs the action of hotspot areaIndex of the current frame: its click action
// (objectIndex 0, FramesData/<frame>.mr3 or .fm3) or the drop action of inventory item
// objectIndex (FramesData/<frame>.fm0). A damaged section shows " Unable to make the action
// associated with the hotspot #N. " and the effects so far stay.
ActionOutcome MakeAction(ActionContext& context, int16_t areaIndex, int16_t objectIndex);

// The one entry of every action: performs it and ends the game when it asks to.
void MakeActionAndConsequences(ActionContext& context, int16_t areaIndex, int16_t objectIndex);

// Runs script code and carries out what it asked of the Action object: the visibility pass,
// quitting, a frame change (or the timed events restarted), the load or save window. True when
// the script failed.
bool ExecuteVBScriptAndConsequences(GameHost& host, GameSession& session, const std::string& code,
                                    bool resetLastClickPosition);

// Carries out what a script asked of the Action object, once it has run: the visibility pass,
// then quitting (false: the game is ending), or the frame change, or else the timed events
// restarted. The load and save windows are left to the caller.
bool CarryOutScriptRequests(GameHost& host, GameSession& session);

// Opens the frame a script asked for ("last visited frame" in any case goes back one step);
// true when a frame was opened.
bool OpenRequestedFrame(GameHost& host, GameSession& session);

} // namespace quillora
