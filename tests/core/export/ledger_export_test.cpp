// The ledger journal's text beside its figures, which the command-line test has the ledger
// program check: a reference stands on its transaction's line as a comment.
#include <gtest/gtest.h>

#include "core/sample_month.h"
#include "export/export_fields.h"
#include "export/ledger_export.h"
#include "ledger/action_record.h"

namespace quorvel {
namespace {

TEST(LedgerJournal, AReferenceStandsOnItsTransactionsLineAsTyped) {
    const struct {
        const char* reference;
        std::string comment;
    } cases[] = {
        {"Plate", "  ; Plate"},
        {"Caf\xE9 sale", "  ; Caf\xC3\xA9 sale"},
        {"Pl\tate\x7Fx", "  ; Pl ate x"},  // a control character would break the line
        {"", ""},
    };
    for (const auto& c : cases) {
        const ActionRecord deposit = composeKeyedRecord("DP", "     ", "12.50", c.reference);
        const std::string journal = ledgerJournal(test::sampleLedger(), {deposit}, {2026, 12});
        const std::string head = "2026-12-01 * (1) " + std::string(actionKind("DP")) + c.comment + "\n";
        EXPECT_NE(journal.find(head), std::string::npos) << c.reference << "\n" << journal;
    }
}

}  // namespace
}  // namespace quorvel
