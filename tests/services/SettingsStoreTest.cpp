// The settings file shared by all games: the layout QSettings reads and writes, only the game's
// own group read, and files that cannot be kept.
#include "services/SettingsStore.h"
#include "TempFolder.h"
#include "core/Prompts.h"

#include <gtest/gtest.h>

#include <QSettings>

#include <filesystem>
#include <fstream>
#include <sys/stat.h>

namespace quillora {
namespace {

namespace fs = std::filesystem;

class SettingsFile : public ::testing::Test {
protected:
    void SetUp() override { SetPrompts(&prompts); }
    void TearDown() override { SetPrompts(nullptr); }
    std::string Bytes() const {
        std::ifstream in(file, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    test::TempFolder folder;
    std::string file = folder.Path() + "Software.ini";
    QString where = QString::fromStdString(folder.Path());
    ScriptedPrompts prompts;
};

TEST_F(SettingsFile, ReadsAndWritesWhatQSettingsDoes) {
    const std::vector<std::string> values = {"plain",
                                             "a, b; c = d",
                                             " padded ",
                                             "say \"hi\"\\there",
                                             "line\r\nbreak\t\x01"
                                             "1",
                                             "@at",
                                             "caf\xC3\xA9 \xE4\xB8\xAD",
                                             ""};
    {
        QSettings qt(QString::fromStdString(file), QSettings::IniFormat);
        for (size_t i = 0; i < values.size(); ++i)
            qt.setValue("My%2FGame/key" + QString::number(i), QString::fromStdString(values[i]));
    }
    SettingsStore store(where);
    for (size_t i = 0; i < values.size(); ++i)
        EXPECT_EQ(store.GetSetting("Software", "My/Game", "key" + std::to_string(i)), values[i]);
    for (size_t i = 0; i < values.size(); ++i)
        store.SaveSetting("Software", "Other Game", "k/" + std::to_string(i), values[i]);
    QSettings qt(QString::fromStdString(file), QSettings::IniFormat);
    for (size_t i = 0; i < values.size(); ++i) {
        EXPECT_EQ(qt.value("Other Game/k%2F" + QString::number(i)).toString().toStdString(),
                  values[i]);
        EXPECT_EQ(qt.value("My%2FGame/key" + QString::number(i)).toString().toStdString(),
                  values[i]);
    }
    EXPECT_TRUE(prompts.History().empty());
}

TEST_F(SettingsFile, OnlyTheGamesOwnGroupIsReadAndOthersAreCopiedAsTheyStand) {
    std::string others = "[General]\nx=1\n";
    for (int g = 0; g < 2000; ++g)
        others += "[Game" + std::to_string(g) + "]\nPath=/games/" + std::to_string(g) + "\n";
    std::ofstream(file, std::ios::binary) << others << "[Mine]\nPath=/mine\n";
    SettingsStore store(where);
    EXPECT_EQ(store.GetSetting("Software", "Mine", "Path"), "/mine");
    store.SaveSetting("Software", "Mine", "Score", "12");
    EXPECT_EQ(Bytes(), others + "\n[Mine]\nPath=/mine\nScore=12\n");
    store.DeleteSetting("Software", "Mine", "Path");
    store.DeleteSetting("Software", "Mine", "Score");
    EXPECT_EQ(Bytes(), others + "\n");
}

TEST_F(SettingsFile, AFileThatCannotBeKeptIsLeftAloneAndToldOnce) {
    // Too large: not read, not rewritten.
    std::ofstream(file, std::ios::binary) << "[Mine]\nPath=/mine\n"
                                          << std::string(SettingsStore::kMaxFileBytes, ';');
    {
        SettingsStore store(where);
        EXPECT_EQ(store.GetSetting("Software", "Mine", "Path", "none"), "none");
        store.SaveSetting("Software", "Mine", "Path", "/new");
        EXPECT_EQ(store.GetSetting("Software", "Mine", "Path"), "/new"); // for this session
        EXPECT_EQ(fs::file_size(file), SettingsStore::kMaxFileBytes + 18);
        ASSERT_EQ(prompts.History().size(), 1u);
        EXPECT_NE(prompts.History()[0].text.find("Your settings will not be kept: " + file +
                                                 " is larger than 4194304 bytes (4194322 bytes)"),
                  std::string::npos)
            << prompts.History()[0].text;
    }
    // A pipe: not opened (it would block for ever).
    fs::remove(file);
    ASSERT_EQ(::mkfifo(file.c_str(), 0600), 0);
    {
        SettingsStore store(where);
        EXPECT_EQ(store.GetSetting("Software", "Mine", "Path", "none"), "none");
        store.SaveSetting("Software", "Mine", "Path", "/new");
        EXPECT_EQ(store.NotKeptReason(), file + " is not a regular file.");
        EXPECT_TRUE(fs::is_fifo(file));
    }
    // Read-only: read, not replaced.
    fs::remove(file);
    std::ofstream(file, std::ios::binary) << "[Mine]\nPath=/mine\n";
    fs::permissions(file, fs::perms::owner_read | fs::perms::group_read);
    {
        SettingsStore store(where);
        EXPECT_EQ(store.GetSetting("Software", "Mine", "Path"), "/mine");
        store.SaveSetting("Software", "Mine", "Path", "/new");
        EXPECT_EQ(store.NotKeptReason(), file + " is read-only.");
        EXPECT_EQ(Bytes(), "[Mine]\nPath=/mine\n");
    }
    fs::remove(file);
    // A folder in its place, or no folder to write into: said once, kept for the session.
    fs::create_directory(file);
    EXPECT_EQ(SettingsStore(where).GetSetting("Software", "Mine", "Path", "none"), "none");
    const std::string blocker = folder.Path() + "blocker";
    std::ofstream(blocker) << "a file where the settings folder should be";
    SettingsStore store(QString::fromStdString(blocker));
    EXPECT_EQ(store.GetSetting("Software", "Mine", "Path", "none"), "none");
    store.SaveSetting("Software", "Mine", "Path", "/new");
    store.SaveSetting("Software", "Mine", "Score", "1");
    EXPECT_EQ(store.NotKeptReason().rfind(blocker + "/Software.ini cannot be written (", 0), 0u)
        << store.NotKeptReason();
    EXPECT_EQ(store.GetSetting("Software", "Mine", "Score"), "1");
    ASSERT_EQ(prompts.History().size(), 5u);
    EXPECT_NE(prompts.History()[3].text.find(file + " is not a regular file."), std::string::npos);
}

} // namespace
} // namespace quillora
