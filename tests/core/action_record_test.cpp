#include <gtest/gtest.h>

#include "ledger/action_record.h"

namespace quorvel {
namespace {

// Each kind of record, byte for byte; '|' marks nothing, the literals are exactly 34 bytes.
TEST(ActionRecord, GoldenBytesOfEveryKind) {
    const Money twelveFifty = Money::cents(1250);
    const struct {
        ActionRecord record;
        const char* bytes;
    } cases[] = {
        {composeBudgetRecord("BX", "101", *amountAsStr(twelveFifty), "ck 100"),
         "BX   101  12.5        ck 100      "},
        {composeKeyedRecord("DX", "01234", *amountAsStr(Money::cents(-325)), "12/01"),
         "DX 01234 -3.25        12/01       "},
        {composeKeyedRecord("DP", "", *amountAsStr(Money::cents(10000)), "Sunday"),
         "DP        100         Sunday      "},
        {composeBudgetRecord("TO", "460", *amountAsBox("50.00"), "12/10"),
         "TO   460 50.00        12/10       "},
        {composeKeyedRecord("TI", "20000", *amountAsBox("50.00"), "12/10"),
         "TI 20000 50.00        12/10       "},
        {composeKeyedRecord("SX", "11111", *amountAsRight(twelveFifty), "rent"),
         "SX 11111        12.50 rent        "},
        {composeFundCreated("04321"), "DN 04321 0.00         transfer    "},
        {composeFundName("  Christmas Baskets for Families  "), "D2 Christmas Baskets for Fam      "},
        {cancelledRecord(CancelReason::Canceled), "ZZ - action canceled -            "},
        {cancelledRecord(CancelReason::Deleted), "ZZ - action deleted -             "},
    };
    for (const auto& c : cases) {
        ASSERT_EQ(std::string_view(c.bytes).size(), kRecordSize) << c.bytes;
        EXPECT_EQ(c.record.text(), c.bytes);
    }
}

TEST(ActionRecord, FieldsAreCutToTheirWidth) {
    const ActionRecord record = composeBudgetRecord("BX", "12345", " 1", "a reference too long");
    EXPECT_EQ(record.budgetNumber(), "123");
    EXPECT_EQ(record.reference(), "a referenc");
    EXPECT_EQ(record.text().size(), kRecordSize);
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
    EXPECT_NE(amountAsStr(Money::cents(12'345'678'900)).message().find("too large"), std::string::npos);
}

TEST(ActionRecord, ReadsAmountsInEveryRendering) {
    const struct {
        const char* text;
        std::int64_t cents;
    } cases[] = {{"       12.50", 1250}, {" 12.5000", 1250}, {"12.5abc", 1250}, {"-.25", -25}, {"", 0}};
    for (const auto& c : cases) {
        EXPECT_EQ(composeKeyedRecord("DP", "", c.text, "").amount(), Money::cents(c.cents)) << c.text;
    }
    EXPECT_EQ(ActionRecord::fromBytes("DP").text(), "DP" + std::string(32, ' '));  // short input padded
}

}  // namespace
}  // namespace quorvel
