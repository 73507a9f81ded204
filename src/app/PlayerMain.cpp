// The player program.
#include "app/PlayerMain.h"

#include "app/Autoplay.h"
#include "app/CommandLine.h"
#include "app/PlayerIcon.h"
#include "app/PlayerSession.h"
#include "check/GameCheck.h"
#include "services/QtPrompts.h"
#include "services/SettingsStore.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QSocketNotifier>

#include <csignal>
#include <cstdio>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>

#include <sys/socket.h>
#include <unistd.h>

namespace quillora {
namespace {

// The settings store: the user's own, or the folder named by QUILLORA_CONFIG_DIR (tests and
// authors' regression runs keep their settings apart that way).
std::unique_ptr<SettingsStore> MakeSettingsStore() {
    const QByteArray folder = qgetenv("QUILLORA_CONFIG_DIR");
    if (folder.isEmpty()) return nullptr;
    return std::make_unique<SettingsStore>(QString::fromLocal8Bit(folder));
}

std::string ProjectFolderOf(const PlayerOptions& options) {
    if (options.ProjectFolder.empty()) return QCoreApplication::applicationDirPath().toStdString();
    return QFileInfo(QString::fromStdString(options.ProjectFolder))
        .absoluteFilePath()
        .toStdString();
}

// Ctrl+C and kill (SIGINT, SIGTERM) end the program as closing its windows does: the handler only
// writes a byte, which the event loop reads.
class QuitOnSignals {
public:
    explicit QuitOnSignals(std::function<void()> quit) : m_quit(std::move(quit)) {
        if (::socketpair(AF_UNIX, SOCK_STREAM, 0, s_fds) != 0) return;
        m_notifier = std::make_unique<QSocketNotifier>(s_fds[1], QSocketNotifier::Read);
        QObject::connect(m_notifier.get(), &QSocketNotifier::activated, [this] {
            char byte = 0;
            if (::read(s_fds[1], &byte, 1) == 1 && m_quit) m_quit();
        });
        struct sigaction action {};
        action.sa_handler = [](int) {
            const char byte = 1;
            [[maybe_unused]] const ssize_t written = ::write(s_fds[0], &byte, 1);
        };
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        ::sigaction(SIGINT, &action, nullptr);
        ::sigaction(SIGTERM, &action, nullptr);
    }
    ~QuitOnSignals() {
        ::signal(SIGINT, SIG_DFL);
        ::signal(SIGTERM, SIG_DFL);
    }

private:
    static inline int s_fds[2] = {-1, -1};
    std::function<void()> m_quit;
    std::unique_ptr<QSocketNotifier> m_notifier;
};

} // namespace

int PlayerMain(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    std::string error;
    const auto options = ParseCommandLine(args, error);
    if (!options) {
        std::fprintf(stderr, "quillora-run: %s\n%s", error.c_str(), kUsageText);
        return 2;
    }
    if (options->ShowVersion) {
        std::printf("%s\n", kVersionText);
        return 0;
    }
    if (options->ShowHelp) {
        std::printf("%s", kUsageText);
        return 0;
    }
    if (!options->ProjectFolder.empty()) {
        const QFileInfo folder(QString::fromStdString(options->ProjectFolder));
        if (!folder.isDir()) {
            std::fprintf(stderr, "quillora-run: %s: %s\n", options->ProjectFolder.c_str(),
                         folder.exists() ? "not a folder; give the game's project folder (the "
                                           "one holding Config, Frames, FramesData)"
                                         : "no such folder");
            return 1;
        }
    }

    if (options->Check) {
        // No window: the checker reads files and compiles scripts only.
        QCoreApplication app(argc, argv);
        QCoreApplication::setApplicationName("quillora-run");
        const auto settings = MakeSettingsStore();
        if (settings) SetSettings(settings.get());
        const int status = PrintCheckReport(CheckGame(ProjectFolderOf(*options)), stdout);
        SetSettings(nullptr);
        return status;
    }

    std::vector<AutoplayCommand> commands;
    if (!options->AutoplayFile.empty()) {
        std::ifstream in(options->AutoplayFile, std::ios::binary);
        if (!in) {
            std::fprintf(stderr, "autoplay: cannot open %s\n", options->AutoplayFile.c_str());
            return Autoplay::kUnreadableLine;
        }
        const std::string text((std::istreambuf_iterator<char>(in)),
                               std::istreambuf_iterator<char>());
        std::optional<AutoplayParseError> parseError;
        commands = ParseAutoplayScript(text, parseError);
        if (parseError) {
            std::fprintf(stderr, "autoplay: line %d: %s\n", parseError->line,
                         parseError->message.c_str());
            return Autoplay::kUnreadableLine;
        }
    }

    // An autoplay run needs no screen: without a display it uses the offscreen platform rather
    // than failing to start.
    if (!options->AutoplayFile.empty() && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") &&
        qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName("quillora-run");
    // Every window (the game's too) shows the player's icon; the desktop entry of that name
    // groups them in the task bar.
    QApplication::setWindowIcon(PlayerIcon());
    QGuiApplication::setDesktopFileName("quillora-run");
    QApplication::setQuitOnLastWindowClosed(false);
    const auto settings = MakeSettingsStore();
    if (settings) SetSettings(settings.get());
    QtPrompts dialogs;
    SetPrompts(&dialogs);
    // Every box also reaches the terminal, so what a player saw can be told and searched.
    SetMessageLog(stderr);

    PlayerSession session(ProjectFolderOf(*options));
    session.SetTrustScripts(options->TrustScripts);
    std::unique_ptr<Autoplay> autoplay;
    int status = 0;
    if (!options->AutoplayFile.empty()) {
        autoplay = std::make_unique<Autoplay>(std::move(commands), session, stdout, stderr);
        autoplay->SetStrict(options->Strict);
        session.OnMessageShown = [&autoplay](const std::string& text) {
            autoplay->NoteMessage(text);
        };
        QObject::connect(autoplay.get(), &Autoplay::Finished, &app, [&](int code) {
            status = code;
            app.exit(code);
        });
    }
    const QuitOnSignals quitOnSignals([&session] { session.Quit(); });
    QObject::connect(&session, &PlayerSession::Ended, &app, [&] {
        if (autoplay) autoplay->ProgramEnded();
        app.exit(status);
    });
    if (autoplay) autoplay->Start();
    if (!session.Start()) {
        if (autoplay) autoplay->ProgramEnded();
        SetMessageLog(nullptr);
        return autoplay ? status : 1;
    }
    // A strict run may have failed while the game started, before the event loop could end.
    if (!autoplay || !autoplay->IsFinished()) app.exec();
    autoplay.reset();
    SetMessageLog(nullptr);
    SetPrompts(nullptr);
    SetSettings(nullptr);
    return status;
}

} // namespace quillora
