#include <gtest/gtest.h>

#include <cstdio>
#include <tuple>

#include "ledger/ledger_routines.h"
#include "review/fund_order.h"

namespace quorvel {
namespace {

// Funds named "F1".."Fn" in rows 1..n, numbered 10001.., balance n.00 for fund n.
Ledger funds(int count) {
    Ledger l;
    ClearLedger(l);
    for (int f = 1; f <= count; ++f) {
        l.DesigAcctName[f] = "F" + std::to_string(f);
        l.DesigAcctNumber[f] = std::to_string(10000 + f);
        l.DesigAmount[f][kAtFirstOfMonth] = l.DesigAmount[f][kFundRemaining] = Money::cents(100 * f);
    }
    l.DesigCount = count;
    return l;
}

// The funds' original numbers (1..n) in row order, checked to have travelled with name and amounts.
std::vector<int> order(const Ledger& l) {
    std::vector<int> all;
    for (int row = 1; row <= l.DesigCount; ++row) {
        const int f = std::stoi(l.DesigAcctNumber[row]) - 10000;
        EXPECT_EQ(l.DesigAcctName[row], "F" + std::to_string(f));
        EXPECT_EQ(l.DesigAmount[row][kFundRemaining], Money::cents(100 * f));
        all.push_back(f);
    }
    return all;
}

TEST(FundOrder, EachMoveAndItsLimits) {
    const struct {
        int count, row;
        FundMove move;
        int newRow;
        std::vector<int> order;
    } cases[] = {
        {5, 4, FundMove::ToTop, 1, {4, 1, 2, 3, 5}},   {5, 3, FundMove::UpOne, 2, {1, 3, 2, 4, 5}},
        {5, 3, FundMove::DownOne, 4, {1, 2, 4, 3, 5}}, {5, 2, FundMove::ToBottom, 5, {1, 3, 4, 5, 2}},
        {5, 1, FundMove::UpOne, 1, {1, 2, 3, 4, 5}},   {5, 1, FundMove::ToTop, 1, {1, 2, 3, 4, 5}},
        {5, 5, FundMove::DownOne, 5, {1, 2, 3, 4, 5}}, {5, 5, FundMove::ToBottom, 5, {1, 2, 3, 4, 5}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << c.count << " funds, row " << c.row << ", move " << static_cast<int>(c.move));
        Ledger l = funds(c.count);
        EXPECT_EQ(moveFund(l, c.row, c.move), c.newRow);
        EXPECT_EQ(order(l), c.order);
        EXPECT_EQ(l.DesigAcctName[c.count + 1], "");  // nothing spills past the last fund
    }
}

TEST(FundOrder, FullViewNumbersEveryRow) {
    Ledger l = funds(10);
    l.DesigAcctName[3] = "";
    std::vector<std::string> expected = {"     - ordered list of designated funds -"};
    for (int f = 1; f <= 10; ++f)
        expected.push_back((f < 10 ? " " : "") + std::to_string(f) + "   " + l.DesigAcctName[f]);
    EXPECT_EQ(fundOrderLines(l), expected);
}

TEST(FundOrder, PlaceViewOfFifteenRowsAroundTheMovedFund) {
    const Ledger l = funds(30);
    const struct {
        int row, first, last;
    } cases[] = {{20, 13, 27}, {2, 1, 15}, {29, 22, 30}, {1, 1, 15}, {30, 23, 30}, {8, 1, 15}, {9, 2, 16}};
    for (const auto& c : cases) {
        const FundPlaceView view = fundPlaceView(l, c.row);
        std::vector<std::string> expected;
        for (int r = c.first; r <= c.last; ++r) {
            char number[16];
            std::snprintf(number, sizeof number, "     %2d    ", r);
            expected.push_back((r == c.row ? " " : std::string(number)) + "F" + std::to_string(r));
        }
        EXPECT_EQ(std::tie(view.first, view.last, view.lines), std::tie(c.first, c.last, expected)) << c.row;
    }
}

}  // namespace
}  // namespace quorvel
