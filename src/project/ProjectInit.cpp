// Project initialisation at start-up.
#include "project/ProjectInit.h"

#include "core/PathLookup.h"
#include "core/Prompts.h"
#include "project/InterfaceTexts.h"
#include "project/MultiCDModule.h"
#include "project/ProjectInfo.h"
#include "project/ProjectPaths.h"
#include "project/Resolutions.h"

#include <QGuiApplication>
#include <QScreen>
#include <cmath>

namespace quillora {

int SystemFontHeight() {
    const bool gui = qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr;
    QScreen* screen = gui ? QGuiApplication::primaryScreen() : nullptr;
    if (screen == nullptr) return 16;
    // Large fonts meant a logical resolution above 96 dots per inch; device-pixel scaling does
    // not count, as it scales the whole window alike.
    return static_cast<int>(std::lround(16.0 * screen->logicalDotsPerInchY() / 96.0));
}

ProjectInitResult ProjectInit(const std::string& programFolder) {
    ProjectInitResult result;
    SaveDisplayMode();
    SetProjectRoot(programFolder);
    const std::string texts = Paths().Config + "Texts";
    if (!PathLookup::Instance().FileExists(texts)) SetDefaultTexts(false);
    LoadInterfaceTexts();

    const std::string general = Paths().Config + "General";
    if (!PathLookup::Instance().FileExists(general)) {
        Prompts().MessageBox(Text(33) + " " + general, BoxStyle::Exclamation, Text(29));
        result.EndProgram = true;
        return result;
    }
    if (SystemFontHeight() > 16) {
        const BoxResult answer = Prompts().MessageBox(
            Text(40) + "\r\n\r\n" + Text(41),
            BoxStyle::YesNo + BoxStyle::Exclamation + BoxStyle::DefaultButton2, "!!!");
        if (answer == BoxResult::No) {
            result.EndProgram = true;
            return result;
        }
    }
    result.LoadFailure = LoadProjectInfo(&result.LoadFailureDetail);
    LoadCDIndex();
    return result;
}

} // namespace quillora
