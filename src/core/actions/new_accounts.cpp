#include <array>

#include "ledger/action_record.h"
#include "ledger/code_page.h"
#include "ledger/month_file.h"
#include "recording.h"

namespace quorvel {
Result<int> createFund(Ledger& ledger, Journal& journal, std::string_view name, const RandomBelow& random,
                       bool announceInJournal) {
    if (Status s = checkStorableText(name, "The fund name"); !s) return s;
    const int row = ledger.DesigCount + 1;
    if (row > kLastWorkingRow) return Status::Error(kOutOfFundSpace);
    Ledger changed = ledger;
    changed.DesigCount = row;
    changed.DesigAcctName[row] = std::string(name);
    for (int c = 1; c <= 4; ++c) changed.DesigAmount[row][c] = Money();
    changed.DesigAcctNumber[row] = NewAccountId(changed, random);
    if (announceInJournal) {
        const std::array<ActionRecord, 2> announcement = {composeFundCreated(changed.DesigAcctNumber[row]),
                                                          composeFundName(name)};
        if (Status s = journal.append(announcement); !s) return s;
    }
    if (Status s = saveChangedMonth(ledger, journal, changed); !s) return s;
    return row;
}

Result<int> createSource(Ledger& ledger, Journal& journal, std::string_view name, const RandomBelow& random) {
    if (Status s = checkStorableText(name, "The source name"); !s) return s;
    int row = 1;
    while (row <= kLastSourceRow && !ledger.SourceId[row].empty()) ++row;
    if (row > kLastSourceRow) return Status::Error(kOutOfSourceSpace);
    Ledger changed = ledger;
    changed.SourceName[row] = std::string(name);
    changed.SourceAmount[row] = Money();
    changed.SourceId[row] = NewAccountId(changed, random);
    if (Status s = saveChangedMonth(ledger, journal, changed); !s) return s;
    return row;
}

}  // namespace quorvel
