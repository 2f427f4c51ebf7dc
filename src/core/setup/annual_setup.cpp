#include "annual_setup.h"

#include "ledger/account_table.h"
#include "ledger/budget_number.h"
#include "ledger/code_page.h"
#include "ledger/name_rules.h"
#include "ledger/text_fields.h"

namespace quorvel {
namespace {

Status checkName(std::string_view name) {
    if (Status s = checkStorableText(name, "The name"); !s) return s;
    // A row whose name is not in use does not exist for the rest of the program.
    if (!nameInUse(name)) return Status::Error(kNameNeeded);
    return Status::Ok();
}

}  // namespace

AnnualSetup::AnnualSetup() { ClearLedger(year_); }

Status AnnualSetup::addBudgetAccount(std::string_view typedNumber, std::string_view typedName, Money budget,
                                     Money balance) {
    const int count = year_.BudgetCount;
    if (count >= kLastWorkingRow) return Status::Error(kOutOfBudgetSpace);
    const std::string name(trimBlanks(typedName));
    if (Status s = checkName(name); !s) return s;
    const auto checked = chargeableNumber(typedNumber);
    if (!checked) return checked.status();
    const std::string& number = *checked;
    for (int k = 1; k <= count; ++k) {
        if (year_.BudgetAcctNumber[k] == number) return Status::Error(kDuplicateAccountNumber);
    }
    // Inserted in place rather than appended and sorted: the sort leaves row 100 out, which
    // would drop the hundredth account from the count and let the next one overwrite it.
    int row = count + 1;
    while (row > 1 && number < year_.BudgetAcctNumber[row - 1]) --row;
    budgetTable(year_).carryRow(count + 1, row);
    year_.BudgetAcctNumber[row] = number;
    year_.BudgetAcctName[row] = name;
    AmountRow amounts{};
    amounts[kBudgeted] = budget;
    amounts[kRemaining] = balance;
    amounts[kSpentInYear] = budget - balance;
    year_.BudgetAmount[row] = amounts;
    year_.BudgetCount = count + 1;
    return Status::Ok();
}

Status AnnualSetup::addFund(std::string_view typedName, Money balance, const RandomBelow& random) {
    const int row = year_.DesigCount + 1;
    if (row > kLastWorkingRow) return Status::Error(kOutOfDesignatedSpace);
    if (Status s = checkName(typedName); !s) return s;
    const auto name = fundName(year_, typedName, row, 0);
    if (!name) return name.status();
    year_.DesigAcctName[row] = *name;
    AmountRow amounts{};
    amounts[kAtFirstOfMonth] = balance;
    amounts[kFundRemaining] = balance;
    year_.DesigAmount[row] = amounts;
    year_.DesigAcctNumber[row] = NewAccountId(year_, random);
    year_.DesigCount = row;
    return Status::Ok();
}

Status AnnualSetup::deleteLine(SetupMode mode, int line) {
    const int count = mode == SetupMode::Budget ? year_.BudgetCount : year_.DesigCount;
    if (line < 1 || line > count) return Status::Error(kNoLineSelected);
    // The vacated last row is emptied: a row left holding its old name would come back at the next load.
    if (mode == SetupMode::Budget) {
        budgetTable(year_).deleteRow(count - line + 1, count);
        year_.BudgetCount = count - 1;
    } else {
        fundTable(year_).deleteRow(line, count);
        year_.DesigCount = count - 1;
    }
    return Status::Ok();
}

}  // namespace quorvel
