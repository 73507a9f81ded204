// Scripts of a confined engine reach files only in the allowed folders, through every
// FileSystemObject path; elsewhere they get "Permission denied".
#include "vbscript/Convert.h"
#include "vbscript/ScriptControl.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

using namespace quillora;
using namespace quillora::vbs;
namespace fs = std::filesystem;

void Write(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// game/ (allowed), temp/ (allowed) and outside/ in a fresh folder; game/Data holds a file, a
// link to a file outside, a link to the outside folder and a link to a file not yet there.
class ConfinedScripts : public testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "qvbs-confine-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        base = pattern + "/";
        game = base + "game/";
        temp = base + "temp/";
        outside = base + "outside/";
        for (const std::string& folder : {game + "Data", temp, outside})
            fs::create_directories(folder);
        Write(game + "Data/a.txt", "inside");
        Write(outside + "secret.txt", "secret");
        fs::create_symlink(outside + "secret.txt", game + "Data/link.txt");
        fs::create_directory_symlink(outside, game + "Out");
        fs::create_symlink(outside + "planted.txt", game + "Data/dangling.txt");

        FileConfinement rules;
        rules.Allow(game);
        rules.Allow(temp);
        sc.SetFileConfinement(rules);
        Define(sc);
    }
    void TearDown() override {
        if (!base.empty()) fs::remove_all(base);
    }

    void Define(ScriptControl& control) {
        ASSERT_TRUE(control.AddCode(
            "Dim fso : Set fso = CreateObject(\"Scripting.FileSystemObject\")"
            "\nConst G = \"" +
            game + "\"\nConst T = \"" + temp + "\"\nConst O = \"" + outside + "\""));
    }
    // The error number a statement fails with (0: it ran).
    int ErrorOf(const std::string& statement) {
        sc.ClearError();
        return sc.ExecuteStatement(statement) ? 0 : sc.LastError().Number();
    }
    std::string Eval(const std::string& expression) {
        Value v;
        if (!sc.Eval(expression, v)) return "error " + std::to_string(sc.LastError().Number());
        return ToUtf8(ToString(v));
    }

    std::string base, game, temp, outside;
    ScriptControl sc;
};

TEST_F(ConfinedScripts, ReadingAndWritingOutsideIsPermissionDenied) {
    // Whether the file exists or not, the answer is the same: nothing leaks.
    for (const std::string statement :
         {"x = fso.OpenTextFile(\"/etc/passwd\").ReadAll", "Set x = fso.GetFile(\"/etc/passwd\")",
          "Set x = fso.GetFile(\"/etc/no such file\")", "Set x = fso.GetFolder(O)",
          "Set x = fso.OpenTextFile(G & \"Data\\..\\..\\outside\\secret.txt\")",
          "Set x = fso.GetFolder(G & \"..\")", "Set x = fso.GetFolder(G).ParentFolder",
          "Set x = fso.GetSpecialFolder(0)", "Set x = fso.CreateTextFile(O & \"new.txt\")",
          "Set x = fso.OpenTextFile(O & \"new.txt\", 8, True)", "fso.CreateFolder O & \"New\"",
          "fso.DeleteFile O & \"secret.txt\"", "fso.DeleteFolder G & \"..\\outside\"",
          "fso.DeleteFile O & \"*.txt\"", "x = fso.GetFolder(G & \"..\\outside\").Files.Count"}) {
        SCOPED_TRACE(statement);
        EXPECT_EQ(ErrorOf(statement), 70);
    }
    EXPECT_EQ(sc.LastError().Description(), "Permission denied");
    EXPECT_EQ(Eval("fso.FileExists(\"/etc/passwd\") & fso.FolderExists(O) & "
                   "fso.FileExists(G & \"data\\A.TXT\") & fso.FolderExists(G & \"DATA\")"),
              "FalseFalseTrueTrue");
    EXPECT_FALSE(fs::exists(outside + "new.txt"));
    EXPECT_FALSE(fs::exists(outside + "New"));
    EXPECT_EQ(Read(outside + "secret.txt"), "secret");

    ASSERT_TRUE(sc.AddCode("Function Try(path)\n On Error Resume Next\n"
                           " Try = fso.OpenTextFile(path).ReadAll\n"
                           " Try = Err.Number & \" \" & Err.Description\nEnd Function"));
    EXPECT_EQ(Eval("Try(\"/etc/passwd\")"), "70 Permission denied");
    EXPECT_EQ(Eval("Try(G & \"Data\\a.txt\")"), "0 ");
}

TEST_F(ConfinedScripts, RelativePathsStartFromTheGameFolderWhereverThePlayerRuns) {
    // Without a start folder they start from the current folder, which lies outside.
    EXPECT_EQ(ErrorOf("fso.CreateTextFile(\"notes.txt\").Write \"n\""), 70);
    FileConfinement rules;
    rules.Allow(game);
    rules.Allow(temp);
    rules.StartFrom(game);
    sc.SetFileConfinement(rules);

    EXPECT_EQ(ErrorOf("fso.CreateTextFile(\"notes.txt\").Write \"n\""), 0);
    EXPECT_EQ(Read(game + "notes.txt"), "n");
    EXPECT_EQ(ErrorOf("fso.GetFile(\"notes.txt\").Copy \"Data\\copy.txt\""), 0);
    EXPECT_EQ(Read(game + "Data/copy.txt"), "n");
    EXPECT_EQ(Eval("fso.FileExists(\"Data\\A.TXT\") & fso.OpenTextFile(\"data\\a.txt\").ReadAll"),
              "Trueinside");
    EXPECT_EQ(Eval("fso.GetAbsolutePathName(\"Data\\a.txt\")"), game + "Data/a.txt");
    EXPECT_EQ(Eval("fso.GetAbsolutePathName(\"\")"), game.substr(0, game.size() - 1));
    // Still judged by where they lead, and absolute paths are taken as written.
    EXPECT_EQ(ErrorOf("x = fso.OpenTextFile(\"..\\outside\\secret.txt\").ReadAll"), 70);
    EXPECT_EQ(ErrorOf("x = fso.OpenTextFile(\"Out\\secret.txt\").ReadAll"), 70);
    EXPECT_EQ(Eval("fso.FileExists(G & \"notes.txt\")"), "True");
}

TEST_F(ConfinedScripts, LinksOutOfTheAllowedFoldersLeadNowhere) {
    for (const std::string statement :
         {"x = fso.OpenTextFile(G & \"Data\\link.txt\").ReadAll",
          "x = fso.OpenTextFile(G & \"out\\secret.txt\").ReadAll",
          "Set x = fso.GetFolder(G & \"Out\")",
          "fso.CreateTextFile(G & \"Data\\dangling.txt\").Write \"x\"",
          "fso.OpenTextFile(G & \"Data\\dangling.txt\", 2, True).Write \"x\"",
          "fso.CopyFile G & \"Data\\a.txt\", G & \"Data\\link.txt\"",
          "fso.GetFile(G & \"Data\\a.txt\").Copy G & \"Out\\\""}) {
        SCOPED_TRACE(statement);
        EXPECT_EQ(ErrorOf(statement), 70);
    }
    EXPECT_FALSE(fs::exists(outside + "planted.txt"));
    EXPECT_FALSE(fs::exists(outside + "a.txt"));
    EXPECT_EQ(Read(outside + "secret.txt"), "secret");
    EXPECT_EQ(Eval("fso.FileExists(G & \"Data\\link.txt\")"), "False");

    // Listings, sizes and wildcards leave the links out; a copied folder keeps them as links.
    ASSERT_TRUE(sc.AddCode("Function Names(folder)\n Dim f\n For Each f In folder.Files\n"
                           "  Names = Names & f.Name & \" \"\n Next\nEnd Function"));
    EXPECT_EQ(Eval("Names(fso.GetFolder(G & \"Data\"))"), "a.txt ");
    EXPECT_EQ(Eval("fso.GetFolder(G).SubFolders.Count & \" \" & fso.GetFolder(G).Size"), "1 6");
    EXPECT_EQ(ErrorOf("fso.CopyFolder G & \"Data\", G & \"Copy\""), 0);
    EXPECT_TRUE(fs::is_symlink(game + "Copy/link.txt"));
    EXPECT_EQ(ErrorOf("fso.CopyFile G & \"Data\\*.txt\", T"), 0);
    EXPECT_TRUE(fs::exists(temp + "a.txt"));
    EXPECT_FALSE(fs::exists(fs::symlink_status(temp + "link.txt")));
    EXPECT_EQ(ErrorOf("fso.DeleteFile G & \"Copy\\*\""), 0);
    EXPECT_TRUE(fs::is_symlink(game + "Copy/link.txt"));
    EXPECT_FALSE(fs::exists(game + "Copy/a.txt"));
}

TEST_F(ConfinedScripts, CopiesAndMovesAcrossTheBoundaryAreRefusedBothWays) {
    for (const std::string statement :
         {"fso.CopyFile G & \"Data\\a.txt\", O & \"a.txt\"", "fso.CopyFile G & \"Data\\a.txt\", O",
          "fso.CopyFile G & \"Data\\*.txt\", O", "fso.CopyFile O & \"secret.txt\", G & \"s.txt\"",
          "fso.MoveFile G & \"Data\\a.txt\", O & \"a.txt\"",
          "fso.MoveFile O & \"secret.txt\", T & \"s.txt\"",
          "fso.CopyFolder G & \"Data\", O & \"Data\"", "fso.MoveFolder O, G & \"Stolen\"",
          "fso.GetFile(G & \"Data\\a.txt\").Copy O & \"a.txt\"",
          "fso.GetFile(G & \"Data\\a.txt\").Move G & \"..\\outside\\a.txt\"",
          "fso.GetFolder(G & \"Data\").Copy O & \"Data\"",
          "fso.GetFile(G & \"Data\\a.txt\").Name = \"..\\..\\outside\\a.txt\""}) {
        SCOPED_TRACE(statement);
        EXPECT_EQ(ErrorOf(statement), 70);
    }
    EXPECT_EQ(Read(game + "Data/a.txt"), "inside");
    EXPECT_EQ(Read(outside + "secret.txt"), "secret");
    for (const std::string left : {"a.txt", "Data", "s.txt"})
        EXPECT_FALSE(fs::exists(outside + left)) << left;
    for (const std::string left : {"s.txt", "Stolen"})
        EXPECT_FALSE(fs::exists(game + left)) << left;
    EXPECT_FALSE(fs::exists(temp + "s.txt"));
}

TEST_F(ConfinedScripts, InsideTheRootAndTheTemporaryFolderEverythingWorks) {
    ASSERT_TRUE(sc.AddCode(R"(Function Work()
 Dim folder, ts, f, log
 Set folder = fso.CreateFolder(G & "Saves")
 Set ts = folder.CreateTextFile("one.sav") : ts.Write "1" : ts.Close
 fso.CopyFile G & "SAVES\one.sav", T & "two.sav"
 fso.MoveFile T & "two.sav", G & "Saves\"
 fso.CopyFolder G & "Saves", T & "Backup"
 fso.GetFile(T & "Backup\one.sav").Name = "three.sav"
 Set ts = fso.OpenTextFile(G & "Data\..\Saves\two.sav", 8) : ts.Write "2" : ts.Close
 For Each f In fso.GetFolder(G & "Saves").Files
   log = log & f.Name & "=" & f.OpenAsTextStream.ReadAll & " "
 Next
 log = log & fso.GetFile(T & "Backup\three.sav").ParentFolder.Name & " "
 log = log & fso.GetFolder(G & "Saves").ParentFolder.SubFolders.Count & " "
 fso.DeleteFile G & "Saves\*.sav"
 fso.DeleteFolder T & "Backup"
 Work = log & folder.Files.Count & fso.FolderExists(T & "Backup")
End Function)"));
    EXPECT_EQ(Eval("Work()"), "one.sav=1 two.sav=12 Backup 2 0False");
}

TEST_F(ConfinedScripts, UnconfinedReachesEverythingAndAChangeReachesObjectsAlreadyMade) {
    ScriptControl open;
    Define(open);
    Value v;
    ASSERT_TRUE(open.Eval("fso.OpenTextFile(O & \"secret.txt\").ReadAll & "
                          "fso.OpenTextFile(G & \"Data\\link.txt\").ReadAll",
                          v))
        << open.LastError().Description();
    EXPECT_EQ(ToUtf8(ToString(v)), "secretsecret");
    ASSERT_TRUE(open.ExecuteStatement("Set folder = fso.GetFolder(O)"));

    FileConfinement rules;
    rules.Allow(game);
    open.SetFileConfinement(rules);
    EXPECT_FALSE(open.Eval("folder.Files.Count", v));
    EXPECT_EQ(open.LastError().Number(), 70);
    open.SetFileConfinement(FileConfinement());
    ASSERT_TRUE(open.Eval("folder.Files.Count", v));
    EXPECT_EQ(ToLong(v), 1);
}

} // namespace
