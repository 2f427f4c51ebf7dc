#include "core/report/report_month.h"

#include "core/sample_month.h"
#include "ledger/ledger_routines.h"

namespace quorvel::test {

Ledger reportMonth() {
    Ledger l = sampleLedger();
    auto& memorial = l.DesigAmount[1];
    memorial[kReceivedInMonth] = Money::cents(7500);
    memorial[kSpentFromFund] = Money::cents(1000);
    memorial[kFundRemaining] = Money::cents(56500);
    l.TransferAcct[1] = "01234";
    l.TransferAmount[1] = Money::cents(2500);
    l.SourceAmount[1] = Money::cents(1250);
    l.Summary[kTotalReceipts] = Money::cents(60000);
    for (auto [row, spent] : {std::pair{1, 4000}, std::pair{3, 250}}) {
        l.BudgetAmount[row][kSpentInMonth] = Money::cents(spent);
        l.BudgetAmount[row][kSpentInYear] += Money::cents(spent);
    }
    RecomputeTotals(l);
    return l;
}

std::string placed(const std::vector<std::pair<int, std::string>>& texts) {
    std::string lines;
    std::string line;
    for (const auto& [column, text] : texts) {
        const std::size_t start = static_cast<std::size_t>(column - 1);
        if (line.size() > start) {
            lines += line + "\n";
            line.clear();
        }
        line.resize(start, ' ');
        line += text;
    }
    return lines + line;
}

std::string composed(const std::vector<std::pair<int, std::string>>& texts) {
    std::string line(90, ' ');
    for (const auto& [column, text] : texts) line.replace(column - 1, text.size(), text);
    return line.substr(0, 90);
}

}  // namespace quorvel::test
