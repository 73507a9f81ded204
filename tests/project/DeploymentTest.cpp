// The CD index, the mount table's CD volumes, and the welcome scheme reader's limits.
#include "ProjectWriter.h"
#include "core/ClassicError.h"
#include "core/PathLookup.h"
#include "core/Prompts.h"
#include "core/ValueListReader.h"
#include "project/InterfaceTexts.h"
#include "project/MediaPath.h"
#include "project/MultiCDModule.h"
#include "project/ProjectInfo.h"
#include "project/ProjectPaths.h"
#include "project/WelcomeScheme.h"
#include "services/SettingsStore.h"

#include <filesystem>

#include <gtest/gtest.h>

namespace quillora {
namespace {

class Deployment : public ::testing::Test {
protected:
    void SetUp() override {
        SetPrompts(&prompts);
        SetSettings(&settings);
        Paths() = ProjectPaths();
        SetProjectRoot(project.Root());
        SetDefaultTexts(true);
        project.WriteGeneral(test::GeneralFields());
        LoadProjectInfo();
    }
    void TearDown() override {
        SetPrompts(nullptr);
        SetSettings(nullptr);
    }
    // A multi-CD project whose index holds the records.
    void MakeMultiCD(const test::FileValues& records, int cdCount = 2) {
        project.WriteBytes("RunFromCD.dat", "");
        test::FileValues index{"a", "b", "c", cdCount, 0, 0};
        index.insert(index.end(), records.begin(), records.end());
        project.WriteValues("Config/CDContents", index);
        LoadCDIndex();
    }

    test::ProjectWriter project;
    test::TempFolder settingsFolder;
    SettingsStore settings{QString::fromStdString(settingsFolder.Path())};
    ScriptedPrompts prompts;
};

TEST_F(Deployment, IndexKeepsValidRecordsAndDropsTheRest) {
    MakeMultiCD({"pic.bmp", 2, 2, "", 1, 1, "zero.bmp", 0, 2, "seven.bmp", 7, 2, "none.bmp", 1, 0,
                 "Intro.fme", 1, 1});
    ASSERT_EQ(CDIndexCount(), 2);
    EXPECT_EQ(CDIndex()[0].FileName, "pic.bmp");
    EXPECT_EQ(CDIndex()[0].CDNumber, 2);
    EXPECT_EQ(CDIndex()[1].FolderKind, 1);
    EXPECT_TRUE(prompts.History().empty());

    // Without the marker the index is not read at all.
    std::filesystem::remove(project.Root() + "RunFromCD.dat");
    PathLookup::Instance().Forget(project.Root());
    LoadCDIndex();
    EXPECT_EQ(CDIndexCount(), 0);
}

TEST_F(Deployment, DamagedIndexIsReportedAndDropped) {
    const std::string message = Text(30) + "\r\n\r\n" + Text(31) + " Error loading CD index.";
    // A record cut short, a CD count out of range, a number where text is not one.
    for (const std::string& bytes :
         {std::string("1,2,3,2,5,6,\"pic.bmp\",2,2,\"cut.bmp\",2"), std::string("1,2,3,99999"),
          std::string("1,2,3,2,5,6,\"pic.bmp\",x,2")}) {
        project.WriteBytes("RunFromCD.dat", "");
        project.WriteBytes("Config/CDContents", bytes);
        LoadCDIndex();
        EXPECT_EQ(CDIndexCount(), 0) << bytes;
        ASSERT_FALSE(prompts.History().empty());
        EXPECT_EQ(prompts.History().back().text, message);
    }
    ValueListReader empty("");
    EXPECT_THROW(ReadCDIndex(empty), ClassicError);
}

TEST_F(Deployment, FilesOutsideTheIndexOrProjectKeepTheirPaths) {
    const std::string missing = Paths().Areas + "absent.bmp";
    bool stopped = true;
    EXPECT_EQ(FindOnCD(missing, stopped), missing); // single-folder project
    EXPECT_FALSE(stopped);
    MakeMultiCD({"pic.bmp", 2, 2});
    // No drive and no prompt host: the index's file is reported where the project keeps it.
    EXPECT_EQ(FindOnCD(Paths().Areas + "pic.bmp", stopped), Paths().Areas + "pic.bmp");
    EXPECT_EQ(FindOnCD(missing, stopped), missing);
    // A copied disc answers without a prompt, by the record's CD number and folder kind, under
    // the file's stored numbered name.
    project.WriteBytes("cd2/Data/Test Adventure/Areas/" +
                           std::string(FileNamePart(StoredMediaName("pic.bmp"))),
                       "BM");
    EXPECT_EQ(ResolveMediaPath(Paths().Areas + "PIC.BMP", false),
              project.Root() + "cd2/Data/Test Adventure/Areas/" +
                  std::string(FileNamePart(StoredMediaName("pic.bmp"))));
    // Frames files are found on any copied disc even when the index lacks them.
    project.WriteBytes("CD1/Data/Test Adventure/Frames/back.png", "png");
    EXPECT_EQ(ResolveMediaPath(Paths().Frames + "back.png", false),
              project.Root() + "CD1/Data/Test Adventure/Frames/back.png");
    EXPECT_TRUE(prompts.History().empty());
}

TEST_F(Deployment, NamesOnTheDriveCannotLeaveIt) {
    test::TempFolder drive;
    test::ProjectWriter outside;
    outside.WriteBytes("secret.txt", "x");
    const std::string escape = "../../../../../../../../.." + outside.Root() + "secret.txt";
    std::filesystem::create_directories(drive.Path() + "/Data/Test Adventure/Areas");
    const std::string way = drive.Path() + "/Data/Test Adventure/Areas/" + escape;
    EXPECT_TRUE(PathLookup::Instance().FileExists(way)); // nothing confines the drive yet
    MakeMultiCD({escape, 1, 2});
    StoreCDDrive(drive.Path());
    const std::string asked = Paths().Areas + escape;
    bool stopped = false;
    EXPECT_FALSE(PathLookup::Instance().FileExists(FindOnCD(asked, stopped)));
    EXPECT_FALSE(PathLookup::Instance().FileExists(way));
}

TEST_F(Deployment, CDVolumesComeFromTheMountTable) {
    const std::string table = "/dev/sda1 / ext4 rw 0 0\n"
                              "/dev/sr0 /media/cdrom iso9660 ro,nosuid 0 0\n"
                              "/dev/sr1 /media/My\\040Game udf ro 0 0\n"
                              "broken line\n"
                              "tmpfs /run tmpfs rw 0 0";
    EXPECT_EQ(CDMountPoints(table), (std::vector<std::string>{"/media/cdrom", "/media/My Game"}));
    EXPECT_TRUE(CDMountPoints("").empty());
    // A Windows drive letter kept from the original player names no folder here.
    settings.SaveSetting("Software", "TestProject", "DriveLetter", "D");
    EXPECT_EQ(StoredCDDrive(), "");
}

TEST_F(Deployment, SchemeReaderSkipsEarlyDamageAndStopsAtLaterDamage) {
    // Entries that cannot be read count as "[default]"; entries past the background are dropped.
    ValueListReader many(
        "1,2,3,6,\"a.bmp\",\"b.bmp\",\"c.bmp\",\"d.bmp\",\"e.bmp\",\"f.bmp\",4,1,2,"
        "3,4,5,6,7,0,9,1,#TRUE#");
    const WelcomeScheme full = ReadWelcomeScheme(many);
    EXPECT_EQ(full.Pictures, (std::vector<std::string>{"a.bmp", "b.bmp", "c.bmp", "d.bmp"}));
    EXPECT_EQ(full.ButtonTextColor, 4u);
    EXPECT_TRUE(full.TileBackground);
    EXPECT_EQ(full.HideTitle, false);
    EXPECT_EQ(full.LogoVariant, 1);
    EXPECT_EQ(full.LogoAlternate, true);

    ValueListReader huge("1,2,3,32767,\"a.bmp\"");
    EXPECT_EQ(ReadWelcomeScheme(huge).Pictures.size(), 4u);
    ValueListReader badColour("1,2,3,1,\"a.bmp\",4,1,\"red\",3,4");
    const WelcomeScheme colours = ReadWelcomeScheme(badColour);
    EXPECT_EQ(colours.BackColor, 1u);
    EXPECT_FALSE(colours.TitleColor);
    EXPECT_FALSE(colours.TileBackground);
}

} // namespace
} // namespace quillora
