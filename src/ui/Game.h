// The game window: the frame area, the menu bar, the game's timers and the frame-opening steps.
#pragma once

#include "effects/RipplingWater.h"
#include "effects/Transitions.h"
#include "game/Actions.h"
#include "game/AnimatedGifs.h"
#include "game/FrameFile.h"
#include "game/GameHost.h"
#include "game/GameScene.h"
#include "game/Inventory.h"
#include "game/MessageBar.h"
#include "game/Pointers.h"
#include "game/SoundLevels.h"
#include "game/TimerHold.h"
#include "game/Videos.h"
#include "game/Visibility.h"
#include "scripting/SceneObjects.h"
#include "scripting/ScriptWindow.h"
#include "services/ScreenshotFile.h"

#include <QMainWindow>
#include <QTimer>

#include <array>
#include <memory>
#include <string>
#include <vector>

class QAction;
class QMenu;

namespace quillora {

class CDPromptHost;
struct GameSession;
struct SavedGameRecord;
struct GameState;

class DialogueWizard;
class ScriptHost;

class Game : public QMainWindow, public GameHost, public ScriptWindow {
    Q_OBJECT

public:
    // Plays `session` (not owned, outliving the window).
    explicit Game(GameSession& session);
    ~Game() override;

    // Resets the engine for a new game: timers, variables, hidden hotspots, history, window
    // layout, pointers, menus.
    void ResetAll();
    // Runs the start-up script and opens the project's first frame.
    void StartNewGame();
    // Shows the window: a window of frame size, or the whole screen.
    void ShowGameWindow();
    // Alt+Enter: from full screen to a window of frame size and back, at any time.
    void ToggleFullScreen();
    // Whether the game plays in a window now (the project's choice until Alt+Enter).
    bool Windowed() const { return m_windowed; }
    // Sharp (whole-number, nearest-neighbour) or smooth scaling of the frame; kept per game.
    void SetSharpScaling(bool sharp);
    // Switches the display for the loaded game (the resolution a script asked for, or the
    // project's when the welcome window offers it), resets the game, replays a saved game into
    // it (variables, hidden hotspots, inventory, history), runs the start-up script and opens the
    // frame where play resumes.
    void ReplaySavedGame(const SavedGameRecord& record, bool welcomeOffersProjectResolution);

    // Opens a frame (the name is taken by value: callers pass the current frame's own name,
    // which opening clears): resets the previous one, reads the frame file, draws the background,
    // loads texts and hotspots, runs the frame scripts, starts sounds and effects, arms the
    // automatic jump.
    void OpenFrame(std::string frameName, bool withTransition, int transNumber,
                   double transitionDuration) override;
    // The first half of a transition, before the frame is opened: photographs the old frame
    // (nothing while transitions are off or everything stops).
    void TransitionStep1(int transNumber) override;

    void ShowMenus();
    void HideMenus() override;
    void ToggleMenusByRightPress() override;
    void CenterWindowAndPictureBox();
    void ShowOrNotShowAreas() override;
    // A press on hotspot index with button 1 (left) or 2 (right).
    void AreaClick(int areaIndex, int button);
    void EnableOrDisableTransitions() override;
    void EnableOrDisableEffects() override;
    // Begins the orderly end of the game: the window unloads on the next tick of the unload timer.
    void StartUnloading() override;
    void StopGameActivity();
    void ResetDefaultPointer();
    // Shows a message in the message bar or a system box.
    void DisplayTextMessage(const std::string& text, bool inBar, bool noTimer) override;
    void ShowLoadGameWindow(bool timerGuard) override;
    void ShowSaveGameWindow() override;
    // The player's request to save (menu, keys): in the middle of a click's wait, a video, a
    // slide or a message waiting for its click the game would be stored half done, so the save
    // window opens once that has ended (not at all if the game was loaded or ended meanwhile).
    void AskSaveGameWindow();
    bool SavePending() const { return m_saveRetry.isActive(); }
    // The frame a game saved now resumes in: the dialogue's while one is active, else this one.
    std::string ResumeFrameName() const;
    void SetScreenPointerArrow() override;
    void SetScreenPointerDefault() override;
    bool ExecuteVBScript(const std::string& code, bool resetLastClickPosition) override;
    void StartTimedEvents() override;
    // Stops every timed event's timer; a later start runs each interval from its beginning.
    void PauseTimedEvents();
    // Removes every timed event (each frame opening, each game reset).
    void ResetTimedEvents();
    // Runs script code as the debug menu's prompt does, with its consequences.
    void RunScriptCode(const std::string& code);
    bool BeginProgramWait() override;
    void EndProgramWait(bool autoJumpArmed) override;
    bool IsOneTimeVideoPlaying() override;
    // Performs hotspot areaIndex's action (objectIndex 0: a click; else the dropped item).
    void MakeActionAndConsequences(int areaIndex, int objectIndex);

    PictureBox& FrameArea() { return *m_pictureBox; }
    GameHost& Host() override { return *this; }
    GameScene& Scene() override { return *m_scene; }
    MessageBar& Messages() override { return *m_messageBar; }
    GameSession& Session() { return m_session; }
    Inventory& Items() override { return *m_inventory; }
    GameVideos& Videos() override { return *m_videos; }
    ScriptHost& Scripts() { return *m_scripts; }
    DialogueWizard& Dialogue() { return *m_dialogue; }
    bool TransitionsEnabled() const override;
    bool EffectsEnabled() const override;
    // Stops the game at once (a script's StopEverything, a cancelled CD prompt): the frame is
    // hidden, media, timers and timed events stop, the menu bar shows; a reset lifts it.
    void StopEverything() override;
    QWidget& Widget() override { return *this; }
    void SetHotspotVisible(int index, bool visible) override;
    void WireLoadedHotspot(SceneElement& area, int index) override;
    void ChangeDefaultPointer(const std::string& file) override;
    // The window as scripts see it; other parts add their controls to it by name.
    WindowObject& ScriptWindowObject() { return *m_windowObject; }
    FrameTransitions& Transitions() { return *m_transitions; }
    RipplingWater& Water() { return *m_water; }
    // The automatic jump's timer (the classic Timer1).
    QTimer& AutoJumpTimer() { return m_autoJumpTimer; }
    bool MenuBarShown() const;
    bool DebugMenuShown() const;
    // Names listed in the debug menu's frame list, in order.
    std::vector<std::string> FrameListNames() const;
    // The player's options, on keys and in the Options menu. The sound levels of this game,
    // applied at once to everything that plays and kept per game when `keep` is set.
    const SoundLevels& Levels() const { return m_soundLevels; }
    void SetSoundLevels(const SoundLevels& levels, bool keep);
    void ToggleMute();
    // Master volume up or down by `step` percent.
    void StepMasterVolume(int step);
    // The sound window; changes are heard while it is open and kept when it closes.
    void ShowSoundOptions();
    // Pauses the game: its timers (automatic jump, message bar, inventory bar, timed events,
    // timer objects, fades, rippling water), sounds, videos and animated pictures stand still,
    // input to the frame is held, and a sign shows over the frame. Resuming lets everything go on
    // from where it was. During a transition, a sliding inventory bar or a drag the pause waits
    // for it to end (PausePending); false when the game cannot pause now (everything stopped,
    // the window unloading) or the pause is pending.
    bool SetPaused(bool paused);
    bool Paused() const { return m_paused; }
    bool PausePending() const { return m_pauseRetry.isActive(); }
    void TogglePause();
    // Writes the frame as the player sees it (without the pause sign) as a PNG in the user's
    // pictures folder, in a folder named after the game, and says where, or why not, on stderr.
    ScreenshotResult TakeScreenshot();

    // Key sequence that shows the debug menu.
    static constexpr std::array<int, 4> kDebugKeys = {Qt::Key_F12, Qt::Key_F8, Qt::Key_F11,
                                                      Qt::Key_F9};

signals:
    // The window has unloaded; the welcome window takes over again (or the program ends).
    void Unloaded();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    // Holds the frame's pointer input while the game is paused.
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildMenus();
    // The display: the Options entry for sharp scaling, the display-mode listener, the CD
    // prompt's link to this window.
    void WireDisplay();
    void UnwireDisplay();
    // The Options entries of the player's own options.
    void BuildPlayerOptions();
    // Carries out a key of the player's options; false for any other key.
    bool PlayerOptionKey(const QKeyEvent& event);
    void PaintPauseSign(QPainter& painter, QSize frame) const;
    static bool IsFullScreenToggle(const QKeyEvent& event);
    // Hides every entry of the menu bar and the bar itself.
    void HideMenuBar();
    void RebuildFrameList();
    void QuitQuestion();
    void ExecuteVBScriptCommand();
    void WireScene();
    void WireHotspot(SceneElement& area, int index);
    void BackgroundPress(const ElementMouse& mouse, bool setFlags);
    void WindowPress(const ElementMouse& mouse);
    void PointerOverFrame();
    void AutoJumpTimerTick(); // Timer1_Timer
    void UnloadWindow();
    void WireAnimatedBox(SceneElement& box, SceneElement& picture, int index);
    // Removes the frame's hotspot videos and animated pictures before their elements go.
    void ResetHotspotMedia();
    // Frame opening, steps 3 on (after the name checks); false when the opening was abandoned.
    bool BuildFrame(const std::string& frameName, bool withTransition, int transNumber,
                    double transitionDuration);
    void DrawBackground();
    // The second half, once the frame is built: the animation, which drives and finishes the
    // audio fades. False when it did nothing (transitions off, everything stopped).
    bool TransitionStep2(int transNumber, double transitionDuration);
    // The frame area as the player sees it, with the inventory left out (CaptureActualFrame).
    QImage CaptureActualFrame();
    QImage CaptureCurrentFrame();
    // Ends the rippling water, waiting for a tick in progress (before a frame opens, when effects
    // are switched off).
    void StopRipplingWater();
    // Sets up the rippling water of the frame when effects are on and the background is an
    // untiled picture.
    void LoadWaveEffectIfAny(const std::string& frameName);
    bool RunFrameScript(const std::string& script);
    void ArmAutomaticJump(const FrameFileData& frame);
    // What showing or hiding a hotspot does to its animated picture or video.
    VisibilityHooks HotspotMediaHooks();

    GameSession& m_session;
    GameState& m_state;
    PictureBox* m_pictureBox;
    // The project pointer of this game, looked up once per reset.
    DefaultPointer m_defaultPointer;
    std::unique_ptr<GameScene> m_scene;
    std::unique_ptr<MessageBar> m_messageBar;
    std::unique_ptr<Inventory> m_inventory;
    std::unique_ptr<GameVideos> m_videos;
    std::unique_ptr<AnimatedGifs> m_gifs;
    std::unique_ptr<RipplingWater> m_water;
    std::unique_ptr<FrameTransitions> m_transitions;
    std::unique_ptr<ScriptHost> m_scripts;
    std::unique_ptr<DialogueWizard> m_dialogue;
    vbs::Ref<WindowObject> m_windowObject;
    QTimer m_autoJumpTimer;       // Timer1
    std::string m_autoJumpTarget; // Timer1.Tag
    QTimer m_unloadTimer;         // TimerUnloadMe
    bool m_menuDropped = false;
    int m_debugKeyState = 0;
    bool m_unloading = false;
    bool m_windowed = false;
    int m_displayListener = 0;
    std::unique_ptr<CDPromptHost> m_cdPromptHost;
    SoundLevels m_soundLevels;
    bool m_paused = false;
    bool m_waterHeld = false; // the rippling water ran when the game was paused
    TimerHold m_heldTimers;
    QTimer m_pauseRetry; // looks again whether a pending pause can start
    QTimer m_saveRetry;  // looks again whether a pending save can start
    unsigned m_saveAskedInGame = 0; // the game number when the pending save was asked

    QAction* mnuExit = nullptr;
    QMenu* mnuOptions = nullptr;
    QAction* mnuDisableTransitions = nullptr;
    QAction* mnuDisableEffects = nullptr;
    QAction* mnuSharpScaling = nullptr;
    QAction* mnuSound = nullptr;
    QAction* mnuMute = nullptr;
    QAction* mnuPause = nullptr;
    QAction* mnuScreenshot = nullptr;
    QAction* mnuLoadGame = nullptr;
    QAction* mnuSaveGame = nullptr;
    QMenu* mnuDebug = nullptr;
    QMenu* mnuGoToFrame = nullptr;
    QAction* mnuCancel = nullptr;
    std::vector<QAction*> mnuFrameName;
};

} // namespace quillora
