// quillora-vbs as a program: exit status, standard streams and file encodings.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/wait.h>

namespace {

namespace fs = std::filesystem;

struct Result {
    int status = -1;
    std::string out;
    std::string err;
};

// The folder each run writes its script and streams into.
fs::path RunFolder() {
    return fs::temp_directory_path() / ("qvbs_runner_" + std::to_string(::getpid()));
}

// Runs quillora-vbs on a script given as bytes, feeding `input` to its standard input.
// `prefix` goes before the program (a command such as `timeout 1`), `hostArgs` before the
// script's name.
Result RunScript(const std::string& bytes, const std::string& args = "",
                 const std::string& input = "", const std::string& prefix = "",
                 const std::string& hostArgs = "") {
    const fs::path dir = RunFolder();
    fs::create_directories(dir);
    const fs::path script = dir / "Script.vbs";
    std::ofstream(script, std::ios::binary) << bytes;
    std::ofstream(dir / "in.txt", std::ios::binary) << input;
    // Run from the script's folder and name it relatively, as people usually do.
    const std::string command = "cd " + dir.string() + " && " + prefix + " " + QUILLORA_VBS_EXE +
                                " " + hostArgs + " Script.vbs " + args + " < in.txt 2> err.txt";
    Result r;
    FILE* pipe = ::popen(command.c_str(), "r");
    std::array<char, 4096> buf{};
    size_t n = 0;
    while ((n = std::fread(buf.data(), 1, buf.size(), pipe)) > 0)
        r.out.append(buf.data(), n);
    const int raw = ::pclose(pipe);
    r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    std::ifstream errFile(dir / "err.txt", std::ios::binary);
    r.err.assign(std::istreambuf_iterator<char>(errFile), {});
    // Error lines name the script as given; keep only the part after the file name.
    if (r.err.starts_with("Script.vbs")) r.err.erase(0, std::string("Script.vbs").size());
    fs::remove_all(dir);
    return r;
}

TEST(Runner, QuitSetsTheExitStatus) {
    const Result r =
        RunScript("WScript.Echo \"before\"\r\nWScript.Quit 3\r\nWScript.Echo \"after\"\r\n");
    EXPECT_EQ(r.out, "before\n");
    EXPECT_EQ(r.status, 3);
    EXPECT_EQ(r.err, "");
}

TEST(Runner, ErrorsGoToStandardErrorWithPositionAndStatusOne) {
    Result r = RunScript("WScript.Echo 1\r\n  x = 1 / 0\r\n");
    EXPECT_EQ(r.out, "1\n");
    EXPECT_EQ(r.err, "(2, 3) runtime error: Division by zero\n");
    EXPECT_EQ(r.status, 1);
    r = RunScript("WScript.Echo 1\r\nIf x Then\r\n");
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err.substr(r.err.find(')') + 1), " compilation error: Expected 'End'\n");
    EXPECT_EQ(r.status, 1);
}

TEST(Runner, ArgumentsAndStandardInput) {
    const Result r = RunScript("WScript.Echo WScript.Arguments.Count, WScript.Arguments(1)\r\n"
                               "WScript.Echo WScript.ScriptName, WScript.ScriptFullName\r\n"
                               "WScript.Echo InputBox(\"?\") & \"|\" & WScript.StdIn.ReadLine\r\n",
                               "one two", "first\nsecond\n");
    EXPECT_EQ(r.out,
              "2 two\nScript.vbs " + (RunFolder() / "Script.vbs").string() + "\nfirst|second\n");
    EXPECT_EQ(r.status, 0);
}

TEST(Runner, TimeLimitEndsARunawayScriptAndKeepsItsOutput) {
    const std::string loop = "WScript.Echo \"started\"\r\nOn Error Resume Next\r\nDo : Loop\r\n";
    Result r = RunScript(loop, "", "", "timeout 20", "//Nologo //T:1");
    EXPECT_EQ(r.out, "started\n");
    EXPECT_EQ(r.err, "(3, 1) runtime error: Script execution timed out\n");
    EXPECT_EQ(r.status, 1);
    // Killed from outside, the run has already written each echoed line.
    r = RunScript(loop, "", "", "timeout 1");
    EXPECT_EQ(r.out, "started\n");
    EXPECT_EQ(r.status, 124);
}

TEST(Runner, HostSwitchesAreFoundAnywhereAndBatchModeHidesErrorsAndPrompts) {
    Result r = RunScript("WScript.Echo WScript.Arguments.Count, MsgBox(\"hidden\")\r\n"
                         "WScript.Echo Len(InputBox(\"?\"))\r\nx = 1 / 0\r\n",
                         "a //nologo b", "typed\n", "", "//B");
    EXPECT_EQ(r.out, "2 1\n0\n");
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.status, 1);
    r = RunScript("WScript.Echo 1\r\n", "", "", "", "//T:x");
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("Invalid host option: //T:x"), std::string::npos);
    EXPECT_EQ(r.status, 2);
}

TEST(Runner, HelpVersionAndAFolderGivenAsTheScript) {
    Result r = RunScript("WScript.Echo 1\r\n", "", "", "", "--version");
    EXPECT_EQ(r.out, "quillora-vbs 3.4.3\n");
    EXPECT_EQ(r.status, 0);
    r = RunScript("WScript.Echo 1\r\n", "", "", "", "//B --help");
    EXPECT_NE(r.out.find("usage: quillora-vbs"), std::string::npos);
    EXPECT_EQ(r.status, 0);
    // After the script's name they are the script's own arguments.
    r = RunScript("WScript.Echo WScript.Arguments(0), WScript.Arguments(1)\r\n",
                  "--help --version");
    EXPECT_EQ(r.out, "--help --version\n");
    // A folder is refused rather than run as an empty script.
    r = RunScript("", "", "", "", "/tmp");
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "/tmp: is a folder, not a script file\n");
    EXPECT_EQ(r.status, 1);
}

TEST(Runner, ReadsWindows1252AndUtf16Scripts) {
    // "é" as the single Windows-1252 byte 0xE9 prints as UTF-8.
    Result r = RunScript("WScript.Echo \"caf\xE9\", Asc(\"\xE9\")\r\n");
    EXPECT_EQ(r.out, "caf\xC3\xA9 233\n");
    const std::string utf16("\xFF\xFEW\0S\0c\0r\0i\0p\0t\0.\0E\0c\0h\0o\0 \0"
                            "4\0"
                            "2\0",
                            32);
    r = RunScript(utf16);
    EXPECT_EQ(r.out, "42\n");
}

} // namespace
