// Adjusting the budget accounts: the listing with the four amounts, changing an account's
// number, name, annual budget or expenditure in the year, new accounts, and deleting one.
// An account's journal records follow it: a new number is written into them, and deleting
// the account cancels them. Every change ends with the month saved and reloaded.
#pragma once

#include <string>
#include <string_view>

#include "actions/pick_lists.h"
#include "ledger/journal.h"
#include "ledger/ledger.h"
#include "ledger/status.h"

namespace quorvel {

inline constexpr const char* kBudgetAdjustHeading =
    "        - Budget Accounts -             ANNUAL        EXPENDED      EXPENDED     REMAINING";
inline constexpr const char* kBudgetAdjustHeading2 =
    "                                        BUDGET        IN  YEAR      IN MONTH     BALANCE";
inline constexpr const char* kCreateBudgetLine = "         - Create New Budgeted Account -";
inline constexpr const char* kNewAccountNumber = "999";
inline constexpr const char* kNewAccountName = "New Account";

inline constexpr const char* kDuplicateNumber = "Duplicate account number prohibited";
inline constexpr const char* kBudgetNameNeeded = "A budget account needs a name.";
// The most a name box holds; a longer name would be cut by the box without a word.
inline constexpr std::size_t kLongestBudgetName = 32767;
inline constexpr const char* kBudgetNameTooLong =
    "A budget account's name has at most 32,767 characters. Shorten it to change the account.";
inline constexpr const char* kNoBudgetRowFree = "out of budget account space";

// The two headings, the accounts from row 1 up to the first row without a number, then the
// "Create New Budgeted Account" line, which stands for the first row without a number.
PickList budgetAdjustList(const Ledger& ledger);

// The five characters under which the journal holds an account's records (positions 4-8):
// two blanks and the number, a shorter number followed by blanks as the records have it.
std::string budgetFilterKey(std::string_view number);

struct BudgetEdit {
    std::string number;    // as typed
    std::string name;      // as typed; stored without outer blanks
    std::string budgeted;  // the amount boxes, read by the typed-amount rule
    std::string expended;
};

// Changes account `row`, or creates it when the row holds no account yet. A changed number
// must be chargeable (ledger/budget_number.h) and new among the accounts (kDuplicateNumber);
// it is stored in three digits, written into the account's "BX" and "TO" records, carried by
// a section that starts at the account, and the accounts are sorted again. Nothing changes
// when the change is refused or cannot be saved.
Status changeBudgetAccount(Ledger& ledger, Journal& journal, int row, const BudgetEdit& edit);

// Removes account `row`: the accounts below move up, a section starting at it goes, and its
// "BX" and "TO" records (with the "TI" half that directly follows a "TO") become
// "ZZ - action deleted -". Nothing changes when it cannot all be saved.
Status deleteBudgetAccount(Ledger& ledger, Journal& journal, int row);

}  // namespace quorvel
