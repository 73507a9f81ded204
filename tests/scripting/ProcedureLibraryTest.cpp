// The procedure library: unscrambling lines, and reading Config/Procedures plain or scrambled.
#include "scripting/ProcedureLibrary.h"
#include "ProjectWriter.h"
#include "core/ClassicError.h"
#include "core/Prompts.h"
#include "project/InterfaceTexts.h"
#include "project/ProjectInfo.h"
#include "project/ProjectPaths.h"

#include <gtest/gtest.h>

namespace quillora {
namespace {

// Worked by hand: key 163 ("Ab"), shift 3 ("#"); "H" is stored as "x" at step 0 (m = 163 + 3 ×
// 87 = 424) and "i" as "z" at step 1 (m = 163 + 4 × 81 = 487), the text backwards after the shift.
TEST(ProcedureLibrary, UnscramblesLinesBackwardsWithTheKey) {
    EXPECT_EQ(SumOfCharCodes("Ab"), 163);
    EXPECT_EQ(DecryptLine("#zx", 163), "Hi");
    // A tab passes unchanged but still takes its place: "z" is now step 2 (m = 163 + 5 × 90).
    EXPECT_EQ(DecryptLine("#z\tx", 163), "H\tI");
    EXPECT_EQ(DecryptLine("#", 163), "");
    EXPECT_EQ(DecryptLine("", 163), "");
    // Where the classic 32-bit arithmetic overflows, the line cannot be read.
    EXPECT_THROW(DecryptLine("#zx", 2147483600), ClassicError);
}

class ProcedureFile : public ::testing::Test {
protected:
    void SetUp() override {
        SetPrompts(&prompts);
        Paths() = ProjectPaths();
        SetProjectRoot(project.Root());
        Project() = ProjectInfo();
        Project().ProjectName = "Ab";
    }
    void TearDown() override { SetPrompts(nullptr); }

    test::ProjectWriter project;
    ScriptedPrompts prompts;
};

TEST_F(ProcedureFile, SkipsTheHeaderAndJoinsLinesPlainOrScrambled) {
    EXPECT_EQ(LoadProjectProcedures(), ""); // no file, no library, no message
    project.WriteBytes("Config/Procedures", "h1\r\nh2\r\nh3\r\nSub A\r\n  B\r\nEnd Sub\r\n");
    EXPECT_EQ(LoadProjectProcedures(), "Sub A\r\n  B\r\nEnd Sub");
    project.WriteBytes("Config/Procedures", "h1\nh2\nh3\nSub A\n\n"); // edited elsewhere
    EXPECT_EQ(LoadProjectProcedures(), "Sub A\r\n");

    project.WriteBytes("Config/More", "[General]\r\nProcEncr=1\r\n");
    project.WriteBytes("Config/Procedures", "h1\r\nh2\r\nh3\r\n#zx\r\n#\r\n#z\tx\r\n");
    EXPECT_EQ(LoadProjectProcedures(), "Hi\r\n\r\nH\tI");
    project.WriteBytes("Config/More", "[General]\r\nProcEncr=2\r\n");
    EXPECT_EQ(LoadProjectProcedures(), "#zx\r\n#\r\n#z\tx");
    EXPECT_TRUE(prompts.History().empty());
}

TEST_F(ProcedureFile, ScrambledLibrariesReadBackAsTheAuthorWroteThem) {
    // Every character the format can carry at every position of the letter table, a tab, a code
    // above 126 ("~" cannot be carried: the 94 shifted codes cover 32 to 125).
    std::string all;
    for (int c = 32; c <= 125; ++c)
        all += static_cast<char>(c);
    const std::vector<std::string> lines = {"Sub Greet(name)", "\tMsgBox \"Hi \" & name & \"!\"",
                                            "", all + all, "End Sub \xE9t\xE9"};
    for (const int32_t key : {0, 163, 1500, 40000}) {
        for (const int shift : {0, 7, 93}) {
            for (const std::string& line : lines)
                EXPECT_EQ(DecryptLine(test::ScrambleLine(line, key, shift), key), line) << line;
        }
    }
    Project().ProjectName = "Le Phare";
    project.WriteBytes("Config/More", "[General]\r\nProcEncr=1\r\n");
    project.WriteProcedures({"Sub A", "  B \"\xC3\xA9\"", "End Sub"}, true, "Le Phare");
    EXPECT_EQ(LoadProjectProcedures(), "Sub A\r\n  B \"\xC3\xA9\"\r\nEnd Sub");
    EXPECT_TRUE(prompts.History().empty());
}

TEST_F(ProcedureFile, AFileWithNothingAfterItsHeaderIsAnError) {
    project.WriteBytes("Config/Procedures", "h1\r\nh2\r\nh3\r\n");
    EXPECT_EQ(LoadProjectProcedures(), "");
    ASSERT_EQ(prompts.History().size(), 1u);
    EXPECT_EQ(prompts.History()[0].text, "Error loading projet procedures.");
    EXPECT_EQ(prompts.History()[0].title, "Error");
}

} // namespace
} // namespace quillora
