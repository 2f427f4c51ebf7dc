// Runs the built quorvel-cli (or another program) through the shell, capturing its streams and
// exit status.
#pragma once

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "core/test_folder.h"

namespace quorvel::test {

struct CliRun {
    int status = -1;
    std::string out, err;
};

// args[0] is the program, looked up on PATH; the streams pass through files in `folder`.
inline CliRun runProgram(const TestFolder& folder, const std::vector<std::string>& args) {
    const auto quoted = [](std::string s) {  // for the shell, which takes anything in single quotes
        for (std::size_t at = 0; (at = s.find('\'', at)) != std::string::npos; at += 4)
            s.replace(at, 1, "'\\''");
        return "'" + s + "'";
    };
    const std::string out = folder.path(".stdout"), err = folder.path(".stderr");
    std::string command;
    for (const std::string& a : args) command += quoted(a) + " ";
    const int status = std::system((command + ">" + quoted(out) + " 2>" + quoted(err)).c_str());
    CliRun run{WIFEXITED(status) ? WEXITSTATUS(status) : -1, readFile(out), readFile(err)};
    std::filesystem::remove(out);
    std::filesystem::remove(err);
    return run;
}

// `args` follow the program name.
inline CliRun runCli(const TestFolder& folder, std::vector<std::string> args) {
    args.insert(args.begin(), QUORVEL_CLI);
    return runProgram(folder, std::move(args));
}

// A refusal: status 1, nothing on standard output, and one line on standard error from
// quorvel-cli that holds `says`.
inline void expectRefused(const CliRun& run, const std::string& says) {
    EXPECT_EQ(run.status, 1) << says;
    EXPECT_EQ(run.out, "") << says;
    EXPECT_TRUE(run.err.starts_with("quorvel-cli: ")) << run.err;
    EXPECT_NE(run.err.find(says), std::string::npos) << run.err;
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
}

}  // namespace quorvel::test
