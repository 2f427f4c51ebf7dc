#include <gtest/gtest.h>

#include "core/reconcile/reconcile_fixture.h"
#include "reconcile/reconciliation_text.h"

namespace quorvel {
namespace {

using test::kMonthRecords;

TEST(Reconcile, ReferencesNameChequesAndDates) {
    const std::vector<std::tuple<std::string, std::string, std::string>> cases = {
        // reference, cheque, date
        {"ck 4511", "4511", ""},
        {"4511", "4511", ""},
        {"#0452", "452", ""},
        {"chk. 77", "77", ""},
        {"12/08/26", "", "2026-12-08"},
        {"12/8/2026", "", "2026-12-08"},
        {"2026-12-31", "", "2026-12-31"},
        {"02/30/26", "", ""},
        {"transfer", "", ""},
        {"Rent paid 45", "", ""},
    };
    for (const auto& [reference, cheque, date] : cases) {
        EXPECT_EQ(chequeInReference(reference), cheque) << reference;
        EXPECT_EQ(dayText(parseWrittenDate(reference)), date) << reference;
    }
}

// Day numbers count days and read back as the dates they were made from.
TEST(Reconcile, DayNumbersAndDatesConvertBothWays) {
    const std::tuple<int, int, int, const char*, const char*> cases[] = {
        {1970, 1, 1, "1970-01-01", "01/01/70"}, {2000, 2, 29, "2000-02-29", "02/29/00"},
        {2000, 3, 1, "2000-03-01", "03/01/00"}, {2026, 12, 31, "2026-12-31", "12/31/26"},
        {1900, 1, 1, "1900-01-01", "01/01/00"}, {2999, 12, 31, "2999-12-31", "12/31/99"},
    };
    for (const auto& [y, m, d, text, written] : cases) {
        const Day day = dayNumber(y, m, d);
        EXPECT_EQ(dayText(day), text);
        EXPECT_EQ(referenceDate(day), written) << text;
        EXPECT_EQ(parseDayText(text), day) << text;
    }
    EXPECT_EQ(dayNumber(2000, 3, 1) - dayNumber(2000, 2, 28), 2);
    EXPECT_EQ(dayNumber(2027, 1, 1) - dayNumber(2026, 12, 31), 1);
    EXPECT_NE(dayNumber(2024, 2, 29), 0);
    for (const int notLeap : {1900, 2026}) EXPECT_EQ(dayNumber(notLeap, 2, 29), 0) << notLeap;
}

TEST(Reconcile, ProposesOnlyWhereExactlyOneActionFits) {
    Reconciliation rec = reconcile(test::handStatement(), test::monthItems(), std::nullopt);
    // Per statement line: the key of the proposed item, or empty.
    const std::vector<std::string> expected = {
        "",           // -100.00 without a number: ck 4511 and ck 4512 both fit
        "DEC2026:4",  // +500.00 on 12/09: the deposit of 12/08, not the one of 12/15
        "NOV2026:7",  // ck 4490 written in November, cleared a month late
        "",           // a bank fee
        "",           // interest
        "DEC2026:3",  // ck 4513 by number and amount
        "DEC2026:6",  // the automatic payment dated 12/20
    };
    ASSERT_EQ(rec.match.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(rec.match[i] ? rec.items[*rec.match[i]].key() : "", expected[i]) << "line " << i;
    const ReconciliationLists lists = reconciliationLists(rec);
    EXPECT_EQ(lists.matched, (std::vector<std::size_t>{1, 2, 5, 6}));
    EXPECT_EQ(lists.bankOnly, (std::vector<std::size_t>{0, 3, 4}));
    EXPECT_EQ(lists.outstandingCheques, (std::vector<std::size_t>{0, 1}));
    EXPECT_EQ(lists.depositsInTransit, (std::vector<std::size_t>{4}));

    // A numbered line fits only the action naming its number, never one without a number.
    Reconciliation numbered;
    numbered.statement.lines = {{dayNumber(2026, 12, 21), "CHECK 4599", "4599", Money::cents(-2500), 1}};
    numbered.items = test::monthItems();
    numbered.resetMatches();
    EXPECT_TRUE(candidatesFor(numbered, 0).empty());

    // The treasurer settles the ambiguous line; a fee recorded from its statement line (with
    // the line's date as reference) is then proposed for it.
    rec.confirm(0, 1);
    std::vector<ActionRecord> records = kMonthRecords();
    records.push_back(composeBudgetRecord("BX", "100", "12.50", referenceDate(rec.statement.lines[3].date)));
    Reconciliation again = reconcile(rec.statement, test::monthItems(records), std::nullopt);
    again.confirm(0, 1);
    proposeMatches(again);
    ASSERT_TRUE(again.match[3]);
    EXPECT_EQ(again.items[*again.match[3]].key(), "DEC2026:7");
    EXPECT_TRUE(again.confirmed[0]);
    EXPECT_FALSE(again.confirmed[3]);
}

TEST(Reconcile, BalanceFormulaOnFiguresWorkedByHand) {
    Reconciliation rec = reconcile(test::handStatement(), test::monthItems(), std::nullopt);
    rec.others = {{"Savings", Money::cents(250000)}, {"Petty cash", Money::cents(4525)}};
    // 1000.00 + 500.00 in transit - (100.00 + 100.00) outstanding + 2545.25 = 3845.25
    const std::vector<std::pair<Money, Money>> cases = {
        {Money::cents(384525), Money()},
        {Money::cents(385025), Money::cents(-500)},
        {Money::cents(384524), Money::cents(1)},
    };
    for (const auto& [book, difference] : cases) {
        const BalanceCheck check = balanceCheck(rec, book);
        EXPECT_EQ(check.depositsInTransit, Money::cents(50000));
        EXPECT_EQ(check.outstandingCheques, Money::cents(20000));
        EXPECT_EQ(check.reconciled, Money::cents(384525));
        EXPECT_EQ(check.difference, difference);
        EXPECT_EQ(check.agrees(), difference.isZero());
        EXPECT_EQ(check.proposed, 4u);
    }
    EXPECT_TRUE(bookItems({composeBudgetRecord("BX", "100", "0", "ck 1")}, "DEC2026").empty());
    // Saved, the proposals clear nothing: all seven items stay outstanding for next month.
    EXPECT_EQ(parseReconciliation(composeReconciliation(rec))->outstanding.size(), 7u);
    // Confirmed all at once, the four they matched clear.
    EXPECT_EQ(rec.confirmProposals(), 4u);
    EXPECT_EQ(balanceCheck(rec, Money()).proposed, 0u);
    EXPECT_EQ(parseReconciliation(composeReconciliation(rec))->outstanding.size(), 3u);
    // A line the bank has pending is listed and counts nowhere.
    rec.statement.pending = {{dayNumber(2027, 1, 2), "CHECK 4520", "4520", Money::cents(-4000), 9}};
    const auto lines = reconciliationLines(rec, balanceCheck(rec, Money::cents(384525)), "DEC2026");
    EXPECT_EQ(lines.back(), "Difference (the books agree)               0.00");
    const auto pending =
        std::find(lines.begin(), lines.end(), "Pending at the bank (not in the closing balance) (1)");
    ASSERT_NE(pending, lines.end());
    EXPECT_EQ(pending[1], "  2027-01-02  ck 4520         -40.00  CHECK 4520");
}

}  // namespace
}  // namespace quorvel
