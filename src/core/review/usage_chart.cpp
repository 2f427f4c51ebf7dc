#include "usage_chart.h"

#include <filesystem>

#include "ledger/month_names.h"

namespace quorvel {

UsageChart usageChart(const Ledger& ledger) {
    UsageChart chart;
    if (const auto named = monthOfName(std::filesystem::path(ledger.CurrentFile).filename().string()))
        chart.monthsGone = named->month;
    int section = 1;
    for (const UsageFigure& figure : usageFigures(ledger)) {
        const std::string& number = ledger.BudgetAcctNumber[figure.row];
        // Sections are met in their order, as the report prints them.
        if (section <= kSections && number == ledger.SectionStart[section]) {
            chart.groups.push_back({ledger.SectionTitle[section], {}});
            ++section;
        } else if (chart.groups.empty()) {
            chart.groups.emplace_back();
        }
        const bool past =
            figure.months ? chart.monthsGone && *figure.months > *chart.monthsGone : figure.spent > Money();
        chart.groups.back().bars.push_back({number, ledger.BudgetAcctName[figure.row], figure, past});
    }
    return chart;
}

}  // namespace quorvel
