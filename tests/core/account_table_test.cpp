#include <gtest/gtest.h>

#include <tuple>

#include "ledger/account_table.h"

namespace quorvel {
namespace {

// Rows 1..5 of both tables hold values naming their row in every column; `from` says whose
// values each row holds after the operation on one table (0: an empty row). The other table stays.
TEST(AccountTable, RowOperationsMoveEveryColumn) {
    struct Case {
        const char* what;
        void (*op)(AccountTable&);
        std::array<int, 6> from;
    };
    const Case cases[] = {
        {"copy", [](AccountTable& t) { t.copyRow(2, 4); }, {0, 1, 4, 3, 4, 5}},
        {"clear", [](AccountTable& t) { t.clearRow(3); }, {0, 1, 2, 0, 4, 5}},
        {"carry up", [](AccountTable& t) { t.carryRow(4, 2); }, {0, 1, 4, 2, 3, 5}},
        {"carry down", [](AccountTable& t) { t.carryRow(2, 4); }, {0, 1, 3, 4, 2, 5}},
        {"delete", [](AccountTable& t) { t.deleteRow(2, 5); }, {0, 1, 3, 4, 5, 0}},
    };
    auto rowOf = [](const Ledger& l, bool budget, int r) {
        return budget ? std::tuple(l.BudgetAcctNumber[r], l.BudgetAcctName[r], l.BudgetAmount[r])
                      : std::tuple(l.DesigAcctNumber[r], l.DesigAcctName[r], l.DesigAmount[r]);
    };
    Ledger filled;
    for (int r = 1; r <= 5; ++r) {
        for (int c = 0; c <= 4; ++c) filled.BudgetAmount[r][c] = Money::cents(10 * r + c);
        filled.DesigAmount[r] = filled.BudgetAmount[r];
        filled.BudgetAcctNumber[r] = filled.DesigAcctNumber[r] = std::to_string(r);
        filled.BudgetAcctName[r] = filled.DesigAcctName[r] = "row " + std::to_string(r);
    }
    const Ledger empty;
    for (const Case& c : cases) {
        for (bool budget : {true, false}) {
            Ledger l = filled;
            AccountTable table = budget ? budgetTable(l) : fundTable(l);
            c.op(table);
            for (int r = 1; r <= 5; ++r) {
                const int from = c.from[r];
                EXPECT_EQ(rowOf(l, budget, r), from ? rowOf(filled, budget, from) : rowOf(empty, budget, r))
                    << c.what << " row " << r;
                EXPECT_EQ(rowOf(l, !budget, r), rowOf(filled, !budget, r)) << c.what << " row " << r;
            }
        }
    }
}

}  // namespace
}  // namespace quorvel
