#include "csv_export.h"

#include <initializer_list>

#include "export_fields.h"
#include "ledger/code_page.h"
#include "ledger/text_fields.h"
#include "review/action_list.h"
#include "review/sections.h"

namespace quorvel {
namespace {

void appendRow(std::string& out, std::initializer_list<std::string_view> fields) {
    bool first = true;
    for (std::string_view field : fields) {
        if (!first) out += ',';
        first = false;
        out += csvField(field);
    }
    out += "\r\n";
}

void actions(std::string& out, const Ledger& ledger, const std::vector<ActionRecord>& records) {
    appendRow(out, {"Number", "Kind", "Account", "Name", "Amount", "Reference", "Cancelled"});
    for (std::size_t index = 0; index < records.size(); ++index) {
        const ActionRecord& record = records[index];
        const std::string number = std::to_string(index + 1);
        if (record.code() == "ZZ") {
            appendRow(out, {number, "", "", "", "", "", "yes"});
        } else if (!actionTypeText(record.code()).empty()) {
            appendRow(out, {number, actionKind(record.code()), trimBlanks(record.accountKey()),
                            actionAccountName(ledger, record), plainAmount(record.amount()),
                            trimBlanks(record.reference()), "no"});
        }
    }
}

void budget(std::string& out, const Ledger& ledger) {
    appendRow(out,
              {"Number", "Name", "Section", "Annual Budget", "Spent in Year", "Spent in Month", "Remaining"});
    const auto sections = budgetRowSections(ledger);
    for (int i = 1; i <= kLastWorkingRow; ++i) {
        if (ledger.BudgetAcctName[i].empty()) continue;  // as the report's budget table
        const AmountRow& a = ledger.BudgetAmount[i];
        appendRow(out,
                  {ledger.BudgetAcctNumber[i], ledger.BudgetAcctName[i], ledger.SectionTitle[sections[i]],
                   plainAmount(a[kBudgeted]), plainAmount(a[kSpentInYear]), plainAmount(a[kSpentInMonth]),
                   plainAmount(a[kRemaining])});
    }
}

void funds(std::string& out, const Ledger& ledger) {
    appendRow(out,
              {"Number", "Name", "At First of Month", "Received in Month", "Spent in Month", "Remaining"});
    for (int i = 1; i <= kLastWorkingRow; ++i) {
        if (ledger.DesigAcctNumber[i].empty() && !nameInUse(ledger.DesigAcctName[i])) continue;
        const AmountRow& a = ledger.DesigAmount[i];
        appendRow(out, {ledger.DesigAcctNumber[i], ledger.DesigAcctName[i], plainAmount(a[kAtFirstOfMonth]),
                        plainAmount(a[kReceivedInMonth]), plainAmount(a[kSpentFromFund]),
                        plainAmount(a[kFundRemaining])});
    }
}

void sources(std::string& out, const Ledger& ledger) {
    appendRow(out, {"Id", "Name", "Amount in Month"});
    for (int k = 1; k <= kLastSourceRow; ++k) {
        if (ledger.SourceId[k].empty()) continue;  // as the review's source list
        appendRow(out, {ledger.SourceId[k], ledger.SourceName[k], plainAmount(ledger.SourceAmount[k])});
    }
}

}  // namespace

namespace {

bool plainNumber(std::string_view text) {
    if (text.starts_with('-')) text.remove_prefix(1);
    const std::size_t point = text.find('.');
    const std::string_view whole = text.substr(0, point);
    const std::string_view fraction = point == std::string_view::npos ? "0" : text.substr(point + 1);
    auto digits = [](std::string_view part) {
        return !part.empty() && part.find_first_not_of("0123456789") == std::string_view::npos;
    };
    return digits(whole) && digits(fraction);
}

// A spreadsheet runs a cell that starts like a formula; an auditor opening the export must see
// the name as typed, so such text is kept as text with a leading apostrophe. Figures are left alone.
std::string asSpreadsheetText(std::string text) {
    if (!text.empty() && std::string_view("=+-@\t\r").find(text.front()) != std::string_view::npos &&
        !plainNumber(text))
        text.insert(0, 1, '\'');
    return text;
}

}  // namespace

std::string csvField(std::string_view cp1252) {
    std::string text = asSpreadsheetText(cp1252ToUtf8(cp1252));
    if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

std::string csvTable(const Ledger& ledger, const std::vector<ActionRecord>& records, CsvTable table) {
    std::string out;
    switch (table) {
        case CsvTable::Actions:
            actions(out, ledger, records);
            break;
        case CsvTable::Budget:
            budget(out, ledger);
            break;
        case CsvTable::Funds:
            funds(out, ledger);
            break;
        case CsvTable::Sources:
            sources(out, ledger);
            break;
    }
    return out;
}

}  // namespace quorvel
