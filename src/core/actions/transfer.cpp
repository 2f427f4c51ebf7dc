#include <array>

#include "ledger/action_record.h"
#include "ledger/month_file.h"
#include "ledger/replay.h"
#include "ledger/typed_amount.h"
#include "recording.h"

namespace quorvel {

bool canTransferFrom(const Ledger& ledger, int budgetRow) {
    return ledger.BudgetAcctNumber[budgetRow].size() == 3;
}

std::string cannotTransferMessage(const Ledger& ledger, int budgetRow) {
    return "Account " + ledger.BudgetAcctNumber[budgetRow] +
           " needs a three-digit number (such as 007) before money can be transferred from it. "
           "Change its number with View/Adjust Budget Item.";
}

Status recordTransfer(Ledger& ledger, Journal& journal, int budgetRow, int fundRow,
                      std::string_view amountText, std::string_view reference) {
    if (!canTransferFrom(ledger, budgetRow)) return Status::Error(cannotTransferMessage(ledger, budgetRow));
    const auto typed = readTypedAmount(amountText, "Amount");
    if (!typed) return typed.status();
    auto text = amountAsBox(typed->format00());
    if (!text) return text.status();
    const std::array<ActionRecord, 2> pair = {
        composeBudgetRecord("TO", ledger.BudgetAcctNumber[budgetRow], *text, reference),
        composeKeyedRecord("TI", ledger.DesigAcctNumber[fundRow], *text, reference),
    };
    if (Status s = appendAndApply(ledger, journal, pair); !s) return s;
    return saveAfterRecording(ledger, journal, "The transfer", &ledger);
}

}  // namespace quorvel
