// The month as a journal for plain-text accounting tools (ledger, hledger): the opening
// balances on the last day of the month before, then one transaction per action in journal
// order, dated the first of the month (the month's journal holds no dates).
//
// Accounts: Assets:Cash is the money on hand; Funds:<number> <name> holds each designated
// fund's balance as a credit; deposits are credited to Income:Undesignated Receipts, from
// which designations move to their fund and noted sources to Income:Sources:<id> <name>;
// budget expenditures and transfers out are debited to Expenses:Budget:<number> <name>,
// whose opening balance is the year's spending before this month. A transfer in adds to the
// fund and back to the cash, as the month summary counts it. So the balances are the month's
// figures: cash the remaining balance, each fund its remaining funds, each budget account
// its spending in the year (and in the month, from the first of the month on).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "ledger/action_record.h"
#include "ledger/ledger.h"
#include "ledger/month_names.h"

namespace quorvel {

// The whole journal, UTF-8, LF line ends. Actions the month's figures leave out (cancelled
// ones, those naming an account that is not there) stand as comments. `month` dates it.
std::string ledgerJournal(const Ledger& ledger, const std::vector<ActionRecord>& records, MonthOfYear month);

// The month a journal of `monthPath` is dated in: the one its file name names, else the
// current month (UTC).
MonthOfYear exportMonth(const std::string& monthPath);

// One part of an account name (code-page text) made safe for the journal's syntax: line
// breaks, tabs and other controls become blanks, runs of blanks one blank (two end a name),
// ':' (which starts a sub-account) becomes '-', ';' (which starts a comment) ','; trimmed.
std::string ledgerAccountPart(std::string_view cp1252);

}  // namespace quorvel
