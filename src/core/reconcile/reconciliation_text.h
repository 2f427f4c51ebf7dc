// The reconciliation as lines of text: the four lists, then the balance formula ending with
// the difference. quorvel-cli prints them; the printed page is laid out from them.
#pragma once

#include <string>
#include <vector>

#include "reconciliation.h"
#include "report/print_steps.h"

namespace quorvel {

// One line per book item: "DEC2026  BX  ck 4511         4000.00" (the amount as the books
// hold it, without the bank's sign).
std::string bookItemLine(const BookItem& item);
// One line per statement line: date, cheque number, amount, description.
std::string statementLineText(const StatementLine& line);

// `month` names the month in the title line.
std::vector<std::string> reconciliationLines(const Reconciliation& rec, const BalanceCheck& check,
                                             const std::string& month);
// The formula alone, as the window shows it, after a line saying how many proposed matches
// it counts provisionally.
std::vector<std::string> balanceLines(const BalanceCheck& check);

// The printed page: the first line as a title, the rest in the report's font and size, so it
// plays through the same replay as the treasurer's report.
std::vector<PrintStep> printedReconciliation(const std::vector<std::string>& lines);

}  // namespace quorvel
