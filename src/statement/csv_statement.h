// Statements in CSV: a header row naming the columns, then one row per transaction. The
// usual header names are recognised; otherwise the treasurer says which column holds what.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ledger/status.h"
#include "reconcile/statement.h"

namespace quorvel::statement {

// The order of day and month in a statement's dates ("08/12/2026"): unknown until given or
// told by a date whose first or second number is above 12.
enum class DateOrder { Unknown, MonthFirst, DayFirst };

// Column numbers from 0; -1 where the statement has no such column. A statement has either
// an amount column or debit and credit columns. Only a date order given, the header's columns.
struct CsvColumns {
    int date = -1;
    int description = -1;
    int cheque = -1;
    int amount = -1;
    int debit = -1;
    int credit = -1;
    int balance = -1;
    DateOrder dates = DateOrder::Unknown;
    bool operator==(const CsvColumns&) const = default;
};

// The columns the usual header names give ("Date", "Description", "Check Number" or
// "Cheque Number", "Amount" or "Debit" and "Credit", "Balance"), letter case and blanks
// aside; nothing when the date or the amount cannot be found.
std::optional<CsvColumns> columnsFromHeader(const std::vector<std::string>& header);

// The mapping as it is typed and remembered: "date=1,description=2,cheque=3,amount=4,
// balance=5,dates=dmy" (column numbers from 1; debit= and credit= instead of amount=; dates=
// mdy or dmy, the order of the dates, also alone for a header that names the columns).
Result<CsvColumns> parseColumnMapping(std::string_view text);
std::string composeColumnMapping(const CsvColumns& columns);

// The header row of a CSV statement, for the mapping dialog.
Result<std::vector<std::string>> csvHeader(std::string_view bytes, const std::string& name);

// The whole statement. Without `columns` the header must name them. Dates that could be
// month/day or day/month are refused unless the order is given or another date tells it. The running balances
// must follow from the amounts, in the file's order or reversed, which tells the newest row;
// the closing balance is its balance. Any field that cannot be read refuses the statement,
// naming its line; `name` names the file in messages.
Result<Statement> readCsvStatement(std::string_view bytes, const std::string& name,
                                   const std::optional<CsvColumns>& columns);

}  // namespace quorvel::statement
