#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <functional>
#include <tuple>

#include "core/open_month.h"
#include "ledger/file_faults.h"
#include "ledger/rollover.h"
#include "review/action_edit.h"
#include "review/audited_change.h"
#include "review/budget_adjustment.h"
#include "review/fund_adjustment.h"
#include "review/fund_order.h"
#include "review/sections.h"
#include "review/sources_and_balance.h"

namespace quorvel {

void PrintTo(const AuditChange& change, std::ostream* out) {
    *out << '{' << change.subject << " | " << change.before << " | " << change.after << '}';
}

namespace {

namespace fs = std::filesystem;
using test::readFile;
using Operation = std::function<Status(Ledger&, Journal&)>;

// The sample month with a budget expenditure, a transfer pair, a source note and an
// expenditure of the account numbered "7", opened for editing.
class AuditedChangeTest : public test::OpenMonthTest {
protected:
    void SetUp() override { reopen(); }

    void reopen() {
        open(test::sampleLedger(),
             {test::bx("101", Money::cents(4000), "ck 1"), test::to("102", Money::cents(1000)),
              composeKeyedRecord("TI", "01234", "10.00", ""), test::keyed("SX", "11111", Money::cents(1250)),
              test::bx("7", Money::cents(500))});
        trail = path.substr(0, path.size() - 3) + "aud";
    }
    Ledger loaded() { return test::loadMonth(path).ledger; }  // the month as its files give it

    std::string trail;
};

TEST_F(AuditedChangeTest, EachChangeWritesOneEntryWithItsBeforeAndAfter) {
    // clang-format off
    // The command, the operation, its changes (an "action N" change's sides are read from the journal).
    const std::tuple<const char*, Operation, std::vector<AuditChange>> cases[] = {
        {"Edit action", [](auto& l, auto& j) { return editAction(l, j, 1, {"102", "45.00", "ck 2"}); },
         {{"action 1", "", ""}}},
        {"Edit action", [](auto& l, auto& j) { return editAction(l, j, 2, {"102", "12.00", "x"}); },
         {{"action 2", "", ""}, {"action 3", "", ""}}},  // a transfer: both halves
        {"Cancel action", [](auto& l, auto& j) { return cancelAction(l, j, 3); },
         {{"action 3", "", ""}, {"action 2", "", ""}}},
        {"Change budget account",
         [](auto& l, auto& j) { return changeBudgetAccount(l, j, 3, {"8", "Short", "100.00", "25.25"}); },
         {{"budget account 7", "7 Short Number; annual budget 100.00; expended in year 30.25",
           "008 Short; annual budget 100.00; expended in year 25.25"},
          {"action 5", "", ""}, {"section 1", "101 Operations", "008 Other"},
          {"section 2", "7 Other", "101 Operations"}}},
        {"New budget account",
         [](auto& l, auto& j) { return changeBudgetAccount(l, j, 4, {"300", "Music", "5", "0"}); },
         {{"budget account 300", "", "300 Music; annual budget 5.00; expended in year 0.00"}}},
        {"Delete budget account", [](auto& l, auto& j) { return deleteBudgetAccount(l, j, 1); },
         {{"budget account 101", "101 Pastor, Salary; annual budget 1200.00; expended in year 340.50", ""},
          {"action 1", "", ""}, {"section 1", "101 Operations", "7 Other"}, {"section 2", "7 Other", ""}}},
        {"Change designated fund",
         [](auto& l, auto& j) { return changeFund(l, j, 2, {"Organ", "1.00"}, seededRandom(1)); },
         {{"designated fund 20000", "20000 Organ, Repair; first of month 0.50; place 2",
           "20000 Organ; first of month 1.00; place 2"}}},
        {"New designated fund",  // the seeded number
         [](auto& l, auto& j) { return changeFund(l, j, 3, {"Choir", "5"}, seededRandom(1)); },
         {{"designated fund 12510", "", "12510 Choir; first of month 5.00; place 3"}}},
        {"Delete designated fund",  // only an empty fund can go
         [](auto& l, auto& j) { l.DesigAmount[2] = AmountRow{}; return deleteFund(l, j, 2); },
         {{"designated fund 20000", "20000 Organ, Repair; first of month 0.00; place 2", ""}}},
        {"Reorder designated funds",
         [](auto& l, auto& j) { Ledger c = l; moveFund(c, 1, FundMove::DownOne); return saveFunds(l, j, c); },
         {{"designated fund 01234", "01234 Memorial Fund; first of month 500.00; place 1",
           "01234 Memorial Fund; first of month 500.00; place 2"},
          {"designated fund 20000", "20000 Organ, Repair; first of month 0.50; place 2",
           "20000 Organ, Repair; first of month 0.50; place 1"}}},
        {"Rename source", [](auto& l, auto& j) { return renameSource(l, j, 1, "Bazaar"); },
         {{"source 11111", "Bake Sale", "Bazaar"}}},
        {"Change beginning balance", [](auto& l, auto& j) { return replaceBeginningBalance(l, j, "2,000"); },
         {{"beginning balance", "1000.75", "2000.00"}}},
        {"Change sections", [](auto& l, auto& j) {
             Ledger c = l; c.SectionTitle[2] = "Caf\xE9 & more"; return saveSections(l, j, c); },
         {{"section 2", "7 Other", "7 Caf\xE9 & more"}}},
    };
    // clang-format on
    for (const auto& [command, operation, changes] : cases) {
        SCOPED_TRACE(command);
        reopen();
        const std::vector<ActionRecord> before = records();
        const Status made = operation(ledger, journal);
        ASSERT_TRUE(made.ok()) << made.message();
        std::vector<AuditChange> expected = changes;
        for (AuditChange& change : expected)
            if (const std::int64_t n = recordNumberOf(change))
                change = recordChange(n, before.at(n - 1), records().at(n - 1));
        const AuditTrailRead read = readAuditTrail(trail);
        ASSERT_EQ(read.entries.size(), 1u);
        EXPECT_EQ(read.entries[0].command, command);
        EXPECT_EQ(read.entries[0].changes, expected);
        EXPECT_FALSE(read.entries[0].user.empty());
    }
}

// A record rewrite and a whole-month save: the two ways a change reaches the files.
TEST_F(AuditedChangeTest, AFailedAuditAppendChangesNothing) {
    const Operation operations[] = {[](auto& l, auto& j) { return cancelAction(l, j, 2); },
                                    [](auto& l, auto& j) { return replaceBeginningBalance(l, j, "5"); }};
    const std::string month = readFile(path), journalBytes = readFile(Journal::pathFor(path));
    for (const FileStep step : {FileStep::Open, FileStep::Write, FileStep::Sync}) {
        for (const Operation& operation : operations) {
            ScopedFileFault fault(
                [&](FileStep at, const std::string& p) { return at == step && p == trail ? EIO : 0; });
            EXPECT_TRUE(test::holds(operation(ledger, journal).message(),
                                    "Nothing was changed: the audit trail could not be written."));
            EXPECT_EQ(readFile(path), month);
            EXPECT_EQ(readFile(Journal::pathFor(path)), journalBytes);
            EXPECT_TRUE(readAuditTrail(trail).entries.empty());
        }
    }
    {  // A change that fails after its entry is followed by one saying it was not made.
        ScopedFileFault fault(
            [&](FileStep at, const std::string& p) { return at == FileStep::Rename && p == path ? EIO : 0; });
        EXPECT_FALSE(replaceBeginningBalance(ledger, journal, "5").ok());
        const AuditTrailRead read = readAuditTrail(trail);
        ASSERT_EQ(read.entries.size(), 2u);
        EXPECT_EQ(read.entries[1].command, kAuditNotMade);
        EXPECT_TRUE(test::holds(read.entries[1].note, "Nothing was changed"));
    }
    // A record rewritten that cannot be put back stands: the change is not called "not made".
    bool saveFailed = false;
    ScopedFileFault fault([&](FileStep at, const std::string& p) {
        saveFailed = saveFailed || (at == FileStep::Rename && p == path);
        return saveFailed && (p == path || (at == FileStep::Sync && p == Journal::pathFor(path))) ? EIO : 0;
    });
    const Status renumbered = changeBudgetAccount(ledger, journal, 3, {"8", "Short", "100.00", "25.25"});
    EXPECT_TRUE(renumbered.tookEffect()) << renumbered.message();
    EXPECT_EQ(readAuditTrail(trail).entries.size(), 3u);
}

TEST_F(AuditedChangeTest, RestoreWritesBackTheCancelledRecordsAndTheMonthNeverReadsTheTrail) {
    const std::vector<ActionRecord> original = records();
    const Ledger shown = loaded();
    ASSERT_TRUE(cancelAction(ledger, journal, 1).ok());
    ASSERT_TRUE(cancelAction(ledger, journal, 2).ok());  // a transfer: both halves
    ASSERT_TRUE(editAction(ledger, journal, 4, {"", "9.00", ""}).ok());
    AuditTrailRead read = readAuditTrail(trail);
    ASSERT_EQ(read.entries.size(), 3u);
    EXPECT_FALSE(restorableRecords(ledger, journal, read, 2).ok());  // not a cancellation

    for (const std::size_t cancel : {1u, 0u}) ASSERT_TRUE(restoreAction(ledger, journal, read, cancel).ok());
    std::vector<ActionRecord> now = records();
    now[3] = original[3];
    EXPECT_EQ(now, original);
    read = readAuditTrail(trail);
    ASSERT_EQ(read.entries.size(), 5u);
    EXPECT_EQ(read.entries[4].command, "Restore action");
    EXPECT_EQ(read.entries[4].changes, std::vector<AuditChange>{recordChange(
                                           1, cancelledRecord(CancelReason::Canceled), original[0])});
    // Restored once: a later entry touches the entry's action.
    EXPECT_FALSE(restoreAction(ledger, journal, read, 0).ok());

    // The month is its file and journal: without the trail, or with a damaged one, it loads the same.
    const Ledger withTrail = loaded();
    EXPECT_FALSE(withTrail == shown);  // the edit of record 4 stands
    for (const char* damage : {"", "junk\n\\q\n"}) {
        fs::remove(trail);
        if (*damage) test::writeFile(trail, damage);
        EXPECT_TRUE(loaded() == withTrail);
    }
}

// Each case makes a trail, then the restore of its first entry must be refused and change nothing.
TEST_F(AuditedChangeTest, RestoreRefusesWhatTheTrailAndJournalDoNotBothVouchFor) {
    const std::string zz(cancelledRecord(CancelReason::Canceled).text());
    auto handWritten = [&](std::vector<AuditChange> changes, std::string command = kCancelCommand) {
        return appendAuditEntry(trail, {"t", "u", std::move(command), "", std::move(changes)});
    };
    const std::string to1(test::to("102", Money::cents(1)).text()),
        ti(composeKeyedRecord("TI", "01234", "10.00", "").text());
    // clang-format off
    // What the case is, the action cancelled first (0 for none), the steps after, the refusal.
    const std::tuple<const char*, std::int64_t, Operation, const char*> cases[] = {
        {"account gone", 1, [](auto& l, auto& j) { return deleteBudgetAccount(l, j, 1); },
         "budget account 101 was changed since (Delete budget account"},
        {"account renumbered, its number taken", 1, [](auto& l, auto& j) {
             (void)changeBudgetAccount(l, j, 1, {"150", "Pastor, Salary", "1200", "340.50"});
             return changeBudgetAccount(l, j, l.BudgetCount + 1, {"101", "Other", "5", "0"}); },
         "budget account 101 was changed since (Change budget account"},
        {"fund renamed", 2, [](auto& l, auto& j) {
             return changeFund(l, j, 1, {"Other", "500"}, seededRandom(1)); },
         "designated fund 01234 was changed since"},
        {"changed since", 1, [&](auto& l, auto& j) {
             (void)restoreAction(l, j, readAuditTrail(trail), 0);
             (void)editAction(l, j, 1, {"101", "99.00", ""});
             return cancelAction(l, j, 1); },
         "action 1 was changed since (Restore action"},
        {"live record", 0, [&](Ledger&, Journal&) { return handWritten({{"action 1", zz, zz}}); },
         "action 1 is not cancelled now"},
        {"records not adjacent", 5, [&](auto& l, auto& j) {
             (void)cancelAction(l, j, 1);
             fs::remove(trail);
             return handWritten({{"action 1", to1, zz}, {"action 5", ti, zz}}); },
         "its two records are not the two halves of one transfer"},
        {"not made", 1, [&](Ledger&, Journal&) { return handWritten({}, std::string(kAuditNotMade)); },
         "the audit trail says this cancellation was not made"},
        {"damaged later line", 1, [&](Ledger&, Journal&) {
             test::writeFile(trail, readFile(trail) + "t\tu\tEdit action\t\taction 1\t\\q\n");
             return Status::Ok(); },
         "is damaged: line 3"},
    };
    // clang-format on
    for (const auto& [name, cancel, steps, refusal] : cases) {
        SCOPED_TRACE(name);
        reopen();
        ASSERT_TRUE(!cancel || cancelAction(ledger, journal, cancel).ok());
        ASSERT_TRUE(steps(ledger, journal).ok());
        const std::string journalBytes = readFile(Journal::pathFor(path));
        const Status restored = restoreAction(ledger, journal, readAuditTrail(trail), 0);
        EXPECT_TRUE(restored.message().starts_with("The action cannot be restored: ")) << restored.message();
        EXPECT_TRUE(test::holds(restored.message(), refusal));
        EXPECT_EQ(readFile(Journal::pathFor(path)), journalBytes);
    }
}

TEST_F(AuditedChangeTest, ANewMonthStartsWithoutATrailAndACopyTakesItsOwn) {
    ASSERT_TRUE(cancelAction(ledger, journal, 1).ok());
    const std::string own = readFile(trail);
    const std::string stale = "Quorvel audit trail 1\nt\tu\tCancel action\t\n";
    // Left by earlier attempts, in any letter case; none may pass for the new file's trail.
    for (const char* name : {"JAN2027.aud", "JAN2027.AUD", "COPY.aud", "COPY.Aud", "COPY2.aud"})
        test::writeFile(folder.path(name), stale);
    ASSERT_TRUE(copyMonth(ledger, journal, folder.path("COPY.rep")).ok());
    EXPECT_EQ(readFile(folder.path("COPY.aud")), own);
    EXPECT_FALSE(fs::exists(folder.path("COPY.Aud")));
    EXPECT_EQ(readFile(folder.path("COPY.aud.bak")) + readFile(folder.path("COPY.Aud.bak")), stale + stale);
    {
        ScopedFileFault fault([&](FileStep at, const std::string& p) {
            return at == FileStep::Write && p.find("COPY2.aud") != std::string::npos ? EIO : 0;
        });
        EXPECT_TRUE(copyMonth(ledger, journal, folder.path("COPY2.rep")).tookEffect());
        EXPECT_FALSE(fs::exists(folder.path("COPY2.aud")));
    }
    ASSERT_TRUE(rollOver(ledger, journal, folder.path("JAN2027.rep"), RolloverKind::FreshYear).ok());
    for (const char* name : {"JAN2027.aud", "JAN2027.AUD"}) {
        EXPECT_FALSE(fs::exists(folder.path(name)));
        EXPECT_EQ(readFile(folder.path(std::string(name) + ".bak")), stale);
    }
    EXPECT_EQ(readFile(trail), own);
    // A link at the trail's name leads to another file: never copied as the month's own.
    fs::create_symlink(trail, folder.path("JAN2027.aud"));
    const Status linked = copyMonth(ledger, journal, folder.path("COPY3.rep"));
    EXPECT_TRUE(linked.tookEffect());
    EXPECT_TRUE(test::holds(linked.message(), "is a link"));
    EXPECT_FALSE(fs::exists(folder.path("COPY3.aud")));
}

// A month named as a trail would be its own trail: it is neither written under such a name
// nor, when opened under one, changed with its entry written into itself.
TEST_F(AuditedChangeTest, AMonthNamedAsATrailIsNeverItsOwnTrail) {
    const std::string journalBytes = readFile(Journal::pathFor(path));
    for (const char* name : {"COPY.aud", "COPY.AUD"}) {
        EXPECT_TRUE(test::holds(copyMonth(ledger, journal, folder.path(name)).message(),
                                "has the extension of an audit trail"));
        Ledger next = carriedForward(ledger, RolloverKind::NewMonth);
        next.CurrentFile = folder.path(std::string("JAN") + name);
        EXPECT_TRUE(test::holds(saveAsNewMonth(next).message(), "has the extension of an audit trail"));
        EXPECT_FALSE(fs::exists(folder.path(name)) || fs::exists(next.CurrentFile)) << name;
    }
    EXPECT_EQ(readFile(Journal::pathFor(path)), journalBytes);

    fs::copy_file(path, folder.path("JAN2027.aud"));
    fs::copy_file(Journal::pathFor(path), folder.path("JAN2027.jrn"));
    ASSERT_TRUE(LoadMonthFile(ledger, journal, folder.path("JAN2027.aud")).ok());
    const std::string month = readFile(folder.path("JAN2027.aud"));
    EXPECT_TRUE(test::holds(cancelAction(ledger, journal, 1).message(), "is the month's own file"));
    EXPECT_EQ(readFile(folder.path("JAN2027.aud")), month);
}

// Every byte unmistakable in a shown entry; whole cents as the month file writes them, finer amounts
// (as another writer's file may hold) in full.
TEST(AuditText, ShowsEveryByteAndUnitUnmistakably) {
    const std::pair<const char*, const char*> users[] = {
        {"a\\x1B", "a\\\\x1B"}, {"a\x1B", "a\\x1B"}, {"", "(none)"}, {"Caf\xE9 \x7F", "Caf\xE9 \\x7F"}};
    for (const auto& [user, shown] : users)
        EXPECT_EQ(auditEntryLines({"t", user, "c", "", {}}, Ledger()).at(0),
                  std::string("t  ") + shown + "  c")
            << user;
    EXPECT_EQ(auditEntryLines({"t", "u", "c", "one\ntwo", {}}, Ledger()),
              (std::vector<std::string>{"t  u  c", "    one", "    two"}));
    const std::pair<std::int64_t, const char*> cases[] = {
        {0, "0.00"}, {-1, "-0.0001"}, {123456, "12.3456"}, {10007501, "1000.7501"}, {-200000, "-20.00"},
    };
    for (const auto& [units, shown] : cases) EXPECT_EQ(auditAmount(Money::fromUnits(units)), shown) << units;
}

}  // namespace
}  // namespace quorvel
