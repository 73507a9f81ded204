// Damaged and hostile game folders played whole: each gives its message and the game goes on,
// without freezing and within a memory bound.
#include "HostileGames.h"
#include "PlayerRun.h"

#include <gtest/gtest.h>

#include <sys/resource.h>

namespace quillora {
namespace {

// The most memory a player run on any generated game may take.
constexpr long kMemoryBoundKb = 500 * 1024;

TEST(HostileGames, EachCostsAMessageNotThePlayer) {
    for (const test::HostileGame& hostile : test::HostileGames()) {
        SCOPED_TRACE(hostile.name);
        test::TempFolder parent;
        test::ProjectWriter game(parent.Path() + "game");
        test::WriteSoundGame(game);
        hostile.spoil(game);
        const auto run = test::RunPlayer(game.Root(), hostile.script, 20000);
        EXPECT_EQ(run.exitStatus, 0) << run.err << run.out;
        if (hostile.expectedBox.empty()) {
            EXPECT_EQ(run.out.find("box: "), std::string::npos) << run.out;
        } else {
            EXPECT_NE(run.out.find(hostile.expectedBox), std::string::npos) << run.out;
        }
    }
    // The largest resident size any of the runs reached.
    rusage usage{};
    ASSERT_EQ(getrusage(RUSAGE_CHILDREN, &usage), 0);
    EXPECT_LT(usage.ru_maxrss, kMemoryBoundKb);
}

} // namespace
} // namespace quillora
