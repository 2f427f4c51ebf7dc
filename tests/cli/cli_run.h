// Runs the built quorvel-cli as a separate process, capturing its streams and exit status.
#pragma once

#include <string>
#include <vector>

#include "core/test_folder.h"

namespace quorvel::test {

struct CliRun {
    int status = -1;
    std::string out;
    std::string err;
};

// `args` follow the program name; the streams pass through files in `folder`.
CliRun runCli(const TestFolder& folder, std::vector<std::string> args);

// As runCli for any program: args[0] is the program, looked up on PATH. A program that cannot
// be started gives status -1 and the reason in `err`.
CliRun runProgram(const TestFolder& folder, std::vector<std::string> args);

// A refusal: status 1, nothing on standard output, and one line on standard error from
// quorvel-cli that holds `says`.
void expectRefused(const CliRun& run, const std::string& says);

}  // namespace quorvel::test
