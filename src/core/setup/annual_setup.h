// A new year's ledger built from nothing: the budget accounts and designated funds the
// treasurer enters, kept in the tables of a Ledger so the first month file is written from
// exactly what the setup list shows. Budget accounts stay in account-number order at all
// times; funds keep the order in which they were entered.
#pragma once

#include <string>
#include <string_view>

#include "ledger/ledger.h"
#include "ledger/ledger_routines.h"
#include "ledger/status.h"

namespace quorvel {

inline constexpr const char* kOutOfBudgetSpace = "out of budget account space";
inline constexpr const char* kOutOfDesignatedSpace = "out of designated account space";
inline constexpr const char* kDuplicateAccountNumber = "Duplicate account number prohibited";
inline constexpr const char* kNoLineSelected = "no line selected to delete";
inline constexpr const char* kNameNeeded = "Please type a name: an entry without a name would not be kept.";

enum class SetupMode { Budget, Designated };

class AnnualSetup {
public:
    AnnualSetup();

    // A budget account with its annual budget and the part of it still available; what is
    // not available counts as spent in the year before the setup. The number is read by the
    // budget number rule (ledger/budget_number.h) whatever box had the focus. Refused when 100
    // accounts exist, when the name is missing or cannot be stored, when the number cannot be
    // charged, or when another account has the same number.
    Status addBudgetAccount(std::string_view number, std::string_view name, Money budget, Money balance);
    // A designated fund with its balance, numbered by NewAccountId; refused at 100 funds and
    // for a name the name rules refuse (ledger/name_rules.h).
    Status addFund(std::string_view name, Money balance, const RandomBelow& random);
    // Deletes what line `line` of the setup list stands for (see setupListLines); line 0 is
    // the title and -1 means no selection: both are refused with kNoLineSelected.
    Status deleteLine(SetupMode mode, int line);

    // The entries as ledger tables (no cash on hand, nothing recomputed).
    const Ledger& tables() const { return year_; }

private:
    Ledger year_;
};

}  // namespace quorvel
