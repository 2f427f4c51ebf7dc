// The ledger of one month: fixed-size tables indexed by row, as the month file stores them.
//
// Rows 1..100 are the working range of the account tables. Row 0 and row 101 of the budget
// tables, and row 0 / column 0 of the designated amounts, hold no ledger data: the report and
// the budget sort use them as work cells, and row 101 still travels through the month file.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "money.h"

namespace quorvel {

inline constexpr int kAccountRows = 102;     // rows 0..101
inline constexpr int kLastWorkingRow = 100;  // rows 1..100 hold accounts
inline constexpr int kSourceRows = 52;       // rows 0..51; sources use 1..50
inline constexpr int kLastSourceRow = 50;
inline constexpr int kSummaryLines = 10;  // Summary(1..10)
inline constexpr int kSections = 10;      // SectionStart/SectionTitle(1..10)
// One slot per fund row, so every fund receiving a transfer has one (slot 0 stays unused).
inline constexpr int kTransferSlots = kLastWorkingRow;

// Columns of BudgetAmount(i, c).
enum BudgetColumn { kBudgeted = 1, kSpentInYear = 2, kSpentInMonth = 3, kRemaining = 4 };
// Columns of DesigAmount(i, c).
enum DesigColumn { kAtFirstOfMonth = 1, kReceivedInMonth = 2, kSpentFromFund = 3, kFundRemaining = 4 };

// Summary(index) meanings.
enum SummaryLine {
    kBeginningBalance = 1,
    kDesignatedAtFirst = 2,
    kUndesignatedReceipts = 3,
    kTotalReceipts = 4,
    kInternalTransfers = 5,
    kDesignatedExpenditures = 6,
    kBudgetExpenditures = 7,
    kTotalExpenditures = 8,
    kRemainingBalance = 9,
    kDesignatedFundTotals = 10,
};

using AmountRow = std::array<Money, 5>;  // columns 0..4

struct Ledger {
    std::array<std::string, kAccountRows> BudgetAcctNumber{};
    std::array<std::string, kAccountRows> BudgetAcctName{};
    std::array<AmountRow, kAccountRows> BudgetAmount{};

    std::array<std::string, kAccountRows> DesigAcctNumber{};
    std::array<std::string, kAccountRows> DesigAcctName{};
    std::array<AmountRow, kAccountRows> DesigAmount{};

    std::array<std::string, kSourceRows> SourceId{};
    std::array<std::string, kSourceRows> SourceName{};
    std::array<Money, kSourceRows> SourceAmount{};

    std::array<Money, kSummaryLines + 1> Summary{};
    std::array<std::string, kSections + 1> SectionStart{};
    std::array<std::string, kSections + 1> SectionTitle{};

    std::array<std::string, kTransferSlots + 1> TransferAcct{};
    std::array<Money, kTransferSlots + 1> TransferAmount{};

    std::string CurrentFile;
    int BudgetCount = 0;
    int DesigCount = 0;

    bool operator==(const Ledger&) const = default;
};

// A name is in use when it compares greater than a single space ("" and " " are not; " x" is).
inline bool nameInUse(std::string_view name) { return name > std::string_view(" "); }

// A deposit source is listed when its name has two or more characters.
inline bool sourceListed(std::string_view name) { return name.size() >= 2; }

}  // namespace quorvel
