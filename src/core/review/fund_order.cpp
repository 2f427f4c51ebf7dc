#include "fund_order.h"

#include <algorithm>

#include "ledger/account_table.h"
#include "ledger/month_file.h"
#include "review/audited_change.h"

namespace quorvel {
namespace {

// The row number as "##" shows it: right-aligned in two characters, never cut.
std::string rowNumber(int row) {
    std::string text = std::to_string(row);
    if (text.size() < 2) text.insert(0, 2 - text.size(), ' ');
    return text;
}

}  // namespace

int moveFund(Ledger& ledger, int row, FundMove move) {
    const int count = ledger.DesigCount;
    if (row < 1 || row > count) return row;
    int to = row;
    switch (move) {
        case FundMove::ToTop:
            to = 1;
            break;
        case FundMove::UpOne:
            to = std::max(row - 1, 1);
            break;
        case FundMove::DownOne:
            to = std::min(row + 1, count);
            break;
        case FundMove::ToBottom:
            to = count;
            break;
    }
    if (to != row) fundTable(ledger).carryRow(row, to);
    return to;
}

std::vector<std::string> fundOrderLines(const Ledger& ledger) {
    std::vector<std::string> lines{kFundOrderTitle};
    for (int i = 1; i <= ledger.DesigCount; ++i)
        lines.push_back(rowNumber(i) + "   " + ledger.DesigAcctName[i]);
    return lines;
}

FundPlaceView fundPlaceView(const Ledger& ledger, int row) {
    FundPlaceView view;
    view.first = std::max(row - 7, 1);
    view.last = std::min(view.first + 14, ledger.DesigCount);
    for (int i = view.first; i <= view.last; ++i) {
        std::string line = "     " + rowNumber(i) + "    " + ledger.DesigAcctName[i];
        if (i == row) line.erase(0, 10);
        view.lines.push_back(std::move(line));
    }
    return view;
}

Status saveFunds(Ledger& ledger, Journal& journal, const Ledger& edited, std::string_view command) {
    Ledger changed = ledger;
    changed.DesigAcctName = edited.DesigAcctName;
    changed.DesigAcctNumber = edited.DesigAcctNumber;
    changed.DesigAmount = edited.DesigAmount;
    return auditedChange(ledger, journal, command, fundChanges(ledger, changed),
                         [&] { return saveChangedMonth(ledger, journal, changed); });
}

}  // namespace quorvel
