// The allowed folders of an untrusted game: paths judged by where the system would take them.
#include "core/FileConfinement.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace quillora {
namespace {

namespace fs = std::filesystem;

class Confinement : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(game + "Saves");
        fs::create_directories(outside);
        std::ofstream(game + "Saves/one.sav") << "1";
        std::ofstream(outside + "secret.txt") << "2";
        rules.Allow(game);
    }

    test::TempFolder folder;
    std::string game = folder.Path() + "game/";
    std::string outside = folder.Path() + "outside/";
    FileConfinement rules;
};

TEST_F(Confinement, UnconfinedAllowsEverythingAndAFailedAllowStillConfines) {
    FileConfinement open;
    EXPECT_FALSE(open.Confined());
    EXPECT_TRUE(open.Allows("/etc/passwd"));
    EXPECT_TRUE(open.Allows(""));
    // A root that cannot be resolved allows nothing, rather than leaving the game free.
    fs::create_symlink(folder.Path() + "loop", folder.Path() + "loop");
    FileConfinement broken;
    broken.Allow(folder.Path() + "loop/game");
    EXPECT_TRUE(broken.Confined());
    EXPECT_FALSE(broken.Allows("/etc/passwd"));
    EXPECT_FALSE(broken.Allows(folder.Path() + "loop/game/x"));
}

TEST_F(Confinement, PathsInsideTheRootAreAllowedWhereverTheyAreWrittenFrom) {
    EXPECT_TRUE(rules.Confined());
    for (const std::string& path :
         {game, game + "Saves/one.sav", game + "Saves/new.sav", game + "New/Deeper/x.txt",
          game + "Saves/../Saves/./one.sav", game + "Missing/../Saves/one.sav",
          folder.Path() + "outside/../game/Saves", game.substr(0, game.size() - 1)}) {
        SCOPED_TRACE(path);
        EXPECT_TRUE(rules.Allows(path));
    }
    // Relative paths are taken from the current folder.
    const fs::path before = fs::current_path();
    fs::current_path(game + "Saves");
    EXPECT_TRUE(rules.Allows("one.sav"));
    EXPECT_TRUE(rules.Allows("..\\Saves\\two.sav"));
    EXPECT_FALSE(rules.Allows("../../outside/secret.txt"));
    EXPECT_TRUE(rules.Allows(""));
    EXPECT_FALSE(rules.Allows("../.."));
    fs::current_path(before);
}

TEST_F(Confinement, PathsLeadingOutAreRefused) {
    for (const std::string& path :
         {std::string("/etc/passwd"), std::string("/"), outside + "secret.txt", outside + "new.txt",
          game + "Saves/../../outside/secret.txt", game + "..", game + "../game2/x",
          folder.Path() + "game2", game + "Saves/one.sav/../../../outside/x",
          game + "a/b/../../../../../../../../etc/passwd", game + std::string("x\0/../../y", 11)}) {
        SCOPED_TRACE(path);
        EXPECT_FALSE(rules.Allows(path));
    }
    // "\" separates parts for a game but is part of a name for the system: both must stay in.
    EXPECT_FALSE(rules.Allows(game + "Saves\\..\\..\\outside\\secret.txt"));
    EXPECT_TRUE(rules.Allows(game + "Saves\\one.sav"));
}

TEST_F(Confinement, LinksAreFollowedEvenWhenTheirTargetIsMissing) {
    fs::create_symlink(outside + "secret.txt", game + "Saves/link.sav");
    fs::create_directory_symlink(outside, game + "Out");
    fs::create_symlink("../../outside/new.txt", game + "Saves/relative.sav");
    fs::create_symlink(outside + "not-yet.txt", game + "dangling.txt");
    fs::create_symlink("one.sav", game + "Saves/inner.sav");
    fs::create_directory_symlink(game + "Saves", folder.Path() + "saves-link");

    EXPECT_FALSE(rules.Allows(game + "Saves/link.sav"));
    EXPECT_FALSE(rules.Allows(game + "Out/secret.txt"));
    EXPECT_FALSE(rules.Allows(game + "Out/new.txt"));
    EXPECT_FALSE(rules.Allows(game + "Saves/relative.sav"));
    // Writing through a dangling link would create its target.
    EXPECT_FALSE(rules.Allows(game + "dangling.txt"));
    // A link's ".." is taken after the link: Out/.. is the outside folder's parent.
    EXPECT_FALSE(rules.Allows(game + "Out/../outside/secret.txt"));
    EXPECT_TRUE(rules.Allows(game + "Out/../game/Saves/one.sav"));
    EXPECT_TRUE(rules.Allows(game + "Saves/inner.sav"));
    // A link from outside into the root reaches the root.
    EXPECT_TRUE(rules.Allows(folder.Path() + "saves-link/one.sav"));

    // A root given through a link is the folder the link leads to.
    FileConfinement viaLink;
    viaLink.Allow(folder.Path() + "saves-link");
    EXPECT_TRUE(viaLink.Allows(game + "Saves/one.sav"));
    EXPECT_FALSE(viaLink.Allows(game + "other.txt"));
    ASSERT_TRUE(FileConfinement::Resolve(folder.Path() + "saves-link/x"));
    EXPECT_EQ(*FileConfinement::Resolve(folder.Path() + "saves-link/x"),
              fs::canonical(game + "Saves").string() + "/x");
}

} // namespace
} // namespace quillora
