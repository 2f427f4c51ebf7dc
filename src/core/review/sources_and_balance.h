// The deposit sources as the review lists them, renaming a source, and replacing the
// month's beginning balance. Each change is saved and the month loaded again.
#pragma once

#include <string>
#include <vector>

#include "ledger/journal.h"
#include "ledger/ledger.h"
#include "ledger/status.h"

namespace quorvel {

inline constexpr const char* kSourceListTitle = "    - list of miscellaneous income sources -";

struct SourceList {
    std::vector<std::string> lines;  // lines[0] is the title
    std::vector<int> rows;           // the source row of each line; 0 for the title
};

// Every source with an id: the name, the month's amount at 40-51 and the row at 88-90.
SourceList sourceListLines(const Ledger& ledger);

// The name is checked and trimmed by the name rules (ledger/name_rules.h).
Status renameSource(Ledger& ledger, Journal& journal, int row, std::string_view name);

// "Starting balance is currently " and the balance as a plain number (1250.5).
std::string beginningBalanceLine(const Ledger& ledger);

// The typed amount `answer` becomes the beginning balance; any other text is refused.
Status replaceBeginningBalance(Ledger& ledger, Journal& journal, std::string_view answer);

}  // namespace quorvel
