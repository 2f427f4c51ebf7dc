#include "reconciliation_text.h"

#include "ledger/text_fields.h"
#include "review/month_summary.h"

namespace quorvel {
namespace {

std::string amountColumn(Money amount) { return alignRight(amount.format00(), 12); }

std::string countedHeading(const char* title, std::size_t count) {
    return std::string(title) + " (" + std::to_string(count) + ")";
}

}  // namespace

std::string bookItemLine(const BookItem& item) {
    const Money booked = item.amount.units() < 0 ? -item.amount : item.amount;
    return padRight(item.origin, 9) + padRight(item.code, 4) + padRight(item.reference, 12) +
           amountColumn(booked);
}

std::string statementLineText(const StatementLine& line) {
    const std::string date = line.date ? dayText(line.date) : std::string("(no date)");
    return padRight(date, 12) + padRight(line.cheque.empty() ? "" : "ck " + line.cheque, 10) +
           amountColumn(line.amount) + "  " + line.description.substr(0, 40);
}

std::vector<std::string> balanceLines(const BalanceCheck& check) {
    std::vector<std::string> lines;
    if (check.proposed > 0)
        lines.push_back("Provisional: " + std::to_string(check.proposed) +
                        " proposed matches, not yet confirmed, count as cleared");
    lines.insert(lines.end(), {
                                  summaryLine("Statement balance", check.statement),
                                  summaryLine("+ Deposits in transit", check.depositsInTransit),
                                  summaryLine("- Outstanding cheques", check.outstandingCheques),
                                  summaryLine("+ Other accounts", check.otherAccounts),
                                  summaryLine("= Reconciled balance", check.reconciled),
                                  summaryLine("Book balance (remaining balance)", check.book),
                                  summaryLine(check.agrees() ? "Difference (the books agree)"
                                                             : "Difference (the books do not agree)",
                                              check.difference),
                              });
    return lines;
}

std::vector<std::string> reconciliationLines(const Reconciliation& rec, const BalanceCheck& check,
                                             const std::string& month) {
    std::vector<std::string> lines;
    lines.push_back("Bank reconciliation of " + month);
    lines.push_back(
        "Statement " + rec.statementName + ", closing balance " + rec.statement.closingBalance.format00() +
        (rec.statement.closingDate ? " on " + dayText(rec.statement.closingDate) : std::string()));
    const ReconciliationLists lists = reconciliationLists(rec);
    lines.emplace_back();
    lines.push_back(countedHeading("Matched", lists.matched.size()));
    for (const std::size_t i : lists.matched) {
        lines.push_back("  " + statementLineText(rec.statement.lines[i]));
        lines.push_back("      = " + bookItemLine(rec.items[*rec.match[i]]) +
                        (rec.confirmed[i] ? "" : "  (proposed)"));
    }
    lines.push_back(countedHeading("Statement lines without an action", lists.bankOnly.size()));
    for (const std::size_t i : lists.bankOnly)
        lines.push_back("  " + statementLineText(rec.statement.lines[i]));
    if (!rec.statement.pending.empty()) {
        const std::size_t count = rec.statement.pending.size();
        lines.push_back(countedHeading("Pending at the bank (not in the closing balance)", count));
        for (const StatementLine& line : rec.statement.pending)
            lines.push_back("  " + statementLineText(line));
    }
    lines.push_back(countedHeading("Outstanding cheques", lists.outstandingCheques.size()));
    for (const std::size_t i : lists.outstandingCheques) lines.push_back("  " + bookItemLine(rec.items[i]));
    lines.push_back(countedHeading("Deposits in transit", lists.depositsInTransit.size()));
    for (const std::size_t i : lists.depositsInTransit) lines.push_back("  " + bookItemLine(rec.items[i]));
    lines.push_back(countedHeading("Other accounts", rec.others.size()));
    for (const OtherAccount& other : rec.others)
        lines.push_back("  " + summaryLine(other.name, other.amount));
    lines.emplace_back();
    for (std::string& line : balanceLines(check)) lines.push_back(std::move(line));
    return lines;
}

std::vector<PrintStep> printedReconciliation(const std::vector<std::string>& lines) {
    std::vector<PrintStep> steps = {PrintStep::font(14), PrintStep::bold(true)};
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (!lines[i].empty()) steps.push_back(PrintStep::textAt(1, lines[i]));
        steps.push_back(PrintStep::endLine());
        if (i == 0) {
            steps.push_back(PrintStep::bold(false));
            steps.push_back(PrintStep::font(10));
        }
    }
    return steps;
}

}  // namespace quorvel
