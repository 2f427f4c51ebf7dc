// Runs the built quorvel-cli (or another program) as a separate process, capturing its streams
// and exit status.
#pragma once

#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "core/test_folder.h"

extern char** environ;

namespace quorvel::test {

struct CliRun {
    int status = -1;
    std::string out, err;
};

// args[0] is the program, looked up on PATH; the streams pass through files in `folder`. A
// program that cannot be started gives status -1 and the reason in `err`.
inline CliRun runProgram(const TestFolder& folder, std::vector<std::string> args) {
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    const std::string out = folder.path(".stdout"), err = folder.path(".stderr");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    pid_t pid = 0;
    CliRun run;
    const int started = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    int status = 0;
    if (started == 0 && waitpid(pid, &status, 0) == pid)
        run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    posix_spawn_file_actions_destroy(&actions);
    run.out = readFile(out);
    run.err = started == 0 ? readFile(err) : args[0] + ": " + std::strerror(started);
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
