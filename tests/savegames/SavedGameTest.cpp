// The saved-game file and the saved games on disk: the exact bytes, every value kind back again,
// older and damaged files, the resume table, the list order and writes that never lose a save.
#include "ProjectWriter.h"
#include "core/ClassicError.h"
#include "core/Prompts.h"
#include "core/ValueListReader.h"
#include "game/GameSession.h"
#include "project/InterfaceTexts.h"
#include "project/ProjectInfo.h"
#include "project/ProjectPaths.h"
#include "savegames/SavedGameStore.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <sys/resource.h>

namespace quillora {
namespace {

namespace fs = std::filesystem;

class SavedGames : public ::testing::Test {
protected:
    void SetUp() override {
        SetPrompts(&prompts);
        Paths() = ProjectPaths();
        SetProjectRoot(project.Root());
        SetDefaultTexts(true);
        info.ProjectName = "Quest";
        info.AdventureName = "The Quest";
        GameState& state = session.State;
        state.Vars.Variables.Add("Lamp", 1);
        state.Vars.Variables.Add("Door", -1);
        state.Vars.Disappear.Add("Hall", 3);
        state.InventoryItems = {"Key", "Old \"brass\" lamp"};
        state.FramesHistory = {"Start", "Hall"};
        state.Vars.VariablesVariant.Add("Name", std::string("Ann \"the brave\""));
        state.Vars.VariablesVariant.Add("Brave", true);
        state.Vars.VariablesVariant.Add("Gold", 12.5);
        state.Vars.VariablesVariant.Add("Met", ListDate{OleDateFromParts(2001, 2, 3, 4, 5, 6)});
        state.Vars.VariablesVariant.Add("Nothing", std::monostate());
        state.Vars.VariablesVariant.Add("Unknown", ListNull());
    }
    void TearDown() override { SetPrompts(nullptr); }
    std::string Bytes() { return SavedGameBytes(session, "Hall", info, "12/08/2026"); }

    test::ProjectWriter project;
    ScriptedPrompts prompts;
    ProjectInfo info;
    GameSession session;
};

TEST_F(SavedGames, WritesTheClassicRecordSequenceByteForByte) {
    EXPECT_EQ(Bytes(), "\"Hall\"\r\n"
                       "2\r\n\"Lamp\"\r\n1\r\n\"Door\"\r\n-1\r\n"
                       "1\r\n\"Hall\"\r\n3\r\n"
                       "2\r\n\"Key\"\r\n\"Old 'brass' lamp\"\r\n"
                       "2\r\n\"Start\"\r\n\"Hall\"\r\n"
                       "\"\"\r\n\"\"\r\n\"\"\r\n\"Quest\"\r\n\"The Quest\"\r\n\"12/08/2026\"\r\n"
                       "\"Version 3.4.3\"\r\n"
                       "6\r\n\"Name\"\r\n\"Ann 'the brave'\"\r\n\"Brave\"\r\n#TRUE#\r\n"
                       "\"Gold\"\r\n12.5\r\n\"Met\"\r\n#2001-02-03 04:05:06#\r\n"
                       "\"Nothing\"\r\n\r\n\"Unknown\"\r\n#NULL#\r\n");
}

TEST_F(SavedGames, ReadsEveryValueKindBackAndOlderShorterFiles) {
    const std::string bytes = Bytes();
    ValueListReader in(bytes);
    const SavedGameRecord record = ReadSavedGame(in);
    EXPECT_EQ(record.ResumeFrame, "Hall");
    ASSERT_EQ(record.Variables.Count(), 2);
    EXPECT_EQ(record.Variables.Item(2)->Value, -1);
    EXPECT_EQ(record.Hidden.Item(1)->Name, "Hall");
    EXPECT_EQ(record.Items, (std::vector<std::string>{"Key", "Old 'brass' lamp"}));
    ASSERT_TRUE(record.History && record.Variants);
    const VariantCollection& variants = *record.Variants;
    EXPECT_EQ(variants.Item(1)->Value, ListValue(std::string("Ann 'the brave'")));
    EXPECT_EQ(variants.Item(2)->Value, ListValue(true));
    EXPECT_EQ(variants.Item(3)->Value, ListValue(12.5));
    EXPECT_EQ(variants.Item(4)->Value, ListValue(ListDate{OleDateFromParts(2001, 2, 3, 4, 5, 6)}));
    EXPECT_EQ(variants.Item(5)->Value, ListValue(std::monostate()));
    EXPECT_EQ(variants.Item(6)->Value, ListValue(ListNull()));

    // A save that ends after the inventory, and one that ends after the history.
    const size_t history = bytes.find("2\r\n\"Start\"");
    ValueListReader oldest(bytes.substr(0, history));
    const SavedGameRecord first = ReadSavedGame(oldest);
    EXPECT_EQ(first.Items.size(), 2u);
    EXPECT_FALSE(first.History);
    EXPECT_FALSE(first.Variants);
    ValueListReader older(bytes.substr(0, bytes.find("\"\"\r\n")));
    const SavedGameRecord second = ReadSavedGame(older);
    EXPECT_TRUE(second.History);
    EXPECT_FALSE(second.Variants);
}

TEST_F(SavedGames, DamagedFilesAreRefusedWhole) {
    const std::string bytes = Bytes();
    // Cut after every value before the history: a value the record needs is missing.
    const size_t history = bytes.find("2\r\n\"Start\"");
    for (size_t cut = bytes.find("\r\n"); cut + 2 < history; cut = bytes.find("\r\n", cut + 2)) {
        ValueListReader in(bytes.substr(0, cut + 2));
        EXPECT_THROW(ReadSavedGame(in), ClassicError) << "cut at " << cut;
    }
    for (const char* damaged :
         {"", "\"Hall\"\r\nmany\r\n", "\"Hall\"\r\n2000000000\r\n\"A\"\r\n1\r\n",
          "\"Hall\"\r\n0\r\n0\r\n1\r\n"}) {
        ValueListReader in(damaged);
        EXPECT_THROW(ReadSavedGame(in), ClassicError) << damaged;
    }
    EXPECT_THROW(ReadSavedGameFile("missing"), ClassicError);
    fs::create_directories(project.Root() + "folder.sav");
    EXPECT_THROW(ReadSavedGameFile("folder"), ClassicError);
    EXPECT_FALSE(ReadSavedGameOrReport("folder"));
    ASSERT_EQ(prompts.History().size(), 1u);
    EXPECT_NE(prompts.History()[0].text.find(" Unable to load '" + project.Root() + "folder.sav'."),
              std::string::npos);
}

TEST_F(SavedGames, TheResumeTableSaysWherePlayGoesOn) {
    EXPECT_EQ(GetResumeLocation("Cave"), "Cave"); // no table
    project.WriteValues("Config/Resume", {1, 2, 3, 4, 5, 6, "cave", "Entrance", "Cave", "",
                                          "Entrance", "Beach", "CAVE", "Tunnel"});
    EXPECT_EQ(GetResumeLocation("Cave"), "Tunnel"); // the last match, any case
    EXPECT_EQ(GetResumeLocation("Entrance"), "Beach");
    EXPECT_EQ(GetResumeLocation("Beach"), "Beach"); // no pair
    EXPECT_EQ(GetResumeLocation(""), "");
    project.WriteValues("Config/Resume", {1, 2, 3, "Cave"});
    EXPECT_EQ(GetResumeLocation("Cave"), "Cave"); // shorter than its header
}

TEST_F(SavedGames, TheListIsOldestFirstWithEqualTimesAlphabetical) {
    const auto now = fs::file_time_type::clock::now();
    const auto at = [&](const std::string& file, int minutes) {
        project.WriteBytes(file, "x");
        fs::last_write_time(project.Root() + file, now - std::chrono::minutes(minutes));
    };
    at("b.sav", 5);
    at("a.sav", 5);
    at("newest.sav", 1);
    at("oldest.sav", 9);
    at(".sav", 3); // four characters: not a saved game
    at("notes.txt", 2);
    EXPECT_EQ(ListSavedGames(), (std::vector<std::string>{"oldest", "a", "b", "newest"}));
}

TEST_F(SavedGames, AFailedWriteLeavesTheOldSaveAndNoTemporaryFile) {
    const std::string path = project.Root() + "game.sav";
    WriteFileAtomically(path, "old save");
    // The disk fills up half-way through the new save.
    const std::string large(200000, 'x');
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    const rlimit saved = limit;
    limit.rlim_cur = 100000;
    setrlimit(RLIMIT_FSIZE, &limit);
    EXPECT_THROW(WriteFileAtomically(path, large), ClassicError);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, SIG_DFL);
    ValueListReader old = ValueListReader::Open(path);
    EXPECT_EQ(old.ReadString(), "old save");
    EXPECT_EQ(QDir(QString::fromStdString(project.Root())).entryList(QDir::Files).size(), 1);

    // A folder where the file should be, and a folder that cannot be written.
    fs::create_directories(project.Root() + "folder.sav");
    EXPECT_THROW(WriteFileAtomically(project.Root() + "folder.sav", "x"), ClassicError);
    fs::permissions(project.Root(), fs::perms::owner_write, fs::perm_options::remove);
    if (access(project.Root().c_str(), W_OK) != 0) { // root writes anywhere
        EXPECT_THROW(WriteFileAtomically(path, "new"), ClassicError);
        ValueListReader again = ValueListReader::Open(path);
        EXPECT_EQ(again.ReadString(), "old save");
    }
    fs::permissions(project.Root(), fs::perms::owner_write, fs::perm_options::add);
}

TEST_F(SavedGames, ASaveKeepsAPictureBesideIt) {
    QImage frame(640, 480, QImage::Format_RGB32);
    frame.fill(Qt::blue);
    WriteSavedGame("pictured", Bytes(), frame);
    const QImage picture(QString::fromStdString(SavedGamePicturePath("pictured")));
    EXPECT_EQ(picture.size(), QSize(160, 120));
    EXPECT_EQ(picture.pixelColor(80, 60), QColor(Qt::blue));
    WriteSavedGame("plain", Bytes(), QImage());
    EXPECT_FALSE(QFile::exists(QString::fromStdString(project.Root() + "plain.png")));
    EXPECT_EQ(ReadSavedGameFile("pictured").ResumeFrame, "Hall");
}

} // namespace
} // namespace quillora
