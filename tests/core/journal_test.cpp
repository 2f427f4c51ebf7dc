#include <gtest/gtest.h>

#include <filesystem>

#include "core/sample_month.h"
#include "core/test_folder.h"
#include "ledger/action_record.h"
#include "ledger/journal.h"

namespace quorvel {
namespace {

using test::TestFolder;

ActionRecord deposit(int cents) { return test::keyed("DP", "", Money::cents(cents)); }

TEST(Journal, AppendReadAndRewriteInPlaceAndNeverCreateOrWriteReadOnly) {
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

    Journal readOnly;
    ASSERT_TRUE(readOnly.open(folder.path("r.jrn"), JournalMode::ReadOnly).ok());
    EXPECT_FALSE(readOnly.append(deposit(1)).ok());
    EXPECT_FALSE(std::filesystem::exists(folder.path("r.jrn")));
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

// Records the recording test does not write, and fields cut to their width, byte for byte;
// the literals are exactly 34 bytes.
TEST(ActionRecord, GoldenBytesOfTheOtherKinds) {
    // clang-format off
    const std::pair<ActionRecord, const char*> cases[] = {
        {composeKeyedRecord("DX", "01234", *amountAsStr(Money::cents(-325)), "12/01"),
         "DX 01234 -3.25        12/01       "},
        {composeFundName("  Christmas Baskets for Families  "), "D2 Christmas Baskets for Fam      "},
        {composeBudgetRecord("BX", "12345", " 1", "a reference too long"), "BX   123  1           a referenc  "},
        {cancelledRecord(CancelReason::Canceled), "ZZ - action canceled -            "},
        {cancelledRecord(CancelReason::Deleted), "ZZ - action deleted -             "},
    };
    // clang-format on
    for (const auto& [record, bytes] : cases) {
        ASSERT_EQ(std::string_view(bytes).size(), kRecordSize) << bytes;
        EXPECT_EQ(record.text(), bytes);
    }
}

TEST(ActionRecord, AmountsThatWouldNotFitAreRefused) {
    for (const std::int64_t cents : {9'999'999'999LL, -9'999'999'999LL}) {
        EXPECT_TRUE(amountAsStr(Money::cents(cents)).ok()) << cents;
        EXPECT_TRUE(amountAsRight(Money::cents(cents)).ok()) << cents;
        EXPECT_FALSE(amountAsStr(Money::cents(cents + (cents > 0 ? 1 : -1))).ok()) << cents;
    }
    EXPECT_FALSE(amountAsRight(Money::cents(10'000'000'000)).ok());
    EXPECT_FALSE(amountAsBox("100000000.00").ok());
    EXPECT_FALSE(amountAsBox("1.0000000000001").ok());  // 15 characters would be cut
    EXPECT_TRUE(test::holds(amountAsStr(Money::cents(12'345'678'900)).message(), "too large"));
}

TEST(ActionRecord, ReadsAmountsInEveryRendering) {
    const std::pair<const char*, std::int64_t> cases[] = {
        {"       12.50", 1250}, {" 12.5000", 1250}, {"12.5abc", 1250}, {"-.25", -25}, {"", 0}};
    for (const auto& [text, cents] : cases) {
        EXPECT_EQ(composeKeyedRecord("DP", "", text, "").amount(), Money::cents(cents)) << text;
    }
    EXPECT_EQ(ActionRecord::fromBytes("DP").text(), "DP" + std::string(32, ' '));  // short input padded
}

}  // namespace
}  // namespace quorvel
