// Damaged and hostile game folders played whole: each gives its message and the game goes on,
// without freezing and within a memory bound.
#include "HostileGames.h"
#include "PlayerRun.h"
#include "app/Autoplay.h"

#include <QTest>

#include <gtest/gtest.h>

#include <ctime>
#include <sys/resource.h>

namespace quillora {
namespace {

// The most memory a player run on any generated game may take.
constexpr long kMemoryBoundKb = 500 * 1024;
// The longest the window may keep input waiting, in milliseconds of the player's processor time.
constexpr int kLongestStallMs = 1000;

double ThreadCpuMs() {
    timespec now{};
    ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1000 + static_cast<double>(now.tv_nsec) / 1e6;
}

TEST(ResponsivenessMeter, CountsWorkBetweenTurnsOfTheLoopNotIdleTime) {
    ResponsivenessMeter meter(10);
    QTest::qWait(150); // idle: the loop turns, little processor time passes
    EXPECT_LT(meter.LongestBusyMs(), 100);
    // Work that never returns to the loop: 300 ms of this thread's processor time.
    const double start = ThreadCpuMs();
    while (ThreadCpuMs() - start < 300) {
    }
    EXPECT_GE(meter.LongestBusyMs(), 300); // seen while it runs...
    QTest::qWait(50);
    EXPECT_GE(meter.LongestBusyMs(), 300); // ...and kept once the loop turns again
}

TEST(HostileGames, EachCostsAMessageNotThePlayer) {
    for (const test::HostileGame& hostile : test::HostileGames()) {
        SCOPED_TRACE(hostile.name);
        test::TempFolder parent;
        test::ProjectWriter game(parent.Path() + "game");
        test::WriteSoundGame(game);
        hostile.spoil(game);
        // Before quitting, the run checks that no moment of it kept input waiting too long.
        std::string script = hostile.script;
        script.insert(script.rfind("quit"),
                      "expect-responsive " + std::to_string(kLongestStallMs) + "\n");
        const auto run = test::RunPlayer(game.Root(), script, 20000);
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
