#include "annual_setup.h"

#include "ledger/code_page.h"
#include "ledger/text_fields.h"

namespace quorvel {
namespace {

void moveBudgetRow(Ledger& l, int to, int from) {
    l.BudgetAcctNumber[to] = l.BudgetAcctNumber[from];
    l.BudgetAcctName[to] = l.BudgetAcctName[from];
    l.BudgetAmount[to] = l.BudgetAmount[from];
}

void clearBudgetRow(Ledger& l, int row) {
    l.BudgetAcctNumber[row].clear();
    l.BudgetAcctName[row].clear();
    l.BudgetAmount[row] = AmountRow{};
}

void moveFundRow(Ledger& l, int to, int from) {
    l.DesigAcctNumber[to] = l.DesigAcctNumber[from];
    l.DesigAcctName[to] = l.DesigAcctName[from];
    l.DesigAmount[to] = l.DesigAmount[from];
}

void clearFundRow(Ledger& l, int row) {
    l.DesigAcctNumber[row].clear();
    l.DesigAcctName[row].clear();
    l.DesigAmount[row] = AmountRow{};
}

Status checkName(std::string_view name) {
    if (Status s = checkStorableText(name, "The name"); !s) return s;
    // A row whose name is not in use does not exist for the rest of the program.
    if (!nameInUse(name)) return Status::Error(kNameNeeded);
    return Status::Ok();
}

}  // namespace

std::string paddedAccountNumber(std::string_view typed) {
    std::string_view number = trimBlanks(typed);
    if (number.size() > 3) number.remove_prefix(number.size() - 3);
    return std::string(3 - number.size(), '0') + std::string(number);
}

AnnualSetup::AnnualSetup() {
    ClearLedger(year_);
}

Status AnnualSetup::addBudgetAccount(std::string_view number, std::string_view name, Money budget,
                                     Money balance) {
    const int count = year_.BudgetCount;
    if (count >= kLastWorkingRow) return Status::Error(kOutOfBudgetSpace);
    if (Status s = checkName(name); !s) return s;
    if (Status s = checkStorableText(number, "The account number"); !s) return s;
    const Money value = Money::fromText(number);
    for (int k = 1; k <= count; ++k) {
        if (Money::fromText(year_.BudgetAcctNumber[k]) == value)
            return Status::Error(kDuplicateAccountNumber);
    }
    // Inserted in place rather than appended and sorted: the sort leaves row 100 out, which
    // would drop the hundredth account from the count and let the next one overwrite it.
    int row = count + 1;
    while (row > 1 && number < year_.BudgetAcctNumber[row - 1]) {
        moveBudgetRow(year_, row, row - 1);
        --row;
    }
    year_.BudgetAcctNumber[row] = std::string(number);
    year_.BudgetAcctName[row] = std::string(name);
    AmountRow amounts{};
    amounts[kBudgeted] = budget;
    amounts[kRemaining] = balance;
    amounts[kSpentInYear] = budget - balance;
    year_.BudgetAmount[row] = amounts;
    year_.BudgetCount = count + 1;
    return Status::Ok();
}

Status AnnualSetup::addFund(std::string_view name, Money balance, const RandomBelow& random) {
    const int row = year_.DesigCount + 1;
    if (row > kLastWorkingRow) return Status::Error(kOutOfDesignatedSpace);
    if (Status s = checkName(name); !s) return s;
    year_.DesigAcctName[row] = std::string(name);
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
        for (int row = count - line + 1; row < count; ++row)
            moveBudgetRow(year_, row, row + 1);
        clearBudgetRow(year_, count);
        year_.BudgetCount = count - 1;
    } else {
        for (int row = line; row < count; ++row)
            moveFundRow(year_, row, row + 1);
        clearFundRow(year_, count);
        year_.DesigCount = count - 1;
    }
    return Status::Ok();
}

}  // namespace quorvel
