// The Action methods that reach beyond the game: files confined to the game, programs started
// only with the player's consent, web and mail addresses, parameters, components.
#include "ScriptFixture.h"
#include "project/ErrorMessages.h"
#include "scripting/ScriptComponents.h"
#include "scripting/ScriptPermissions.h"

#include <QDir>
#include <QFile>

namespace quillora::test {
namespace {

class ActionServicesTest : public ScriptFixture {
protected:
    void SetUp() override {
        ScriptFixture::SetUp();
        Start();
        scripts->Permissions().SetOpener([this](const QUrl& target) {
            opened.push_back(target.toString().toStdString());
            return true;
        });
    }
    // A program in the game's External folder.
    std::string WriteProgram(const std::string& name) {
        project.WriteBytes("External/" + name, "#!/bin/sh\nprintf '[a]\\nb=ran\\n' > \"$0.ini\"\n");
        const QString path = QString::fromStdString(Paths().External + name);
        QFile::setPermissions(path, QFile::permissions(path) | QFile::ExeOwner);
        return Paths().External + name;
    }

    std::vector<std::string> opened;
};

TEST_F(ActionServicesTest, ScriptFilesStayInsideTheGameAndTheTemporaryFolder) {
    // Reading a system file fails with "Permission denied", which the script can catch.
    ASSERT_FALSE(Run("On Error Resume Next\r\n"
                     "x = Action.ReadINI(\"\\etc\\passwd\", \"a\", \"b\")\r\n"
                     "Counter = Err.Number : Err.Clear\r\n"
                     "Action.WriteINI \"..\\..\\..\\..\\..\\..\\tmp2\\x.ini\", \"s\", \"k\", 1\r\n"
                     "Flag = Err.Number"));
    EXPECT_EQ(Var("Counter"), 70);
    EXPECT_EQ(Var("Flag"), 70);
    ASSERT_FALSE(Run("On Error Resume Next\r\nx = Action.DDir(\"\\etc\\*\", 0)\r\n"
                     "Counter = Err.Number : Err.Clear\r\nAction.OpenFile \"\\etc\\passwd\"\r\n"
                     "Flag = Err.Number"));
    EXPECT_EQ(Var("Counter"), 70);
    EXPECT_EQ(Var("Flag"), 70);
    // The engine's own file objects keep to the same folders.
    const std::string readPasswd = "On Error Resume Next\r\n"
                                   "Set fso = CreateObject(\"Scripting.FileSystemObject\")\r\n"
                                   "Set f = fso.OpenTextFile(\"/etc/passwd\")\r\n"
                                   "Counter = Err.Number";
    ASSERT_FALSE(Run(readPasswd));
    EXPECT_EQ(Var("Counter"), 70);
    EXPECT_TRUE(opened.empty());
    EXPECT_TRUE(prompts.History().empty());

    // Inside the game they work: a bare name is in External, and the temporary folder is open.
    const std::string temp = QDir::tempPath().toStdString();
    ASSERT_FALSE(Run("WriteINI \"saves.ini\", \"Game\", \"Level\", 7\r\n"
                     "Counter = ReadINI(\"saves.ini\", \"game\", \"LEVEL\")\r\n"
                     "Flag = Len(ReadINI(\"" +
                     temp + "\\none.ini\", \"a\", \"b\")) + 1"));
    EXPECT_EQ(Var("Counter"), 7);
    EXPECT_EQ(Var("Flag"), 1);
    EXPECT_TRUE(prompts.History().empty());
    // A relative file name is the game's, wherever the player was started, trusted or not.
    const std::string writeNotes = "Set fso = CreateObject(\"Scripting.FileSystemObject\")\r\n"
                                   "fso.CreateTextFile(\"notes.txt\").Write \"n\"\r\n"
                                   "Flag = fso.FileExists(\"NOTES.TXT\")";
    ASSERT_FALSE(Run(writeNotes));
    EXPECT_EQ(Var("Flag"), -1); // True
    EXPECT_TRUE(QFile::exists(QString::fromStdString(Paths().Root + "notes.txt")));
    QFile::remove(QString::fromStdString(Paths().Root + "notes.txt"));

    // Trusted scripts (--trust-scripts) reach the rest.
    scripts->SetTrustScripts(true);
    ASSERT_FALSE(Run(writeNotes));
    EXPECT_TRUE(QFile::exists(QString::fromStdString(Paths().Root + "notes.txt")));
    ASSERT_FALSE(
        Run("On Error Resume Next\r\nx = Action.ReadINI(\"\\etc\\passwd\", \"a\", \"b\")\r\n"
            "Counter = Err.Number + 1"));
    EXPECT_EQ(Var("Counter"), 1);
    ASSERT_FALSE(Run(readPasswd));
    EXPECT_EQ(Var("Counter"), 0);
}

TEST_F(ActionServicesTest, DirListsMatchesAndGoesOnAcrossScripts) {
    project.WriteBytes("External/b.sav", "");
    project.WriteBytes("External/A.SAV", "");
    project.WriteBytes("External/c.txt", "");
    project.WriteBytes("External/Saves/x.sav", "");
    ASSERT_FALSE(Run("MsgBox DDir(GetPath() & \"*.sav\", 0)"));
    ASSERT_FALSE(Run("MsgBox DDir(\"\", 0) & \"|\" & DDir(\"\", 0) & \"|\" & DDir(\"\", 0)"));
    ASSERT_FALSE(Run("MsgBox DDir(\"External\\S*\", 16) & \"|\" & DDir(\"External\\S*\", 0)"));
    EXPECT_EQ(BoxTexts(), (std::vector<std::string>{"A.SAV", "b.sav||", "Saves|"}));
}

TEST_F(ActionServicesTest, ProgramsStartOnlyOnceThePlayerAgreedAndOncePerProgram) {
    const std::string tool = WriteProgram("tool.sh");
    WriteProgram("other.sh");
    prompts.QueueAnswer("Yes");
    ASSERT_FALSE(Run("Action.OpenFile \"tool.sh\"\r\nAction.OpenFile \"TOOL.SH\"\r\n"
                     "Action.OpenFile \"readme.txt\""));
    ASSERT_EQ(prompts.History().size(), 1u);
    EXPECT_NE(prompts.History()[0].text.find(tool), std::string::npos);
    const std::string toolUrl =
        QUrl::fromLocalFile(QString::fromStdString(tool)).toString().toStdString();
    EXPECT_EQ(opened,
              (std::vector<std::string>{
                  toolUrl, toolUrl,
                  QUrl::fromLocalFile(QString::fromStdString(Paths().External + "readme.txt"))
                      .toString()
                      .toStdString()}));

    // Refused (a box nobody answers says No): error 70 for the script, nothing started, and the
    // answer is kept for this game.
    ASSERT_FALSE(
        Run("On Error Resume Next\r\nAction.OpenFile \"other.sh\"\r\n"
            "Counter = Err.Number : Err.Clear\r\nAction.OpenExeFileAndWait \"other.sh\"\r\n"
            "Flag = Err.Number"));
    EXPECT_EQ(Var("Counter"), 70);
    EXPECT_EQ(Var("Flag"), 70);
    EXPECT_EQ(prompts.History().size(), 2u);
    EXPECT_EQ(opened.size(), 3u);

    // A missing file gives the method's own box.
    ASSERT_FALSE(Run("Action.OpenFile \"missing.doc\""));
    EXPECT_EQ(BoxTexts().back(), CommonErrorText(" Error opening the file titled '" +
                                                     Paths().External + "missing.doc'.\r\n\r\n",
                                                 "File not found"));
}

TEST_F(ActionServicesTest, OpenExeFileAndWaitWaitsForTheProgramWithTheWindowDisabled) {
    WriteProgram("tool.sh");
    prompts.QueueAnswer("Yes");
    // The script goes on only once the program has written its file.
    ASSERT_FALSE(Run("Action.OpenExeFileAndWait \"tool.sh\"\r\n"
                     "Counter = Len(ReadINI(\"tool.sh.ini\", \"a\", \"b\"))"));
    EXPECT_EQ(Var("Counter"), 3);
    EXPECT_EQ(window.calls, (std::vector<std::string>{"program wait", "program ended"}));
    EXPECT_EQ(prompts.History().size(), 1u);
}

TEST_F(ActionServicesTest, OnlyWebAndMailAddressesGoToTheDesktop) {
    ASSERT_FALSE(Run("OpenURL \"www.example.com/page\"\r\nSendEmail \"author@example.com\"\r\n"
                     "OpenURL \"file:///etc/passwd\"\r\nSendEmail \"a@b.c?attach=/etc/passwd\"\r\n"
                     "OpenURL \"\""));
    EXPECT_EQ(opened, (std::vector<std::string>{"http://www.example.com/page",
                                                "mailto:author@example.com"}));
    EXPECT_EQ(BoxTexts(),
              (std::vector<std::string>{
                  CommonErrorText(" Error opening the following URL with the default "
                                  "browser:\r\n\r\nfile:///etc/passwd"),
                  CommonErrorText(" Error opening the default mail client to send email to: "
                                  "a@b.c?attach=/etc/passwd")}));
}

TEST_F(ActionServicesTest, ParametersAndComponents) {
    ASSERT_FALSE(Run("SaveParameter \"Score\", 12\r\nCounter = LoadParameter(\"Score\", 0)\r\n"
                     "Flag = Len(LoadParameter(\"Never\", 5)) * 10 + LoadParameter(\"Never\", 5)"));
    EXPECT_EQ(Var("Counter"), 12);
    EXPECT_EQ(Var("Flag"), 15);
    EXPECT_EQ(settings.GetSetting("Software", "Timers Test", "_Score"), "12");

    // No control host: creation fails with the installation message, the bookkeeping stays.
    ASSERT_FALSE(Run("Counter = IsComponentInstalled(\"MSCAL.Calendar\")\r\n"
                     "AddComponent \"MSCAL.Calendar\", \"Cal\"\r\n"
                     "AddComponent \"MSCAL.Calendar\", \"CAL\"\r\n"
                     "AddComponent \"MSCAL.Calendar\", \"my cal\"\r\n"
                     "Flag = DoesComponentExist(\"cal\")\r\n"
                     "If Component(\"nothing\") Is Nothing Then RemoveComponent \"nothing\""));
    EXPECT_EQ(Var("Counter"), 0);
    EXPECT_EQ(Var("Flag"), -1);
    EXPECT_EQ(
        BoxTexts(),
        (std::vector<std::string>{
            CommonErrorText(" Error in Game.AddAdditionalComponent. The component is probably not "
                            "installed properly.  ",
                            "ActiveX component can't create object"),
            CommonErrorText(" A component named \"CAL\" already exists. Please use a different "
                            "name."),
            CommonErrorText(" The component name must not contain spaces or other special "
                            "characters."),
            CommonErrorText(" The component named \"nothing\" could not be found."),
            CommonErrorText(" The component named \"nothing\" could not be removed because it "
                            "could not be found.")}));
    EXPECT_EQ(scripts->Components().ComponentsCount(), 1);
}

TEST_F(ActionServicesTest, EventInterceptionListsTheComponentsHandlers) {
    project.WriteBytes("Config/Procedures", "h1\r\nh2\r\nh3\r\nSub Cal_Click(p)\r\nEnd Sub\r\n"
                                            "Sub CAL_DblClick(p)\r\nEnd Sub\r\nSub Cal_(p)\r\n"
                                            "End Sub\r\nSub Other_Click(p)\r\nEnd Sub\r\n");
    scripts->ResetForGame();
    ASSERT_FALSE(
        Run("AddComponent \"MSCAL.Calendar\", \"Cal\"\r\nInterceptComponentEvents \"cAL\"\r\n"
            "InterceptComponentEvents \"Nope\"\r\nInterceptComponentEvents \"\""));
    const AdditionalComponents& components = scripts->Components();
    EXPECT_EQ(components.ComponentWithEventsName(), "cAL");
    EXPECT_EQ(components.EventsList(), (std::vector<std::string>{"click", "dblclick"}));
    EXPECT_EQ(BoxTexts().back(), CommonErrorText(" Error intercepting events. The component named "
                                                 "\"Nope\" could not be found."));
    // Removing the component stops the interception; the reset forgets every component.
    ASSERT_FALSE(Run("RemoveComponent \"CAL\""));
    EXPECT_EQ(components.ComponentWithEventsName(), "");
    EXPECT_FALSE(components.DoesComponentExist("cal"));
    ASSERT_FALSE(Run("AddComponent \"X.Y\", \"Cal\""));
    EXPECT_EQ(components.ComponentsCount(), 2); // slot numbers are not reused
    scripts->ResetForGame();
    EXPECT_EQ(components.ComponentsCount(), 0);
    EXPECT_EQ(components.ComponentsList().Count(), 0);
}

} // namespace
} // namespace quillora::test
