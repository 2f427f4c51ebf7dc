#include "fund_adjustment.h"

#include <algorithm>

#include "actions/recording.h"
#include "ledger/account_table.h"
#include "ledger/action_record.h"
#include "ledger/name_rules.h"
#include "ledger/text_fields.h"
#include "ledger/typed_amount.h"
#include "review/fund_order.h"

namespace quorvel {
namespace {

std::string fundLine(const Ledger& ledger, int row) {
    std::string line(90, ' ');
    placeAt(line, 1, ledger.DesigAcctName[row], 90);
    for (int c = 1; c <= 4; ++c) {
        placeAt(line, 27 + 13 * static_cast<std::size_t>(c),
                alignRight(ledger.DesigAmount[row][c].format00(), 12));
    }
    return line;
}

}  // namespace

PickList fundAdjustList(const Ledger& ledger) {
    PickList list;
    list.add(kFundAdjustHeading, 0);
    list.add(kFundAdjustHeading2, 0);
    int last = 0;
    for (int i = 1; i <= kLastWorkingRow; ++i) {
        if (!nameInUse(ledger.DesigAcctName[i])) continue;
        list.add(fundLine(ledger, i), i);
        last = i;
    }
    list.newLine = static_cast<int>(list.lines.size());
    list.add(kCreateFundLine, last + 1);
    return list;
}

Status fundDeletion(const Ledger& ledger, const Journal& journal, int row) {
    if (row < 1 || row >= kAccountRows) return Status::Error(kFundNotEmpty);
    const AmountRow& amounts = ledger.DesigAmount[row];
    if (!(amounts[1] + amounts[2] + amounts[3] + amounts[4]).isZero()) return Status::Error(kFundNotEmpty);
    // Amounts that add up to 0 can still stand on this month's spending or transfers into the
    // fund; without the fund those would still move the cash figures by half (a transfer spent
    // but never received). A designation only falls back to the undesignated money.
    auto records = journal.readAll();
    if (!records) return records.status();
    for (const ActionRecord& record : *records) {
        const std::string_view code = record.code();
        if ((code == "DX" || code == "TI") && record.accountKey() == ledger.DesigAcctNumber[row]) {
            return Status::Error(kFundHasActions);
        }
    }
    return Status::Ok();
}

Status changeFund(Ledger& ledger, Journal& journal, int row, const FundEdit& edit,
                  const RandomBelow& random) {
    if (row < 1 || row > kLastWorkingRow) return Status::Error(kOutOfFundSpace);
    const auto name = fundName(ledger, edit.name, row, 0);
    if (!name) return name.status();
    // A fund without a name drops out of every list while its money still counts.
    if (!nameInUse(*name)) return Status::Error(kFundNameNeeded);
    const auto balance = readTypedAmount(edit.amountText, "Beginning Balance");
    if (!balance) return balance.status();
    if (auto fits = amountAsRight(*balance); !fits) return fits.status();

    Ledger changed = ledger;
    AmountRow& amounts = changed.DesigAmount[row];
    changed.DesigAcctName[row] = *name;
    amounts[kAtFirstOfMonth] = *balance;
    amounts[kFundRemaining] = amounts[kAtFirstOfMonth] + amounts[kReceivedInMonth] - amounts[kSpentFromFund];
    const bool isNew = changed.DesigAcctNumber[row].empty();
    if (isNew) changed.DesigAcctNumber[row] = NewAccountId(changed, random);
    return saveFunds(ledger, journal, changed, isNew ? "New designated fund" : "Change designated fund");
}

Status deleteFund(Ledger& ledger, Journal& journal, int row) {
    if (row < 1 || row > kLastWorkingRow) return Status::Ok();  // the row after 100 funds holds nothing
    if (Status s = fundDeletion(ledger, journal, row); !s) return s;
    Ledger changed = ledger;
    fundTable(changed).deleteRow(row, kLastWorkingRow);
    changed.DesigCount = std::max(changed.DesigCount - 1, 0);
    return saveFunds(ledger, journal, changed, "Delete designated fund");
}

Status moveFundToTop(Ledger& ledger, Journal& journal, int row) {
    Ledger changed = ledger;
    // The first fund stays where it is, and the row of a fund not yet created holds nothing.
    if (moveFund(changed, row, FundMove::ToTop) == row) return Status::Ok();
    return saveFunds(ledger, journal, changed, "Move designated fund to top");
}

}  // namespace quorvel
