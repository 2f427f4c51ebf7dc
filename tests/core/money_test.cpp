#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "ledger/money.h"
#include "ledger/numeric_text.h"

namespace quorvel {
namespace {

TEST(Money, Format00RoundsHalfAwayFromZero) {
    const struct {
        std::int64_t units;
        const char* text;
    } cases[] = {
        {125000, "12.50"},  {123450, "12.35"},   {-123450, "-12.35"}, {123449, "12.34"},
        {-30000, "-3.00"},  {0, "0.00"},         {40, "0.00"},        {-40, "0.00"},
        {50, "0.01"},       {-50, "-0.01"},      {999999999900, "99999999.99"},
    };
    for (const auto& c : cases) EXPECT_EQ(Money::fromUnits(c.units).format00(), c.text) << c.units;
}

TEST(Money, StrTextIsTheJournalRendering) {
    const struct {
        std::int64_t units;
        const char* str;
        const char* file;
    } cases[] = {
        {125000, " 12.5", "12.5"},  {1255000, " 125.5", "125.5"}, {-32500, "-3.25", "-3.25"},
        {0, " 0", "0"},             {5000, " .5", ".5"},          {-2500, "-.25", "-.25"},
        {15000000, " 1500", "1500"}, {1, " .0001", ".0001"},      {100001, " 10.0001", "10.0001"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Money::fromUnits(c.units).toStrText(), c.str) << c.units;
        EXPECT_EQ(Money::fromUnits(c.units).toFileText(), c.file) << c.units;
    }
}

TEST(Money, NumericValueOfText) {
    const struct {
        const char* text;
        double value;
    } cases[] = {
        {"12.5", 12.5},   {"1,250", 1},     {"abc", 0},      {"-3", -3},       {"", 0},
        {"   .5", 0.5},   {"-.5", -0.5},    {"+7", 7},       {"12.50abc", 12.5}, {".", 0},
        {"-", 0},         {"1.2.3", 1.2},   {" 12.5       ", 12.5}, {"\t4", 4}, {"5.", 5},
        {"007", 7},       {"- 5", 0},
    };
    for (const auto& c : cases) EXPECT_DOUBLE_EQ(numericValue(c.text), c.value) << '"' << c.text << '"';
}

// Past a double's range the reader leaves its result alone; that must not read as 0.
TEST(Money, NumbersBeyondADoubleSaturate) {
    const std::string huge = "1" + std::string(400, '0');
    const double infinity = std::numeric_limits<double>::infinity();
    EXPECT_EQ(numericValue(huge), infinity);
    EXPECT_EQ(numericValue(" -" + huge + ".5x"), -infinity);
    EXPECT_EQ(Money::fromText(huge), Money::fromUnits(std::numeric_limits<std::int64_t>::max()));
    EXPECT_EQ(Money::fromText("-" + huge), Money::fromUnits(std::numeric_limits<std::int64_t>::min()));
    EXPECT_EQ(numericValue("0." + std::string(400, '0') + "1"), 0.0);  // too small for a double
}

TEST(Money, FromTextRoundsToFourDecimals) {
    EXPECT_EQ(Money::fromText("1.23456").units(), 12346);
    EXPECT_EQ(Money::fromText("-1.23456").units(), -12346);
    EXPECT_EQ(Money::fromText("12.5").units(), 125000);
    EXPECT_EQ(Money::fromText("0.1").units(), 1000);
    EXPECT_EQ(Money::fromText("99999999.99").units(), 999999999900);
}

TEST(Money, ReadsAsNumber) {
    EXPECT_TRUE(readsAsNumber("12.5"));
    EXPECT_TRUE(readsAsNumber(" -3 "));
    EXPECT_TRUE(readsAsNumber(".5"));
    EXPECT_FALSE(readsAsNumber(""));
    EXPECT_FALSE(readsAsNumber("abc"));
    EXPECT_FALSE(readsAsNumber("12abc"));
    EXPECT_FALSE(readsAsNumber("."));
    EXPECT_FALSE(readsAsNumber("1,250"));
}

TEST(Money, ParseExactTakesOnlyWholeNumbers) {
    EXPECT_EQ(Money::parseExact("1500")->units(), 15000000);
    EXPECT_EQ(Money::parseExact("12.5")->units(), 125000);
    EXPECT_EQ(Money::parseExact("-3.25")->units(), -32500);
    EXPECT_EQ(Money::parseExact(".5")->units(), 5000);
    EXPECT_EQ(Money::parseExact("-.25")->units(), -2500);
    EXPECT_EQ(Money::parseExact(" 7 ")->units(), 70000);
    EXPECT_EQ(Money::parseExact("")->units(), 0);
    // Exact decimal rounding at the fifth decimal, where a double would lean either way.
    EXPECT_EQ(Money::parseExact("12.34565")->units(), 123457);
    EXPECT_EQ(Money::parseExact("-12.34565")->units(), -123457);
    EXPECT_EQ(Money::parseExact("-1000000000000")->units(), -1'000'000'000'000 * Money::kScale);  // the limit
    for (const char* bad : {"abc", "1.2.3", "1e5", "12,5", "-", ".", "inf", "nan", "1 2", "99999999999999999999",
                            "1844674407370956", "-9223372036854801"}) {  // would wrap round in ten-thousandths
        EXPECT_FALSE(Money::parseExact(bad).has_value()) << bad;
    }
}

TEST(Money, ArithmeticSaturatesInsteadOfOverflowing) {
    const Money top = Money::fromUnits(std::numeric_limits<std::int64_t>::max());
    const Money bottom = Money::fromUnits(std::numeric_limits<std::int64_t>::min());
    EXPECT_EQ(top + Money::fromUnits(1), top);
    EXPECT_EQ(bottom - Money::fromUnits(1), bottom);
    EXPECT_EQ(-bottom, top);
    EXPECT_EQ(Money::fromDouble(1e300), top);
    EXPECT_EQ(Money::fromDouble(-1e300), bottom);
}

}  // namespace
}  // namespace quorvel

namespace quorvel {
namespace {

// Short amounts are read without a double; the result must be what the double gives.
TEST(Money, DirectReadingAgreesWithTheDoubleReading) {
    std::mt19937 random(5);
    std::uniform_int_distribution<long long> whole(0, 99'999'999'999LL);
    std::uniform_int_distribution<int> digits(0, 4), decimal(0, 9999), sign(0, 2), pad(0, 3);
    for (int n = 0; n < 200000; ++n) {
        std::string text(static_cast<std::size_t>(pad(random)), ' ');
        const int s = sign(random);
        if (s == 1) text += '-';
        if (s == 2) text += '+';
        text += std::to_string(whole(random) >> (n % 40));
        const int places = digits(random);
        if (places > 0) {
            std::string fraction = std::to_string(decimal(random) % static_cast<int>(std::pow(10, places)));
            text += "." + std::string(static_cast<std::size_t>(places) - fraction.size(), '0') + fraction;
        }
        ASSERT_EQ(Money::fromText(text), Money::fromDouble(numericValue(text))) << '"' << text << '"';
    }
}

}  // namespace
}  // namespace quorvel
