// Reconciling a month with its bank statement. The month's actions that move money through
// the bank (budget and designated expenditures out, deposits in) and the items carried from
// last month's reconciliation are the book items; each statement line is matched to at most
// one of them. What stays unmatched on the books is outstanding (cheques) or in transit
// (deposits); unmatched statement lines are the bank's own entries (fees, interest).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "ledger/action_record.h"
#include "statement.h"

namespace quorvel {

struct BookItem {
    std::string origin;       // the month the action belongs to ("DEC2026")
    std::int64_t record = 0;  // its journal record number there
    std::string code;         // "BX", "DX" or "DP"
    Money amount;             // as the bank sees it: deposits positive, payments negative
    std::string reference;    // the action's reference, trimmed
    bool carried = false;     // from an earlier month's reconciliation

    std::string cheque() const;  // the cheque number the reference names, or empty
    Day date() const;            // the date the reference holds, or 0
    std::string key() const { return origin + ":" + std::to_string(record); }
    bool operator==(const BookItem&) const = default;
};

// The cheque number a reference names: digits alone or after a short word or sign ("4511",
// "ck 4511", "#4511", "chk.4511"); empty for a date or any other text.
std::string chequeInReference(std::string_view reference);

// The book items of one month's journal, in record order; `origin` names the month.
std::vector<BookItem> bookItems(const std::vector<ActionRecord>& records, const std::string& origin);

struct OtherAccount {
    std::string name;
    Money amount;
    bool operator==(const OtherAccount&) const = default;
};

struct Reconciliation {
    Statement statement;
    std::string statementName;    // the file the statement came from, for the page
    std::vector<BookItem> items;  // this month's, then the carried ones
    // Per statement line: the index into `items` it is matched to, and whether the
    // treasurer confirmed it (otherwise the program proposed it).
    std::vector<std::optional<std::size_t>> match;
    std::vector<bool> confirmed;
    std::vector<OtherAccount> others;

    void resetMatches();
    bool itemMatched(std::size_t item) const;
    bool itemConfirmed(std::size_t item) const;
    // Sets (or, with nothing, clears) line `line`'s match as confirmed; a match the item had
    // with another line is taken from it.
    void confirm(std::size_t line, std::optional<std::size_t> item);
    // Confirms every proposed match; how many there were.
    std::size_t confirmProposals();
};

// The items a statement line could be: a line with a cheque number only the items naming that
// number, by amount; other lines by amount,
// and by date where the action's reference holds one (the bank books a deposit on the day or
// in the days after it was made). Items already matched are left out.
std::vector<std::size_t> candidatesFor(const Reconciliation& rec, std::size_t line);

// Proposes a match for every unmatched line where exactly one item fits and that item fits
// no other unmatched line, lines with a cheque number first. Existing matches stay.
void proposeMatches(Reconciliation& rec);

struct ReconciliationLists {
    std::vector<std::size_t> matched;             // statement lines
    std::vector<std::size_t> bankOnly;            // statement lines without an action
    std::vector<std::size_t> outstandingCheques;  // items paid out, not yet through the bank
    std::vector<std::size_t> depositsInTransit;   // items paid in, not yet through the bank
};
ReconciliationLists reconciliationLists(const Reconciliation& rec);

// statement balance + deposits in transit - outstanding cheques + other accounts, against
// the book balance (the month's remaining balance).
struct BalanceCheck {
    Money statement;
    Money depositsInTransit;
    Money outstandingCheques;  // as a positive sum
    Money otherAccounts;
    Money reconciled;
    Money book;
    Money difference;  // reconciled - book
    // Matches proposed and not yet confirmed: the figures count them as cleared, provisionally;
    // only confirmed matches clear an item for the months after.
    std::size_t proposed = 0;
    bool agrees() const { return difference.isZero(); }
};
BalanceCheck balanceCheck(const Reconciliation& rec, Money bookBalance);

}  // namespace quorvel
