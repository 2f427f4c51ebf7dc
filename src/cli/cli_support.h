// What every quorvel-cli command shares: reading a month without changing a file, and the
// form of its error messages.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "ledger/journal.h"
#include "ledger/ledger.h"
#include "ledger/status.h"

namespace quorvel::cli {

struct LoadedMonth {
    Ledger ledger;
    Journal journal;
};

// Read-only: the tool never creates a journal or changes a file.
Result<LoadedMonth> loadForReading(const std::string& path);

// "quorvel-cli: message" on `err`; returns the exit status 1.
int fail(std::ostream& err, const std::string& message);
// Runs `program` from quorvel-cli's own folder with `args` (args[0] included) and returns
// its exit status: for the commands that need a library the statically linked tool does
// without. `option` names what needs it, `outcome` what a crash means for the files.
int runSibling(const char* program, const std::vector<std::string>& args, std::ostream& err,
               const std::string& option, const std::string& outcome);
// As fail, pointing at --help.
int usageError(std::ostream& err, const std::string& message);

}  // namespace quorvel::cli
