// The budget table and the fund table as rows: a number, a name and an amount row (columns 0..4)
// that always move together. Every row operation goes through eachColumn, so a column added to
// a table is moved, cleared and deleted with the others.
#pragma once

#include <algorithm>
#include <array>
#include <string>

#include "ledger.h"

namespace quorvel {

class AccountTable {
public:
    // Row `to` becomes a copy of row `from`.
    void copyRow(int to, int from) {
        eachColumn([=](auto& column) { column[to] = column[from]; });
    }
    void clearRow(int row) {
        eachColumn([=](auto& column) { column[row] = {}; });
    }
    // Row `from` lands on row `to`; the rows between shift one place towards where it was.
    void carryRow(int from, int to) {
        eachColumn([=](auto& column) {
            if (from > to) {
                std::rotate(column.begin() + to, column.begin() + from, column.begin() + from + 1);
            } else {
                std::rotate(column.begin() + from, column.begin() + from + 1, column.begin() + to + 1);
            }
        });
    }
    // Row `row` goes; rows row+1..last move up one and row `last` is left empty.
    void deleteRow(int row, int last) {
        carryRow(row, last);
        clearRow(last);
    }

private:
    using Texts = std::array<std::string, kAccountRows>;
    using Amounts = std::array<AmountRow, kAccountRows>;

    AccountTable(Texts& number, Texts& name, Amounts& amounts)
        : number_(number), name_(name), amounts_(amounts) {}
    friend AccountTable budgetTable(Ledger& ledger);
    friend AccountTable fundTable(Ledger& ledger);

    template <class Op>
    void eachColumn(Op op) {
        op(number_);
        op(name_);
        op(amounts_);
    }

    Texts& number_;
    Texts& name_;
    Amounts& amounts_;
};

inline AccountTable budgetTable(Ledger& ledger) {
    return {ledger.BudgetAcctNumber, ledger.BudgetAcctName, ledger.BudgetAmount};
}
inline AccountTable fundTable(Ledger& ledger) {
    return {ledger.DesigAcctNumber, ledger.DesigAcctName, ledger.DesigAmount};
}

}  // namespace quorvel
