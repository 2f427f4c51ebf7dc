#include "ledger/action_record.h"
#include "ledger/month_file.h"
#include "ledger/typed_amount.h"
#include "recording.h"

namespace quorvel {

Status recordDeposit(Ledger& ledger, Journal& journal, std::string_view amountText, std::string_view reference) {
    const auto typed = readTypedAmount(amountText, "Amount");
    if (!typed) return typed.status();
    const Money amount = *typed;
    auto text = amountAsStr(amount);
    if (!text) return text.status();
    if (Status s = journal.append(composeKeyedRecord("DP", "", *text, reference)); !s) return s;
    ledger.Summary[kUndesignatedReceipts] += amount;
    ledger.Summary[kTotalReceipts] += amount;
    ledger.Summary[kRemainingBalance] += amount;
    return Status::Ok();
}

Status recordDesignation(Ledger& ledger, Journal& journal, int row, std::string_view amountText,
                         std::string_view reference) {
    // The box's text goes into the record, as the treasurer saw it once it settled.
    const auto typed = readTypedAmount(amountText, "Amount");
    if (!typed) return typed.status();
    auto text = amountAsBox(typed->format00());
    if (!text) return text.status();
    if (Status s = journal.append(composeKeyedRecord("DD", ledger.DesigAcctNumber[row], *text, reference)); !s) {
        return s;
    }
    return saveAfterRecording(ledger, journal, "The designation", nullptr);
}

Status recordSourceNote(Ledger& ledger, Journal& journal, int row, std::string_view amountText,
                        std::string_view reference) {
    const auto typed = readTypedAmount(amountText, "Amount");
    if (!typed) return typed.status();
    const Money amount = *typed;
    auto text = amountAsRight(amount);
    if (!text) return text.status();
    if (Status s = journal.append(composeKeyedRecord("SX", ledger.SourceId[row], *text, reference)); !s) return s;
    ledger.SourceAmount[row] += amount;
    ledger.SourceAmount[0] += amount;
    return Status::Ok();
}

}  // namespace quorvel
