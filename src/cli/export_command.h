// quorvel-cli export: a table of the month as CSV, or the month as a journal for plain-text
// accounting tools, on standard output or into a file.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace quorvel::cli {

int exportCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace quorvel::cli
