#include "sources_and_balance.h"

#include "ledger/ledger_routines.h"
#include "ledger/month_file.h"
#include "ledger/name_rules.h"
#include "ledger/text_fields.h"
#include "ledger/typed_amount.h"
#include "review/audited_change.h"

namespace quorvel {
namespace {

Status saveAndReload(Ledger& ledger, Journal& journal, Ledger changed, std::string_view command,
                     AuditChange change) {
    RecomputeTotals(changed);
    return auditedChange(ledger, journal, command, {std::move(change)},
                         [&] { return saveChangedMonth(ledger, journal, changed); });
}

}  // namespace

SourceList sourceListLines(const Ledger& ledger) {
    SourceList list;
    list.lines.emplace_back(kSourceListTitle);
    list.rows.push_back(0);
    for (int i = 1; i <= kLastSourceRow; ++i) {
        if (ledger.SourceId[i].empty()) continue;
        std::string line(90, ' ');
        placeAt(line, 1, ledger.SourceName[i]);
        placeAt(line, 40, alignRight(ledger.SourceAmount[i].format00(), 12), 12);
        placeAt(line, 88, zeroPadded(i, 3), 3);
        list.lines.push_back(line.substr(0, 90));
        list.rows.push_back(i);
    }
    return list;
}

Status renameSource(Ledger& ledger, Journal& journal, int row, std::string_view name) {
    const auto checked = sourceName(ledger, name, row);
    if (!checked) return checked.status();
    Ledger changed = ledger;
    changed.SourceName[row] = *checked;
    return saveAndReload(ledger, journal, changed, "Rename source",
                         {"source " + ledger.SourceId[row], ledger.SourceName[row], *checked});
}

std::string beginningBalanceLine(const Ledger& ledger) {
    // A plain number keeps its leading zero here ("0.5"), unlike the journal's form.
    std::string number = ledger.Summary[kBeginningBalance].toFileText();
    if (number.front() == '.') number.insert(number.begin(), '0');
    if (number.starts_with("-.")) number.insert(number.begin() + 1, '0');
    return "Starting balance is currently " + number;
}

Status replaceBeginningBalance(Ledger& ledger, Journal& journal, std::string_view answer) {
    const auto balance = readTypedAmount(answer, "Beginning Balance");
    if (!balance) return balance.status();
    Ledger changed = ledger;
    changed.Summary[kBeginningBalance] = *balance;
    return saveAndReload(
        ledger, journal, changed, "Change beginning balance",
        {"beginning balance", auditAmount(ledger.Summary[kBeginningBalance]), auditAmount(*balance)});
}

}  // namespace quorvel
