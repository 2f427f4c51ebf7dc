// quorvel-cli reconcile MONTH.rep STATEMENT [--other NAME AMOUNT]... [--columns MAPPING]:
// the month reconciled with its bank statement, printed as text ending with the difference.
// The saved matches of the month's reconciliation file are kept; nothing is written.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace quorvel::cli {

int reconcileCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace quorvel::cli
