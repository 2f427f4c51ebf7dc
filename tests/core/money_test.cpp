#include <gtest/gtest.h>

#include <limits>

#include "ledger/money.h"
#include "ledger/numeric_text.h"

namespace quorvel {
namespace {

constexpr auto kTop = std::numeric_limits<std::int64_t>::max();
constexpr auto kBottom = std::numeric_limits<std::int64_t>::min();

TEST(Money, Renderings) {
    const struct {
        std::int64_t units;
        const char* format00;
        const char* str;  // the journal's rendering; the file's is the same without the sign blank
    } cases[] = {
        {125000, "12.50", " 12.5"},     {123450, "12.35", " 12.345"},  {-123450, "-12.35", "-12.345"},
        {123449, "12.34", " 12.3449"},  {-30000, "-3.00", "-3"},       {0, "0.00", " 0"},
        {-40, "0.00", "-.004"},         {50, "0.01", " .005"},         {-50, "-0.01", "-.005"},
        {15000000, "1500.00", " 1500"}, {100001, "10.00", " 10.0001"},
    };
    for (const auto& c : cases) {
        const Money m = Money::fromUnits(c.units);
        EXPECT_EQ(m.format00(), c.format00) << c.units;
        EXPECT_EQ(m.toStrText(), c.str) << c.units;
        EXPECT_EQ(m.toFileText(), std::string(c.str).substr(c.str[0] == ' ')) << c.units;
    }
}

TEST(Money, NumericValueOfText) {
    const struct {
        const char* text;
        double value;
    } cases[] = {
        {"12.5", 12.5}, {"1,250", 1},   {"abc", 0}, {"", 0},   {"   .5", 0.5}, {"-.5", -0.5},
        {"+7", 7},      {"1.2.3", 1.2}, {"\t4", 4}, {"5.", 5}, {"- 5", 0},     {".", 0},
    };
    for (const auto& c : cases) EXPECT_DOUBLE_EQ(numericValue(c.text), c.value) << '"' << c.text << '"';
    for (const char* text : {"12.5", " -3 ", ".5"}) EXPECT_TRUE(readsAsNumber(text)) << text;
    for (const char* text : {"", "abc", "12abc", ".", "1,250"}) EXPECT_FALSE(readsAsNumber(text)) << text;
}

// Past a double's range the reader leaves its result alone; that must not read as 0.
TEST(Money, NumbersBeyondADoubleSaturate) {
    const std::string huge = "1" + std::string(400, '0');
    const double infinity = std::numeric_limits<double>::infinity();
    EXPECT_EQ(numericValue(huge), infinity);
    EXPECT_EQ(numericValue(" -" + huge + ".5x"), -infinity);
    EXPECT_EQ(Money::fromText(huge), Money::fromUnits(kTop));
    EXPECT_EQ(Money::fromText("-" + huge), Money::fromUnits(kBottom));
    EXPECT_EQ(numericValue("0." + std::string(400, '0') + "1"), 0.0);  // too small for a double
    EXPECT_EQ(Money::fromUnits(kTop) + Money::fromUnits(1), Money::fromUnits(kTop));
    EXPECT_EQ(Money::fromUnits(kBottom) - Money::fromUnits(1), Money::fromUnits(kBottom));
    EXPECT_EQ(-Money::fromUnits(kBottom), Money::fromUnits(kTop));
    EXPECT_EQ(Money::fromDouble(1e300), Money::fromUnits(kTop));
    EXPECT_EQ(Money::fromDouble(-1e300), Money::fromUnits(kBottom));
}

TEST(Money, ReadingRoundsToFourDecimals) {
    const struct {
        const char* text;
        std::int64_t units;
    } fromText[] = {{"1.23456", 12346}, {"-1.23456", -12346}, {"99999999.99", 999999999900}};
    for (const auto& c : fromText) EXPECT_EQ(Money::fromText(c.text).units(), c.units) << c.text;
    // Exact decimal rounding at the fifth decimal, where a double would lean either way.
    const struct {
        const char* text;
        std::int64_t units;
    } exact[] = {{"-3.25", -32500},
                 {".5", 5000},
                 {" 7 ", 70000},
                 {"", 0},
                 {"12.34565", 123457},
                 {"-12.34565", -123457},
                 {"-1000000000000", -1'000'000'000'000 * Money::kScale}};  // the limit
    for (const auto& c : exact) EXPECT_EQ(Money::parseExact(c.text)->units(), c.units) << c.text;
    for (const char* bad :
         {"abc", "1.2.3", "1e5", "12,5", "-", ".", "1 2", "99999999999999999999", "1844674407370956",
          "-9223372036854801"}) {  // would wrap round in ten-thousandths
        EXPECT_FALSE(Money::parseExact(bad).has_value()) << bad;
    }
}

}  // namespace
}  // namespace quorvel
