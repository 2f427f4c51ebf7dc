#include <gtest/gtest.h>

#include <filesystem>

#include "core/sample_month.h"
#include "core/test_folder.h"
#include "ledger/journal.h"

namespace quorvel {
namespace {

using test::TestFolder;

ActionRecord deposit(int cents) { return test::keyed("DP", "", Money::cents(cents)); }

TEST(Journal, AppendReadAndRewriteInPlace) {
    TestFolder folder;
    Journal journal;
    ASSERT_TRUE(journal.open(folder.path("m.jrn"), JournalMode::ReadWrite).ok());
    EXPECT_EQ(journal.recordCount(), 0);
    ASSERT_TRUE(journal.append(deposit(100)).ok());
    ASSERT_TRUE(journal.append(deposit(200)).ok());
    ASSERT_TRUE(journal.write(1, cancelledRecord(CancelReason::Canceled)).ok());

    EXPECT_EQ(journal.read(2)->amount(), Money::cents(200));
    EXPECT_FALSE(journal.read(3).ok());
    EXPECT_FALSE(journal.write(3, deposit(1)).ok());
    EXPECT_EQ(test::readFile(folder.path("m.jrn")),
              std::string(cancelledRecord(CancelReason::Canceled).text()) + std::string(deposit(200).text()));
}

TEST(Journal, ReadOnlyNeverCreatesOrWrites) {
    TestFolder folder;
    const std::string path = folder.path("m.jrn");
    Journal journal;
    ASSERT_TRUE(journal.open(path, JournalMode::ReadOnly).ok());
    EXPECT_FALSE(journal.append(deposit(1)).ok());
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST(Journal, LocateFindsAJournalNamedInAnotherCase) {
    TestFolder folder;
    test::writeFile(folder.path("JAN2027.JRN"), "");
    EXPECT_EQ(Journal::locate(folder.path("JAN2027.REP")), folder.path("JAN2027.JRN"));
    EXPECT_EQ(Journal::locate(folder.path("jan2027.rep")), folder.path("JAN2027.JRN"));
    // The exact name wins when both exist.
    test::writeFile(folder.path("JAN2027.jrn"), "");
    EXPECT_EQ(Journal::locate(folder.path("JAN2027.REP")), folder.path("JAN2027.jrn"));
    // Nothing there: the exact name, for creation.
    EXPECT_EQ(Journal::locate(folder.path("FEB2027.rep")), folder.path("FEB2027.jrn"));
}

}  // namespace
}  // namespace quorvel
