#include "ledger/action_record.h"
#include "ledger/month_file.h"
#include "ledger/replay.h"
#include "ledger/typed_amount.h"
#include "recording.h"

namespace quorvel {

Status recordDeposit(Ledger& ledger, Journal& journal, std::string_view amountText,
                     std::string_view reference) {
    const auto typed = readTypedAmount(amountText, "Amount");
    if (!typed) return typed.status();
    auto text = amountAsStr(*typed);
    if (!text) return text.status();
    return appendAndApply(ledger, journal, composeKeyedRecord("DP", "", *text, reference));
}

Status recordDesignation(Ledger& ledger, Journal& journal, int row, std::string_view amountText,
                         std::string_view reference) {
    // The box's text goes into the record, as the treasurer saw it once it settled.
    const auto typed = readTypedAmount(amountText, "Amount");
    if (!typed) return typed.status();
    auto text = amountAsBox(typed->format00());
    if (!text) return text.status();
    const ActionRecord record = composeKeyedRecord("DD", ledger.DesigAcctNumber[row], *text, reference);
    if (Status s = appendAndApply(ledger, journal, record); !s) return s;
    return saveAfterRecording(ledger, journal, "The designation", nullptr);
}

Status recordSourceNote(Ledger& ledger, Journal& journal, int row, std::string_view amountText,
                        std::string_view reference) {
    const auto typed = readTypedAmount(amountText, "Amount");
    if (!typed) return typed.status();
    auto text = amountAsRight(*typed);
    if (!text) return text.status();
    return appendAndApply(ledger, journal, composeKeyedRecord("SX", ledger.SourceId[row], *text, reference));
}

}  // namespace quorvel
