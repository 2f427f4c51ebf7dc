#include <gtest/gtest.h>

#include "report/report_entries.h"

namespace quorvel {
namespace {

TEST(ReportEntries, AmountBoxesSettleToTwoDecimalsOrEmpty) {
    const struct {
        const char* typed;
        const char* settled;
    } cases[] = {{"5", "5.00"}, {"12.345", "12.35"}, {"1,250", "1.00"}, {"-3", "-3.00"},
                 {"0", ""},     {"abc", ""},         {"", ""},          {"-0.001", ""},
                 {"0.004", ""}, {"0.005", "0.01"}};
    for (const auto& c : cases) EXPECT_EQ(settledAmountText(c.typed), c.settled) << c.typed;
}

TEST(ReportEntries, CopiesRoundHalfToEvenWithinSixteenBits) {
    const struct {
        const char* text;
        std::optional<int> copies;
    } cases[] = {{"1", 1},
                 {"2.5", 2},
                 {"3.5", 4},
                 {"0.5", 0},
                 {"abc", 0},
                 {"", 0},
                 {"-1", -1},
                 {"32767", 32767},
                 {"32767.4", 32767},
                 {"32767.5", std::nullopt},
                 {"40000", std::nullopt},
                 {"-32768", -32768},
                 {"-32768.6", std::nullopt},
                 {"2 copies", 2}};
    for (const auto& c : cases) EXPECT_EQ(copiesRequested(c.text), c.copies) << c.text;
}

TEST(ReportEntries, TheTotalAddsEachAmountAsRead) {
    ReportEntries entries;
    entries.accountAmounts = {"100", "23.45", "", "abc", "-0.0001"};
    EXPECT_EQ(entries.accountsTotal(), Money::fromUnits(1234499));
}

}  // namespace
}  // namespace quorvel
