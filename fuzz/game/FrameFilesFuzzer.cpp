// Feeds arbitrary bytes to the frame, hotspot and text readers as the game opens a frame.
#include "core/ClassicError.h"
#include "core/Prompts.h"
#include "core/ValueListReader.h"
#include "game/Actions.h"
#include "game/FrameFile.h"
#include "game/GameHost.h"
#include "game/GameScene.h"
#include "game/GameSession.h"
#include "game/Hotspots.h"
#include "game/Inventory.h"
#include "game/TextBoxes.h"
#include "game/Videos.h"
#include "game/Visibility.h"
#include "project/InterfaceTexts.h"
#include "project/ProjectPaths.h"

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

// A game window that does nothing: the readers' own work is what is fuzzed.
struct NullHost : GameHost {
    void OpenFrame(std::string, bool, int, double) override {}
    void TransitionStep1(int) override {}
    void ShowOrNotShowAreas() override {}
    void HideMenus() override {}
    void ToggleMenusByRightPress() override {}
    void DisplayTextMessage(const std::string&, bool, bool) override {}
    void StartUnloading() override {}
    void ShowLoadGameWindow(bool) override {}
    void ShowSaveGameWindow() override {}
    void SetScreenPointerArrow() override {}
    void SetScreenPointerDefault() override {}
    bool ExecuteVBScript(const std::string&, bool) override { return false; }
    void StartTimedEvents() override {}
    bool IsOneTimeVideoPlaying() override { return false; }
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
        QDir(folder.path()).mkpath("Areas");
        // Two items to drop and combine; their icons are pointer files made here.
        for (const char* item : {"A", "B"}) {
            std::ofstream(Paths().Areas + item + ".obj") << "\"i.ico\"\r\n";
        }
        QImage icon(32, 32, QImage::Format_ARGB32);
        icon.fill(Qt::red);
        icon.save(QString::fromStdString(Paths().Areas + "i.ico"), "ICO");
        SetDefaultTexts(true);
        session.CurrentFrame.Name = "F";
        box = std::make_unique<PictureBox>();
        scene = std::make_unique<GameScene>(*box);
        items = std::make_unique<Inventory>(*scene, session, host);
        videos = std::make_unique<GameVideos>(*scene, session);
    }
    std::unique_ptr<QApplication> app;
    QTemporaryDir folder;
    SilentPrompts prompts;
    std::unique_ptr<PictureBox> box;
    std::unique_ptr<GameScene> scene;
    GameSession session;
    NullHost host;
    std::unique_ptr<Inventory> items;
    std::unique_ptr<GameVideos> videos;
};

void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

World& TheWorld() {
    static World world;
    return world;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    World& world = TheWorld();
    const std::string bytes(reinterpret_cast<const char*>(data + 1), size - 1);
    GameSession& session = world.session;
    GameState& state = session.State;
    state = GameState();
    state.Vars.Variables.Add("A", 1);
    const std::string frameData = Paths().FramesData + "F";
    switch (data[0] % 7) {
    case 0: {
        ValueListReader in(bytes);
        try {
            ReadFrameFile(in, session);
        } catch (const ClassicError&) {
        }
        break;
    }
    case 1:
        WriteFile(frameData + ".fm2", bytes);
        LoadAreas(*world.scene, session, HotspotHooks());
        ShowOrNotShowAreas(*world.scene, session, VisibilityHooks());
        ResetFrameAreas(*world.scene);
        std::remove((frameData + ".fm2").c_str());
        break;
    case 2:
        WriteFile(frameData + ".fm1", bytes);
        LoadTexts(*world.scene, session);
        ResetFrameTexts(*world.scene);
        std::remove((frameData + ".fm1").c_str());
        break;
    default: {
        // Actions, drop actions, pick-ups and combinations.
        world.items->Clear();
        world.items->AddPickedObject("A", true);
        world.items->AddPickedObject("B", true);
        ActionContext context{*world.scene, session, world.host, *world.items, *world.videos};
        const int kind = data[0] % 7;
        const std::string path = kind == 3   ? frameData + ".fm3"
                                 : kind == 4 ? frameData + ".fm0"
                                 : kind == 5 ? frameData + ".fm4"
                                             : Paths().Areas + "A_on_B.drg";
        WriteFile(path, bytes);
        if (kind == 3) MakeAction(context, 1 + data[0] % 3, 0);
        if (kind == 4) MakeAction(context, 1, 1);
        if (kind == 5) world.items->PickOrNotPickObject(1 + data[0] % 3);
        if (kind == 6) world.items->CombineItems(1, 2);
        std::remove(path.c_str());
        break;
    }
    }
    return 0;
}
