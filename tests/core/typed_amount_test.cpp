#include <gtest/gtest.h>

#include "ledger/typed_amount.h"

namespace quorvel {
namespace {

TEST(TypedAmount, ReadsEveryAcceptedForm) {
    const struct {
        const char* typed;
        std::int64_t cents;
    } cases[] = {
        {"12.5", 1250},
        {".5", 50},
        {"5.", 500},
        {"-3", -300},
        {" 7 ", 700},
        {"1,234.56", 123456},
        {"1,000,000", 100000000},
        {"-$12.50", -1250},
        {"$-12.50", -1250},
        {"\xE2\x82\xAC"
         "5",
         500},
        {"999999999999.99", 99999999999999},
    };
    for (const auto& c : cases) {
        const auto read = readTypedAmount(c.typed, "Amount");
        ASSERT_TRUE(read) << c.typed << ": " << read.message();
        EXPECT_EQ(*read, Money::cents(c.cents)) << c.typed;
    }
}

TEST(TypedAmount, RefusesAnythingElseNamingBoxAndText) {
    const struct {
        const char* typed;
        const char* reason = "is not an amount";
    } cases[] = {
        {"12.5abc"},
        {"1e9"},
        {"1.2.3"},
        {"1,25"},
        {"12,34.5"},
        {",123"},
        {"1234,567"},
        {"1,,23"},
        {"+5"},
        {"--5"},
        {"5-"},
        {"."},
        {"$"},
        {"12 34"},
        {"12.345", "has more than two decimals"},
        {"10000000000000", "is too large"},
        {"   ", "Nothing was typed"},
    };
    for (const auto& c : cases) {
        const auto read = readTypedAmount(c.typed, "Amount");
        ASSERT_FALSE(read) << c.typed;
        EXPECT_NE(read.message().find(c.reason), std::string::npos) << read.message();
        EXPECT_NE(read.message().find("\"Amount\""), std::string::npos) << read.message();
        if (*c.typed != ' ') {
            EXPECT_NE(read.message().find(c.typed), std::string::npos) << read.message();
        }
    }
}

TEST(TypedAmount, FourDecimalsWhereTheBoxAllowsThem) {
    const struct {
        const char* text;
        AmountFault fault;
        std::int64_t units;
    } cases[] = {
        {"-1,234.5678", AmountFault::None, -12345678},
        {"12.34567", AmountFault::TooManyDecimals, 0},
        {"1,2345.00", AmountFault::NotAnAmount, 0},
        {"abc", AmountFault::NotAnAmount, 0},
    };
    for (const auto& c : cases) {
        Money read;
        EXPECT_EQ(readWrittenAmount(c.text, 4, read), c.fault) << c.text;
        if (c.fault == AmountFault::None) {
            EXPECT_EQ(read, Money::fromUnits(c.units)) << c.text;
        }
    }
    EXPECT_NE(readTypedAmount("1.23456", "Savings", 4).message().find("has more than four decimals"),
              std::string::npos);
}

}  // namespace
}  // namespace quorvel
