// Seeded random sequences of every kind of action and change through the core. After each
// step what the program holds must be exactly what its files give, its totals must agree with
// its rows, and a refused step must have changed nothing. It stands in for hand-written
// sequences: any order of operations that leaves the screen and the files apart shows here.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "actions/recording.h"
#include "core/reload_check.h"
#include "core/sample_month.h"
#include "core/test_folder.h"
#include "ledger/ledger_routines.h"
#include "ledger/month_file.h"
#include "ledger/rollover.h"
#include "review/action_edit.h"
#include "review/budget_adjustment.h"
#include "review/fund_adjustment.h"
#include "review/fund_order.h"
#include "review/sections.h"
#include "review/sources_and_balance.h"

namespace quorvel {
namespace {

struct Model {
    explicit Model(unsigned seed) : pick(seededRandom(seed)) {
        const std::string path = folder.path("DEC2026.rep");
        test::writeMonth(test::sampleLedger(), path);
        EXPECT_TRUE(LoadMonthFile(ledger, journal, path).ok());
    }

    template <std::size_t N>
    const char* oneOf(const char* const (&choices)[N]) {
        return choices[pick(N)];
    }
    std::string amount() {
        return oneOf({"12.50", "0.01", "100", "250.75", "3.3333", "-5.00", "abc", "99999999999"});
    }
    std::string reference() { return oneOf({"", "ck 1234", "12/06", "a reference too long to keep"}); }
    std::string name() {
        return oneOf({"Food Pantry", "Roof", "  Spaces Around  ", "Memorial Fund", "Bake Sale", "X",
                      "Bad \"quote\"", "Christmas Baskets for Families", ""});
    }
    std::string number() { return oneOf({"101", "102", "7", "150", "205", "310", "099", "1000", "abc"}); }
    int sources() const {
        int n = 0;
        while (n < kLastSourceRow && !ledger.SourceId[n + 1].empty()) ++n;
        return n;
    }
    std::string nextMonthPath() {
        static const char* const names[] = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                                            "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};
        ++months;
        return folder.path(names[months % 12] + std::to_string(2027 + months / 12) + ".rep");
    }

    test::TestFolder folder;
    Ledger ledger;
    Journal journal;
    RandomBelow pick;
    int months = 0;
};

Status rollInto(Model& m, RolloverKind kind) {
    const std::string next = m.nextMonthPath();
    if (Status s = rollOver(m.ledger, m.journal, next, kind); !s.ok()) return s;
    return LoadMonthFile(m.ledger, m.journal, next);
}

Status editRecord(Model& m, bool cancel) {
    const std::int64_t count = m.journal.recordCount();
    if (count == 0) return Status::Error("no record");
    const std::int64_t number = 1 + m.pick(static_cast<int>(count));
    if (cancel) return cancelAction(m.ledger, m.journal, number);
    const ActionView view = actionView(m.ledger, *m.journal.read(number));
    ActionEdit edit{view.accountNumber, m.amount(), view.reference};
    if (view.showsAccountNumber && m.pick(3) == 0) edit.accountNumber = m.number();
    return editAction(m.ledger, m.journal, number, edit);
}

// Which rows an operation picks from: those in use, and for a change now and then the next free one.
enum class Rows { None, Budget, Fund, Source, BudgetOrNew, FundOrNew };

// clang-format off
const struct Operation {
    const char* name;
    Rows rows;
    Status (*run)(Model&, int row);
} kOperations[] = {
    {"budget expenditure", Rows::Budget, [](Model& m, int row) {
         return recordBudgetExpenditure(m.ledger, m.journal, row, m.amount(), m.reference()); }},
    {"designated expenditure", Rows::Fund, [](Model& m, int row) {
         return recordDesignatedExpenditure(m.ledger, m.journal, row, m.amount(), m.reference()); }},
    {"deposit", Rows::None, [](Model& m, int) {
         return recordDeposit(m.ledger, m.journal, m.amount(), m.reference()); }},
    {"designation", Rows::Fund, [](Model& m, int row) {
         return recordDesignation(m.ledger, m.journal, row, m.amount(), m.reference()); }},
    {"transfer", Rows::Budget, [](Model& m, int row) {
         if (m.ledger.DesigCount == 0) return Status::Error("no fund");
         const int fund = 1 + m.pick(m.ledger.DesigCount);
         return recordTransfer(m.ledger, m.journal, row, fund, m.amount(), m.reference()); }},
    {"source note", Rows::Source, [](Model& m, int row) {
         return recordSourceNote(m.ledger, m.journal, row, m.amount(), m.reference()); }},
    {"new fund", Rows::None, [](Model& m, int) {
         return createFund(m.ledger, m.journal, m.name(), m.pick, m.pick(2) == 0).status(); }},
    {"new source", Rows::None, [](Model& m, int) {
         return createSource(m.ledger, m.journal, m.name(), m.pick).status(); }},
    {"edit action", Rows::None, [](Model& m, int) { return editRecord(m, false); }},
    {"cancel action", Rows::None, [](Model& m, int) { return editRecord(m, true); }},
    {"change account", Rows::BudgetOrNew, [](Model& m, int row) {
         const Ledger& l = m.ledger;
         BudgetEdit edit{l.BudgetAcctNumber[row], l.BudgetAcctName[row], m.amount(), m.amount()};
         if (m.pick(2) == 0 || edit.number.empty()) edit.number = m.number();
         if (edit.name.empty()) edit.name = m.name();
         return changeBudgetAccount(m.ledger, m.journal, row, edit); }},
    {"delete account", Rows::Budget, [](Model& m, int row) {
         return deleteBudgetAccount(m.ledger, m.journal, row); }},
    {"change fund", Rows::FundOrNew, [](Model& m, int row) {
         return changeFund(m.ledger, m.journal, row, {m.name(), m.amount()}, m.pick); }},
    {"delete fund", Rows::Fund, [](Model& m, int row) { return deleteFund(m.ledger, m.journal, row); }},
    {"fund to top", Rows::Fund, [](Model& m, int row) { return moveFundToTop(m.ledger, m.journal, row); }},
    {"reorder funds", Rows::Fund, [](Model& m, int row) {
         Ledger edited = m.ledger;
         moveFund(edited, row, static_cast<FundMove>(m.pick(4)));
         return saveFunds(m.ledger, m.journal, edited); }},
    {"rename source", Rows::Source, [](Model& m, int row) {
         return renameSource(m.ledger, m.journal, row, m.name()); }},
    {"beginning balance", Rows::None, [](Model& m, int) {
         return replaceBeginningBalance(m.ledger, m.journal, m.amount()); }},
    {"section", Rows::Budget, [](Model& m, int row) {
         Ledger edited = m.ledger;
         if (Status s = addSection(edited, row, m.name()); !s.ok()) return s;
         return saveSections(m.ledger, m.journal, edited); }},
    // Rollovers last: the loop keeps them rare, so months fill up between them.
    {"new month", Rows::None, [](Model& m, int) { return rollInto(m, RolloverKind::NewMonth); }},
    {"fresh year", Rows::None, [](Model& m, int) { return rollInto(m, RolloverKind::FreshYear); }},
};
// clang-format on

// A row for `op`, 0 when it has none to pick from.
int pickRow(Model& m, Rows rows) {
    const Ledger& l = m.ledger;
    const bool orNew = rows == Rows::BudgetOrNew || rows == Rows::FundOrNew;
    const int count = rows == Rows::Budget || rows == Rows::BudgetOrNew ? l.BudgetCount
                      : rows == Rows::Fund || rows == Rows::FundOrNew   ? l.DesigCount
                      : rows == Rows::Source                            ? m.sources()
                                                                        : 1;
    if (orNew && (count == 0 || m.pick(6) == 0)) return count + 1;
    return count == 0 ? 0 : 1 + m.pick(count);
}

// The month's books balance: the summary and each fund agree with the rows.
void expectBooksBalance(const Ledger& ledger) {
    Ledger recomputed = ledger;
    RecomputeTotals(recomputed);
    EXPECT_TRUE(recomputed == ledger) << "totals differ from their rows";
    for (int i = 1; i <= kLastWorkingRow; ++i) {
        const AmountRow& fund = ledger.DesigAmount[i];
        EXPECT_EQ(fund[kFundRemaining], fund[kAtFirstOfMonth] + fund[kReceivedInMonth] - fund[kSpentFromFund])
            << "fund row " << i;
    }
}

class ModelTest : public ::testing::TestWithParam<unsigned> {};

TEST_P(ModelTest, EveryStepMatchesTheFiles) {
    const unsigned seed = GetParam();
    Model m(seed);
    const int count = static_cast<int>(std::size(kOperations));
    for (int step = 1; step <= 40 && !HasFailure(); ++step) {
        int index = m.pick(count);
        if (index >= count - 2 && m.pick(3) != 0) index = m.pick(count - 2);
        const Operation& op = kOperations[index];
        SCOPED_TRACE("seed " + std::to_string(seed) + " step " + std::to_string(step) + ": " + op.name);
        const int row = pickRow(m, op.rows);
        if (row == 0) continue;
        const Ledger before = m.ledger;
        const std::int64_t records = m.journal.recordCount();
        const Status status = op.run(m, row);
        if (!status.ok() && !status.tookEffect()) {
            EXPECT_TRUE(m.ledger == before) << "refused (" << status.message() << ") yet changed";
            EXPECT_EQ(m.journal.recordCount(), records);
        }
        EXPECT_TRUE(test::sameAsReload(m.ledger));
        expectBooksBalance(m.ledger);
    }
}

INSTANTIATE_TEST_SUITE_P(Seeds, ModelTest, ::testing::Values(1u, 2u, 3u, 4u, 5u, 6u, 7u, 8u));

}  // namespace
}  // namespace quorvel
