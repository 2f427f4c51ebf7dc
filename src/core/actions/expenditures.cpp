#include "ledger/action_record.h"
#include "ledger/replay.h"
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
    auto text = amountAsStr(*typed);
    if (!text) return text.status();
    return appendAndApply(ledger, journal,
                          composeBudgetRecord("BX", ledger.BudgetAcctNumber[row], *text, reference));
}

Status recordDesignatedExpenditure(Ledger& ledger, Journal& journal, int row, std::string_view amountText,
                                   std::string_view reference) {
    const auto typed = readTypedAmount(amountText, "Amount");
    if (!typed) return typed.status();
    if (exceedsFund(ledger, row, *typed)) return Status::Error(kFundOverdrawn);
    auto text = amountAsStr(*typed);
    if (!text) return text.status();
    return appendAndApply(ledger, journal,
                          composeKeyedRecord("DX", ledger.DesigAcctNumber[row], *text, reference));
}

}  // namespace quorvel
