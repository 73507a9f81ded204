// Running the player program for end-to-end tests.
#include "PlayerRun.h"

#include "TempFolder.h"

#include <QProcess>

#include <fstream>

namespace quillora::test {

namespace {

PlayerRunResult Run(const QStringList& args, int timeoutMs, bool headless) {
    TempFolder folder;
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    if (headless) {
        for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
            env.remove(name);
    } else {
        env.insert("QT_QPA_PLATFORM", "offscreen");
    }
    env.insert("SDL_AUDIODRIVER", "dummy");
    env.insert("QUILLORA_CONFIG_DIR", QString::fromStdString(folder.Path() + "config"));
    process.setProcessEnvironment(env);
    process.start(QUILLORA_RUN_PATH, args);
    PlayerRunResult result;
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
        result.err = "timed out";
        return result;
    }
    result.exitStatus = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = process.readAllStandardOutput().toStdString();
    result.err = process.readAllStandardError().toStdString();
    return result;
}

// Runs the game with an autoplay script written to a temporary file.
PlayerRunResult RunScript(const std::string& gameFolder, const std::string& script, int timeoutMs,
                          bool headless) {
    TempFolder folder;
    const std::string scriptPath = folder.Path() + "script.txt";
    std::ofstream(scriptPath, std::ios::binary) << script;
    return Run(
        {QString::fromStdString(gameFolder), "--autoplay", QString::fromStdString(scriptPath)},
        timeoutMs, headless);
}

} // namespace

PlayerRunResult RunPlayer(const std::string& gameFolder, const std::string& script, int timeoutMs) {
    return RunScript(gameFolder, script, timeoutMs, false);
}

PlayerRunResult RunPlayerHeadless(const std::string& gameFolder, const std::string& script) {
    return RunScript(gameFolder, script, 30000, true);
}

PlayerRunResult RunPlayerWith(const std::vector<std::string>& args, int timeoutMs) {
    QStringList list;
    for (const std::string& arg : args)
        list << QString::fromStdString(arg);
    return Run(list, timeoutMs, false);
}

} // namespace quillora::test
