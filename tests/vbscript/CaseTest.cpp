// Runs every script of cases/ and checks its output against its ' expect: and ' expect error:
// lines.
#include "vbscript/ConsoleHost.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

namespace fs = std::filesystem;

const fs::path kCases = QUILLORA_VBS_CASES;

std::vector<std::string> CaseFiles() {
    std::vector<std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(kCases))
        if (entry.path().extension() == ".vbs")
            files.push_back(fs::relative(entry.path(), kCases).string());
    std::sort(files.begin(), files.end());
    return files;
}

struct Expectations {
    std::vector<std::string> lines;
    std::string error;
    std::vector<std::string> input; // ' stdin: lines fed to InputBox and StdIn
    std::vector<std::string> args;  // ' args: the command-line arguments
};

Expectations ReadExpectations(const std::string& text) {
    Expectations e;
    std::istringstream in(text);
    std::string line;
    auto after = [&](const std::string& marker, std::string& out) {
        const size_t at = line.find(marker);
        if (at == std::string::npos) return false;
        out = line.substr(at + marker.size());
        while (!out.empty() && (out.back() == '\r' || out.back() == '\n'))
            out.pop_back();
        return true;
    };
    while (std::getline(in, line)) {
        std::string value;
        if (after("' expect error:", value)) {
            e.error = value.substr(value.rfind(' ', 0) == 0 ? 1 : 0);
        } else if (after("' expect:", value)) {
            e.lines.push_back(value.substr(value.rfind(' ', 0) == 0 ? 1 : 0));
        } else if (after("' stdin: ", value)) {
            e.input.push_back(value);
        } else if (after("' args: ", value)) {
            std::istringstream words(value);
            std::string w;
            while (words >> w)
                e.args.push_back(w);
        }
    }
    return e;
}

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::string current;
    for (char c : text) {
        if (c == '\n') {
            lines.push_back(current);
            current.clear();
        } else {
            current.push_back(c);
        }
    }
    if (!current.empty()) lines.push_back(current);
    return lines;
}

class ScriptCase : public testing::TestWithParam<std::string> {};

TEST_P(ScriptCase, OutputMatchesExpectations) {
    std::ifstream in(kCases / GetParam(), std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    const Expectations expected = ReadExpectations(bytes.str());
    ASSERT_TRUE(!expected.lines.empty() || !expected.error.empty())
        << "a case must expect something";

    std::string out, err;
    size_t nextInput = 0;
    quillora::vbs::ConsoleStreams streams;
    streams.out = [&](const std::string& s) { out += s; };
    streams.err = [&](const std::string& s) { err += s; };
    streams.readLine = [&]() -> std::optional<std::string> {
        if (nextInput >= expected.input.size()) return std::nullopt;
        return expected.input[nextInput++];
    };
    streams.readAll = [&] {
        std::string rest;
        while (nextInput < expected.input.size())
            rest += expected.input[nextInput++] + "\n";
        return rest;
    };
    const std::string name = "case.vbs";
    const int status = quillora::vbs::RunConsoleScript(name, bytes.str(), expected.args, streams);

    EXPECT_EQ(SplitLines(out), expected.lines);
    if (expected.error.empty()) {
        EXPECT_EQ(err, "");
        EXPECT_EQ(status, 0);
    } else {
        ASSERT_EQ(err.rfind(name, 0), 0u) << err;
        std::string reported = err.substr(name.size());
        while (!reported.empty() && reported.back() == '\n')
            reported.pop_back();
        // "(LINE, COL) kind error: text"; an expectation without a position checks the rest.
        if (expected.error[0] != '(') reported = reported.substr(reported.find(") ") + 2);
        EXPECT_EQ(reported, expected.error);
        EXPECT_EQ(status, 1);
    }
}

std::string CaseName(const testing::TestParamInfo<std::string>& info) {
    std::string name;
    for (char c : info.param.substr(0, info.param.size() - 4))
        name.push_back(std::isalnum(static_cast<unsigned char>(c)) ? c : '_');
    return name;
}

INSTANTIATE_TEST_SUITE_P(Scripts, ScriptCase, testing::ValuesIn(CaseFiles()), CaseName);

} // namespace
