// What every quorvel-cli command shares: reading a month without changing a file, and the
// form of its error messages.
#pragma once

#include <iosfwd>
#include <string>

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
// As fail, pointing at --help.
int usageError(std::ostream& err, const std::string& message);

}  // namespace quorvel::cli
