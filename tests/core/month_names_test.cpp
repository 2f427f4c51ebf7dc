#include <gtest/gtest.h>

#include "ledger/month_names.h"

namespace quorvel {
namespace {

TEST(NextMonthName, FollowsTheCalendarInTheNamesOwnCaseAndExtension) {
    const std::tuple<const char*, const char*, bool> cases[] = {
        {"NOV2026.rep", "DEC2026.rep", false}, {"DEC2026.rep", "JAN2027.rep", true},
        {"jan2027.REP", "feb2027.REP", false}, {"Sep2026.rep", "Oct2026.rep", false},
        {"DEC0999.rep", "JAN1000.rep", true},  {"AUG2026", "SEP2026", false}};
    for (const auto& [given, following, startsYear] : cases) {
        const auto next = nextMonthName(given);
        ASSERT_TRUE(next.has_value()) << given;
        EXPECT_EQ(next->name, following) << given;
        EXPECT_EQ(next->startsYear, startsYear) << given;
        EXPECT_EQ(previousMonthName(following), given) << following;
    }
    for (const char* notAMonth :
         {"BUDGET.rep", "DEC26.rep", "XYZ2026.rep", "DEC20a6.rep", "DEC9999.rep", ".rep", ""})
        EXPECT_FALSE(nextMonthName(notAMonth).has_value()) << notAMonth;
}

}  // namespace
}  // namespace quorvel
