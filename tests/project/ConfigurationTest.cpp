// Project folders, project information, interface texts and the media lookup.
#include "ProjectWriter.h"
#include "core/Prompts.h"
#include "project/InterfaceTexts.h"
#include "project/MediaPath.h"
#include "project/ProjectInfo.h"
#include "project/ProjectPaths.h"

#include <gtest/gtest.h>

namespace quillora {
namespace {

class Configuration : public ::testing::Test {
protected:
    void SetUp() override {
        SetPrompts(&prompts);
        Paths() = ProjectPaths();
        SetProjectRoot(project.Root());
    }
    void TearDown() override { SetPrompts(nullptr); }

    test::FileValues FirstFields(size_t count) {
        test::FileValues fields = test::GeneralFields();
        fields.resize(count);
        return fields;
    }

    test::ProjectWriter project;
    ScriptedPrompts prompts;
};

TEST_F(Configuration, RootGetsExactlyOneTrailingSeparator) {
    SetProjectRoot("/");
    EXPECT_EQ(Paths().Root, "/");
    EXPECT_EQ(Paths().Frames, "/Frames/");
    Paths().Schemes = "/keep/";
    SetProjectRoot("/games/demo");
    EXPECT_EQ(Paths().Root, "/games/demo/");
    EXPECT_EQ(Paths().Config, "/games/demo/Config/");
    EXPECT_EQ(Paths().Schemes, "/keep/"); // set only while empty
}

TEST_F(Configuration, GeneralEndingAfterField11KeepsEveryOptionalDefault) {
    project.WriteGeneral(FirstFields(11));
    EXPECT_EQ(LoadProjectInfo(), "");
    const ProjectInfo& p = Project();
    EXPECT_EQ(p.ProjectName, "TestProject");
    EXPECT_EQ(p.AdventureName, "Test Adventure");
    EXPECT_EQ(p.FrameWidth, 640);
    EXPECT_EQ(p.Homepage, "https://example.org/");
    EXPECT_EQ(p.ResolutionOption, 0);
    EXPECT_EQ(p.SchemeName, "");
    EXPECT_EQ(p.InventorySpacingX, 10);
    EXPECT_TRUE(p.UseInventory);
    EXPECT_FALSE(p.UseInventoryBackground);
    EXPECT_EQ(p.InventoryBackground1, "DEFAULT");
    EXPECT_EQ(p.Resolution, 0);
}

TEST_F(Configuration, GeneralEndingAfterField12KeepsTheStoredOption) {
    test::FileValues fields = FirstFields(12);
    fields[11] = 1;
    project.WriteGeneral(fields);
    EXPECT_EQ(LoadProjectInfo(), "");
    EXPECT_EQ(Project().ResolutionOption, 1);
    fields[11] = 0;
    project.WriteGeneral(fields);
    LoadProjectInfo();
    EXPECT_EQ(Project().ResolutionOption, 0);
}

TEST_F(Configuration, GeneralEndingInsideAGroupFailsKeepingWhatWasRead) {
    test::FileValues fields = FirstFields(26); // ends inside the group of fields 23 to 38
    fields[15] = "Wood";
    fields[24] = 7;
    project.WriteGeneral(fields);
    EXPECT_EQ(LoadProjectInfo(), "Input past end of file");
    EXPECT_EQ(Project().SchemeName, "Wood");
    EXPECT_EQ(Project().InventorySpacingX, 7);
    EXPECT_EQ(Project().InventorySpacingY, 10);
}

TEST_F(Configuration, CompleteGeneralReadsEveryFieldAndDecodesScripts) {
    test::FileValues fields = test::GeneralFields();
    fields[40] = true; // WindowedMode
    fields[42] = true; // SkipWelcome
    fields[47] = true; // RemoveMenuBar
    fields[51] = true; // RunStartupScript
    fields[52] = "MsgBox |Hello|";
    fields[54] = "x = |a|";
    project.WriteGeneral(fields);
    EXPECT_EQ(LoadProjectInfo(), "");
    EXPECT_TRUE(Project().WindowedMode);
    EXPECT_TRUE(Project().SkipWelcome);
    EXPECT_TRUE(Project().RemoveMenuBar);
    EXPECT_TRUE(Project().RunStartupScript);
    EXPECT_EQ(Project().StartupScript, "MsgBox \"Hello\"");
    EXPECT_EQ(Project().FrameScript, "x = \"a\"");
    fields[6] = "wide";
    project.WriteGeneral(fields);
    EXPECT_EQ(LoadProjectInfo(), "Type mismatch");
}

TEST_F(Configuration, TextsFileModes) {
    LoadInterfaceTexts(); // no file: program wording
    EXPECT_EQ(Text(1), "Start");
    EXPECT_EQ(Text(2), "  Load...");
    project.WriteValues("Config/Texts", {1});
    LoadInterfaceTexts();
    EXPECT_EQ(Text(1), "Start New Game");
    EXPECT_NE(Text(34).find("The game may not work properly"), std::string::npos);
    EXPECT_NE(Text(38).find("CD-ROM drive letter"), std::string::npos);

    project.WriteValues("Config/Texts",
                        {2, 0, 0, 0, 0, 0, 3, "Go", "Stop", test::FileValue::Raw("#TRUE#")});
    LoadInterfaceTexts();
    EXPECT_EQ(Text(1), "Go");
    EXPECT_EQ(Text(3), "True");
    EXPECT_EQ(Text(4), "Created By:");
    EXPECT_TRUE(prompts.History().empty());
}

TEST_F(Configuration, DamagedTextsFileFallsBackToTheProgramWording) {
    test::FileValues values = {2, 0, 0, 0, 0, 0, 61};
    for (int i = 1; i <= 61; ++i)
        values.push_back("t" + std::to_string(i));
    project.WriteValues("Config/Texts", values);
    LoadInterfaceTexts();
    ASSERT_EQ(prompts.History().size(), 1u);
    EXPECT_EQ(prompts.History()[0].title, "Error");
    EXPECT_EQ(prompts.History()[0].text, "Unable to load text.");
    EXPECT_EQ(Text(1), "Start");
    EXPECT_EQ(Text(52), "t52"); // beyond the built-in entries nothing is put back

    Texts() = InterfaceTexts();
    project.WriteValues("Config/Texts", {5});
    LoadInterfaceTexts();
    EXPECT_EQ(Text(1), ""); // an unknown mode leaves the table as it was
}

TEST_F(Configuration, StoredMediaNames) {
    EXPECT_EQ(StoredMediaName("/g/Areas/house.bmp"), "/g/Areas/house.218");
    EXPECT_EQ(StoredMediaName("/g/Areas/HOUSE.BMP"), "/g/Areas/HOUSE.154");
    EXPECT_EQ(StoredMediaName("/g/Areas/intro.mpeg"), "/g/Areas/intro.mpeg");
    EXPECT_EQ(StoredMediaName("/g/Areas/a.bm"), "/g/Areas/a.bm");
    // Five characters: 97 × 2 − 46 + 98 = 246, plus k = 4.
    EXPECT_EQ(StoredMediaName("/g/Areas/a.bmp"), "/g/Areas/a.250");
    EXPECT_EQ(StoredMediaName("/g/Areas/theme.mid"), "/g/Areas/theme.457");
    EXPECT_EQ(StoredMediaName("/g/Areas/notes.txt"), "/g/Areas/notes.txt");
}

TEST_F(Configuration, MediaLookupFindsStoredNamesAndWarnsOncePerMiss) {
    SetDefaultTexts(true);
    project.WriteBytes("Areas/house.218", "picture");
    project.WriteBytes("Areas/real.wav", "sound");
    EXPECT_EQ(ResolveMediaPath(Paths().Areas + "house.bmp", false), Paths().Areas + "house.218");
    EXPECT_EQ(ResolveMediaPath(Paths().Areas + "REAL.wav", false), Paths().Areas + "REAL.wav");
    // A five-character name is found under its own name and under its number.
    project.WriteBytes("Areas/a.bmp", "picture");
    project.WriteBytes("Areas/b.252", "picture");
    EXPECT_EQ(ResolveMediaPath(Paths().Areas + "a.bmp", false), Paths().Areas + "a.bmp");
    EXPECT_EQ(ResolveMediaPath(Paths().Areas + "b.bmp", false), Paths().Areas + "b.252");
    EXPECT_TRUE(prompts.History().empty());

    EXPECT_EQ(ResolveMediaPath(Paths().Areas + "gone.bmp", false), Paths().Areas + "gone.bmp");
    ASSERT_EQ(prompts.History().size(), 1u);
    EXPECT_EQ(prompts.History()[0].text,
              Text(33) + "\r\n" + Paths().Areas + "gone.bmp\r\n\r\n" + Text(34));
    // While the game stops everything, nothing is shown.
    ResolveMediaPath(Paths().Areas + "gone.bmp", true);
    EXPECT_EQ(prompts.History().size(), 1u);
}

} // namespace
} // namespace quillora
