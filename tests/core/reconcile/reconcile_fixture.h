// One small month and its statement, shared by the reconciliation tests: three cheques, two
// deposits of the same amount a week apart, an automatic payment, and a November cheque
// carried over, against a statement that also holds a fee and interest.
#pragma once

#include <string>
#include <vector>

#include "reconcile/reconciliation_file.h"

namespace quorvel::test {

inline std::vector<ActionRecord> kMonthRecords() {
    return {
        composeBudgetRecord("BX", "100", "100", "ck 4511"),
        composeBudgetRecord("BX", "110", "100", "ck 4512"),
        composeKeyedRecord("DX", "12345", "50", "ck 4513"),
        composeKeyedRecord("DP", "     ", "500", "12/08/26"),
        composeKeyedRecord("DP", "     ", "500", "12/15/26"),
        composeBudgetRecord("BX", "120", "25", "12/20/26"),
    };
}

inline std::vector<BookItem> monthItems(const std::vector<ActionRecord>& records = kMonthRecords()) {
    std::vector<BookItem> items = bookItems(records, "DEC2026");
    items.push_back({"NOV2026", 7, "BX", Money::cents(-8000), "ck 4490", true});
    return items;
}

inline Statement handStatement() {
    const auto day = [](int d) { return dayNumber(2026, 12, d); };
    Statement s;
    s.lines = {
        {day(4), "DEBIT", "", Money::cents(-10000), 1},
        {day(9), "DEPOSIT", "", Money::cents(50000), 2},
        {day(2), "CHECK 4490", "4490", Money::cents(-8000), 3},
        {day(31), "SERVICE CHARGE", "", Money::cents(-1250), 4},
        {day(31), "INTEREST", "", Money::cents(137), 5},
        {day(10), "CHECK 4513", "4513", Money::cents(-5000), 6},
        {day(21), "AUTOPAY", "", Money::cents(-2500), 7},
    };
    s.closingBalance = Money::cents(100000);
    s.closingDate = day(31);
    return s;
}

// The keys of `items`, in order, separated by blanks.
inline std::string keysOf(const std::vector<BookItem>& items) {
    std::string keys;
    for (const BookItem& item : items) keys += (keys.empty() ? "" : " ") + item.key();
    return keys;
}

}  // namespace quorvel::test
