// The report's sections ("catagories"): each starts at a budget account and carries a title.
// Sections are used from place 1 up to the first place without a start, and stand in
// ascending order of their start number compared as text (numbers are three-digit texts).
// The window shows and accepts at most nine of the ten places.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "ledger/journal.h"
#include "ledger/ledger.h"
#include "ledger/status.h"

namespace quorvel {

inline constexpr int kShownSections = 9;
inline constexpr const char* kSectionBudgetTitle = " - budget items from which to select -";
inline constexpr const char* kSectionsTitle = "       - Catagories Specified -";
inline constexpr const char* kSectionsAfterDeleteTitle = "    - Catagories created so far -";
inline constexpr const char* kSectionLimit = "maximum section number reached";
inline constexpr const char* kSectionNeedsBudgetItem = "you must select a budget item to do this";
inline constexpr const char* kSectionToDelete = "You must select a catagory to delete";

// The number of sections in use (0..10).
int sectionsInUse(const Ledger& ledger);

// The section each budget row falls in as the report walks the rows (0: before the first).
// Sections start strictly in their order: a start that is never met holds up the rest.
std::array<int, kAccountRows> budgetRowSections(const Ledger& ledger);

// The budget list: its title, then "number name" for rows 1..BudgetCount (line i is row i).
std::vector<std::string> sectionBudgetLines(const Ledger& ledger);
// `title`, then "start title" for each section in use, at most nine (line s is section s).
std::vector<std::string> sectionLines(const Ledger& ledger, std::string_view title);

// A section starting at budget row `budgetRow` (1..BudgetCount), put into order among the
// others. Refused (kSectionLimit) while nine are shown, at an account that already starts
// one, and for a title the month file cannot hold.
Status addSection(Ledger& ledger, int budgetRow, std::string_view title);
// Section `s` removed; those after it move up one place and place 10 becomes empty.
void removeSection(Ledger& ledger, int s);

// Saves the sections of `edited` with the loaded month and reloads it; on failure the loaded
// month stays as it was.
Status saveSections(Ledger& ledger, Journal& journal, const Ledger& edited);

}  // namespace quorvel
