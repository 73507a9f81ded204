// The game window: construction, reset, the window's own input, and the unload sequence.
#include "ui/Game.h"

#include "core/ClassicError.h"
#include "core/IniFile.h"
#include "core/Prompts.h"
#include "core/Twips.h"
#include "game/GameAudio.h"
#include "game/GameSession.h"
#include "game/Hotspots.h"
#include "game/Pointers.h"
#include "game/TextBoxes.h"
#include "game/Visibility.h"
#include "project/ErrorMessages.h"
#include "project/InterfaceTexts.h"
#include "project/MultiCDModule.h"
#include "project/ProjectInfo.h"
#include "project/ProjectPaths.h"
#include "project/Resolutions.h"
#include "savegames/SavedGameFile.h"
#include "scripting/DialogueWizard.h"
#include "scripting/ScriptComponents.h"
#include "scripting/ScriptHost.h"
#include "scripting/TimedEvents.h"
#include "services/SettingsStore.h"
#include "services/Wait.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMenuBar>
#include <QScreen>

namespace quillora {

Game::Game(GameSession& session) : m_session(session), m_state(session.State) {
    setObjectName("Game");
    m_pictureBox = new PictureBox(this);
    m_pictureBox->setObjectName("PictureBox");
    setCentralWidget(m_pictureBox);
    setFocusPolicy(Qt::StrongFocus);
    m_scene = std::make_unique<GameScene>(*m_pictureBox);
    m_messageBar = std::make_unique<MessageBar>(*m_scene);
    m_inventory = std::make_unique<Inventory>(*m_scene, m_session, *this);
    m_videos = std::make_unique<GameVideos>(*m_scene, m_session);
    m_gifs = std::make_unique<AnimatedGifs>(*m_scene, m_session.Flags);
    m_gifs->WireBox = [this](SceneElement& box, SceneElement& picture, int index) {
        WireAnimatedBox(box, picture, index);
    };
    const auto report = [](const std::string& literal, const std::string& description) {
        ShowCommonError(literal, description);
    };
    m_water = std::make_unique<RipplingWater>(*m_pictureBox, m_session.Flags.StopEverything,
                                              WaterHooks{report, [this] { unsetCursor(); }});
    // A cut-scene covers the water: it rests until the video is gone.
    m_videos->OnOneTimeVideo = [this](bool covering) {
        if (covering) {
            m_water->StopTimer();
        } else if (!mnuDisableEffects->isChecked()) {
            m_water->Resume();
        }
    };
    m_transitions = std::make_unique<FrameTransitions>(
        *m_pictureBox, m_session.Flags.TransitionAbortRequested,
        TransitionHooks{[this] { return CaptureActualFrame(); },
                        [this](double fraction) { m_session.Audio.AudioFadeStep(fraction); },
                        report});
    m_inventory->OnDropOnHotspot = [this](int area, int item) {
        MakeActionAndConsequences(area, item);
    };
    m_autoJumpTimer.setSingleShot(false);
    connect(&m_autoJumpTimer, &QTimer::timeout, this, &Game::AutoJumpTimerTick);
    m_unloadTimer.setSingleShot(true);
    connect(&m_unloadTimer, &QTimer::timeout, this, [this] {
        m_unloadTimer.stop();
        UnloadWindow();
    });
    m_scripts = std::make_unique<ScriptHost>(m_session, *this);
    m_dialogue = std::make_unique<DialogueWizard>(m_session, *this);
    m_windowObject = RegisterScriptObjects(*m_scripts, *this);
    m_windowObject->AddControl("TimerObject", m_scripts->TimerObjectArray().ScriptObject());
    m_scripts->Components().ControlAdded = [this](const std::string& name) {
        m_windowObject->AddControl(name, [this, name] {
            return m_scripts->Components().FindComponent(name);
        });
    };
    // After the other fixed objects, as scripts expect them.
    m_scripts->RegisterFixedObject("TimedEventObject", m_scripts->Events().ScriptObject());
    move(0, 0);
    BuildMenus();
    WireScene();
    WireDisplay();
    BuildPlayerOptions();
}

Game::~Game() {
    // The mixer outlives the window: it must not stay paused for whatever plays next.
    SetPaused(false);
    UnwireDisplay();
    // The videos go after the water: a cut-scene they stop must not wake the water up.
    m_videos->OnOneTimeVideo = nullptr;
}

void Game::WireScene() {
    GameScene& scene = *m_scene;
    m_pictureBox->OnMouseDown = [this](const ElementMouse& m) { BackgroundPress(m, true); };
    m_pictureBox->OnMouseMove = [this](const ElementMouse&) { PointerOverFrame(); };
    m_pictureBox->OnOutsideMouseDown = [this](const ElementMouse& m) { WindowPress(m); };
    scene.BackImage.OnMouseDown = [this](const ElementMouse& m) { BackgroundPress(m, true); };
    scene.BackImage.OnMouseMove = [this](const ElementMouse&) { PointerOverFrame(); };
    scene.Text.Template().OnMouseDown = [this](const ElementMouse& m) { BackgroundPress(m, true); };
    scene.Text.Template().OnMouseMove = [this](const ElementMouse&) { PointerOverFrame(); };
    scene.FrameMessageBox.OnMouseMove = [this](const ElementMouse&) { PointerOverFrame(); };
    scene.LabelMessageBox.OnMouseMove = [this](const ElementMouse&) { PointerOverFrame(); };
    // The overlay covers the frame while a transition shows: a press there ends the animation
    // and reaches no hotspot under it.
    m_transitions->Overlay().OnMouseDown = [this](const ElementMouse& m) {
        m_session.Flags.TransitionAbortRequested = true;
        BackgroundPress(m, false);
    };
}

void Game::WireHotspot(SceneElement& area, int index) {
    area.OnMouseDown = [this, index](const ElementMouse& m) {
        SceneElement* element = m_scene->Area.Item(index);
        if (element == nullptr) return;
        SaveClickPos(m_state, element->Left + m.X, element->Top + m.Y);
        AreaClick(index, m.Button);
        // The element may be gone now (the click may have opened another frame).
        WaitSeconds(0.1);
        m_pictureBox->unsetCursor();
    };
    area.OnMouseMove = [this](const ElementMouse&) { PointerOverFrame(); };
    m_inventory->AcceptDrops(area, index, false);
}

void Game::ResetAll() {
    SetPaused(false);
    m_session.ResetGameState();
    try {
        m_autoJumpTimer.stop();
        m_autoJumpTimer.setInterval(0);
        m_water->Stop();
        ResetTimedEvents();
        m_dialogue->CloseDialogue();
        m_inventory->Clear();
        // A script's StopEverything hid the frame area; a new or loaded game shows it again.
        m_pictureBox->show();
        m_pictureBox->SetPicture(QImage());
        m_pictureBox->SetBackColor(0);
        m_pictureBox->Cls();
        m_transitions->ResetErrorShown();
        m_transitions->Release();
        m_videos->StopOneTimeVideoPlayer();
        m_session.Flags.StopMovie = true;
        const int width = Project().FrameWidth > 0 ? Project().FrameWidth : 640;
        const int height = Project().FrameHeight > 0 ? Project().FrameHeight : 480;
        m_pictureBox->SetFrameSize(PixelsToTwips(width), PixelsToTwips(height));
        CenterWindowAndPictureBox();
        m_scene->BackImage.Move(0, 0, PixelsToTwips(width), PixelsToTwips(height));
        m_messageBar->Reset();
        ResetDefaultPointer();
        m_inventory->LayOut();
    } catch (const ClassicError& error) {
        ShowCommonError(" Unable to initialize the program. ", error.Description());
        return;
    }
    // From here on a failing step is skipped.
    RebuildFrameList();
    LoadVariables(m_state.Vars);
    m_scripts->ResetForGame();
    const std::string& project = Project().ProjectName;
    mnuDisableTransitions->setChecked(
        Settings().GetSetting("Software", project, "DisableTransitions", "False") == "True");
    mnuDisableEffects->setChecked(
        Settings().GetSetting("Software", project, "DisableEffects", "False") == "True");
    m_session.Audio.ResetSoundChannels();
    SetSoundLevels(LoadSoundLevels(project), false);
    m_inventory->LoadBarBackground();
}

void Game::StartNewGame() {
    m_session.CurrentFrame.Name = Project().StartFrame;
    m_scripts->ExecuteOnLoadVBScript();
    OpenFrame(m_session.CurrentFrame.Name, false, 0, 0);
}

void Game::ReplaySavedGame(const SavedGameRecord& record, bool welcomeOffersProjectResolution) {
    const ProjectInfo& info = Project();
    if (info.SkipWelcome) {
        if (m_session.ResolutionOnLoadGame != 0)
            ChangeDisplayResolution(m_session.ResolutionOnLoadGame);
    } else if (welcomeOffersProjectResolution && info.ResolutionOption == 1) {
        ChangeDisplayResolution(info.Resolution + 1);
    }
    ResetAll();
    ProjectVariables& vars = m_state.Vars;
    for (const auto& variable : record.Variables)
        SetVariableValue(vars, variable->Name, variable->Value);
    for (const auto& hidden : record.Hidden)
        vars.Disappear.Add(hidden->Name, hidden->Value);
    for (const std::string& item : record.Items)
        m_inventory->AddPickedObject(item, false);
    if (record.History) m_state.FramesHistory = *record.History;
    if (record.Variants) {
        for (const auto& variable : *record.Variants)
            ChangeVariableVariantValue(vars, variable->Name, variable->Value);
    }
    m_session.CurrentFrame.Name = GetResumeLocation(record.ResumeFrame);
    m_scripts->ExecuteOnLoadVBScript();
    OpenFrame(m_session.CurrentFrame.Name, false, 0, 0);
}

void Game::ResetDefaultPointer() {
    m_defaultPointer.Forget();
    m_defaultPointer.ApplyTo(*m_pictureBox);
    for (SceneElement* element :
         {&m_scene->BackImage, &m_scene->Area.Template(), &m_scene->AniGifBox.Template(),
          &m_scene->Text.Template(), &m_scene->PickedObject.Template(), &m_scene->FrameMessageBox,
          &m_scene->LabelMessageBox, &m_scene->Inventory1, &m_scene->Inventory2,
          &m_scene->Inventory_Background, &m_transitions->Overlay(), &m_water->Element()}) {
        m_defaultPointer.ApplyTo(*element);
    }
    SetScreenPointerDefault();
}

void Game::DisplayTextMessage(const std::string& text, bool inBar, bool noTimer) {
    m_messageBar->DisplayTextMessage(text, inBar, noTimer);
}

VisibilityHooks Game::HotspotMediaHooks() {
    VisibilityHooks hooks;
    hooks.HotspotVideo = [this](int i, bool show) {
        m_videos->ShowHotspotVideo(i, show, m_transitions->SurfaceShown());
    };
    hooks.AnimatedPicture = [this](int n, bool play) {
        if (play) {
            m_gifs->Restart(n);
        } else {
            m_gifs->Stop(n);
        }
    };
    return hooks;
}

void Game::ShowOrNotShowAreas() {
    quillora::ShowOrNotShowAreas(*m_scene, m_session, HotspotMediaHooks());
}

void Game::SetHotspotVisible(int index, bool visible) {
    ApplyHotspotVisibility(*m_scene, index, visible, HotspotMediaHooks());
}

void Game::WireLoadedHotspot(SceneElement& area, int index) {
    WireHotspot(area, index);
}

void Game::ChangeDefaultPointer(const std::string& file) {
    // Elements that show the previous default pointer take the new one; a hotspot or animated
    // picture with a pointer of its own keeps it.
    QCursor previous;
    const bool previousCustom = m_defaultPointer.Load(previous);
    const auto showsDefault = [&](const SceneElement& element) {
        if (!previousCustom) return element.MousePointer == 0 && !element.HasMouseIcon;
        return element.MousePointer == 99 && element.HasMouseIcon && element.MouseIcon == previous;
    };
    std::vector<SceneElement*> following;
    for (ControlArray* array : {&m_scene->Area, &m_scene->AniGifBox}) {
        for (const auto& [index, element] : array->Elements()) {
            if (showsDefault(*element)) following.push_back(element);
        }
    }
    Project().DefaultCursor = file;
    ResetDefaultPointer();
    for (SceneElement* element : following)
        m_defaultPointer.ApplyTo(*element);
}

void Game::AreaClick(int areaIndex, int button) {
    if (m_session.Flags.StopEverything) return;
    m_session.Flags.StopMovie = true;
    m_session.Flags.TransitionAbortRequested = true;
    if (m_videos->IsOneTimeVideoPlaying() || m_state.VideoWaitActive || m_inventory->Moving())
        return;
    if (button == 2) {
        ToggleMenusByRightPress();
        return;
    }
    if (m_menuDropped) {
        HideMenus();
        return;
    }
    HideMenus();
    // The item's bar slides in with window events running: a game loaded meanwhile ends the
    // click, whose action belongs to the game that was left.
    const unsigned game = m_session.GameNumber;
    m_inventory->PickOrNotPickObject(areaIndex);
    if (m_session.GameNumber != game) return;
    m_session.Audio.AudioFadeStep(1);
    MakeActionAndConsequences(areaIndex, 0);
    m_videos->StopOneTimeVideoPlayer();
}

bool Game::IsOneTimeVideoPlaying() {
    return m_videos->IsOneTimeVideoPlaying();
}

void Game::MakeActionAndConsequences(int areaIndex, int objectIndex) {
    ActionContext context{*m_scene, m_session, *this, *m_inventory, *m_videos};
    quillora::MakeActionAndConsequences(context, static_cast<int16_t>(areaIndex),
                                        static_cast<int16_t>(objectIndex));
}

void Game::SetScreenPointerArrow() {
    m_defaultPointer.SetScreenPointerArrow(*m_pictureBox);
}

void Game::SetScreenPointerDefault() {
    quillora::SetScreenPointerDefault(*m_pictureBox);
}

bool Game::ExecuteVBScript(const std::string& code, bool resetLastClickPosition) {
    return m_scripts->ExecuteVBScript(code, resetLastClickPosition);
}

void Game::StartTimedEvents() {
    m_scripts->Events().StartTimedEvents();
}

void Game::PauseTimedEvents() {
    m_scripts->Events().PauseTimedEvents();
}

void Game::ResetTimedEvents() {
    m_scripts->Events().ResetTimedEvents();
}

void Game::RunScriptCode(const std::string& code) {
    ExecuteVBScriptAndConsequences(*this, m_session, code, true);
}

bool Game::BeginProgramWait() {
    const bool armed = m_autoJumpTimer.isActive();
    setEnabled(false);
    m_autoJumpTimer.stop();
    return armed;
}

void Game::EndProgramWait(bool autoJumpArmed) {
    setEnabled(true);
    if (autoJumpArmed) m_autoJumpTimer.start();
}

void Game::ToggleMenusByRightPress() {
    if (!MenuBarShown()) {
        ShowMenus();
    } else if (!m_menuDropped) {
        HideMenus();
    }
}

void Game::BackgroundPress(const ElementMouse& mouse, bool setFlags) {
    if (setFlags) {
        m_session.Flags.StopMovie = true;
        m_session.Flags.TransitionAbortRequested = true;
        if (IsOneTimeVideoPlaying()) return;
    }
    if (mouse.Button == 2) {
        ToggleMenusByRightPress();
    } else {
        HideMenus();
    }
}

void Game::WindowPress(const ElementMouse& mouse) {
    BackgroundPress(mouse, true);
}

void Game::PointerOverFrame() {
    m_inventory->PointerOverFrame();
    m_dialogue->ClearHighlight();
}

void Game::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (IsFullScreenToggle(*event)) {
        ToggleFullScreen();
        return;
    }
    if (PlayerOptionKey(*event)) {
        m_debugKeyState = 0;
        return;
    }
    // The game's own keys wait while it is paused.
    if (m_paused) return;
    if (key == Qt::Key_Escape) {
        if (!IsOneTimeVideoPlaying() && !m_transitions->TransitionRunning()) {
            if (MenuBarShown()) {
                HideMenus();
            } else {
                ShowMenus();
            }
        }
        m_session.Flags.StopMovie = true;
        m_session.Flags.TransitionAbortRequested = true;
    }
    if ((event->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier)) ==
        Qt::ControlModifier) {
        if (key == Qt::Key_L && !Project().DisableLoad) ShowLoadGameWindow(false);
        if (key == Qt::Key_S && !Project().DisableSave) AskSaveGameWindow();
        if (key == Qt::Key_Q) QuitQuestion();
    }
    if (m_debugKeyState < 3 && key == kDebugKeys[m_debugKeyState]) {
        ++m_debugKeyState;
    } else if (m_debugKeyState == 3 && key == kDebugKeys[3]) {
        mnuDebug->menuAction()->setVisible(true);
        menuBar()->setVisible(true);
        m_debugKeyState = 0;
    } else {
        m_debugKeyState = 0;
    }
}

void Game::QuitQuestion() {
    if (Prompts().MessageBox(Text(10), BoxStyle::YesNo + BoxStyle::Question,
                             Project().AdventureName) == BoxResult::Yes) {
        StartUnloading();
    }
}

void Game::StartUnloading() {
    SetPaused(false);
    m_session.Flags.StopMovie = true;
    m_session.Flags.TransitionAbortRequested = true;
    m_water->StopTimer();
    m_unloadTimer.start(100);
}

void Game::StopGameActivity() {
    SetPaused(false);
    m_session.Flags.StopMovie = true;
    m_session.Flags.TransitionAbortRequested = true;
    m_inventory->Abort();
    DoEvents();
    m_autoJumpTimer.stop();
    m_messageBar->TimerMessageBox.stop();
    PauseTimedEvents();
    m_videos->StopOneTimeVideoPlayer();
    m_session.Audio.ResetSoundChannels();
}

void Game::StopEverything() {
    m_session.Flags.StopEverything = true;
    m_pictureBox->hide();
    StopGameActivity();
    ShowMenus();
}

bool Game::TransitionsEnabled() const { return !mnuDisableTransitions->isChecked(); }

bool Game::EffectsEnabled() const { return !mnuDisableEffects->isChecked(); }

void Game::UnloadWindow() {
    if (m_unloading) return;
    m_unloading = true;
    hide();
    DoEvents();
    StopGameActivity();
    ResetHotspotMedia();
    RestoreDisplayMode();
    emit Unloaded();
}

void Game::closeEvent(QCloseEvent* event) {
    // Closed by the system (the window's close button): the same orderly unload.
    event->accept();
    UnloadWindow();
}

} // namespace quillora
