#include "core/reload_check.h"

#include "ledger/journal.h"
#include "ledger/month_file.h"

namespace quorvel::test {

::testing::AssertionResult sameAsReload(const Ledger& live) {
    Ledger reloaded;
    Journal journal;
    const Status loaded = LoadMonthFile(reloaded, journal, live.CurrentFile, JournalMode::ReadOnly);
    if (!loaded.ok()) return ::testing::AssertionFailure() << "reload failed: " << loaded.message();
    if (live == reloaded) return ::testing::AssertionSuccess();
    auto failure = ::testing::AssertionFailure() << "differs from a reload in:";
    auto differs = [&](bool same, const char* table) {
        if (!same) failure << ' ' << table;
    };
#define QUORVEL_TABLE(name) differs(live.name == reloaded.name, #name)
    // clang-format off
    QUORVEL_TABLE(BudgetAcctNumber); QUORVEL_TABLE(BudgetAcctName); QUORVEL_TABLE(BudgetAmount);
    QUORVEL_TABLE(DesigAcctNumber); QUORVEL_TABLE(DesigAcctName); QUORVEL_TABLE(DesigAmount);
    QUORVEL_TABLE(SourceId); QUORVEL_TABLE(SourceName); QUORVEL_TABLE(SourceAmount); QUORVEL_TABLE(Summary);
    QUORVEL_TABLE(SectionStart); QUORVEL_TABLE(SectionTitle); QUORVEL_TABLE(TransferAcct);
    QUORVEL_TABLE(TransferAmount); QUORVEL_TABLE(CurrentFile);
    QUORVEL_TABLE(BudgetCount); QUORVEL_TABLE(DesigCount);
    // clang-format on
#undef QUORVEL_TABLE
    return failure;
}

}  // namespace quorvel::test
