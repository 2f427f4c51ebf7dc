#include <array>

#include "ledger/action_record.h"
#include "ledger/month_file.h"
#include "ledger/name_rules.h"
#include "recording.h"

namespace quorvel {
Result<int> createFund(Ledger& ledger, Journal& journal, std::string_view typedName,
                       const RandomBelow& random, bool announceInJournal) {
    const int row = ledger.DesigCount + 1;
    if (row > kLastWorkingRow) return Status::Error(kOutOfFundSpace);
    const auto name = fundName(ledger, typedName, row, kFundNameLength);
    if (!name) return name.status();
    Ledger changed = ledger;
    changed.DesigCount = row;
    changed.DesigAcctName[row] = *name;
    for (int c = 1; c <= 4; ++c) changed.DesigAmount[row][c] = Money();
    changed.DesigAcctNumber[row] = NewAccountId(changed, random);
    if (announceInJournal) {
        const std::array<ActionRecord, 2> announcement = {composeFundCreated(changed.DesigAcctNumber[row]),
                                                          composeFundName(*name)};
        if (Status s = journal.append(announcement); !s) return s;
    }
    if (Status s = saveChangedMonth(ledger, journal, changed); !s) {
        if (!announceInJournal) return s;
        std::string message =
            s.message() + "\nThe journal holds two records announcing the fund; they change no figure.";
        return s.tookEffect() ? Status::TookEffect(std::move(message)) : Status::Error(std::move(message));
    }
    return row;
}

Result<int> createSource(Ledger& ledger, Journal& journal, std::string_view typedName,
                         const RandomBelow& random) {
    int row = 1;
    while (row <= kLastSourceRow && !ledger.SourceId[row].empty()) ++row;
    if (row > kLastSourceRow) return Status::Error(kOutOfSourceSpace);
    const auto name = sourceName(ledger, typedName, row);
    if (!name) return name.status();
    Ledger changed = ledger;
    changed.SourceName[row] = *name;
    changed.SourceAmount[row] = Money();
    changed.SourceId[row] = NewAccountId(changed, random);
    if (Status s = saveChangedMonth(ledger, journal, changed); !s) return s;
    return row;
}

}  // namespace quorvel
