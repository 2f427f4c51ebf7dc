// A bank statement as the reconciliation sees it, whatever file it came from: its lines
// (money in positive, money out negative) and its closing balance. The readers beside the
// core fill it; the core never reads a statement file itself.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ledger/money.h"

namespace quorvel {

// A calendar day as a count of days, so dates compare and subtract; 0 means unknown.
using Day = int;
Day dayNumber(int year, int month, int day);  // 0 for a date that does not exist
std::string dayText(Day day);                 // "2026-12-08", empty for 0
Day parseDayText(std::string_view text);      // the inverse of dayText, 0 when it is not one
// A date as treasurers and banks write it: "12/08/26", "12/8/2026", "2026-12-08", "20261208";
// with `dayFirst`, "08/12/26" for the same day.
Day parseWrittenDate(std::string_view text, bool dayFirst = false);
// "12/08/26": how the program's entry windows hold a date in an action's reference.
std::string referenceDate(Day day);

struct StatementLine {
    Day date = 0;
    std::string description;
    std::string cheque;  // the cheque number as digits, empty when the line is no cheque
    Money amount;        // into the account positive, out of it negative
    int sourceLine = 0;  // line of the statement file, for messages

    bool operator==(const StatementLine&) const = default;
};

struct Statement {
    std::vector<StatementLine> lines;
    // Lines newer than the closing balance (a CSV's rows without one at the newest end): the
    // bank has not yet booked them, so they take no part in matching or the balance.
    std::vector<StatementLine> pending;
    Money closingBalance;
    Day closingDate = 0;
};

}  // namespace quorvel
