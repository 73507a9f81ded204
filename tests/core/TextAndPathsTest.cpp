// Windows-1252 text, the case-insensitive path lookup and profile files.
#include "TempFolder.h"
#include "core/Cp1252.h"
#include "core/IniFile.h"
#include "core/PathLookup.h"

#include <gtest/gtest.h>

#include <QDir>
#include <fstream>

namespace quillora {
namespace {

void Touch(const std::string& path, const std::string& text = "x") {
    std::ofstream(path, std::ios::binary) << text;
}

TEST(Cp1252, EveryByteRoundTripsAndFoldsCase) {
    std::string all;
    for (int b = 1; b < 256; ++b)
        all += static_cast<char>(b);
    EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(all)), all);
    EXPECT_EQ(Utf8ToCp1252("\xE2\x82\xAC \xE4\xB8\xAD"), "\x80 ?"); // euro, then no such code
    EXPECT_TRUE(EqualsNoCase("\xC3\x89t\xC3\xA9 HALL", "\xC3\xA9T\xC3\x89 hall"));
    EXPECT_FALSE(EqualsNoCase("hall", "hall2"));
}

TEST(PathLookup, FindsNamesWrittenWithBackslashesInAnyCase) {
    test::TempFolder folder;
    QDir(QString::fromStdString(folder.Path())).mkpath("Frames/Sub");
    Touch(folder.Path() + "Frames/Sub/House.BMP");
    PathLookup& lookup = PathLookup::Instance();
    EXPECT_EQ(lookup.Find(folder.Path() + "frames\\SUB\\house.bmp"),
              folder.Path() + "Frames/Sub/House.BMP");
    EXPECT_TRUE(lookup.FileExists(folder.Path() + "FRAMES/sub/HOUSE.bmp"));
    EXPECT_FALSE(lookup.FileExists(folder.Path() + "frames/sub"));
    EXPECT_FALSE(lookup.Exists(folder.Path() + "frames/none.bmp"));
    EXPECT_EQ(lookup.PathForWriting(folder.Path() + "FRAMES\\new.sav"),
              folder.Path() + "Frames/new.sav");
}

TEST(PathLookup, SeesNewFilesAtOnceAndRemovedOnesOnceForgotten) {
    test::TempFolder folder;
    PathLookup& lookup = PathLookup::Instance();
    EXPECT_FALSE(lookup.Exists(folder.Path() + "late.txt"));
    Touch(folder.Path() + "Late.TXT");
    EXPECT_TRUE(lookup.Exists(folder.Path() + "late.txt"));
    std::remove((folder.Path() + "Late.TXT").c_str());
    lookup.Forget(folder.Path());
    EXPECT_FALSE(lookup.Exists(folder.Path() + "LATE.txt"));
}

TEST(PathLookup, RelativePathsClimbAsManyLevelsAsWritten) {
    test::TempFolder folder;
    QDir(QString::fromStdString(folder.Path())).mkpath("a/b/c");
    Touch(folder.Path() + "Top.txt");
    const std::string before = QDir::currentPath().toStdString();
    ASSERT_TRUE(QDir::setCurrent(QString::fromStdString(folder.Path() + "a/b/c")));
    PathLookup& lookup = PathLookup::Instance();
    EXPECT_EQ(lookup.Find("..\\..\\..\\top.txt"), "./../../../Top.txt");
    EXPECT_EQ(lookup.Find("../x/../../c"), std::nullopt); // no x in b
    EXPECT_EQ(lookup.Find("../../b/C"), "./../../b/c");
    EXPECT_EQ(lookup.PathForWriting("..\\..\\new.txt"), "./../../new.txt");
    QDir::setCurrent(QString::fromStdString(before));
}

TEST(PathLookup, AnExactMatchWinsOverAnotherCase) {
    test::TempFolder folder;
    Touch(folder.Path() + "a.txt");
    Touch(folder.Path() + "A.txt");
    EXPECT_EQ(PathLookup::Instance().Find(folder.Path() + "A.txt"), folder.Path() + "A.txt");
    EXPECT_EQ(PathLookup::Instance().Find(folder.Path() + "a.txt"), folder.Path() + "a.txt");
}

TEST(IniFile, ReadsLikeTheProfileFunctions) {
    test::TempFolder folder;
    const std::string file = folder.Path() + "More";
    Touch(file, "; comment\r\n[Other]\r\nScriptTimeOut=9\r\n[ general ]\r\n  scripttimeout = 5 \r\n"
                "Quoted=\"a b\"\r\nLong=" +
                    std::string(300, 'x') + "\r\n[General]\r\nLate=1\r\n");
    EXPECT_EQ(ReadINI(folder.Path() + "more", "GENERAL", "ScriptTimeOut"), "5");
    EXPECT_EQ(ReadINI(file, "General", "Quoted"), "a b");
    EXPECT_EQ(ReadINI(file, "General", "Long").size(), 254u);
    EXPECT_EQ(ReadINI(file, "General", "Late"), "");
    EXPECT_EQ(ReadINI(file, "General", "ProcEncr"), "");
    EXPECT_EQ(ReadINI(folder.Path() + "Missing", "General", "ScriptTimeOut"), "");
}

TEST(IniFile, WritingCreatesReplacesAndAddsInPlace) {
    test::TempFolder folder;
    const std::string file = folder.Path() + "Saves.ini";
    WriteINI(file, "Game", "Level", "1");
    WriteINI(file, "Game", "Name", "Ann");
    WriteINI(file, "Other", "Key", "v");
    WriteINI(file, "GAME", "level", "2");
    std::ifstream in(file, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(text, "[Game]\r\nlevel=2\r\nName=Ann\r\n[Other]\r\nKey=v\r\n");
    WriteINI(folder.Path() + "no/such/folder/x.ini", "A", "B", "C"); // ignored
    EXPECT_FALSE(PathLookup::Instance().Exists(folder.Path() + "no"));
}

} // namespace
} // namespace quillora
