// Frame dialogues in a running game: the order of a question's steps, the lists that offer and
// withdraw questions, the panel's layout, frame changes during a dialogue and damaged files.
#include "GameFixture.h"
#include "core/ListValue.h"
#include "scripting/DialogueWizard.h"

#include <fstream>
#include <iterator>

namespace quillora {
namespace {

using test::DialogueValues;
using test::QuestionSpec;

class Dialogues : public test::GameFixture {
protected:
    void SetUp() override {
        GameFixture::SetUp();
        project.WriteVariables({}, {"Log"});
        project.WriteFrame("Hall", {});
        project.WriteFrame("Porch", {});
    }
    void WriteDialogue(const std::string& frame, const std::vector<QuestionSpec>& questions) {
        project.WriteDialogue(frame, questions);
    }
    // Hotspots of Hall whose actions append "a<n>" to Log.
    void WriteLoggingHotspots(int count) {
        std::vector<test::HotspotSpec> hotspots;
        std::vector<test::ActionSpec> actions;
        for (int i = 1; i <= count; ++i) {
            hotspots.push_back({.Number = i});
            actions.push_back(
                {.RunScript = true, .Script = "Log = Log & |a" + std::to_string(i) + " |"});
        }
        project.WriteHotspots("Hall", hotspots);
        project.WriteActions("Hall", actions);
        project.WriteValues("Frames/Hall.lks", {count});
    }
    DialogueWizard& Wizard() { return game->Dialogue(); }
    GameScene& Scene() { return game->Scene(); }
    ListValue Log() const { return session.State.Vars.VariablesVariant.Item(1)->Value; }
    static ListValue Text(const std::string& text) { return ListValue(text); }
    // The captions offered, top to bottom.
    std::vector<std::string> Offered() {
        std::vector<std::string> captions;
        for (const auto& [index, line] : Scene().lblDialogue.Elements())
            captions.push_back(line->Caption());
        return captions;
    }
    // Asks the question whose line shows `caption`.
    void Ask(const std::string& caption) {
        for (const auto& [index, line] : Scene().lblDialogue.Elements()) {
            if (line->Caption() == caption) {
                ASSERT_TRUE(line->OnClick);
                line->OnClick();
                return;
            }
        }
        FAIL() << "no question line " << caption;
    }
    SceneElement* Line(const std::string& caption) {
        for (const auto& [index, line] : Scene().lblDialogue.Elements())
            if (line->Caption() == caption) return line;
        return nullptr;
    }
};

TEST_F(Dialogues, AQuestionRunsItsScriptsActionsAndAnswerInOrder) {
    WriteLoggingHotspots(3);
    WriteDialogue("Hall", {{.Text = "Tell me",
                            .Answer = "Here it is",
                            .First = "Log = Log & |s1 |",
                            .Second = "Log = Log & |s2 |",
                            .Third = "Log = Log & |s3 |",
                            .FirstAction = 1,
                            .SecondAction = 2,
                            .ThirdAction = 3,
                            .AnswerTime = 0,
                            .UseAnswerTime = true},
                           {.Text = "Leave", .Id = 2, .Ends = true}});
    StartGame().OpenFrame("Hall", false, 0, 0);
    ASSERT_TRUE(Wizard().DialogueActive());
    EXPECT_EQ(Wizard().DialogueFrame(), "Hall");
    ListValue logAtAnswer;
    bool barShownAtAnswer = false;
    game->Messages().OnMessageShown = [&](const std::string& text) {
        if (text != "Here it is") return;
        logAtAnswer = Log();
        barShownAtAnswer = Scene().FrameMessageBox.Visible();
    };
    Ask("Tell me");
    EXPECT_EQ(logAtAnswer, Text("0s1 a1 s2 a2 ")); // Log starts as 0
    EXPECT_TRUE(barShownAtAnswer);
    // An answer time of 0 shows the answer and hides it at once.
    EXPECT_FALSE(Scene().FrameMessageBox.Visible());
    EXPECT_EQ(Log(), Text("0s1 a1 s2 a2 s3 a3 "));
    // Asked, it stays offered in grey under the one not yet asked.
    EXPECT_EQ(Offered(), (std::vector<std::string>{"Tell me", "Leave"}));
    EXPECT_EQ(Line("Tell me")->ForeColor, DialogueWizard::kAskedColor);
    EXPECT_EQ(Line("Leave")->ForeColor, DialogueWizard::kNewColor);
    EXPECT_TRUE(Scene().fmeDialogue.Visible());

    // A question that ends the dialogue closes it before its third script runs.
    Ask("Leave");
    EXPECT_FALSE(Wizard().DialogueActive());
    EXPECT_FALSE(Scene().fmeDialogue.Visible());
    EXPECT_EQ(Wizard().DialogueFrame(), "");
    EXPECT_TRUE(prompts.History().empty());
}

TEST_F(Dialogues, ThePanelLiesAlongTheBottomAndTheListsDecideWhatIsOffered) {
    WriteDialogue("Hall", {{.Text = "Greet", .Id = 10, .Show = {20, 30, 99}, .Hide = {30, 10}},
                           {.Text = "Ask the way", .Id = 20, .Visible = false},
                           {.Text = "Insult", .Id = 30, .Visible = false},
                           {.Text = "Wait", .Id = 40, .Hide = {77}}});
    StartGame().OpenFrame("Hall", false, 0, 0);
    EXPECT_EQ(Offered(), (std::vector<std::string>{"Greet", "Wait"}));
    const SceneElement& panel = Scene().fmeDialogue;
    const PictureBox& box = Scene().Box;
    ASSERT_TRUE(panel.Visible());
    EXPECT_EQ(panel.Left, 0);
    EXPECT_EQ(panel.Width, box.FrameWidth());
    EXPECT_EQ(panel.Top + panel.Height, box.FrameHeight());
    SceneElement* greet = Line("Greet");
    SceneElement* wait = Line("Wait");
    ASSERT_TRUE(greet && wait);
    EXPECT_EQ(greet->Left, 360);
    EXPECT_EQ(greet->Top, 300);
    EXPECT_EQ(wait->Top, 300 + greet->Height + 90);
    EXPECT_EQ(panel.Height, wait->Top + wait->Height + 90 + 300);
    EXPECT_EQ(greet->Container(), &panel);
    // The panel is part of the frame: it shows in its picture.
    const QImage frame = box.Capture();
    EXPECT_EQ(frame.pixelColor(2, frame.height() - 2), ColorFromNumber(panel.BackColor));

    // The line under the pointer lights up until the pointer leaves it.
    ASSERT_TRUE(greet->OnMouseMove);
    greet->OnMouseMove({});
    EXPECT_EQ(greet->ForeColor, DialogueWizard::kHighlightColor);
    EXPECT_EQ(wait->ForeColor, DialogueWizard::kNewColor);
    panel.OnMouseMove({});
    EXPECT_EQ(greet->ForeColor, DialogueWizard::kNewColor);

    // Shown and hidden: 30 ends hidden; Greet hides itself; 99 matches nothing.
    Ask("Greet");
    EXPECT_EQ(Offered(), (std::vector<std::string>{"Ask the way", "Wait"}));
    // A hide list naming nothing changes nothing; the question stays, grey.
    Ask("Wait");
    EXPECT_EQ(Offered(), (std::vector<std::string>{"Ask the way", "Wait"}));
    EXPECT_EQ(Line("Wait")->ForeColor, DialogueWizard::kAskedColor);
    EXPECT_EQ(Wizard().FindQuestionById(30), 3);
    EXPECT_EQ(Wizard().FindQuestionById(99), 0);
    EXPECT_TRUE(prompts.History().empty());

    // Nothing left to offer closes the dialogue.
    WriteDialogue("Porch", {{.Text = "Bye", .Hide = {1}}});
    game->ResetAll();
    EXPECT_FALSE(Wizard().DialogueActive());
    EXPECT_FALSE(Scene().fmeDialogue.Visible());
    game->OpenFrame("Porch", false, 0, 0);
    Ask("Bye");
    EXPECT_FALSE(Wizard().DialogueActive());
    EXPECT_FALSE(panel.Visible());
}

TEST_F(Dialogues, ADialogueStaysOverOtherFramesAndASaveResumesInItsFrame) {
    WriteLoggingHotspots(2);
    WriteDialogue("Hall", {{.Text = "Go out",
                            .First = "Action.GoToFrame |Porch|, 0, 0",
                            .SecondAction = 2,
                            .Show = {2}},
                           {.Text = "Come back",
                            .First = "Action.GoToFrame |Hall|, 0, 0",
                            .Id = 2,
                            .Visible = false,
                            .SecondAction = 1},
                           {.Text = "Goodbye", .Id = 3, .Ends = true}});
    WriteDialogue("Porch", {{.Text = "Porch question"}});
    StartGame().OpenFrame("Hall", false, 0, 0);
    EXPECT_EQ(game->ResumeFrameName(), "Hall");

    Ask("Go out");
    EXPECT_EQ(session.CurrentFrame.Name, "Porch");
    // Porch has no hotspot 2: the action is skipped without a word; Porch's own dialogue waits.
    EXPECT_EQ(Log(), ListValue(int32_t{0}));
    EXPECT_TRUE(Wizard().DialogueActive());
    EXPECT_EQ(Wizard().DialogueFrame(), "Hall");
    EXPECT_EQ(Offered(), (std::vector<std::string>{"Go out", "Come back", "Goodbye"}));
    EXPECT_TRUE(Scene().fmeDialogue.Visible());
    EXPECT_EQ(game->ResumeFrameName(), "Hall");

    Ask("Come back");
    EXPECT_EQ(session.CurrentFrame.Name, "Hall");
    EXPECT_EQ(Log(), Text("0a1 "));
    // Not loaded afresh: what was asked stays grey.
    EXPECT_EQ(Line("Go out")->ForeColor, DialogueWizard::kAskedColor);

    // Ended over another frame, the game resumes where it is.
    Ask("Go out");
    Ask("Goodbye");
    EXPECT_FALSE(Wizard().DialogueActive());
    EXPECT_EQ(session.CurrentFrame.Name, "Porch");
    EXPECT_EQ(game->ResumeFrameName(), "Porch");
    game->OpenFrame("Porch", false, 0, 0);
    EXPECT_EQ(Wizard().DialogueFrame(), "Porch");
    EXPECT_EQ(Offered(), (std::vector<std::string>{"Porch question"}));
    EXPECT_TRUE(prompts.History().empty());
}

TEST_F(Dialogues, DamagedFilesShowTheLoadingErrorAndLeaveTheDialogueInactive) {
    const std::string box = "Error loading the dialogue.\r\n\r\n";
    // No question at all: no panel, no message.
    WriteDialogue("Hall", {});
    StartGame().OpenFrame("Hall", false, 0, 0);
    EXPECT_FALSE(Wizard().DialogueActive());
    EXPECT_FALSE(Scene().fmeDialogue.Visible());
    EXPECT_TRUE(prompts.History().empty());

    // Counts far beyond the file or beyond an integer.
    test::FileValues values = DialogueValues({{.Text = "One"}});
    values[11] = 30000;
    project.WriteValues("FramesData/Hall.dlg", values);
    game->OpenFrame("Hall", false, 0, 0);
    ASSERT_EQ(prompts.History().size(), 1u);
    EXPECT_EQ(prompts.History().back().text.rfind(box + "Input past end of file", 0), 0u);
    EXPECT_EQ(prompts.History().back().title, "Error");
    EXPECT_FALSE(Wizard().DialogueActive());
    EXPECT_EQ(Wizard().QuestionCount(), 1); // what was read before the failure stays
    for (const test::FileValue& count : {test::FileValue(100000), test::FileValue(-1)}) {
        values[11] = count;
        project.WriteValues("FramesData/Hall.dlg", values);
        game->OpenFrame("Hall", false, 0, 0);
        EXPECT_EQ(prompts.History().back().text.rfind(box, 0), 0u);
        EXPECT_FALSE(Wizard().DialogueActive());
    }
    values = DialogueValues({{.Text = "One", .Show = {1}}});
    values[23] = 100000; // the show list's count
    project.WriteValues("FramesData/Hall.dlg", values);
    game->OpenFrame("Hall", false, 0, 0);
    EXPECT_EQ(prompts.History().back().text.rfind(box + "Overflow", 0), 0u);
    EXPECT_FALSE(Wizard().DialogueActive());

    // Cut anywhere: a message or, at a value's end, the questions read so far; never a crash.
    project.WriteValues("FramesData/Hall.dlg",
                        DialogueValues({{.Text = "One", .Show = {2}, .Hide = {3}},
                                        {.Text = "Two", .Id = 2, .Ends = true}}));
    std::ifstream file(project.Root() + "FramesData/Hall.dlg", std::ios::binary);
    const std::string whole{std::istreambuf_iterator<char>(file), {}};
    ASSERT_GT(whole.size(), 100u);
    for (size_t cut = 0; cut < whole.size(); ++cut) {
        project.WriteBytes("FramesData/Hall.dlg", whole.substr(0, cut));
        const size_t before = prompts.History().size();
        Wizard().CloseDialogue();
        game->OpenFrame("Hall", false, 0, 0);
        EXPECT_TRUE(Wizard().DialogueActive() || prompts.History().size() == before + 1)
            << "cut at " << cut;
    }
}

} // namespace
} // namespace quillora
