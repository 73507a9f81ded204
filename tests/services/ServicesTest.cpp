// The prompt, clock and settings services.
#include "TempFolder.h"
#include "core/Clock.h"
#include "core/Prompts.h"
#include "services/SettingsStore.h"
#include "services/Wait.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace quillora {
namespace {

TEST(ScriptedPrompts, AnswersInOrderAndFallsBackToTheDefaultButton) {
    ScriptedPrompts prompts;
    std::vector<std::string> seen;
    prompts.SetObserver(
        [&](const ScriptedPrompts::Shown& box) { seen.push_back(box.title + "|" + box.text); });
    prompts.QueueAnswer("no");
    prompts.QueueAnswer("Retry"); // not a button of the next box: its default is taken
    prompts.QueueAnswer("typed text");
    EXPECT_EQ(prompts.MessageBox("Quit?", BoxStyle::YesNo, "T"), BoxResult::No);
    EXPECT_EQ(prompts.MessageBox("Sure?", BoxStyle::YesNoCancel + BoxStyle::DefaultButton3, "T"),
              BoxResult::Cancel);
    EXPECT_EQ(prompts.InputBox("Name?", "T", "x"), "typed text");
    EXPECT_EQ(prompts.InputBox("Name?", "T", "fallback"), "fallback");
    EXPECT_EQ(prompts.MessageBox("Hm", BoxStyle::YesNo + BoxStyle::DefaultButton2, "T"),
              BoxResult::No);
    EXPECT_EQ(seen.size(), 5u);
    EXPECT_EQ(seen[0], "T|Quit?");
    EXPECT_EQ(DefaultBoxResult(BoxStyle::OKOnly + BoxStyle::DefaultButton4), BoxResult::OK);
}

TEST(ScriptedPrompts, EveryBoxIsOneLineOfTheMessageLogAndErrorBoxesAreKnown) {
    EXPECT_EQ(BoxLine("Error", "First\r\n\r\nSecond\nThird\rFourth"),
              "Error: First /  / Second / Third / Fourth");
    EXPECT_EQ(BoxLine("", "Just text"), "Just text");
    EXPECT_TRUE(IsErrorBox(BoxStyle::Critical));
    EXPECT_TRUE(IsErrorBox(BoxStyle::Exclamation));
    EXPECT_FALSE(IsErrorBox(BoxStyle::Exclamation + BoxStyle::YesNo));
    EXPECT_FALSE(IsErrorBox(BoxStyle::Information));

    std::FILE* log = std::tmpfile();
    ASSERT_NE(log, nullptr);
    SetMessageLog(log);
    ScriptedPrompts prompts;
    prompts.MessageBox("Line one\r\nLine two", BoxStyle::Critical, "Oops");
    prompts.InputBox("Name?", "Ask", "x");
    LogNotice("a notice");
    SetMessageLog(nullptr);
    prompts.MessageBox("not logged", BoxStyle::OKOnly, "T");
    std::rewind(log);
    char buffer[256] = {};
    const size_t length = std::fread(buffer, 1, sizeof buffer - 1, log);
    std::fclose(log);
    EXPECT_EQ(std::string(buffer, length), "Oops: Line one / Line two\nAsk: Name?\na notice\n");
    EXPECT_EQ(prompts.History()[1].style, ScriptedPrompts::kInputStyle);
}

TEST(Clock, ElapsedTimeAndWaitsSpanMidnight) {
    EXPECT_DOUBLE_EQ(ElapsedSeconds(86399.5, 0.25), 0.75);
    ManualClock clock(86399.0, 0.25);
    SetClock(&clock);
    WaitSeconds(2.0);
    EXPECT_NEAR(clock.SecondsSinceMidnight(), 1.25, 1e-9);
    int polls = 0;
    WaitSeconds(100.0, [&] { return ++polls == 3; });
    EXPECT_EQ(polls, 3);
    SetClock(nullptr);
}

TEST(SettingsStore, KeepsValuesPerApplicationSectionAndKey) {
    test::TempFolder folder;
    {
        SettingsStore store(QString::fromStdString(folder.Path()));
        EXPECT_EQ(store.GetSetting("Software", "My/Game", "Path", "none"), "none");
        store.SaveSetting("Software", "My/Game", "Path", "/games/x/");
        store.SaveSetting("Software", "Other", "Path", "elsewhere");
        store.SaveSetting("Software", "My/Game", "_score", "12");
    }
    SettingsStore reopened(QString::fromStdString(folder.Path()));
    EXPECT_EQ(reopened.GetSetting("Software", "My/Game", "Path"), "/games/x/");
    EXPECT_EQ(reopened.GetSetting("Software", "my/game", "_score"), "");
    reopened.DeleteSetting("Software", "My/Game", "_score");
    EXPECT_EQ(reopened.GetSetting("Software", "My/Game", "_score", "gone"), "gone");
    EXPECT_EQ(reopened.GetSetting("Software", "Other", "Path"), "elsewhere");
}

} // namespace
} // namespace quillora
