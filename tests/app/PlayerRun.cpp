// Running the player program for end-to-end tests.
#include "PlayerRun.h"

#include "TempFolder.h"

#include <QProcess>

#include <fstream>

namespace quillora::test {

PlayerRunResult RunPlayer(const std::string& gameFolder, const std::string& script, int timeoutMs) {
    TempFolder folder;
    const std::string scriptPath = folder.Path() + "script.txt";
    std::ofstream(scriptPath, std::ios::binary) << script;
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
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

} // namespace quillora::test
