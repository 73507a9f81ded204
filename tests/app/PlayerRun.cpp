// Running the player program for end-to-end tests.
#include "PlayerRun.h"

#include "TempFolder.h"

#include <QProcess>

#include <fstream>

namespace quillora::test {

namespace {

PlayerRunResult Run(const std::string& gameFolder, const std::string& script, int timeoutMs,
                    bool headless) {
    TempFolder folder;
    const std::string scriptPath = folder.Path() + "script.txt";
    std::ofstream(scriptPath, std::ios::binary) << script;
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
    process.start(QUILLORA_RUN_PATH, {QString::fromStdString(gameFolder), "--autoplay",
                                      QString::fromStdString(scriptPath)});
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

} // namespace

PlayerRunResult RunPlayer(const std::string& gameFolder, const std::string& script, int timeoutMs) {
    return Run(gameFolder, script, timeoutMs, false);
}

PlayerRunResult RunPlayerHeadless(const std::string& gameFolder, const std::string& script) {
    return Run(gameFolder, script, 30000, true);
}

} // namespace quillora::test
