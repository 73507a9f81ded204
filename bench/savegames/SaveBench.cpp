// Saving and reading back a large game: 1,000 variables, 500 hidden hotspots, 100 items.
#include "TempFolder.h"
#include "game/GameSession.h"
#include "project/ProjectInfo.h"
#include "project/ProjectPaths.h"
#include "savegames/SavedGameStore.h"

#include <benchmark/benchmark.h>

namespace quillora {
namespace {

struct LargeGame {
    LargeGame() {
        SetProjectRoot(folder.Path());
        for (int i = 0; i < 1000; ++i)
            session.State.Vars.Variables.Add("Variable" + std::to_string(i), int16_t(i % 2));
        for (int i = 0; i < 500; ++i)
            session.State.Vars.Disappear.Add("Frame" + std::to_string(i % 50), int16_t(i));
        for (int i = 0; i < 100; ++i)
            session.State.InventoryItems.push_back("Item" + std::to_string(i));
        for (int i = 0; i < 20; ++i)
            session.State.FramesHistory.push_back("Frame" + std::to_string(i));
        frame.fill(Qt::darkCyan);
        info.ProjectName = "Bench";
    }
    test::TempFolder folder;
    GameSession session;
    ProjectInfo info;
    QImage frame{640, 480, QImage::Format_RGB32};
};

void SaveLargeGameWithPicture(benchmark::State& state) {
    LargeGame game;
    for (auto _ : state) {
        WriteSavedGame("large", SavedGameBytes(game.session, "Frame1", game.info, "01/02/2026"),
                       game.frame);
    }
}
BENCHMARK(SaveLargeGameWithPicture)->Unit(benchmark::kMillisecond);

void ReadLargeGame(benchmark::State& state) {
    LargeGame game;
    WriteSavedGame("large", SavedGameBytes(game.session, "Frame1", game.info, "01/02/2026"),
                   QImage());
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadSavedGameFile("large"));
}
BENCHMARK(ReadLargeGame)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace quillora
