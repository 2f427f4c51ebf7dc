#include "cli_support.h"

#include <ostream>

#include "ledger/month_file.h"
#include "terminal_text.h"

namespace quorvel::cli {

Result<LoadedMonth> loadForReading(const std::string& path) {
    LoadedMonth month;
    if (Status s = LoadMonthFile(month.ledger, month.journal, path, JournalMode::ReadOnly); !s) return s;
    // Figures from part of a journal would be silently wrong.
    if (month.journal.damagedRecord() != 0) return Status::Error(month.journal.damageMessage());
    return month;
}

int fail(std::ostream& err, const std::string& message) {
    err << "quorvel-cli: " << escapeControls(message) << "\n";
    return 1;
}

int usageError(std::ostream& err, const std::string& message) {
    return fail(err, message + " (see quorvel-cli --help)");
}

}  // namespace quorvel::cli
