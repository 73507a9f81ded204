// Feeds arbitrary bytes to the frame, hotspot and text readers as the game opens a frame.
#include "core/ClassicError.h"
#include "core/Prompts.h"
#include "core/ValueListReader.h"
#include "frames/FrameFile.h"
#include "frames/Hotspots.h"
#include "frames/Visibility.h"
#include "gameplay/GameScene.h"
#include "gameplay/GameState.h"
#include "gameplay/TextBoxes.h"
#include "startup/InterfaceTexts.h"
#include "startup/ProjectPaths.h"
#include "startup/RunState.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

#include <cstdint>
#include <fstream>
#include <memory>

namespace {

using namespace quillora;

// Takes every box's default answer and keeps nothing, so long runs do not grow.
class SilentPrompts : public PromptService {
public:
    BoxResult MessageBox(const std::string&, int style, const std::string&) override {
        return DefaultBoxResult(style);
    }
    std::optional<std::string> InputBox(const std::string&, const std::string&,
                                        const std::string& defaultText) override {
        return defaultText;
    }
};

struct World {
    World() {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "fuzzer";
        static char* argv[] = {name, nullptr};
        app = std::make_unique<QApplication>(argc, argv);
        SetPrompts(&prompts);
        SetProjectRoot(folder.path().toStdString());
        QDir(folder.path()).mkpath("FramesData");
        SetDefaultTexts(true);
        CurrentFrame().Name = "F";
        box = std::make_unique<PictureBox>();
        scene = std::make_unique<GameScene>(*box);
    }
    std::unique_ptr<QApplication> app;
    QTemporaryDir folder;
    SilentPrompts prompts;
    std::unique_ptr<PictureBox> box;
    std::unique_ptr<GameScene> scene;
};

World& TheWorld() {
    static World world;
    return world;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    World& world = TheWorld();
    const std::string bytes(reinterpret_cast<const char*>(data + 1), size - 1);
    GameState state;
    state.Vars.Variables.Add("A", 1);
    switch (data[0] % 3) {
    case 0: {
        ValueListReader in(bytes);
        try {
            ReadFrameFile(in);
        } catch (const ClassicError&) {
        }
        break;
    }
    case 1: {
        std::ofstream(Paths().FramesData + "F.fm2", std::ios::binary | std::ios::trunc) << bytes;
        LoadAreas(*world.scene, state, HotspotHooks());
        ShowOrNotShowAreas(*world.scene, state, VisibilityHooks());
        ResetFrameAreas(*world.scene);
        std::remove((Paths().FramesData + "F.fm2").c_str());
        break;
    }
    default:
        std::ofstream(Paths().FramesData + "F.fm1", std::ios::binary | std::ios::trunc) << bytes;
        LoadTexts(*world.scene, state);
        ResetFrameTexts(*world.scene);
        std::remove((Paths().FramesData + "F.fm1").c_str());
        break;
    }
    return 0;
}
