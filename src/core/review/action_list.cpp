#include "action_list.h"

#include "ledger/text_fields.h"

namespace quorvel {
namespace {

template <typename Keys, typename Names>
std::string_view firstNameFor(const Keys& keys, const Names& names, int last, std::string_view key) {
    for (int i = 1; i <= last; ++i) {
        if (keys[i] == key) return names[i];
    }
    return {};
}

bool isCashCode(std::string_view code) { return code == "BX" || code == "DX" || code == "DP"; }

}  // namespace

std::string_view actionTypeText(std::string_view code) {
    if (code == "BX") return "Budget Expenditure";
    if (code == "DX") return "Designated Expenditure";
    if (code == "DP") return "Deposit -";
    if (code == "DD") return "Designation -";
    if (code == "TO") return "Transfer Out";
    if (code == "TI") return "Transfer In";
    if (code == "SX") return "Note Deposit Source";
    if (code == "ZZ") return "      - this action item has been cancelled -";
    return {};
}

std::string_view actionAccountName(const Ledger& ledger, const ActionRecord& record) {
    const std::string_view code = record.code();
    if (code == "BX" || code == "TO") {
        return firstNameFor(ledger.BudgetAcctNumber, ledger.BudgetAcctName, kLastWorkingRow,
                            trimBlanks(record.budgetNumber()));
    }
    if (code == "DX" || code == "DD" || code == "TI")
        return firstNameFor(ledger.DesigAcctNumber, ledger.DesigAcctName, kLastWorkingRow,
                            record.accountKey());
    if (code == "SX")
        return firstNameFor(ledger.SourceId, ledger.SourceName, kLastSourceRow, record.accountKey());
    return {};
}

std::optional<std::string> actionListLine(const Ledger& ledger, const ActionRecord& record,
                                          std::int64_t number) {
    const std::string_view code = record.code();
    const std::string_view type = actionTypeText(code);
    if (type.empty()) return std::nullopt;

    std::string line(90, ' ');
    placeAt(line, 1, type);
    if (code != "ZZ") {
        if (code == "BX" || code == "TO") placeAt(line, 26, record.budgetNumber(), 3);
        placeAt(line, 30, actionAccountName(ledger, record), 25);
        placeAt(line, 57, alignRight(record.amount().format00(), 12), 12);
        placeAt(line, 77, record.reference(), 10);
    }
    // Three digits as a rule; a journal past 999 records widens the number rather than cut it.
    placeAt(line, 88, zeroPadded(number, 3));
    return line;
}

ActionList actionListLines(const Ledger& ledger, const std::vector<ActionRecord>& records,
                           const ActionListFilter& filter) {
    ActionList list;
    list.lines.emplace_back(kActionListTitle);
    list.recordNumbers.push_back(0);
    for (std::size_t index = 0; index < records.size(); ++index) {
        const ActionRecord& record = records[index];
        if (filter.key && record.field(6, 5) != *filter.key && record.field(4, 5) != *filter.key) continue;
        if (filter.cashOnly && !isCashCode(record.code())) continue;
        const auto number = static_cast<std::int64_t>(index + 1);
        if (auto line = actionListLine(ledger, record, number)) {
            list.lines.push_back(std::move(*line));
            list.recordNumbers.push_back(number);
        }
    }
    return list;
}

}  // namespace quorvel
