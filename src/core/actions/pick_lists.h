// The lists from which a recording command picks an account, fund or source. Each list
// keeps beside its lines the row every line stands for (0 for titles, section headers and
// lines that stand for no row), so a chosen line always leads to its own row.
#pragma once

#include <string>
#include <vector>

#include "ledger/ledger.h"

namespace quorvel {

struct PickList {
    std::vector<std::string> lines;
    std::vector<int> rows;  // per line; 0 when the line is not a row
    int newLine = -1;       // index of the "new ... needed" line, -1 when there is none

    void add(std::string line, int row) {
        lines.push_back(std::move(line));
        rows.push_back(row);
    }
    // The row of line `index`, 0 for none (also for an index outside the list).
    int rowOf(int index) const;
};

// Budget accounts: number, blank and name in 60 characters, then what remains of the budget.
// With `sections`, a " -        Title" header stands before the first account of each section.
// An account numbered 000 (numeric value 0) stands for no row.
PickList budgetPickList(const Ledger& ledger, const std::string& title, bool sections);

// Funds: the name in 40 characters and the balance "0.00" in 12; optionally a new-fund line.
PickList fundPickList(const Ledger& ledger, const std::string& title, bool offerNewFund);

// The transfer's fund list: the name in 30 characters, the balance in the journal's number
// form right-aligned in 12, and the new-fund line.
PickList transferFundPickList(const Ledger& ledger);

// Sources while their names have two or more characters, then the new-source line.
PickList sourcePickList(const Ledger& ledger);

inline constexpr const char* kNewFundLine = "       - New Designated Fund Required -";
inline constexpr const char* kNewSourceLine = "    - new source name needed -";

}  // namespace quorvel
