#include <gtest/gtest.h>

#include <tuple>

#include "core/open_month.h"
#include "review/action_edit.h"

namespace quorvel {
namespace {

// The sample month with a journal of every kind, opened for editing; the transfer pair is last.
class ActionEditTest : public test::OpenMonthTest {
protected:
    void SetUp() override {
        // clang-format off
        open(test::sampleLedger(), {
            test::bx("101", Money::cents(4000), "ck 1"),                // 1
            test::keyed("DX", "01234", Money::cents(1000)),             // 2
            test::keyed("DP", "", Money::cents(50000)),                 // 3
            composeKeyedRecord("DD", "20000", "5.00", "memo"),          // 4
            composeKeyedRecord("SX", "11111", "        1.00", "sale"),  // 5
            composeBudgetRecord("TO", "101", "3.00", "lone"),           // 6: no TI after it
            test::keyed("DP", "", Money::cents(100)),                   // 7
            composeKeyedRecord("TI", "20000", "4.00", "stray"),         // 8: no TO before it
            cancelledRecord(CancelReason::Canceled),                    // 9
            composeBudgetRecord("TO", "102", "10.00", "12/10"),         // 10
            composeKeyedRecord("TI", "01234", "10.00", "12/10"),        // 11
        }, "DEC2026");
        // clang-format on
    }

    std::string record(std::int64_t n) { return std::string(journal.read(n)->text()); }
};

// The year's spending takes the change; the month's is the replay's, which the model test checks.
TEST_F(ActionEditTest, EachKindKeepsItsOwnReferenceRuleAndTheYearTakesTheChange) {
    const Money yearBefore = ledger.BudgetAmount[1][kSpentInYear];
    ASSERT_TRUE(editAction(ledger, journal, 1, {"101", "45", "ck 1"}).ok());
    EXPECT_EQ(record(1), "BX   101        45.00 ck 1        ");
    EXPECT_EQ(ledger.BudgetAmount[1][kSpentInYear], yearBefore + Money::cents(500));
    const std::tuple<std::int64_t, const char*, const char*> cases[] = {
        {1, " 7 ", "BX   7           2.00 ref         "}, {2, "", "DX 01234         2.00 ref         "},
        {3, "", "DP               2.00 ref         "},    {4, "", "DD 20000         2.00 ref         "},
        {5, "", "SX 11111         2.00   ref       "},    {6, "102", "TO   102         2.00   ref       "},
    };
    for (const auto& [number, account, expected] : cases) {
        ASSERT_TRUE(editAction(ledger, journal, number, {account, "2", "  ref"}).ok()) << number;
        EXPECT_EQ(record(number), expected) << number;
    }
}

// The pair ends the journal, so the in-half is its last record.
TEST_F(ActionEditTest, TransferHalvesChangeAndCancelTogether) {
    ASSERT_TRUE(editAction(ledger, journal, 10, {"102", "25", "12/11"}).ok());
    EXPECT_EQ(record(10), "TO   102        25.00 12/11       ");
    EXPECT_EQ(record(11), "TI 01234        25.00 12/11       ");
    ASSERT_TRUE(editAction(ledger, journal, 11, {"", "30", "x"}).ok());
    EXPECT_EQ(record(10).substr(9, 12), "       30.00");

    ASSERT_TRUE(cancelAction(ledger, journal, 11).ok());
    for (std::int64_t n : {10, 11}) EXPECT_EQ(record(n), "ZZ - action canceled -            ") << n;
    EXPECT_EQ(journal.recordCount(), 11);  // numbers stay in use
}

// Only a real other half moves with the record; a cancelled record is never edited.
TEST_F(ActionEditTest, ANeighbourThatIsNotTheOtherHalfIsLeftAlone) {
    const std::string between = record(7), cancelled = record(9);
    ASSERT_TRUE(editAction(ledger, journal, 6, {"101", "9", ""}).ok());
    ASSERT_TRUE(cancelAction(ledger, journal, 8).ok());
    EXPECT_EQ(record(8).substr(0, 22), "ZZ - action canceled -");
    ASSERT_TRUE(cancelAction(ledger, journal, 6).ok());
    EXPECT_EQ(record(7), between);
    ASSERT_TRUE(editAction(ledger, journal, 9, {"", "99", "x"}).ok());
    ASSERT_TRUE(cancelAction(ledger, journal, 9).ok());
    EXPECT_EQ(record(9), cancelled);
}

TEST_F(ActionEditTest, TheEditorShowsWhatEachRecordHoldsAndRefusalsSayWhy) {
    // record, caption, account name, shows the account number, amount
    const std::tuple<std::int64_t, const char*, const char*, bool, const char*> cases[] = {
        {1, "Budget Expenditure", "", true, "40.00"},
        {2, "Designated Expenditure", "Memorial Fund", false, "10.00"},
        {3, "Deposit", "", false, "500.00"},
        {4, "Designation in Deposit", "Organ, Repair", false, "5.00"},
        {10, "Transfer Out from Budget Account", "", true, "10.00"},
        {11, "Transfer In to Designated Account", "Memorial Fund", false, "10.00"},
        {5, "Note deposit source", "Bake Sale", false, "1.00"},
        {9, "- no action to edit - ", "", false, ""},
    };
    for (const auto& [number, caption, name, number3, amount] : cases) {
        const ActionView view = actionView(ledger, *journal.read(number));
        EXPECT_EQ(std::tie(view.typeCaption, view.accountName, view.showsAccountNumber, view.amountText),
                  std::make_tuple(caption, name, number3, amount))
            << number;
    }
    EXPECT_EQ(actionView(ledger, *journal.read(1)).accountNumber, "101");
    EXPECT_EQ(actionView(ledger, *journal.read(5)).reference, "sale      ");
    EXPECT_FALSE(actionView(ledger, *journal.read(9)).showsAmount);

    // One row per refusal; that a refusal changes nothing is the model test's.
    // A number that names no account would take the money out of every total.
    const std::tuple<std::int64_t, ActionEdit, const char*> refusals[] = {
        {1, {"101", "100000000", ""}, "too large"},
        {1, {"101", "1,0", ""}, "not an amount"},
        {1,
         {"22", "5", ""},
         "No budget account has the number \"22\". The accounts are numbered 101, 102, 7."},
        {10, {"7", "5", ""}, "three-digit number"},  // a transfer record could not carry it
    };
    ledger.BudgetAcctNumber[0] = "7";  // a renumbering's sort leaves a copy on its work row
    for (const auto& [number, edit, reason] : refusals)
        EXPECT_TRUE(test::holds(editAction(ledger, journal, number, edit).message(), reason));
    EXPECT_FALSE(editAction(ledger, journal, 12, {"", "1", ""}).ok());
    EXPECT_FALSE(cancelAction(ledger, journal, 0).ok());
}

}  // namespace
}  // namespace quorvel
