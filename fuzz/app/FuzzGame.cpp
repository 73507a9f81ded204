// The whole-game fuzzers' scratch home, demo copy, refusing prompts and brief play.
#include "FuzzGame.h"

#include "app/PlayerSession.h"
#include "scene/PictureBox.h"
#include "services/SettingsStore.h"
#include "ui/Game.h"
#include "ui/WelcomeWindow.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <unistd.h>

namespace quillora::fuzz {
namespace {

namespace fs = std::filesystem;

// How long a game may take to show its window before it is ended, in milliseconds.
constexpr qint64 kStartMs = 5000;

std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteAll(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

} // namespace

BoxResult RefusingPrompts::MessageBox(const std::string&, int style, const std::string&) {
    const std::vector<BoxResult> buttons = BoxButtons(style);
    for (const BoxResult refusal : {BoxResult::No, BoxResult::Cancel, BoxResult::Abort}) {
        if (std::find(buttons.begin(), buttons.end(), refusal) != buttons.end()) return refusal;
    }
    return DefaultBoxResult(style);
}

std::optional<std::string> RefusingPrompts::InputBox(const std::string&, const std::string&,
                                                     const std::string&) {
    return std::nullopt;
}

Sandbox& Sandbox::Instance() {
    // Never destroyed: the application must outlive Qt's own static objects at exit.
    static Sandbox* sandbox = new Sandbox;
    return *sandbox;
}

Sandbox::Sandbox() {
    // Under the caller's temporary folder, which tools/fuzz.sh removes after the run.
    const char* parent = std::getenv("TMPDIR");
    std::string pattern = std::string(parent != nullptr && *parent ? parent : "/tmp") +
                          "/quillora-game-fuzz-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr) std::abort();
    m_root = pattern + "/";
    // Everything a game may write by itself (settings, saved games, its data folder, temporary
    // files) lands in the scratch folder.
    for (const char* name : {"home", "data", "config", "tmp", "cache", "game"})
        fs::create_directories(m_root + name);
    ::setenv("HOME", (m_root + "home").c_str(), 1);
    ::setenv("XDG_DATA_HOME", (m_root + "data").c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", (m_root + "config").c_str(), 1);
    ::setenv("XDG_CACHE_HOME", (m_root + "cache").c_str(), 1);
    ::setenv("TMPDIR", (m_root + "tmp").c_str(), 1);
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    ::setenv("SDL_AUDIODRIVER", "dummy", 1);
    static int argc = 1;
    static char name[] = "quillora-fuzz";
    static char* argv[] = {name, nullptr};
    m_app = std::make_unique<QApplication>(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);

    m_game = m_root + "game/";
    const fs::path demo = QUILLORA_DEMO_DIR;
    for (const auto& entry : fs::recursive_directory_iterator(demo)) {
        const fs::path relative = fs::relative(entry.path(), demo);
        if (entry.is_directory()) {
            fs::create_directories(m_game / relative);
        } else if (entry.is_regular_file()) {
            m_demo[relative.generic_string()] = ReadAll(entry.path());
            WriteAll(m_game / relative, m_demo[relative.generic_string()]);
        }
    }
    Restore();
}

void Sandbox::Spoil(const std::string& relative, const std::string& bytes) {
    if (m_demo.count(relative) == 0) return;
    WriteAll(m_game + relative, bytes);
    m_spoiled[relative] = true;
}

void Sandbox::Restore() {
    for (const auto& [relative, spoiled] : m_spoiled)
        WriteAll(m_game + relative, m_demo.at(relative));
    m_spoiled.clear();
    SetSettings(nullptr);
    m_settings.reset();
    for (const char* name : {"home", "data", "config", "tmp", "cache"}) {
        std::error_code ignored;
        fs::remove_all(m_root + name, ignored);
        fs::create_directories(m_root + name, ignored);
    }
    m_settings = std::make_unique<SettingsStore>(QString::fromStdString(m_root + "config"));
    SetSettings(m_settings.get());
    SetPrompts(&m_prompts);
}

void PlayBriefly(unsigned seed, int playMs, const std::function<void(PlayerSession&)>& during) {
    auto session = std::make_unique<PlayerSession>(Sandbox::Instance().GameFolder());
    std::mt19937 random(seed);
    QEventLoop loop;
    bool ended = false;
    bool duringDone = !during;
    QObject::connect(session.get(), &PlayerSession::Ended, &loop, [&] {
        ended = true;
        loop.quit();
    });
    QElapsedTimer clock;
    clock.start();
    QElapsedTimer played;
    // The watchdog never waits itself: input and code go out on timers of their own, so a
    // game's wait started by them (a video, a message) leaves the watchdog ticking and the
    // quit at the end of the time reaches it.
    QTimer watchdog;
    int ticks = 0;
    QObject::connect(&watchdog, &QTimer::timeout, &loop, [&] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            if (auto* dialog = qobject_cast<QDialog*>(modal)) dialog->reject();
            else modal->close();
        }
        if (ended) return;
        Game* game = session->GameWindow();
        const bool playing = game != nullptr && game->isVisible();
        // The time of play counts from the moment the game shows; a game that never shows
        // gets kStartMs to do so.
        if (playing && !played.isValid()) played.start();
        if ((played.isValid() && played.elapsed() > playMs) || clock.elapsed() > kStartMs + playMs) {
            session->Quit();
            return;
        }
        if (!playing) return;
        if (!duringDone) {
            duringDone = true;
            QTimer::singleShot(0, session.get(), [&] { during(*session); });
            return;
        }
        if (++ticks % 3 != 0) return;
        QWidget& area = game->FrameArea();
        const QPoint at(static_cast<int>(random() % std::max(1, area.width())),
                        static_cast<int>(random() % std::max(1, area.height())));
        const unsigned what = random() % 8;
        QTimer::singleShot(0, &area, [&area, at, what] {
            if (what == 0) QTest::keyClick(&area, Qt::Key_Escape);
            else QTest::mouseClick(&area, what == 1 ? Qt::RightButton : Qt::LeftButton, {}, at);
        });
    });
    watchdog.start(15);
    QTimer::singleShot(0, session.get(), [&] {
        if (!session->Start()) {
            ended = true;
            loop.quit();
            return;
        }
        if (session->GameWindow() == nullptr && session->Welcome()->isVisible())
            session->Welcome()->ClickButton(0);
    });
    if (!ended) loop.exec();
    watchdog.stop();
    session.reset();
    // Deletions the game window left for the loop.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

} // namespace quillora::fuzz
