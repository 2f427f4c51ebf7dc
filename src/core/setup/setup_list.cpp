#include "setup_list.h"

#include "ledger/text_fields.h"

namespace quorvel {
namespace {

constexpr std::size_t kLineWidth = 50;

std::string entryLine(std::string_view number, std::string_view name, const std::string& amount,
                      bool budget) {
    std::string line(kLineWidth, ' ');
    if (budget) {
        placeAt(line, 1, number, 3);
        placeAt(line, 5, name, kLineWidth - 4);
    } else {
        placeAt(line, 1, name, kLineWidth);
    }
    placeAt(line, 38, alignRight(amount, 12), 12);
    return line;
}

}  // namespace

std::vector<std::string> setupListLines(const Ledger& year, SetupMode mode, ListOccasion occasion) {
    const bool budget = mode == SetupMode::Budget;
    const int count = budget ? year.BudgetCount : year.DesigCount;
    std::vector<std::string> lines;
    if (occasion == ListOccasion::Switched && count == 0) return lines;
    if (occasion == ListOccasion::Deleted) {
        lines.emplace_back(budget ? kBudgetTitleAfterDelete : kFundTitleAfterDelete);
    } else {
        lines.emplace_back(budget ? kBudgetTitle : kFundTitle);
    }
    // Every line shows what is still available, so the list reads the same after each change.
    auto amountText = [occasion](Money amount) {
        return occasion == ListOccasion::Added ? amount.format00() : amount.toStrText();
    };
    if (budget) {
        for (int k = count; k >= 1; --k) {
            lines.push_back(entryLine(year.BudgetAcctNumber[k], year.BudgetAcctName[k],
                                      amountText(year.BudgetAmount[k][kRemaining]), true));
        }
    } else {
        for (int f = 1; f <= count; ++f) {
            lines.push_back(
                entryLine({}, year.DesigAcctName[f], amountText(year.DesigAmount[f][kFundRemaining]), false));
        }
    }
    return lines;
}

}  // namespace quorvel
