#include "ledger/action_record.h"
#include "ledger/typed_amount.h"
#include "recording.h"

namespace quorvel {

bool overBudget(const Ledger& ledger, int row, Money amount) {
    return amount > ledger.BudgetAmount[row][kRemaining];
}

bool exceedsFund(const Ledger& ledger, int row, Money amount) {
    return amount > ledger.DesigAmount[row][kFundRemaining];
}

Status recordBudgetExpenditure(Ledger& ledger, Journal& journal, int row, std::string_view amountText,
                               std::string_view reference) {
    const auto typed = readTypedAmount(amountText, "Amount");
    if (!typed) return typed.status();
    const Money amount = *typed;
    auto text = amountAsStr(amount);
    if (!text) return text.status();
    if (Status s = journal.append(composeBudgetRecord("BX", ledger.BudgetAcctNumber[row], *text, reference)); !s) {
        return s;
    }
    auto& budget = ledger.BudgetAmount[row];
    budget[kSpentInYear] += amount;
    budget[kSpentInMonth] += amount;
    budget[kRemaining] = budget[kBudgeted] - budget[kSpentInYear];
    ledger.Summary[kBudgetExpenditures] += amount;
    ledger.Summary[kTotalExpenditures] += amount;
    ledger.Summary[kRemainingBalance] -= amount;
    return Status::Ok();
}

Status recordDesignatedExpenditure(Ledger& ledger, Journal& journal, int row, std::string_view amountText,
                                   std::string_view reference) {
    const auto typed = readTypedAmount(amountText, "Amount");
    if (!typed) return typed.status();
    const Money amount = *typed;
    if (exceedsFund(ledger, row, amount)) return Status::Error(kFundOverdrawn);
    auto text = amountAsStr(amount);
    if (!text) return text.status();
    if (Status s = journal.append(composeKeyedRecord("DX", ledger.DesigAcctNumber[row], *text, reference)); !s) {
        return s;
    }
    ledger.DesigAmount[row][kSpentFromFund] += amount;
    ledger.DesigAmount[row][kFundRemaining] -= amount;
    ledger.Summary[kDesignatedExpenditures] += amount;
    ledger.Summary[kTotalExpenditures] += amount;
    ledger.Summary[kRemainingBalance] -= amount;
    ledger.Summary[kDesignatedFundTotals] -= amount;
    return Status::Ok();
}

}  // namespace quorvel
