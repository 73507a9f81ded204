// Files a game names that are not what they claim: paths out of the game, pipes, devices and
// files too large, for the path lookup and the readers.
#include "TempFolder.h"
#include "core/ClassicError.h"
#include "core/FileAccess.h"
#include "core/IniFile.h"
#include "core/PathLookup.h"
#include "core/ValueListReader.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sys/stat.h>

namespace quillora {
namespace {

namespace fs = std::filesystem;

void Write(const std::string& path, const std::string& text) {
    fs::create_directories(fs::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

class ConfinedGame : public ::testing::Test {
protected:
    void SetUp() override {
        Write(game + "Frames/Hall.fme", "1");
        Write(folder.Path() + "secret.txt", "2");
        PathLookup::Instance().SetConfinedFolders({game});
    }
    void TearDown() override { PathLookup::Instance().SetConfinedFolders({}); }

    test::TempFolder folder;
    std::string game = folder.Path() + "game/";
    PathLookup& lookup = PathLookup::Instance();
};

TEST_F(ConfinedGame, NamesFromInsideTheGameCannotLeaveIt) {
    EXPECT_TRUE(lookup.FileExists(game + "frames\\..\\FRAMES\\hall.fme"));
    for (const std::string name :
         {"Frames\\..\\..\\secret.txt", "..\\secret.txt", "Frames/../../game/../secret.txt"}) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(lookup.Find(game + name));
        EXPECT_FALSE(lookup.FileExists(game + name));
        EXPECT_THROW(ValueListReader::Open(game + name), ClassicError);
    }
    // A link inside the game that points out of it leads nowhere; one that stays inside works.
    fs::create_symlink(folder.Path() + "secret.txt", game + "Frames/link.fme");
    fs::create_symlink(game + "Frames/Hall.fme", game + "Frames/inner.fme");
    fs::create_directory_symlink(folder.Path(), game + "up");
    EXPECT_FALSE(lookup.FileExists(game + "Frames/link.fme"));
    EXPECT_FALSE(lookup.Find(game + "up/secret.txt"));
    EXPECT_TRUE(lookup.FileExists(game + "Frames/inner.fme"));
    // Paths that do not start in the game (settings, the temporary folder) are not confined.
    EXPECT_TRUE(lookup.FileExists(folder.Path() + "secret.txt"));
}

TEST_F(ConfinedGame, PipesDevicesAndHugeFilesAreRefusedWithoutBlocking) {
    ASSERT_EQ(::mkfifo((game + "Frames/pipe.fme").c_str(), 0600), 0);
    EXPECT_TRUE(lookup.Find(game + "Frames/pipe.fme")); // it exists, but is no file
    EXPECT_FALSE(lookup.FileExists(game + "Frames/pipe.fme"));
    try {
        ValueListReader::Open(game + "Frames/pipe.fme");
        ADD_FAILURE() << "a pipe was read";
    } catch (const ClassicError& error) {
        EXPECT_EQ(error.Code(), ErrorCode::BadFileNameOrNumber);
    }
    EXPECT_EQ(ReadRegularFile(game + "Frames/pipe.fme", 100).problem, FileProblem::NotRegular);
    EXPECT_EQ(ReadRegularFile("/dev/zero", 100).problem, FileProblem::NotRegular);
    EXPECT_EQ(ReadRegularFileHead("/dev/urandom", 100).problem, FileProblem::NotRegular);
    EXPECT_EQ(ReadRegularFile(game + "none", 100).problem, FileProblem::Missing);

    Write(game + "Frames/big.fme", std::string(1000, 'x'));
    EXPECT_EQ(ReadRegularFile(game + "Frames/big.fme", 999).problem, FileProblem::TooLarge);
    EXPECT_EQ(ReadRegularFile(game + "Frames/big.fme", 1000).bytes.size(), 1000u);
    EXPECT_EQ(ReadRegularFileHead(game + "Frames/big.fme", 22).bytes, std::string(22, 'x'));

    // Key files: a pipe reads as nothing and is not replaced by a write.
    ASSERT_EQ(::mkfifo((game + "More").c_str(), 0600), 0);
    EXPECT_EQ(ReadINI(game + "More", "A", "B"), "");
    WriteINI(game + "More", "A", "B", "C");
    EXPECT_TRUE(fs::is_fifo(game + "More"));
}

} // namespace
} // namespace quillora
