// The game window's menu bar: its entries, when they show, and their commands.
#include "ui/Game.h"

#include "core/PathLookup.h"
#include "core/Prompts.h"
#include "game/GameSession.h"
#include "project/InterfaceTexts.h"
#include "project/ProjectInfo.h"
#include "project/ProjectPaths.h"
#include "savegames/SavedGameStore.h"
#include "scripting/DialogueWizard.h"
#include "scripting/ScriptHost.h"
#include "scripting/TimedEvents.h"
#include "services/SettingsStore.h"
#include "services/Wait.h"
#include "ui/LoadGameDialog.h"
#include "ui/SaveGameDialog.h"

#include <QDir>
#include <QMenu>
#include <QMenuBar>

namespace quillora {
namespace {

constexpr int kSaveRetryMs = 50;

// Menu captions show "&" as typed, not as a keyboard accelerator.
QString MenuText(const std::string& text) {
    return QString::fromStdString(text).replace("&", "&&");
}

// The caption from the interface texts when that entry is not empty, else the design caption.
QString Caption(int entry, const char* design) {
    return Text(entry).empty() ? QString(design) : MenuText(Text(entry));
}

} // namespace

void Game::BuildMenus() {
    QMenuBar* bar = menuBar();
    mnuExit = bar->addAction(Caption(12, "Exit"));
    connect(mnuExit, &QAction::triggered, this, &Game::QuitQuestion);

    mnuOptions = bar->addMenu(Caption(49, "Options"));
    mnuDisableTransitions = mnuOptions->addAction(Caption(50, "Disable Transitions"));
    mnuDisableTransitions->setCheckable(true);
    connect(mnuDisableTransitions, &QAction::triggered, this, [this] {
        // The check mark is inverted by EnableOrDisableTransitions, not by the click itself.
        mnuDisableTransitions->setChecked(!mnuDisableTransitions->isChecked());
        EnableOrDisableTransitions();
    });
    mnuDisableEffects = mnuOptions->addAction(Caption(51, "Disable Real-Time Effects"));
    mnuDisableEffects->setCheckable(true);
    connect(mnuDisableEffects, &QAction::triggered, this, [this] {
        mnuDisableEffects->setChecked(!mnuDisableEffects->isChecked());
        EnableOrDisableEffects();
    });

    mnuLoadGame = bar->addAction(Caption(2, "Load game..."));
    connect(mnuLoadGame, &QAction::triggered, this, [this] { ShowLoadGameWindow(false); });
    mnuSaveGame = bar->addAction(Caption(8, "Save game..."));
    connect(mnuSaveGame, &QAction::triggered, this, &Game::AskSaveGameWindow);
    m_saveRetry.setSingleShot(true);
    m_saveRetry.setInterval(kSaveRetryMs);
    connect(&m_saveRetry, &QTimer::timeout, this, [this] {
        if (m_unloading || m_session.Flags.StopEverything ||
            m_session.GameNumber != m_saveAskedInGame)
            return;
        AskSaveGameWindow();
    });

    mnuDebug = bar->addMenu("Debug");
    mnuGoToFrame = mnuDebug->addMenu("Go to another frame");
    mnuCancel = mnuGoToFrame->addAction("Cancel");
    connect(mnuCancel, &QAction::triggered, this, &Game::HideMenus);
    mnuGoToFrame->addSeparator();
    QAction* execute = mnuDebug->addAction("Execute VBS code...");
    connect(execute, &QAction::triggered, this, &Game::ExecuteVBScriptCommand);
    QAction* edit = mnuDebug->addAction("Edit VBS Procedures...");
    connect(edit, &QAction::triggered, this, [] {
        Prompts().MessageBox(
            "This command is not available in the compiled version of the project.",
            BoxStyle::Information, "Not Available");
    });
    QAction* view = mnuDebug->addAction("View variables status...");
    connect(view, &QAction::triggered, this, [this] { ShowVariablesStatus(m_state.Vars); });
    mnuDebug->menuAction()->setVisible(false);

    for (QMenu* dropDown : {mnuOptions, mnuDebug}) {
        connect(dropDown, &QMenu::aboutToShow, this, [this] {
            if (!m_windowed) m_menuDropped = true;
        });
    }
}

bool Game::MenuBarShown() const {
    return mnuExit->isVisible();
}

bool Game::DebugMenuShown() const {
    return mnuDebug->menuAction()->isVisible();
}

void Game::ShowMenus() {
    const ProjectInfo& info = Project();
    if (info.RemoveMenuBar) {
        // A removed bar never shows, in a window either: no entry, not even an empty bar.
        HideMenuBar();
        m_menuDropped = false;
        return;
    }
    mnuExit->setVisible(true);
    mnuSaveGame->setVisible(!info.DisableSave);
    mnuLoadGame->setVisible(!info.DisableLoad);
    if (info.HideTransitionsOption && info.HideEffectsOption) {
        mnuOptions->menuAction()->setVisible(false);
    } else {
        mnuOptions->menuAction()->setVisible(true);
        mnuDisableTransitions->setVisible(!info.HideTransitionsOption);
        mnuDisableEffects->setVisible(!info.HideEffectsOption);
    }
    mnuDebug->menuAction()->setVisible(false);
    menuBar()->setVisible(true);
    m_menuDropped = false;
}

void Game::HideMenus() {
    if (!m_windowed && !m_session.Flags.StopEverything) HideMenuBar();
    m_menuDropped = false;
}

void Game::HideMenuBar() {
    for (QAction* entry :
         {mnuExit, mnuSaveGame, mnuLoadGame, mnuOptions->menuAction(), mnuDebug->menuAction()}) {
        entry->setVisible(false);
    }
    // An empty bar would still take room above the frame.
    menuBar()->setVisible(false);
}

void Game::RebuildFrameList() {
    for (QAction* entry : mnuFrameName) {
        mnuGoToFrame->removeAction(entry);
        entry->deleteLater();
    }
    mnuFrameName.clear();
    const auto folder = PathLookup::Instance().Find(Paths().Frames);
    if (!folder) return;
    QDir dir(QString::fromStdString(*folder));
    const QStringList files = dir.entryList({"*.fme"}, QDir::Files, QDir::Name | QDir::IgnoreCase);
    for (const QString& file : files) {
        if (file.size() <= 4) continue;
        const QString name = file.left(file.size() - 4);
        QAction* entry = mnuGoToFrame->addAction(MenuText(name.toStdString()));
        entry->setData(name);
        connect(entry, &QAction::triggered, this,
                [this, name] { OpenFrame(name.toStdString(), false, 0, 0); });
        mnuFrameName.push_back(entry);
    }
}

std::vector<std::string> Game::FrameListNames() const {
    std::vector<std::string> names;
    for (const QAction* entry : mnuFrameName)
        names.push_back(entry->data().toString().toStdString());
    return names;
}

void Game::EnableOrDisableTransitions() {
    mnuDisableTransitions->setChecked(!mnuDisableTransitions->isChecked());
    Settings().SaveSetting("Software", Project().ProjectName, "DisableTransitions",
                           mnuDisableTransitions->isChecked() ? "True" : "False");
}

void Game::EnableOrDisableEffects() {
    mnuDisableEffects->setChecked(!mnuDisableEffects->isChecked());
    Settings().SaveSetting("Software", Project().ProjectName, "DisableEffects",
                           mnuDisableEffects->isChecked() ? "True" : "False");
    if (mnuDisableEffects->isChecked()) {
        StopRipplingWater();
    } else if (m_session.CurrentFrame.BackgroundKind == 1 &&
               !m_session.CurrentFrame.TileBackground) {
        // Switched on again: the files are read afresh.
        LoadWaveEffectIfAny(m_session.CurrentFrame.Name);
        m_water->Start();
    }
}

void Game::ShowLoadGameWindow(bool timerGuard) {
    SetPaused(false);
    if (timerGuard && m_scripts->TimerObjectArray().AnyRunning()) return;
    const bool jumpArmed = m_autoJumpTimer.isActive();
    m_autoJumpTimer.stop();
    PauseTimedEvents();
    bool loaded = false;
    {
        const WaitScope waiting;
        LoadGameDialog dialog(
            [this, &loaded](const std::string& name) {
                const std::optional<SavedGameRecord> record = ReadSavedGameOrReport(name);
                if (!record) return false;
                // The welcome window's offer was taken, or not, when this game started.
                ReplaySavedGame(*record, false);
                loaded = true;
                return true;
            },
            this);
        dialog.exec();
    }
    // A loaded game has its own timers from its new frame; otherwise the old ones go on, however
    // the window was closed.
    if (loaded) return;
    if (jumpArmed) m_autoJumpTimer.start();
    StartTimedEvents();
}

void Game::ShowSaveGameWindow() {
    SetPaused(false);
    const bool jumpArmed = m_autoJumpTimer.isActive();
    m_autoJumpTimer.stop();
    PauseTimedEvents();
    {
        const WaitScope waiting;
        SaveGameDialog dialog(
            [this] {
                return SavedGameBytes(m_session, ResumeFrameName(), Project(),
                                      SaveDateText(QDate::currentDate()));
            },
            m_pictureBox->Capture(), this);
        dialog.exec();
    }
    if (jumpArmed) m_autoJumpTimer.start();
    StartTimedEvents();
}

void Game::AskSaveGameWindow() {
    if (WaitScope::Depth() == 0) {
        m_saveRetry.stop();
        ShowSaveGameWindow();
        return;
    }
    if (!m_saveRetry.isActive()) m_saveAskedInGame = m_session.GameNumber;
    m_saveRetry.start();
}

std::string Game::ResumeFrameName() const {
    // A game saved during a dialogue resumes where the dialogue was loaded, which starts it afresh.
    if (m_dialogue->DialogueActive() && !m_dialogue->DialogueFrame().empty())
        return m_dialogue->DialogueFrame();
    return m_session.CurrentFrame.Name;
}

void Game::ExecuteVBScriptCommand() {
    // Typed code may start timers and open frames: the game plays again for it.
    SetPaused(false);
    const std::string& project = Project().ProjectName;
    const std::string last = Settings().GetSetting("Software", project, "ExecuteVBScriptCode", "");
    const auto code = Prompts().InputBox(
        "Enter the VBScript code you want to execute and then click OK.\r\n\r\nFor example, to "
        "retrieve the value of a variable, use the following code:\r\n\r\n                MsgBox "
        "VARIABLE_NAME\r\n\r\n",
        "Execute VBScript Code (for advanced users)", last);
    if (!code || code->empty()) return;
    ExecuteVBScriptAndConsequences(*this, m_session, *code, true);
    Settings().SaveSetting("Software", project, "ExecuteVBScriptCode", *code);
}

} // namespace quillora
