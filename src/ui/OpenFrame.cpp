// Opening a frame, and the automatic jump to another one.
#include "ui/Game.h"

#include "core/ClassicError.h"
#include "core/Cp1252.h"
#include "core/PathLookup.h"
#include "core/Twips.h"
#include "core/ValueListReader.h"
#include "effects/FrameCapture.h"
#include "game/ActionObject.h"
#include "game/GameAudio.h"
#include "game/GameSession.h"
#include "game/Hotspots.h"
#include "game/Pointers.h"
#include "game/TextBoxes.h"
#include "game/VideoPlacement.h"
#include "media/MediaError.h"
#include "project/ErrorMessages.h"
#include "project/MediaPath.h"
#include "project/ProjectInfo.h"
#include "project/ProjectPaths.h"
#include "scene/Pictures.h"
#include "scripting/DialogueWizard.h"
#include "scripting/ScriptHost.h"
#include "services/Wait.h"

#include <QFile>
#include <QMenu>
#include <QPainter>
#include <cmath>

namespace quillora {
namespace {

// The longest delay a window timer can be armed with, in milliseconds.
constexpr double kMaxTimerMilliseconds = 65535;

bool HasVariableNamed(const ProjectVariables& vars, const std::string& lowerName) {
    for (const auto& v : vars.Variables) {
        if (FoldCase(v->Name) == lowerName) return true;
    }
    for (const auto& v : vars.VariablesVariant) {
        if (FoldCase(v->Name) == lowerName) return true;
    }
    return false;
}

} // namespace

void Game::OpenFrame(std::string frameName, bool withTransition, int transNumber,
                     double transitionDuration) {
    // Only the debug menu's frame list reaches here while paused: the new frame plays.
    SetPaused(false);
    // An opening that ends before its transition ran must not leave the old frame covering it.
    struct ReleaseTransition {
        FrameTransitions& transitions;
        ~ReleaseTransition() { transitions.Release(); }
    } release{*m_transitions};
    if (frameName.empty()) {
        ShowCommonError(" A program link is broken.");
        return;
    }
    if (!PathLookup::Instance().FileExists(Paths().Frames + frameName + ".fme")) {
        ShowCommonError(" A program link is broken. The frame named \"" + frameName +
                        "\" was not found. Verify that the 'Initial Frame' exists and that the 'Go "
                        "to another frame' option in the Hotspot Properties is linked to an "
                        "existing frame.");
        return;
    }
    try {
        BuildFrame(frameName, withTransition, transNumber, transitionDuration);
    } catch (const ClassicError& error) {
        if (!m_session.Flags.StopEverything) {
            ShowCommonError(" Unable to load the frame called '" + frameName +
                                "'. Verify that the 'Initial Frame' exists and that the 'Go to "
                                "another frame' option in the Hotspot Properties is linked to an "
                                "existing frame. ",
                            DescriptionAndDetail(error));
        }
    }
}

bool Game::BuildFrame(const std::string& frameName, bool withTransition, int transNumber,
                      double transitionDuration) {
    m_autoJumpTimer.stop();
    m_autoJumpTimer.setInterval(0);
    ResetTimedEvents();
    m_state.MergedHotspotIndex = 1;
    m_state.MergedTextIndex = 1;
    m_session.CurrentFrame = CurrentFrameRecord();
    LoadFrameHeader(m_session, frameName);
    if (!m_session.Flags.StopEverything && m_state.AllowControlsReferences == 0) {
        m_state.AllowControlsReferences =
            HasVariableNamed(m_state.Vars, "allowcontrolsreferences") ? 2 : 1;
    }
    FramesHistoryAdd(m_state, frameName);
    if (m_session.Flags.StopEverything) return false;

    ValueListReader file = ValueListReader::Open(Paths().Frames + frameName + ".fme");
    const FrameFileData frame = ReadFrameFile(file, m_session);
    if (frame.FadeRowTaken) m_session.Audio.State.FadeDuration = frame.ChannelFadeDuration / 1000.0;
    if (m_session.Flags.StopEverything) return false;

    StopRipplingWater();
    const bool hasVideo = !frame.VideoFile.empty();
    const auto playFrameVideo = [&] {
        HideMenus();
        m_session.Flags.StopMovie = false;
        m_videos->PlayMovieWithStop(frame.VideoFile,
                                    MoviePlacementFor(frame.VideoAtOrigin, frame.VideoAtPosition,
                                                      frame.VideoLeft, frame.VideoTop,
                                                      frame.VideoWidth, frame.VideoHeight));
    };
    if (m_session.Flags.StopEverything) return false;
    if (hasVideo && frame.VideoFirst && !withTransition) {
        m_videos->StopOneTimeVideoPlayer();
        playFrameVideo();
    }
    if (m_session.Flags.StopEverything) return false;
    if (frame.StopAllSounds) m_session.Audio.StopAnyWavOrMP3();
    if (m_session.Flags.StopEverything) return false;
    if (frame.FrameSound.empty() && frame.StopFrameSound) m_session.Audio.StopChannel(7);
    if (m_session.Flags.StopEverything) return false;
    if (frame.StopMusic) m_session.Audio.StopChannel(6);
    if (!frame.MusicFile.empty()) {
        // Music already playing goes on; a missing file has been reported by the lookup.
        const std::string music =
            ResolveMediaPath(Paths().Areas + frame.MusicFile, m_session.Flags.StopEverything);
        if (PathLookup::Instance().FileExists(music) &&
            (!m_session.Audio.IsFilePlaying(music) || frame.StopMusic)) {
            m_session.Audio.PlaySoundOnChannel(6, music, frame.LoopMusic, 7);
        }
    }
    if (m_session.Flags.StopEverything) return false;
    ResetFrameTexts(*m_scene);
    ResetHotspotMedia();
    ResetFrameAreas(*m_scene);
    if (m_session.Flags.StopEverything) return false;
    DrawBackground();
    if (m_session.Flags.StopEverything) return false;
    LoadTexts(*m_scene, m_session);
    m_session.CurrentFrame.HotspotCount = ReadHotspotCount(frameName);
    if (m_session.Flags.StopEverything) return false;
    HotspotHooks hooks;
    hooks.ApplyDefaultPointer = [this](SceneElement& e) { m_defaultPointer.ApplyTo(e); };
    hooks.AniGifNewWithIndex = [this](int i, const std::string& f, int l, int t, int s) {
        return m_gifs->AniGifNewWithIndex(i, f, l, t, s);
    };
    hooks.PlayHotspotVideo = [this](int i, const std::string& f, bool st, double r, int c,
                                    double v) {
        try {
            m_videos->PlayHotspotVideo(i, f, st, r, c, v);
        } catch (const MediaError& error) {
            throw ClassicError(ErrorCode::InvalidProcedureCall, error.what());
        }
    };
    hooks.WireHotspot = [this](SceneElement& e, int i) { WireHotspot(e, i); };
    LoadAreas(*m_scene, m_session, hooks);
    if (m_session.Flags.StopEverything) return false;
    m_session.Action.ResetModule();
    if (Project().RunFrameScript && !Project().FrameScript.empty() &&
        !RunFrameScript(Project().FrameScript)) {
        return false;
    }
    if (m_session.Flags.StopEverything) return false;
    if (frame.RunFrameScript && !frame.FrameScriptText.empty() &&
        !RunFrameScript(frame.FrameScriptText)) {
        return false;
    }
    if (m_session.Flags.StopEverything) return false;
    ShowOrNotShowAreas();
    for (const auto& [index, item] : m_scene->PickedObject.Elements())
        m_pictureBox->ZOrder(*item);
    m_pictureBox->ZOrder(m_scene->Inventory2);
    m_pictureBox->ZOrder(m_scene->Inventory1);
    if (m_session.Flags.StopEverything) return false;
    const std::string chn = Paths().Frames + frameName + ".chn";
    if (!frame.StopAllSounds && PathLookup::Instance().FileExists(chn)) {
        ValueListReader block = ValueListReader::Open(chn);
        m_session.Audio.PlaySoundChannels(block);
    }
    if (m_session.Flags.StopEverything) return false;
    if (!frame.FrameSound.empty()) {
        m_session.Audio.PlaySoundOnChannel(7, Paths().Frames + frame.FrameSound, false, 8);
    }
    if (m_session.Flags.StopEverything) return false;
    if (hasVideo && (!frame.VideoFirst || withTransition)) m_videos->StopOneTimeVideoPlayer();
    if (m_session.Flags.StopEverything) return false;
    if (!mnuDisableEffects->isChecked() && m_session.CurrentFrame.BackgroundKind == 1 &&
        !m_session.CurrentFrame.TileBackground) {
        LoadWaveEffectIfAny(frameName);
    }
    m_session.Audio.ApplySoundChannels();
    // The fades run on their timer unless an animation drove them to their end: with transitions
    // switched off they would otherwise stay stalled until the next click.
    if (!withTransition || !TransitionStep2(transNumber, transitionDuration))
        m_session.Audio.TimerAudioFade.SetEnabled(true);
    if (m_session.Flags.StopEverything) return false;
    // A dialogue stays over the frames its questions open until it ends.
    if (!m_dialogue->DialogueActive() &&
        PathLookup::Instance().FileExists(Paths().FramesData + frameName + ".dlg")) {
        m_dialogue->LoadDialogue();
        m_dialogue->RuntimeDisplayQuestions();
    }
    if (m_session.Flags.StopEverything) return false;
    if (hasVideo && (!frame.VideoFirst || withTransition)) playFrameVideo();
    if (m_session.Flags.StopEverything) return false;
    if (m_videos->IsOneTimeVideoPlaying()) {
        const WaitScope waiting;
        SetScreenPointerArrow();
        while (m_videos->IsOneTimeVideoPlaying() && !m_session.Flags.StopMovie) {
            DoEvents();
            HideMenus();
        }
        SetScreenPointerDefault();
        m_videos->StopOneTimeVideoPlayer();
        m_session.Flags.StopMovie = false;
        m_videos->PlayVisibleHotspotVideos();
    }
    if (m_session.Flags.StopEverything) return false;
    if (!mnuDisableEffects->isChecked()) m_water->Start();
    if (m_session.Flags.StopEverything) return false;
    ArmAutomaticJump(frame);
    if (m_session.Flags.StopEverything) return false;
    StartTimedEvents();
    return true;
}

bool Game::RunFrameScript(const std::string& script) {
    m_scripts->ExecuteVBScript(script, true);
    if (m_session.Action.bStopGame) {
        StartUnloading();
        return false;
    }
    return true;
}

void Game::DrawBackground() {
    const CurrentFrameRecord& record = m_session.CurrentFrame;
    PictureBox& box = *m_pictureBox;
    if (record.BackgroundKind == 0) {
        box.SetPicture(QImage());
        box.Cls();
        double number = 0;
        if (!ParseClassicNumber(record.Background, number))
            throw ClassicError(ErrorCode::TypeMismatch);
        const auto colour = static_cast<uint32_t>(ToInt32(number));
        if (colour != box.BackColor()) box.SetBackColor(colour);
    } else if (record.BackgroundKind == 1 && record.TileBackground) {
        box.SetPicture(QImage());
        // Tiles with transparent parts must not show the previous frame through them.
        box.Cls();
        const QImage tile = LoadPictureIfPresent(
            ResolveMediaPath(Paths().Frames + record.Background, m_session.Flags.StopEverything));
        if (tile.isNull()) return;
        const QSize frame = box.FramePixels();
        for (int x = 0; x <= frame.width(); x += tile.width()) {
            for (int y = 0; y <= frame.height(); y += tile.height())
                box.PaintPicture(tile, x, y);
        }
    } else if (record.BackgroundKind == 1) {
        box.SetBackColor(0);
        box.Cls();
        box.SetPicture(LoadPictureIfPresent(
            ResolveMediaPath(Paths().Frames + record.Background, m_session.Flags.StopEverything)));
    }
}

void Game::ArmAutomaticJump(const FrameFileData& frame) {
    if (!frame.AutoJump) return;
    m_autoJumpTarget = frame.AutoJumpFrame;
    const double milliseconds = frame.AutoJumpDelay * 1000;
    if (!(milliseconds >= 0 && milliseconds <= kMaxTimerMilliseconds)) {
        ShowCommonError(" Unable to load timer duration.");
        return;
    }
    const int interval = static_cast<int>(std::lround(milliseconds));
    m_autoJumpTimer.setInterval(interval);
    // A window timer with interval 0 never fires.
    if (interval > 0) m_autoJumpTimer.start();
}

void Game::AutoJumpTimerTick() {
    if (m_inventory->Moving()) {
        m_autoJumpTimer.setInterval(1000);
        return;
    }
    if (m_session.Flags.StopEverything) {
        m_autoJumpTimer.stop();
        return;
    }
    m_session.Audio.AudioFadeStep(1);
    std::string target = m_autoJumpTarget;
    if (target.empty()) return;
    if (IsLastVisitedFrame(target)) {
        target = TakeLastVisitedFrame(m_state);
        if (target.empty()) return;
    }
    const AutoJumpTransitionSettings& jump = m_session.AutoJump;
    if (jump.AutoJumpTransition) {
        TransitionStep1(jump.AutoJumpTransitionNumber);
        OpenFrame(target, true, jump.AutoJumpTransitionNumber,
                  jump.AutoJumpTransitionDuration / 1000.0);
    } else {
        OpenFrame(target, false, 0, 0);
    }
}

void Game::TransitionStep1(int transNumber) {
    if (m_session.Flags.StopEverything || mnuDisableTransitions->isChecked()) return;
    m_transitions->CaptureOldFrame(transNumber);
}

bool Game::TransitionStep2(int transNumber, double transitionDuration) {
    if (m_session.Flags.StopEverything || mnuDisableTransitions->isChecked()) return false;
    const bool jumpArmed = m_autoJumpTimer.isActive();
    // A pending message closes now rather than in the middle of the animation.
    if (m_messageBar->TimerMessageBox.isActive()) m_messageBar->Hide();
    m_autoJumpTimer.stop();
    m_transitions->RunTransition(transNumber, transitionDuration, CaptureCurrentFrame());
    m_gifs->RestartVisible();
    if (jumpArmed) m_autoJumpTimer.start();
    m_transitions->Release();
    // The classic player kept its cross-fade picture in this file; a copy left in the folder goes.
    if (transNumber == 0 || transNumber == 1) {
        PathLookup& lookup = PathLookup::Instance();
        const std::string temp = Paths().Root + "Temp001.dat";
        if (lookup.FileExists(temp) && QFile::remove(QString::fromStdString(*lookup.Find(temp))))
            lookup.Forget(Paths().Root);
    }
    return true;
}

QImage Game::CaptureActualFrame() {
    GameScene& scene = *m_scene;
    const bool tabShown = scene.Inventory2.Visible();
    std::vector<SceneElement*> hiddenItems;
    if (Project().UseInventory) {
        scene.Inventory2.SetVisible(false);
        m_inventory->HideBar();
    } else {
        for (const auto& [index, item] : scene.PickedObject.Elements()) {
            if (!item->Visible()) continue;
            item->SetVisible(false);
            hiddenItems.push_back(item);
        }
    }
    QImage frame = m_pictureBox->Capture();
    scene.Inventory2.SetVisible(tabShown);
    for (SceneElement* item : hiddenItems)
        item->SetVisible(true);
    return frame;
}

QImage Game::CaptureCurrentFrame() {
    m_scene->Text.Template().SetCaption("");
    const FrameParts parts{*m_pictureBox,
                           m_scene->Text,
                           m_scene->Area,
                           m_scene->AniGifBox,
                           [this](int index) { return m_gifs->StillImage(index); },
                           &m_water->Element(),
                           &m_water->CurrentImage()};
    return quillora::CaptureCurrentFrame(parts);
}

void Game::StopRipplingWater() {
    m_water->Stop();
}

void Game::LoadWaveEffectIfAny(const std::string& frameName) {
    m_water->LoadWaveEffectIfAny(Paths().Frames + frameName + ".rwe",
                                 Paths().Frames + frameName + ".rwm");
}

void Game::WireAnimatedBox(SceneElement& box, SceneElement& picture, int index) {
    box.OnMouseDown = [this, index](const ElementMouse& m) {
        SceneElement* element = m_scene->AniGifBox.Item(index);
        if (element == nullptr) return;
        SaveClickPos(m_state, element->Left + m.X, element->Top + m.Y);
        AreaClick(index, m.Button);
    };
    box.OnMouseMove = [this](const ElementMouse&) { PointerOverFrame(); };
    picture.OnMouseDown = box.OnMouseDown;
    picture.OnMouseMove = box.OnMouseMove;
    m_inventory->AcceptDrops(picture, index, true);
}

void Game::ResetHotspotMedia() {
    m_videos->ResetHotspotVideos();
    m_gifs->Reset();
}

} // namespace quillora
