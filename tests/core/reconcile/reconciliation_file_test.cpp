#include <gtest/gtest.h>

#include "core/reconcile/reconcile_fixture.h"
#include "core/sample_month.h"
#include "core/test_folder.h"
#include "ledger/file_faults.h"
#include "ledger/journal.h"
#include "ledger/month_file.h"
#include "ledger/rollover.h"

namespace quorvel {
namespace {

Reconciliation settled() {
    Reconciliation rec = reconcile(test::handStatement(), test::monthItems(), std::nullopt);
    rec.statementName = "december.csv";
    rec.others = {{"Savings\taccount", Money::cents(250000)}};
    rec.statement.pending = {{dayNumber(2027, 1, 2), "CHECK 4520", "4520", Money::cents(-4000), 9}};
    rec.confirm(0, 1);
    for (std::size_t line = 0; line < rec.match.size(); ++line) rec.confirm(line, rec.match[line]);
    return rec;
}

TEST(ReconciliationFile, RoundTripKeepsMatchesConfirmationsAndOutstandingItems) {
    const Reconciliation rec = settled();
    const std::string bytes = composeReconciliation(rec);
    auto saved = parseReconciliation(bytes);
    ASSERT_TRUE(saved) << saved.message();
    const Reconciliation back = restoreReconciliation(*saved, test::monthItems());
    EXPECT_EQ(composeReconciliation(back), bytes);  // names, balance, matches and confirmations
    EXPECT_EQ(back.others, (std::vector<OtherAccount>{{"Savings account", Money::cents(250000)}}));
    // What stays outstanding: ck 4511 and the deposit of 12/15.
    ASSERT_EQ(saved->outstanding.size(), 2u);
    EXPECT_EQ(saved->outstanding[0].key(), "DEC2026:1");
    EXPECT_EQ(saved->outstanding[1].key(), "DEC2026:5");
    EXPECT_TRUE(saved->outstanding[1].carried);

    // A statement read again keeps the saved matches of its lines; the line whose action was
    // since cancelled loses its match, and the one cheque of its amount left is proposed.
    auto records = test::kMonthRecords();
    records[1] = cancelledRecord(CancelReason::Canceled);
    const Reconciliation again = reconcile(test::handStatement(), test::monthItems(records), *saved);
    const auto key = [&](std::size_t line) { return again.items[again.match[line].value()].key(); };
    EXPECT_EQ(key(0), "DEC2026:1");
    EXPECT_FALSE(again.confirmed[0]);
    EXPECT_EQ(key(5), "DEC2026:3");
}

TEST(ReconciliationFile, DamageIsRefusedNamingTheLine) {
    const std::string good = composeReconciliation(settled());
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"", "empty"},
        {"reconciliation\n", "line 1 "},
        {good + "line\t2026-13-01\t\t-1\tx\t-\n", "no date"},
        {good + "line\t\t\t-1.2.3\tx\t-\n", "is not a reconciliation entry"},
        {good + "line\t\t\t-1\tx\tDEC2026:0\tC\n", "the match is unreadable"},
        {good + "outstanding\tDEC2026\tseven\tBX\t-1\tck 1\n", "the item is unreadable"},
        {good + "remark\n", "\"remark\" is not"},
        {good + "other\tSavings\t1.23456\n", "is not a reconciliation entry"},
        {good + "other\tSavings\t\n", "is not a reconciliation entry"},
        {good + "line\t\t\t\tx\t-\n", "is not a reconciliation entry"},
    };
    for (const auto& [bytes, says] : cases) {
        auto parsed = parseReconciliation(bytes);
        ASSERT_FALSE(parsed) << bytes;
        EXPECT_NE(parsed.message().find(says), std::string::npos) << parsed.message();
    }
}

TEST(ReconciliationFile, SavedSafelyAndCarriedIntoTheMonthStartedNext) {
    test::TestFolder folder;
    const std::string december = folder.path("DEC2026.rep");
    test::writeMonth(test::sampleLedger(), december, test::kMonthRecords());
    const std::string recPath = reconciliationPathFor(december);
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
    // A cheque cleared a month late: January's statement clears December's ck 4511.
    Statement january;
    january.lines = {{dayNumber(2027, 1, 6), "CHECK 4511", "4511", Money::cents(-10000), 1}};
    const Reconciliation rec = reconcile(january, std::move(carried).value(), std::nullopt);
    ASSERT_TRUE(rec.match[0]);
    EXPECT_EQ(rec.items[*rec.match[0]].key(), "DEC2026:1");
    EXPECT_EQ(reconciliationLists(rec).depositsInTransit.size(), 1u);

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

TEST(ReconciliationFile, NamedBesideTheMonthNeverOverItsOwnFiles) {
    const std::vector<std::pair<std::string, std::string>> names = {
        {"DEC2026.rep", "DEC2026.rec"},
        {"dec2026.REP", "dec2026.rec"},
        {"X.rec", "X.rec.rec"},
        {"Church2026", "Church2026.rec"},
    };
    for (const auto& [month, rec] : names) EXPECT_EQ(reconciliationPathFor(month), rec);

    test::TestFolder folder;
    const std::string month = folder.path("DEC2026.rep");
    test::writeMonth(test::sampleLedger(), month, test::kMonthRecords());
    const std::string before = test::readFile(month);
    std::filesystem::create_hard_link(month, folder.path("DEC2026.rec"));
    const Status saved = saveMonthReconciliation(month, settled());
    EXPECT_NE(saved.message().find("is the month's own file"), std::string::npos) << saved.message();
    EXPECT_EQ(test::readFile(month), before);
}

// A month reconciled under two names differing in letter case is one month, named as the
// first in name order.
TEST(ReconciliationFile, AMonthSavedUnderTwoCasesCountsOnce) {
    test::TestFolder folder;
    test::writeMonth(test::sampleLedger(), folder.path("DEC2026.rep"), test::kMonthRecords());
    for (const char* name : {"dec2026.rec", "DEC2026.rec"})
        ASSERT_TRUE(saveReconciliation(folder.path(name), settled()));
    std::string notice;
    ASSERT_TRUE(carriedItems(folder.path("FEB2027.rep"), &notice));
    EXPECT_EQ(notice,
              "No files of JAN2027 are in the folder, though DEC2026 before it was reconciled: "
              "nothing is carried from DEC2026 or the months between.");
}

TEST(ReconciliationFile, CarriedItemsAreLastMonthsBookItemsLessItsConfirmedMatches) {
    auto later = test::kMonthRecords();
    later.push_back(composeBudgetRecord("BX", "100", "30", "ck 4514"));
    const std::vector<ActionRecord> november = {composeBudgetRecord("BX", "100", "80", "ck 4490")};
    struct Case {
        const char* what;
        std::vector<ActionRecord> december;
        const char* decemberRec;  // empty: December was not reconciled
        const char* january;
        std::vector<std::string> keys;
        bool novemberReconciled = true;
        const char* notice = "";
    };
    const std::vector<Case> cases = {
        {"as saved", test::kMonthRecords(), "DEC2026.rec", "JAN2027.rep", {"DEC2026:1", "DEC2026:5"}},
        {"a cheque recorded after the save",
         later,
         "DEC2026.rec",
         "JAN2027.rep",
         {"DEC2026:1", "DEC2026:5", "DEC2026:7"}},
        {"names in other letter cases",
         test::kMonthRecords(),
         "dec2026.REC",
         "Jan2027.rep",
         {"DEC2026:1", "DEC2026:5"}},
        // Reconciled out of order: November was, December not yet, so all of December and
        // November's cheque carry.
        {"December not reconciled",
         test::kMonthRecords(),
         "",
         "JAN2027.rep",
         {"DEC2026:1", "DEC2026:2", "DEC2026:3", "DEC2026:4", "DEC2026:5", "DEC2026:6", "NOV2026:1"}},
        // The first month ever reconciled carries last month's own items, one month back.
        {"nothing reconciled before",
         test::kMonthRecords(),
         "",
         "JAN2027.rep",
         {"DEC2026:1", "DEC2026:2", "DEC2026:3", "DEC2026:4", "DEC2026:5", "DEC2026:6"},
         false},
        {"a month without files after a reconciled one",
         test::kMonthRecords(),
         "DEC2026.rec",
         "FEB2027.rep",
         {},
         true,
         "No files of JAN2027 are in the folder, though DEC2026 before it was reconciled"},
        {"a gap with nothing reconciled before it", test::kMonthRecords(), "", "FEB2027.rep", {}, false},
    };
    for (const Case& c : cases) {
        test::TestFolder folder;
        test::writeMonth(test::sampleLedger(), folder.path("NOV2026.rep"), november);
        Statement none;
        if (c.novemberReconciled) {
            ASSERT_TRUE(saveReconciliation(folder.path("NOV2026.rec"),
                                           reconcile(none, bookItems(november, "NOV2026"), std::nullopt)));
        }
        test::writeMonth(test::sampleLedger(), folder.path("DEC2026.rep"), c.december);
        // December's statement clears November's cheque (carried as NOV2026:1, not :7).
        Reconciliation dec = settled();
        dec.items.back().record = 1;
        if (*c.decemberRec) {
            ASSERT_TRUE(saveReconciliation(folder.path(c.decemberRec), dec));
        }
        std::string notice;
        auto carried = carriedItems(folder.path(c.january), &notice);
        ASSERT_TRUE(carried) << c.what << ": " << carried.message();
        EXPECT_EQ(notice.substr(0, std::string_view(c.notice).size()), c.notice) << c.what;
        EXPECT_EQ(notice.empty(), !*c.notice) << c.what << ": " << notice;
        std::vector<std::string> keys;
        for (const BookItem& item : *carried) keys.push_back(item.key());
        EXPECT_EQ(keys, c.keys) << c.what;
    }
}

}  // namespace
}  // namespace quorvel
