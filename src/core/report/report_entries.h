// What the report window adds to the ledger for the treasurer's report: three title lines
// and up to five accounts (name and amount) where the congregation's money is held. Texts
// are Windows-1252 bytes, amounts the texts of the amount boxes.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "ledger/money.h"

namespace quorvel {

inline constexpr int kReportTitles = 3;
inline constexpr int kReportAccounts = 5;

struct ReportEntries {
    std::array<std::string, kReportTitles> titles{"Treasurer's Report", "", ""};
    std::array<std::string, kReportAccounts> accountNames{};
    std::array<std::string, kReportAccounts> accountAmounts{};

    Money amount(int account) const { return Money::fromText(accountAmounts[account]); }
    // The sum of the five amounts, each read on its own.
    Money accountsTotal() const;
};

// An account amount box's text once it has lost the focus: the amount as "0.00", or empty
// when that reads as 0 (so "abc", "0" and "-0.001" all leave the box empty).
std::string settledAmountText(std::string_view typed);

// The number of copies the copies box asks for: its numeric value rounded to the nearest
// whole number, halves to the even one. Nothing when that is outside the 16-bit range.
std::optional<int> copiesRequested(std::string_view text);

}  // namespace quorvel
