// The lines of the setup list: budget accounts from the highest number down, designated
// funds in the order they were entered.
// Line 0 is a title; line s stands for budget row BudgetCount - s + 1, or for fund row s.
#pragma once

#include <string>
#include <vector>

#include "annual_setup.h"

namespace quorvel {

// The list is rebuilt on three occasions, each with its own title and number form.
enum class ListOccasion {
    Switched,  // the mode was chosen: no lines at all without entries; amounts as " 1200"
    Added,     // an entry was added: amounts as "1200.00"
    Deleted,   // an entry was deleted: amounts as " 1200", the title even when nothing is left
};

inline constexpr const char* kBudgetTitle = "     - Budget Accounts shown in reverse order - ";
inline constexpr const char* kBudgetTitleAfterDelete = "     - Budget Accounts Shown in Reverse Order - ";
inline constexpr const char* kFundTitle = "        - Designated Funds Added -";
inline constexpr const char* kFundTitleAfterDelete = "     - Designated Accounts Added - ";

// Each entry line is 50 characters: the budget number in 1-3 and the name from 5, or the
// fund's name from 1; the balance right-aligned in 38-49, over the end of a long name.
std::vector<std::string> setupListLines(const Ledger& year, SetupMode mode, ListOccasion occasion);

}  // namespace quorvel
