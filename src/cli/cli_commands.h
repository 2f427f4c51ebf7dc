// The commands of quorvel-cli. Each writes its output to `out` only when it succeeds,
// and a failure to `err` as one message; the result is the process exit status.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace quorvel::cli {

int runCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace quorvel::cli
