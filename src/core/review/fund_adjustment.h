// Adjusting the designated funds: the listing with the four month amounts, renaming a fund
// and setting its balance at the first of the month, new funds, deleting a fund whose
// amounts add up to 0 and moving a fund to the top. Each change is saved and the month
// reloaded; the journal is never touched (records name funds by number, not by row).
#pragma once

#include <string>

#include "actions/pick_lists.h"
#include "ledger/journal.h"
#include "ledger/ledger.h"
#include "ledger/ledger_routines.h"
#include "ledger/status.h"

namespace quorvel {

inline constexpr const char* kFundAdjustHeading =
    "        - Designated Accounts -         BAL FIRST     DESIGNATED    EXPENDED     REMAINING";
inline constexpr const char* kFundAdjustHeading2 =
    "                                        OF  MONTH     IN   MONTH    IN MONTH     BALANCE";
inline constexpr const char* kCreateFundLine = "      - Create New Account -";
inline constexpr const char* kFundNameNeeded = "A designated fund needs a name.";
inline constexpr const char* kFundNotEmpty = "Only a fund whose amounts add up to 0.00 can be deleted.";
inline constexpr const char* kFundHasActions =
    "This fund has expenditures or transfers recorded this month. Cancel them under View/Adjust Action "
    "before deleting it.";

// The two headings, a line per named fund (rows without a name are left out; every line keeps
// its own row), then the "Create New Account" line, which stands for the row after the last fund.
PickList fundAdjustList(const Ledger& ledger);

// Ok when fund `row` can be deleted: its amounts add up to exactly 0 and no expenditure or
// transfer of this month names it; otherwise why not.
Status fundDeletion(const Ledger& ledger, const Journal& journal, int row);

struct FundEdit {
    std::string name;        // as typed
    std::string amountText;  // the balance box, read by the typed-amount rule
};

// Sets the name and the balance at the first of the month of fund `row`; a row without a
// number (a new fund) gets one. Refuses a blank name, a name the name rules refuse (stored
// trimmed), a text that is no amount and an amount too large to show, as well as a new fund
// when all 100 rows are taken.
Status changeFund(Ledger& ledger, Journal& journal, int row, const FundEdit& edit, const RandomBelow& random);

// Removes fund `row` (refused unless fundDeletion allows it); the funds below move up.
Status deleteFund(Ledger& ledger, Journal& journal, int row);

// Makes fund `row` the first; the funds above it move down one place.
Status moveFundToTop(Ledger& ledger, Journal& journal, int row);

}  // namespace quorvel
