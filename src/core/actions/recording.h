// Recording the month's actions. Each operation writes its journal record first and, only once
// the record is safely on disk, applies it as a load's replay would (ledger/replay.h); a
// failure leaves the tables as they were.
// Amounts arrive as the text of an amount box and are read by the typed-amount rule
// (ledger/typed_amount.h); a text that is no amount is refused and nothing is recorded.
#pragma once

#include <string>
#include <string_view>

#include "ledger/journal.h"
#include "ledger/ledger.h"
#include "ledger/ledger_routines.h"
#include "ledger/status.h"

namespace quorvel {

// True when spending `amount` from budget row `row` would pass what remains of its budget.
bool overBudget(const Ledger& ledger, int row, Money amount);
// True when `amount` is more than designated row `row` holds.
bool exceedsFund(const Ledger& ledger, int row, Money amount);

inline constexpr const char* kFundOverdrawn = "You may not spend more than exists in a designated fund";
inline constexpr const char* kOutOfFundSpace = "out of designated account space";
inline constexpr const char* kOutOfSourceSpace = "out of source space";

// "BX": charged to the account for the year and the month.
Status recordBudgetExpenditure(Ledger& ledger, Journal& journal, int row, std::string_view amountText,
                               std::string_view reference);
// "DX": refused (kFundOverdrawn) when the fund holds less than the amount.
Status recordDesignatedExpenditure(Ledger& ledger, Journal& journal, int row, std::string_view amountText,
                                   std::string_view reference);
// "DP": the month's receipts and cash grow.
Status recordDeposit(Ledger& ledger, Journal& journal, std::string_view amountText,
                     std::string_view reference);
// "DD": part of the deposits given to a fund; the month is reloaded afterwards.
Status recordDesignation(Ledger& ledger, Journal& journal, int row, std::string_view amountText,
                         std::string_view reference);
// "SX": income noted from a deposit source; the cash was already counted by its deposit.
Status recordSourceNote(Ledger& ledger, Journal& journal, int row, std::string_view amountText,
                        std::string_view reference);
// A transfer record carries the account number in three characters and is found again by
// all three; an account with a shorter number would never be charged, so it cannot transfer.
bool canTransferFrom(const Ledger& ledger, int budgetRow);
std::string cannotTransferMessage(const Ledger& ledger, int budgetRow);

// "TO" then "TI": spent from a budget account, received by a fund; saved and reloaded.
Status recordTransfer(Ledger& ledger, Journal& journal, int budgetRow, int fundRow,
                      std::string_view amountText, std::string_view reference);

// A new fund in row DesigCount + 1 with balance 0 and a new number, saved at once.
// With `announceInJournal` (a fund made during a transfer) "DN" and "D2" records announce it.
// Returns the new row; refuses (kOutOfFundSpace) when 100 funds are in use, and a name the
// name rules refuse (ledger/name_rules.h); the name is stored trimmed.
Result<int> createFund(Ledger& ledger, Journal& journal, std::string_view name, const RandomBelow& random,
                       bool announceInJournal);
// A new deposit source in the first free row, saved at once. Refuses (kOutOfSourceSpace) when
// all 50 are in use, and a name the name rules refuse. Returns the new row.
Result<int> createSource(Ledger& ledger, Journal& journal, std::string_view name, const RandomBelow& random);

}  // namespace quorvel
