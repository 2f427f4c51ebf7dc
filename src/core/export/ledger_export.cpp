#include "ledger_export.h"

#include <chrono>
#include <cstdio>

#include "export_fields.h"
#include "ledger/code_page.h"
#include "ledger/replay.h"
#include "ledger/text_fields.h"

namespace quorvel {
namespace {

constexpr const char* kCash = "Assets:Cash";
constexpr const char* kOpening = "Equity:Opening Balances";
constexpr const char* kUndesignated = "Income:Undesignated Receipts";

std::string dated(std::chrono::year_month_day day) {
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02u-%02u", static_cast<int>(day.year()),
                  static_cast<unsigned>(day.month()), static_cast<unsigned>(day.day()));
    return text;
}

std::string account(const char* parent, const std::string& number, const std::string& name, int row) {
    std::string part = ledgerAccountPart(number + " " + name);
    if (part.empty()) part = "row " + std::to_string(row);
    return std::string(parent) + part;
}

std::string budgetAccount(const Ledger& l, int i) {
    return account("Expenses:Budget:", l.BudgetAcctNumber[i], l.BudgetAcctName[i], i);
}
std::string fundAccount(const Ledger& l, int i) {
    return account("Funds:", l.DesigAcctNumber[i], l.DesigAcctName[i], i);
}
std::string sourceAccount(const Ledger& l, int k) {
    return account("Income:Sources:", l.SourceId[k], l.SourceName[k], k);
}

// A comment's text on one line.
std::string commentText(std::string_view cp1252) {
    std::string text = cp1252ToUtf8(trimBlanks(cp1252));
    for (char& c : text) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = ' ';
    }
    return text;
}

class JournalText {
public:
    void posting(const std::string& name, Money amount) {
        out += "    " + name;
        out.append(name.size() < 46 ? 50 - name.size() : 4, ' ');
        out += plainAmount(amount) + "\n";
    }
    void transaction(const std::string& date, const std::string& head, const std::string& debit,
                     const std::string& credit, Money amount) {
        out += date + " * " + head + "\n";
        posting(debit, amount);
        posting(credit, -amount);
        out += "\n";
    }
    std::string out;
};

}  // namespace

std::string ledgerAccountPart(std::string_view cp1252) {
    std::string part;
    for (char c : cp1252ToUtf8(cp1252)) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = ' ';
        if (c == ':') c = '-';
        if (c == ';') c = ',';
        if (c == ' ' && (part.empty() || part.back() == ' ')) continue;
        part += c;
    }
    if (!part.empty() && part.back() == ' ') part.pop_back();
    return part;
}

MonthOfYear exportMonth(const std::string& monthPath) {
    if (auto named = monthOfName(std::string_view(monthPath).substr(monthPath.rfind('/') + 1))) return *named;
    const std::chrono::year_month_day today{
        std::chrono::floor<std::chrono::days>(std::chrono::system_clock::now())};
    return {static_cast<int>(today.year()), static_cast<int>(static_cast<unsigned>(today.month()))};
}

std::string ledgerJournal(const Ledger& l, const std::vector<ActionRecord>& records, MonthOfYear month) {
    using namespace std::chrono;
    const year_month_day first{year(month.year), std::chrono::month(static_cast<unsigned>(month.month)),
                               day(1)};
    const std::string day1 = dated(first);
    const std::string dayBefore = dated(year_month_day{sys_days(first) - days(1)});
    const std::string file =
        commentText(std::string_view(l.CurrentFile).substr(l.CurrentFile.rfind('/') + 1));

    JournalText j;
    j.out = "; " + file + ": opening balances on " + dayBefore +
            ", then the month's actions in journal order, dated " + day1 +
            ".\n; Cancelled actions, and actions whose account is not there, stand as comments.\n\n";
    for (const std::string& name : {std::string(kCash), std::string(kOpening), std::string(kUndesignated)})
        j.out += "account " + name + "\n";
    for (int i = 1; i <= kLastWorkingRow; ++i)
        if (!l.BudgetAcctNumber[i].empty()) j.out += "account " + budgetAccount(l, i) + "\n";
    // The funds as money held for a purpose: hledger's balance sheet then nets the cash down to
    // the undesignated funds. ledger takes the indented comment as a comment.
    j.out += "account Funds\n    ; type: L\n";
    for (int i = 1; i <= kLastWorkingRow; ++i)
        if (!l.DesigAcctNumber[i].empty()) j.out += "account " + fundAccount(l, i) + "\n";
    for (int k = 1; k <= kLastSourceRow; ++k)
        if (!l.SourceId[k].empty()) j.out += "account " + sourceAccount(l, k) + "\n";

    j.out += "\n" + dayBefore + " * Opening balances\n";
    Money opening = l.Summary[kBeginningBalance];
    j.posting(kCash, opening);
    for (int i = 1; i <= kLastWorkingRow; ++i) {
        const Money atFirst = l.DesigAmount[i][kAtFirstOfMonth];
        if (atFirst.isZero()) continue;
        j.posting(fundAccount(l, i), -atFirst);
        opening -= atFirst;
    }
    for (int i = 1; i <= kLastWorkingRow; ++i) {
        const Money before = l.BudgetAmount[i][kSpentInYear] - l.BudgetAmount[i][kSpentInMonth];
        if (before.isZero()) continue;
        j.posting(budgetAccount(l, i), before);
        opening += before;
    }
    j.posting(kOpening, -opening);
    j.out += "\n";

    for (std::size_t index = 0; index < records.size(); ++index) {
        const ActionRecord& record = records[index];
        const std::string_view code = record.code();
        const std::string_view kind = actionKind(code);
        if (kind.empty()) continue;  // fund creations and names: not actions
        const std::string number = "(" + std::to_string(index + 1) + ")";
        if (code == "ZZ") {
            j.out += "; " + number + " cancelled\n\n";
            continue;
        }
        std::string head = number + " " + std::string(kind);
        if (const std::string reference = commentText(record.reference()); !reference.empty())
            head += "  ; " + reference;
        const Money amount = record.amount();
        // The rows the replay credits, so the journal's balances are the month's figures.
        int row = 0;
        if (code == "DP") {
            j.transaction(day1, head, kCash, kUndesignated, amount);
        } else if (code == "BX" || code == "TO") {
            row = code == "BX" ? budgetRowForExpenditure(l, record) : budgetRowForTransfer(l, record);
            if (row != 0) j.transaction(day1, head, budgetAccount(l, row), kCash, amount);
        } else if (code == "DX") {
            row = fundRowFor(l, record.accountKey());
            if (row != 0) j.transaction(day1, head, fundAccount(l, row), kCash, amount);
        } else if (code == "DD" || code == "TI") {
            row = fundRowFor(l, record.accountKey());
            if (row != 0)
                j.transaction(day1, head, code == "DD" ? kUndesignated : kCash, fundAccount(l, row), amount);
        } else if (code == "SX") {
            row = sourceRowFor(l, record.accountKey());
            if (row != 0) j.transaction(day1, head, kUndesignated, sourceAccount(l, row), amount);
        }
        if (code != "DP" && row == 0) {
            j.out += "; " + number + " " + std::string(kind) + " of " + plainAmount(amount) + " to \"" +
                     commentText(record.accountKey()) + "\" left out: no such account in this month\n\n";
        }
    }
    return j.out;
}

}  // namespace quorvel
