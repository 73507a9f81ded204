// Performing hotspot actions.
#include "game/Actions.h"

#include "core/ClassicError.h"
#include "core/Cp1252.h"
#include "core/PathLookup.h"
#include "core/ValueListReader.h"
#include "game/ActionObject.h"
#include "game/GameAudio.h"
#include "game/GameHost.h"
#include "game/GameScene.h"
#include "game/GameSession.h"
#include "game/Inventory.h"
#include "game/VideoPlacement.h"
#include "game/Videos.h"
#include "project/ErrorMessages.h"
#include "project/MediaPath.h"
#include "project/ProjectPaths.h"
#include "services/Wait.h"

#include <optional>

namespace quillora {
namespace {

bool Stopped(const ActionContext& context) {
    return context.Session.Flags.StopEverything;
}

// The values of an action section that matter after it has been read (the effects applied
// while reading are done by then).
struct ActionValues {
    bool ShowMessage = false;
    std::string Message;
    int16_t GoToFrame = 0;
    std::string FrameName;
    int16_t StopAllSounds = 0;
    int16_t StopHotspotSound = 0;
    int16_t PlayMovie = 0;
    std::string MovieFile;
    bool MovieAtOrigin = false;
    bool MovieAtPosition = false;
    int32_t MovieLeft = 0, MovieTop = 0, MovieWidth = 0, MovieHeight = 0;
    bool StopSecondSound = false;
    bool PlayHotspotSound = false;
    std::string HotspotSound;
    bool PlaySecondSound = false;
    std::string SecondSound;
    bool GoBack = false;
    bool MessageInBar = false;
    bool LoopHotspotSound = true;
    int16_t UseTransition = 0;
    double TransitionMilliseconds = 0;
    bool RunScript = false;
    std::string Script;
    int16_t TransitionNumber = 0;
};

// A list of variable names (its count, then the names), each set by change when switched on.
void ReadVariableList(ValueListReader& in, bool apply, ProjectVariables& vars, int16_t change) {
    const int16_t count = in.ReadInt16();
    for (int16_t i = 0; i < count; ++i) {
        const std::string name = in.ReadString();
        if (apply && !name.empty()) ChangeVariableValue(vars, name, change);
    }
}

// Opens the action file at the start of the section of the action, after its first ten values;
// nothing when there is no action.
std::optional<ValueListReader> OpenSection(ActionContext& context, int16_t areaIndex,
                                           int16_t objectIndex) {
    const std::string base = Paths().FramesData + context.Session.CurrentFrame.Name;
    PathLookup& lookup = PathLookup::Instance();
    if (objectIndex != 0) {
        const SceneElement* item = context.Scene.PickedObject.Item(objectIndex);
        if (item == nullptr) throw ClassicError(ErrorCode::SubscriptOutOfRange);
        const std::string key = std::to_string(areaIndex) + "_" + item->Tag + ".drg";
        if (!lookup.FileExists(base + ".fm0")) return std::nullopt;
        ValueListReader in = ValueListReader::Open(base + ".fm0");
        while (true) {
            if (Stopped(context) || in.AtEnd()) return std::nullopt;
            in.Skip();
            if (EqualsNoCase(in.ReadString(), key)) break;
            in.SkipToNextSection();
        }
        for (int i = 0; i < 8; ++i)
            in.Skip();
        return in;
    }
    const std::string path = lookup.FileExists(base + ".mr3") ? base + ".mr3" : base + ".fm3";
    if (!lookup.FileExists(path)) return std::nullopt;
    ValueListReader in = ValueListReader::Open(path);
    for (int i = 1; i < areaIndex; ++i)
        in.SkipToNextSection();
    if (in.AtEnd()) return std::nullopt;
    for (int i = 0; i < 10; ++i)
        in.Skip();
    return in;
}

// Reads values 11 on, carrying out at once the effects the file order puts first. Returns
// nothing when the action quits the game.
std::optional<ActionValues> ReadSection(ActionContext& context, ValueListReader& in,
                                        int16_t areaIndex, int16_t objectIndex) {
    ActionValues v;
    ProjectVariables& vars = context.Session.State.Vars;
    const int16_t changeSwitch = in.ReadInt16();
    const std::string variable = in.ReadString();
    const bool setZero = in.ReadBool();
    const bool setOne = in.ReadBool();
    const bool toggle = in.ReadBool();
    if (!variable.empty() && changeSwitch != 0) {
        if (setZero) ChangeVariableValue(vars, variable, 0);
        if (setOne) ChangeVariableValue(vars, variable, 1);
        if (toggle) ChangeVariableValue(vars, variable, -1);
    }
    v.ShowMessage = in.ReadBool();
    v.Message = in.ReadString();
    in.Skip();
    in.Skip();
    if (in.ReadBool()) {
        if (objectIndex != 0) {
            context.Items.RemovePickedObject(objectIndex);
        } else {
            vars.Disappear.Add(context.Session.CurrentFrame.Name, areaIndex);
        }
    }
    if (in.ReadBool()) return std::nullopt;
    v.GoToFrame = in.ReadInt16();
    v.FrameName = in.ReadString();
    if (in.IsEndOfSection()) return v;
    v.StopHotspotSound = in.ReadInt16();
    GameAudio& audio = context.Session.Audio;
    if (v.StopHotspotSound != 0) audio.StopChannel(6);
    v.StopAllSounds = in.ReadInt16();
    if (v.StopAllSounds != 0) audio.StopAnyWavOrMP3();
    v.PlayMovie = in.ReadInt16();
    v.MovieFile = in.ReadString();
    v.MovieAtOrigin = in.ReadBool();
    v.MovieAtPosition = in.ReadBool();
    v.MovieLeft = in.ReadInt32();
    v.MovieTop = in.ReadInt32();
    v.MovieWidth = in.ReadInt32();
    v.MovieHeight = in.ReadInt32();
    if (in.IsEndOfSection()) return v;
    v.StopSecondSound = in.ReadBool();
    v.PlayHotspotSound = in.ReadBool();
    v.HotspotSound = in.ReadString();
    v.PlaySecondSound = in.ReadBool();
    v.SecondSound = in.ReadString();
    if (in.IsEndOfSection()) return v;
    for (int i = 39; i <= 41; ++i)
        in.Skip();
    v.GoBack = in.ReadBool();
    if (in.IsEndOfSection()) return v;
    for (int i = 43; i <= 45; ++i)
        in.Skip();
    v.MessageInBar = in.ReadBool();
    if (in.IsEndOfSection()) return v;
    for (int i = 47; i <= 49; ++i)
        in.Skip();
    const bool listsOn = in.ReadInt16() != 0;
    ReadVariableList(in, listsOn, vars, 0);
    ReadVariableList(in, listsOn, vars, 1);
    ReadVariableList(in, listsOn, vars, -1);
    if (in.IsEndOfSection()) return v;
    v.LoopHotspotSound = in.ReadBool();
    if (in.IsEndOfSection()) return v;
    v.UseTransition = in.ReadInt16();
    v.TransitionMilliseconds = in.ReadDouble();
    if (in.IsEndOfSection()) return v;
    v.RunScript = in.ReadBool();
    v.Script = DecodeBars(in.ReadString());
    if (in.IsEndOfSection()) return v;
    v.TransitionNumber = in.ReadInt16();
    if (in.IsEndOfSection()) return v;
    for (int i = 60; i <= 65; ++i)
        in.Skip();
    audio.State.FadeDuration = in.ReadDouble() / 1000.0;
    in.Skip();
    ReadChannelRows(in, ChannelRowSource::Action, audio.Channels);
    if (in.IsEndOfSection()) return v;
    const bool addItem = in.ReadBool();
    const std::string item = in.ReadString();
    if (addItem) context.Items.AddPickedObject(item, false);
    return v;
}

bool WillChangeFrame(const ActionValues& v, const GameSession& session) {
    const GameState& state = session.State;
    return !session.Action.sFrameToLoad.empty() || v.GoToFrame != 0 ||
           (v.GoBack && v.GoToFrame == 0 && state.FramesHistory.size() > 1);
}

void PlayActionSounds(GameAudio& audio, const ActionValues& v) {
    if (v.PlayHotspotSound && !v.HotspotSound.empty() &&
        (!audio.IsChannelPlaying(6) || v.StopHotspotSound != 0)) {
        audio.PlaySoundOnChannel(6, Paths().Areas + v.HotspotSound, v.LoopHotspotSound, 7);
    }
    if (v.PlaySecondSound) {
        audio.PlaySoundOnChannel(7, Paths().Frames + v.SecondSound, false, 8);
    } else if (v.StopSecondSound && v.StopAllSounds == 0) {
        audio.StopChannel(7);
    }
}

// Reads the hotspot's obsolete channel block from the frame's .fm5 file and plays it.
void PlayHotspotChannels(GameSession& session, int16_t areaIndex) {
    const std::string path = Paths().FramesData + session.CurrentFrame.Name + ".fm5";
    if (!PathLookup::Instance().FileExists(path)) return;
    ValueListReader in = ValueListReader::Open(path);
    session.Audio.PlayHotspotSoundChannels(in, areaIndex);
}

void PlayActionMovie(ActionContext& context, const ActionValues& v) {
    context.Host.HideMenus();
    context.Videos.PlayMovieWithStop(
        v.MovieFile, MoviePlacementFor(v.MovieAtOrigin, v.MovieAtPosition, v.MovieLeft, v.MovieTop,
                                       v.MovieWidth, v.MovieHeight));
}

void WaitForMovie(ActionContext& context) {
    const WaitScope waiting;
    context.Host.SetScreenPointerArrow();
    while (context.Videos.IsOneTimeVideoPlaying() && !context.Session.Flags.StopMovie) {
        DoEvents();
        context.Host.HideMenus();
    }
    context.Host.SetScreenPointerDefault();
    // The movie's last picture would stay over the frame and take every click and drop.
    context.Videos.StopOneTimeVideoPlayer();
    context.Session.Flags.StopMovie = false;
}

// Opens the action's own target frame, or goes back one step; true when a frame was opened.
bool OpenActionFrame(ActionContext& context, const ActionValues& v) {
    const auto open = [&](const std::string& frame) {
        if (v.UseTransition == 1) {
            context.Host.TransitionStep1(v.TransitionNumber);
            context.Host.OpenFrame(frame, true, v.TransitionNumber,
                                   v.TransitionMilliseconds / 1000.0);
        } else {
            context.Host.OpenFrame(frame, false, 0, 0);
        }
    };
    if (v.GoToFrame != 0) {
        open(v.FrameName);
        return true;
    }
    if (v.GoBack && context.Session.State.FramesHistory.size() > 1) {
        open(TakeLastVisitedFrame(context.Session.State));
        return true;
    }
    return false;
}

} // namespace

bool OpenRequestedFrame(GameHost& host, GameSession& session) {
    VBScriptActionModule& action = session.Action;
    if (EqualsNoCase(action.sFrameToLoad, "last visited frame")) {
        action.sFrameToLoad = TakeLastVisitedFrame(session.State);
    }
    if (action.sFrameToLoad.empty()) return false;
    if (action.dTransitionDuration != 0) {
        host.TransitionStep1(action.iTransitionNumber);
        host.OpenFrame(action.sFrameToLoad, true, action.iTransitionNumber,
                       action.dTransitionDuration);
    } else {
        host.OpenFrame(action.sFrameToLoad, false, 0, 0);
    }
    return true;
}

ActionOutcome MakeAction(ActionContext& context, int16_t areaIndex, int16_t objectIndex) {
    // A game loaded during one of the action's waits (a script's box, a movie) ends the action:
    // the rest of it belongs to the game that was left.
    const unsigned game = context.Session.GameNumber;
    const auto stopped = [&] { return Stopped(context) || context.Session.GameNumber != game; };
    RunFlags& flags = context.Session.Flags;
    flags.StopMovie = true;
    flags.TransitionAbortRequested = true;
    flags.StopEverything = false;
    ActionOutcome result = ActionOutcome::StayInFrame;
    try {
        std::optional<ValueListReader> in = OpenSection(context, areaIndex, objectIndex);
        if (!in) return result;
        const std::optional<ActionValues> read = ReadSection(context, *in, areaIndex, objectIndex);
        if (!read) return ActionOutcome::EndGame;
        const ActionValues& v = *read;
        if (stopped()) return result;
        VBScriptActionModule& action = context.Session.Action;
        action.ResetModule();
        if (!v.Script.empty() && v.RunScript) {
            action.iHotspotNumber = areaIndex;
            context.Host.ExecuteVBScript(v.Script, false);
            if (action.bStopGame) return ActionOutcome::EndGame;
        }
        if (!stopped()) PlayActionSounds(context.Session.Audio, v);
        if (!stopped()) {
            if (objectIndex == 0 && v.StopAllSounds == 0)
                PlayHotspotChannels(context.Session, areaIndex);
            if (v.PlayMovie != 0 || !WillChangeFrame(v, context.Session)) {
                context.Session.Audio.ApplySoundChannels();
                context.Session.Audio.TimerAudioFade.SetEnabled(true);
            }
        }
        if (!stopped()) {
            if (v.PlayMovie != 0) PlayActionMovie(context, v);
            context.Host.ShowOrNotShowAreas();
            if (v.ShowMessage) context.Host.DisplayTextMessage(v.Message, v.MessageInBar, false);
            if (v.PlayMovie != 0) {
                WaitForMovie(context);
                if (WillChangeFrame(v, context.Session)) context.Session.Audio.AudioFadeStep(1);
            }
        }
        if (!stopped()) {
            if (OpenRequestedFrame(context.Host, context.Session) || OpenActionFrame(context, v)) {
                result = ActionOutcome::FrameOpened;
            }
        }
        if (result != ActionOutcome::FrameOpened && context.Session.GameNumber == game) {
            context.Host.StartTimedEvents();
            if (action.bPopupLoadGame) {
                context.Host.ShowLoadGameWindow(false);
            } else if (action.bPopupSaveGame) {
                context.Host.ShowSaveGameWindow();
            }
        }
    } catch (const ClassicError& error) {
        if (!stopped()) {
            ShowCommonError(" Unable to make the action associated with the hotspot #" +
                                std::to_string(areaIndex) + ". ",
                            DescriptionAndDetail(error));
        }
    }
    return result;
}

void MakeActionAndConsequences(ActionContext& context, int16_t areaIndex, int16_t objectIndex) {
    if (MakeAction(context, areaIndex, objectIndex) == ActionOutcome::EndGame) {
        context.Host.StartUnloading();
    }
}

bool CarryOutScriptRequests(GameHost& host, GameSession& session) {
    host.ShowOrNotShowAreas();
    if (session.Action.bStopGame) {
        host.StartUnloading();
        return false;
    }
    if (!OpenRequestedFrame(host, session)) host.StartTimedEvents();
    return true;
}

bool ExecuteVBScriptAndConsequences(GameHost& host, GameSession& session, const std::string& code,
                                    bool resetLastClickPosition) {
    VBScriptActionModule& action = session.Action;
    action.ResetModule();
    if (host.ExecuteVBScript(code, resetLastClickPosition)) return true;
    if (!CarryOutScriptRequests(host, session)) return false;
    if (action.bPopupLoadGame) {
        host.ShowLoadGameWindow(false);
    } else if (action.bPopupSaveGame) {
        host.ShowSaveGameWindow();
    }
    return false;
}

} // namespace quillora
