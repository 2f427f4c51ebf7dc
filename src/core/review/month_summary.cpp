#include "month_summary.h"

#include "ledger/text_fields.h"

namespace quorvel {

std::string summaryLine(std::string_view label, Money amount) {
    return padRight(label, 35) + alignRight(amount.format00(), 12);
}

std::vector<std::string> monthSummaryLines(const Ledger& ledger) {
    const auto& s = ledger.Summary;
    const Money otherSources = ledger.SourceAmount[0];
    std::vector<std::string> lines;
    lines.push_back("   File loaded is " + ledger.CurrentFile);
    lines.push_back(summaryLine("Beginning Balance", s[kBeginningBalance]));
    lines.push_back(summaryLine("Undesignated Receipts", s[kUndesignatedReceipts]));
    if (otherSources > Money()) lines.push_back(summaryLine("Other sources", otherSources));
    lines.push_back(
        summaryLine("Designated Receipts", s[kTotalReceipts] - s[kUndesignatedReceipts] - otherSources));
    if (s[kInternalTransfers] > Money())
        lines.push_back(summaryLine("Internal Transfers", s[kInternalTransfers]));
    lines.push_back(summaryLine("Budget Expenditures", s[kBudgetExpenditures]));
    lines.push_back(summaryLine("Designated Expenditures", s[kDesignatedExpenditures]));
    lines.push_back(" ");
    lines.push_back(summaryLine("Remaining Balance", s[kRemainingBalance]));
    lines.push_back(" ");
    lines.push_back(
        summaryLine("Undesignated Funds remaining", s[kRemainingBalance] - s[kDesignatedFundTotals]));
    lines.push_back(summaryLine("Designated Fund Totals", s[kDesignatedFundTotals]));
    return lines;
}

}  // namespace quorvel
