#include "usage.h"

#include <cstdio>

#include "ledger/text_fields.h"

namespace quorvel {

std::vector<std::string> usageLines(const Ledger& ledger) {
    std::vector<std::string> lines = {
        "        - Budget Accounts -             ANNUAL        EXPENDED      MONTHS OF",
        "                                        BUDGET        IN  YEAR      ACTUAL USAGE",
    };
    for (int i = 1; i <= kLastWorkingRow; ++i) {
        if (ledger.BudgetAcctNumber[i].empty()) continue;
        const Money budget = ledger.BudgetAmount[i][kBudgeted];
        const Money spent = ledger.BudgetAmount[i][kSpentInYear];
        std::string line(90, ' ');
        placeAt(line, 1, ledger.BudgetAcctNumber[i], 3);
        placeAt(line, 5, ledger.BudgetAcctName[i], 30);
        placeAt(line, 40, alignRight(budget.format00(), 12), 12);
        placeAt(line, 53, alignRight(spent.format00(), 12), 12);
        // A ratio, not money: the one place a double is right. A zero budget has no ratio.
        if (!budget.isZero()) {
            const double months =
                static_cast<double>(spent.units()) * 12.0 / static_cast<double>(budget.units());
            char text[64];
            std::snprintf(text, sizeof text, "%.2f", months);
            placeAt(line, 66, alignRight(text, 12), 12);
        }
        lines.push_back(line);
    }
    return lines;
}

}  // namespace quorvel
