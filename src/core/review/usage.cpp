#include "usage.h"

#include <cstdio>

#include "ledger/text_fields.h"

namespace quorvel {

std::vector<UsageFigure> usageFigures(const Ledger& ledger) {
    std::vector<UsageFigure> figures;
    for (int i = 1; i <= kLastWorkingRow; ++i) {
        if (ledger.BudgetAcctNumber[i].empty()) continue;
        UsageFigure figure{i, ledger.BudgetAmount[i][kBudgeted], ledger.BudgetAmount[i][kSpentInYear], {}};
        // A ratio, not money: the one place a double is right.
        if (!figure.budget.isZero())
            figure.months =
                static_cast<double>(figure.spent.units()) * 12.0 / static_cast<double>(figure.budget.units());
        figures.push_back(figure);
    }
    return figures;
}

std::vector<std::string> usageLines(const Ledger& ledger) {
    std::vector<std::string> lines = {
        "        - Budget Accounts -             ANNUAL        EXPENDED      MONTHS OF",
        "                                        BUDGET        IN  YEAR      ACTUAL USAGE",
    };
    for (const UsageFigure& figure : usageFigures(ledger)) {
        std::string line(90, ' ');
        placeAt(line, 1, ledger.BudgetAcctNumber[figure.row], 3);
        placeAt(line, 5, ledger.BudgetAcctName[figure.row], 30);
        placeAt(line, 40, alignRight(figure.budget.format00(), 12), 12);
        placeAt(line, 53, alignRight(figure.spent.format00(), 12), 12);
        if (figure.months) {
            char text[64];
            std::snprintf(text, sizeof text, "%.2f", *figure.months);
            placeAt(line, 66, alignRight(text, 12), 12);
        }
        lines.push_back(line);
    }
    return lines;
}

}  // namespace quorvel
