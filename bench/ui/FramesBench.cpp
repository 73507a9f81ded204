// Speed of opening a frame, of the visibility pass and of drawing the frame area.
#include "ProjectWriter.h"
#include "core/Prompts.h"
#include "game/GameSession.h"
#include "project/InterfaceTexts.h"
#include "project/ProjectInfo.h"
#include "project/ProjectPaths.h"
#include "services/SettingsStore.h"
#include "ui/Game.h"

#include <benchmark/benchmark.h>

#include <QPainter>

namespace {

using namespace quillora;

// A 1024x768 project whose frame "Busy" has 200 picture hotspots with conditions and 50 texts.
struct BusyProject {
    BusyProject() {
        test::FileValues general = test::GeneralFields();
        general[6] = 1024;
        general[7] = 768;
        general[4] = "Busy";
        project.WriteGeneral(general);
        project.WriteVariables({"A", "B", "C"});
        project.WritePicture("Frames/back.jpg", 1024, 768, QColor(40, 90, 140));
        std::vector<test::HotspotSpec> hotspots;
        for (int i = 0; i < 200; ++i) {
            const std::string picture = "spot" + std::to_string(i % 20) + ".png";
            if (i < 20) project.WritePicture("Areas/" + picture, 48, 48, QColor(200, i * 10, 40));
            hotspots.push_back({.Number = i + 1,
                                .Left = double(i % 20) * 720,
                                .Top = double(i / 20) * 1080,
                                .Width = 780,
                                .Height = 780,
                                .HasPicture = true,
                                .Picture = picture,
                                .Conditions = true,
                                .MustBeOne = {},
                                .MustBeZero = {"A", "B"}});
        }
        project.WriteHotspots("Busy", hotspots);
        std::vector<test::TextSpec> texts;
        for (int i = 0; i < 50; ++i) {
            texts.push_back({.Number = i + 1,
                             .Caption = "Label " + std::to_string(i),
                             .Left = (i % 10) * 1500,
                             .Top = (i / 10) * 2000 + 600,
                             .Size = 11});
        }
        project.WriteTexts("Busy", texts);
        std::vector<test::ActionSpec> actions(200);
        actions[0] = {.ChangeSwitch = 1,
                      .Variable = "C",
                      .Toggle = true,
                      .ShowMessage = true,
                      .Message = "A message in the bar",
                      .InBar = true};
        actions[1] = {.GoToFrame = 1, .Frame = "Busy"};
        project.WriteActions("Busy", actions);
        test::FrameSpec frame;
        frame.BackgroundKind = 1;
        frame.Background = "back.jpg";
        project.WriteFrame("Busy", frame);

        SetPrompts(&prompts);
        SetSettings(&settings);
        Paths() = ProjectPaths();
        SetProjectRoot(project.Root());
        SetDefaultTexts(true);
        LoadProjectInfo();
        game = std::make_unique<Game>(session);
        game->ResetAll();
        game->OpenFrame("Busy", false, 0, 0); // pictures are cached from here on
    }

    test::ProjectWriter project;
    test::TempFolder settingsFolder;
    SettingsStore settings{QString::fromStdString(settingsFolder.Path())};
    ScriptedPrompts prompts;
    GameSession session;
    std::unique_ptr<Game> game;
};

BusyProject& Project() {
    static BusyProject project;
    return project;
}

void OpenBusyFrame(benchmark::State& state) {
    Game& game = *Project().game;
    for (auto _ : state)
        game.OpenFrame("Busy", false, 0, 0);
    if (game.Scene().Area.UBound() != 200 || game.Scene().Text.UBound() != 50)
        state.SkipWithError("frame not built");
}
BENCHMARK(OpenBusyFrame)->Unit(benchmark::kMillisecond);

void VisibilityPass(benchmark::State& state) {
    Game& game = *Project().game;
    for (auto _ : state)
        game.ShowOrNotShowAreas();
}
BENCHMARK(VisibilityPass)->Unit(benchmark::kMicrosecond);

// A click whose action toggles a variable and shows a message, without changing the frame.
void ClickAction(benchmark::State& state) {
    Game& game = *Project().game;
    for (auto _ : state)
        game.MakeActionAndConsequences(1, 0);
}
BENCHMARK(ClickAction)->Unit(benchmark::kMicrosecond);

// A click whose action opens a frame of 200 hotspots and 50 texts.
void ClickFrameChange(benchmark::State& state) {
    Game& game = *Project().game;
    for (auto _ : state)
        game.MakeActionAndConsequences(2, 0);
}
BENCHMARK(ClickFrameChange)->Unit(benchmark::kMillisecond);

void DrawFrameArea(benchmark::State& state) {
    Game& game = *Project().game;
    QImage target(1024, 768, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&target);
        game.FrameArea().Render(painter);
    }
}
BENCHMARK(DrawFrameArea)->Unit(benchmark::kMillisecond);

} // namespace
