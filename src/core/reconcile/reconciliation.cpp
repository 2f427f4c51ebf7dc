#include "reconciliation.h"

#include <cctype>

#include "ledger/text_fields.h"

namespace quorvel {
namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// How far from the day an action was recorded the bank may book it.
constexpr int kDaysBefore = 3;
constexpr int kDaysAfter = 10;

}  // namespace

std::string chequeInReference(std::string_view reference) {
    std::string_view text = trimBlanks(reference);
    std::size_t digits = text.size();
    while (digits > 0 && isDigit(text[digits - 1])) --digits;
    const std::string_view number = text.substr(digits);
    if (number.empty()) return {};
    for (const char c : text.substr(0, digits)) {
        const bool wordOrSign =
            std::isalpha(static_cast<unsigned char>(c)) || c == '#' || c == '.' || c == ' ';
        if (!wordOrSign) return {};
    }
    if (digits > 6) return {};  // a longer word is a description, not "ck" or "chk."
    const std::size_t first = number.find_first_not_of('0');
    return first == std::string_view::npos ? std::string("0") : std::string(number.substr(first));
}

std::string BookItem::cheque() const { return code == "DP" ? std::string() : chequeInReference(reference); }
Day BookItem::date() const { return parseWrittenDate(reference); }

std::vector<BookItem> bookItems(const std::vector<ActionRecord>& records, const std::string& origin) {
    std::vector<BookItem> items;
    for (std::size_t n = 0; n < records.size(); ++n) {
        const std::string_view code = records[n].code();
        // An action of 0.00 moves no money: it is neither outstanding nor in transit.
        if ((code != "BX" && code != "DX" && code != "DP") || records[n].amount().isZero()) continue;
        BookItem item;
        item.origin = origin;
        item.record = static_cast<std::int64_t>(n) + 1;
        item.code = std::string(code);
        item.amount = code == "DP" ? records[n].amount() : -records[n].amount();
        item.reference = std::string(trimBlanks(records[n].reference()));
        items.push_back(std::move(item));
    }
    return items;
}

void Reconciliation::resetMatches() {
    match.assign(statement.lines.size(), std::nullopt);
    confirmed.assign(statement.lines.size(), false);
}

bool Reconciliation::itemMatched(std::size_t item) const {
    for (const auto& m : match)
        if (m == item) return true;
    return false;
}

bool Reconciliation::itemConfirmed(std::size_t item) const {
    for (std::size_t line = 0; line < match.size(); ++line)
        if (match[line] == item && confirmed[line]) return true;
    return false;
}

void Reconciliation::confirm(std::size_t line, std::optional<std::size_t> item) {
    if (item) {
        for (std::size_t other = 0; other < match.size(); ++other) {
            if (other != line && match[other] == item) {
                match[other].reset();
                confirmed[other] = false;
            }
        }
    }
    match[line] = item;
    confirmed[line] = item.has_value();
}

std::size_t Reconciliation::confirmProposals() {
    std::size_t proposals = 0;
    for (std::size_t line = 0; line < match.size(); ++line) {
        if (match[line] && !confirmed[line]) {
            confirmed[line] = true;
            ++proposals;
        }
    }
    return proposals;
}

std::vector<std::size_t> candidatesFor(const Reconciliation& rec, std::size_t line) {
    const StatementLine& s = rec.statement.lines[line];
    std::vector<std::size_t> byNumber;
    std::vector<std::size_t> byAmount;
    for (std::size_t i = 0; i < rec.items.size(); ++i) {
        const BookItem& item = rec.items[i];
        if (item.amount != s.amount || rec.itemMatched(i)) continue;
        const std::string cheque = item.cheque();
        if (!s.cheque.empty() && cheque == s.cheque) {
            byNumber.push_back(i);
            continue;
        }
        // A numbered line is that cheque and no other action, numbered otherwise or not at all.
        if (!s.cheque.empty()) continue;
        const Day written = item.date();
        if (written != 0 && s.date != 0 && (s.date < written - kDaysBefore || s.date > written + kDaysAfter))
            continue;
        byAmount.push_back(i);
    }
    return byNumber.empty() ? byAmount : byNumber;
}

namespace {

// One pass over the unmatched lines that `take` admits.
template <typename Take>
void proposePass(Reconciliation& rec, Take take) {
    std::vector<std::vector<std::size_t>> candidates(rec.statement.lines.size());
    std::vector<int> wanted(rec.items.size(), 0);
    for (std::size_t line = 0; line < candidates.size(); ++line) {
        if (rec.match[line] || !take(rec.statement.lines[line])) continue;
        candidates[line] = candidatesFor(rec, line);
        for (const std::size_t item : candidates[line]) ++wanted[item];
    }
    for (std::size_t line = 0; line < candidates.size(); ++line) {
        if (candidates[line].size() == 1 && wanted[candidates[line].front()] == 1) {
            rec.match[line] = candidates[line].front();
            rec.confirmed[line] = false;
        }
    }
}

}  // namespace

void proposeMatches(Reconciliation& rec) {
    if (rec.match.size() != rec.statement.lines.size()) rec.resetMatches();
    // Cheque numbers first: a numbered line is surer than an amount alone.
    proposePass(rec, [](const StatementLine& line) { return !line.cheque.empty(); });
    proposePass(rec, [](const StatementLine&) { return true; });
}

ReconciliationLists reconciliationLists(const Reconciliation& rec) {
    ReconciliationLists lists;
    for (std::size_t line = 0; line < rec.statement.lines.size(); ++line)
        (line < rec.match.size() && rec.match[line] ? lists.matched : lists.bankOnly).push_back(line);
    for (std::size_t i = 0; i < rec.items.size(); ++i) {
        if (rec.itemMatched(i)) continue;
        (rec.items[i].amount.units() < 0 ? lists.outstandingCheques : lists.depositsInTransit).push_back(i);
    }
    return lists;
}

BalanceCheck balanceCheck(const Reconciliation& rec, Money bookBalance) {
    BalanceCheck check;
    check.statement = rec.statement.closingBalance;
    const ReconciliationLists lists = reconciliationLists(rec);
    for (const std::size_t i : lists.depositsInTransit) check.depositsInTransit += rec.items[i].amount;
    for (const std::size_t i : lists.outstandingCheques) check.outstandingCheques -= rec.items[i].amount;
    for (const OtherAccount& other : rec.others) check.otherAccounts += other.amount;
    check.reconciled =
        check.statement + check.depositsInTransit - check.outstandingCheques + check.otherAccounts;
    check.book = bookBalance;
    check.difference = check.reconciled - check.book;
    for (const std::size_t line : lists.matched) check.proposed += rec.confirmed[line] ? 0 : 1;
    return check;
}

}  // namespace quorvel
