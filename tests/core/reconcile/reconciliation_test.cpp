// Matching a statement against the month's book items, the balance check, and the
// reconciliation file that keeps the matches and carries what stays outstanding.
#include <gtest/gtest.h>

#include "core/reconcile/reconcile_fixture.h"
#include "core/sample_month.h"
#include "core/test_folder.h"
#include "ledger/file_faults.h"
#include "ledger/journal.h"
#include "ledger/month_file.h"
#include "ledger/rollover.h"
#include "reconcile/reconciliation_text.h"

namespace quorvel {
namespace {

using test::kMonthRecords;

// References name cheques and dates; day numbers count days and read back as their dates.
TEST(Reconcile, ChequesAndDatesReadAndWrittenBack) {
    // reference, cheque, date
    // clang-format off
    const std::tuple<std::string, std::string, std::string> references[] = {
        {"ck 4511", "4511", ""}, {"4511", "4511", ""}, {"#0452", "452", ""}, {"chk. 77", "77", ""},
        {"12/08/26", "", "2026-12-08"}, {"12/8/2026", "", "2026-12-08"}, {"2026-12-31", "", "2026-12-31"},
        {"02/30/26", "", ""}, {"transfer", "", ""}, {"Rent paid 45", "", ""}};
    // clang-format on
    for (const auto& [reference, cheque, date] : references) {
        EXPECT_EQ(chequeInReference(reference), cheque) << reference;
        EXPECT_EQ(dayText(parseWrittenDate(reference)), date) << reference;
    }
    // year, month, day, the date as stored and as a reference
    const std::tuple<int, int, int, const char*, const char*> days[] = {
        {1970, 1, 1, "1970-01-01", "01/01/70"}, {2000, 2, 29, "2000-02-29", "02/29/00"},
        {2000, 3, 1, "2000-03-01", "03/01/00"}, {2026, 12, 31, "2026-12-31", "12/31/26"},
        {1900, 1, 1, "1900-01-01", "01/01/00"}, {2999, 12, 31, "2999-12-31", "12/31/99"},
    };
    for (const auto& [y, m, d, text, written] : days) {
        const Day day = dayNumber(y, m, d);
        EXPECT_EQ(dayText(day), text);
        EXPECT_EQ(referenceDate(day), written) << text;
        EXPECT_EQ(parseDayText(text), day) << text;
    }
    EXPECT_EQ(dayNumber(2000, 3, 1) - dayNumber(2000, 2, 28), 2);
    EXPECT_EQ(dayNumber(2027, 1, 1) - dayNumber(2026, 12, 31), 1);
    for (const auto& [year, leap] : {std::pair{2024, true}, {1900, false}, {2026, false}})
        EXPECT_EQ(dayNumber(year, 2, 29) != 0, leap) << year;
}

// The month's statement matched by hand, its balance worked by hand, then settled line by line.
TEST(Reconcile, ProposesOnlyWhereExactlyOneActionFitsAndBalancesAsWorkedByHand) {
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
    std::vector<std::string> proposed;
    for (const auto& match : rec.match) proposed.push_back(match ? rec.items[*match].key() : "");
    EXPECT_EQ(proposed, expected);
    const ReconciliationLists lists = reconciliationLists(rec);
    EXPECT_EQ(lists.matched, (std::vector<std::size_t>{1, 2, 5, 6}));
    EXPECT_EQ(lists.bankOnly, (std::vector<std::size_t>{0, 3, 4}));

    rec.others = {{"Savings", Money::cents(250000)}, {"Petty cash", Money::cents(4525)}};
    // 1000.00 + 500.00 in transit - (100.00 + 100.00) outstanding + 2545.25 = 3845.25
    const BalanceCheck check = balanceCheck(rec, Money());
    EXPECT_EQ(check.depositsInTransit, Money::cents(50000));
    EXPECT_EQ(check.outstandingCheques, Money::cents(20000));
    EXPECT_EQ(check.reconciled, Money::cents(384525));
    EXPECT_EQ(check.proposed, 4u);
    for (const auto& [book, difference] : {std::pair{Money::cents(384525), Money()},
                                           {Money::cents(385025), Money::cents(-500)},
                                           {Money::cents(384524), Money::cents(1)}}) {
        EXPECT_EQ(balanceCheck(rec, book).difference, difference);
        EXPECT_EQ(balanceCheck(rec, book).agrees(), difference.isZero());
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
    const std::vector<std::string> pending = {"Pending at the bank (not in the closing balance) (1)",
                                              "  2027-01-02  ck 4520         -40.00  CHECK 4520"};
    EXPECT_NE(std::search(lines.begin(), lines.end(), pending.begin(), pending.end()), lines.end());

    // A numbered line fits only the action naming its number, never one without a number.
    Statement numbered;
    numbered.lines = {{dayNumber(2026, 12, 21), "CHECK 4599", "4599", Money::cents(-2500), 1}};
    EXPECT_TRUE(candidatesFor(reconcile(numbered, test::monthItems(), std::nullopt), 0).empty());

    // The treasurer settles the ambiguous line; a fee recorded from its statement line (with
    // the line's date as reference) is then proposed for it.
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

Reconciliation settled() {
    Reconciliation rec = reconcile(test::handStatement(), test::monthItems(), std::nullopt);
    rec.statementName = "december.csv";
    rec.others = {{"Savings\taccount", Money::cents(250000)}};
    rec.statement.pending = {{dayNumber(2027, 1, 2), "CHECK 4520", "4520", Money::cents(-4000), 9}};
    rec.confirm(0, 1);
    for (std::size_t line = 0; line < rec.match.size(); ++line) rec.confirm(line, rec.match[line]);
    return rec;
}

TEST(ReconciliationFile, RoundTripKeepsMatchesAndOutstandingItemsAndDamageIsRefused) {
    const std::string bytes = composeReconciliation(settled());
    auto saved = parseReconciliation(bytes);
    ASSERT_TRUE(saved) << saved.message();
    const Reconciliation back = restoreReconciliation(*saved, test::monthItems());
    EXPECT_EQ(composeReconciliation(back), bytes);  // names, balance, matches and confirmations
    EXPECT_EQ(back.others, (std::vector<OtherAccount>{{"Savings account", Money::cents(250000)}}));
    // What stays outstanding: ck 4511 and the deposit of 12/15.
    ASSERT_EQ(test::keysOf(saved->outstanding), "DEC2026:1 DEC2026:5");
    EXPECT_TRUE(saved->outstanding[1].carried);

    // A statement read again keeps the saved matches of its lines; the line whose action was
    // since cancelled loses its match, and the one cheque of its amount left is proposed.
    auto records = kMonthRecords();
    records[1] = cancelledRecord(CancelReason::Canceled);
    const Reconciliation again = reconcile(test::handStatement(), test::monthItems(records), *saved);
    const auto key = [&](std::size_t line) { return again.items[again.match[line].value()].key(); };
    EXPECT_EQ(key(0), "DEC2026:1");
    EXPECT_FALSE(again.confirmed[0]);
    EXPECT_EQ(key(5), "DEC2026:3");

    // Damage is refused naming the line.
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"", "empty"},
        {"reconciliation\n", "line 1 "},
        {bytes + "line\t2026-13-01\t\t-1\tx\t-\n", "no date"},
        {bytes + "line\t\t\t-1.2.3\tx\t-\n", "is not a reconciliation entry"},
        {bytes + "line\t\t\t-1\tx\tDEC2026:0\tC\n", "the match is unreadable"},
        {bytes + "outstanding\tDEC2026\tseven\tBX\t-1\tck 1\n", "the item is unreadable"},
        {bytes + "remark\n", "\"remark\" is not"},
        {bytes + "other\tSavings\t1.23456\n", "is not a reconciliation entry"},
        {bytes + "other\tSavings\t\n", "is not a reconciliation entry"},
    };
    for (const auto& [damaged, says] : cases) {
        auto parsed = parseReconciliation(damaged);
        ASSERT_FALSE(parsed) << damaged;
        EXPECT_TRUE(test::holds(parsed.message(), says));
    }
}

TEST(ReconciliationFile, SavedSafelyBesideTheMonthAndCarriedIntoTheMonthStartedNext) {
    const std::pair<const char*, const char*> names[] = {{"DEC2026.rep", "DEC2026.rec"},
                                                         {"dec2026.REP", "dec2026.rec"},
                                                         {"X.rec", "X.rec.rec"},
                                                         {"Church2026", "Church2026.rec"}};
    for (const auto& [month, rec] : names) EXPECT_EQ(reconciliationPathFor(month), rec);

    test::TestFolder folder;
    const std::string december = folder.path("DEC2026.rep");
    test::writeMonth(test::sampleLedger(), december, kMonthRecords());
    const std::string recPath = reconciliationPathFor(december), before = test::readFile(december);
    // Never over the month's own files.
    std::filesystem::create_hard_link(december, recPath);
    const Status linked = saveMonthReconciliation(december, settled());
    EXPECT_TRUE(test::holds(linked.message(), "is the month's own file"));
    EXPECT_EQ(test::readFile(december), before);
    std::filesystem::remove(recPath);
    {
        ScopedFileFault fault(
            [](FileStep step, const std::string&) { return step == FileStep::Sync ? EIO : 0; });
        EXPECT_FALSE(saveReconciliation(recPath, settled()));
    }
    EXPECT_FALSE(std::filesystem::exists(recPath));
    ASSERT_TRUE(saveReconciliation(recPath, settled()));

    Ledger ledger;
    Journal journal;
    ASSERT_TRUE(LoadMonthFile(ledger, journal, december));
    ASSERT_TRUE(rollOver(ledger, journal, folder.path("JAN2027.rep"), RolloverKind::NewMonth));
    auto carried = carriedItems(folder.path("JAN2027.rep"));
    ASSERT_TRUE(carried) << carried.message();
    EXPECT_EQ(test::keysOf(*carried), "DEC2026:1 DEC2026:5");  // ck 4511 and the deposit of 12/15

    // A damaged file is named first, with how to replace it, from the month after or further on.
    test::writeFile(recPath, "quorvel reconciliation 1\nbad\n");
    for (const char* later : {"JAN2027.rep", "FEB2027.rep"})
        EXPECT_EQ(
            carriedItems(folder.path(later)).message(),
            recPath +
                ": line 2 of the reconciliation file is damaged: \"bad\" is not a reconciliation entry. "
                "Open DEC2026 and reconcile it again: saving replaces its damaged file.");
    EXPECT_TRUE(carriedItems(folder.path("MAY2027.rep")));
}

TEST(ReconciliationFile, CarriedItemsAreLastMonthsBookItemsLessItsConfirmedMatches) {
    const auto mine = kMonthRecords();
    auto later = kMonthRecords();
    later.push_back(composeBudgetRecord("BX", "100", "30", "ck 4514"));
    const std::vector<ActionRecord> november = {composeBudgetRecord("BX", "100", "80", "ck 4490")};
    const Reconciliation novemberRec = reconcile(Statement(), bookItems(november, "NOV2026"), std::nullopt);
    const std::string gap =
        "No files of JAN2027 are in the folder, though DEC2026 before it was reconciled: "
        "nothing is carried from DEC2026 or the months between.";
    const std::string all = "DEC2026:1 DEC2026:2 DEC2026:3 DEC2026:4 DEC2026:5 DEC2026:6";
    // December's records and its reconciliation files (none: not reconciled), the month carried
    // into, the keys carried, whether November was reconciled, the notice.
    // clang-format off
    const std::tuple<std::vector<ActionRecord>, std::vector<std::string>, const char*, std::string, bool,
                     std::string> cases[] = {
        {mine, {"DEC2026.rec"}, "JAN2027.rep", "DEC2026:1 DEC2026:5", true, ""},
        {later, {"DEC2026.rec"}, "JAN2027.rep", "DEC2026:1 DEC2026:5 DEC2026:7", true, ""},  // recorded after
        {mine, {"dec2026.REC"}, "Jan2027.rep", "DEC2026:1 DEC2026:5", true, ""},
        // Reconciled out of order: November was, December not yet, so all of December and
        // November's cheque carry.
        {mine, {}, "JAN2027.rep", all + " NOV2026:1", true, ""},
        // The first month ever reconciled carries last month's own items, one month back.
        {mine, {}, "JAN2027.rep", all, false, ""},
        // A month without files after a reconciled one, saved under two letter cases (one month).
        {mine, {"DEC2026.rec"}, "FEB2027.rep", "", true, gap},
        {mine, {"dec2026.rec", "DEC2026.rec"}, "FEB2027.rep", "", false, gap},
        {mine, {}, "FEB2027.rep", "", false, ""},
    };
    // clang-format on
    for (const auto& [december, decemberRecs, january, keys, novemberReconciled, expectedNotice] : cases) {
        SCOPED_TRACE(::testing::Message()
                     << january << december.size() << decemberRecs.size() << novemberReconciled);
        test::TestFolder folder;
        test::writeMonth(test::sampleLedger(), folder.path("NOV2026.rep"), november);
        ASSERT_TRUE(!novemberReconciled || saveReconciliation(folder.path("NOV2026.rec"), novemberRec));
        test::writeMonth(test::sampleLedger(), folder.path("DEC2026.rep"), december);
        // December's statement clears November's cheque (carried as NOV2026:1, not :7).
        Reconciliation dec = settled();
        dec.items.back().record = 1;
        for (const std::string& name : decemberRecs) ASSERT_TRUE(saveReconciliation(folder.path(name), dec));
        std::string notice;
        auto carried = carriedItems(folder.path(january), &notice);
        ASSERT_TRUE(carried) << carried.message();
        EXPECT_EQ(notice, expectedNotice);
        EXPECT_EQ(test::keysOf(*carried), keys);
    }
}

}  // namespace
}  // namespace quorvel
