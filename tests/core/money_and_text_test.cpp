#include <gtest/gtest.h>

#include <limits>
#include <optional>

#include "core/test_folder.h"
#include "ledger/code_page.h"
#include "ledger/money.h"
#include "ledger/numeric_text.h"
#include "ledger/text_fields.h"
#include "ledger/typed_amount.h"

namespace quorvel {
namespace {

constexpr auto kTop = std::numeric_limits<std::int64_t>::max();
constexpr auto kBottom = std::numeric_limits<std::int64_t>::min();

TEST(Money, Renderings) {
    // Units, format00 and the journal's rendering; the file's is the same without the sign blank.
    const std::tuple<std::int64_t, const char*, const char*> cases[] = {
        {125000, "12.50", " 12.5"},     {123450, "12.35", " 12.345"},  {-123450, "-12.35", "-12.345"},
        {123449, "12.34", " 12.3449"},  {-30000, "-3.00", "-3"},       {0, "0.00", " 0"},
        {-40, "0.00", "-.004"},         {50, "0.01", " .005"},         {-50, "-0.01", "-.005"},
        {15000000, "1500.00", " 1500"}, {100001, "10.00", " 10.0001"},
    };
    for (const auto& [units, format00, str] : cases) {
        const Money m = Money::fromUnits(units);
        EXPECT_EQ(m.format00(), format00) << units;
        EXPECT_EQ(m.toStrText(), str) << units;
        EXPECT_EQ(m.toFileText(), std::string(str).substr(str[0] == ' ')) << units;
    }
}

TEST(Money, NumericValueOfTextSaturatingBeyondADouble) {
    const std::pair<const char*, double> cases[] = {
        {"12.5", 12.5}, {"1,250", 1},   {"abc", 0}, {"", 0},   {"   .5", 0.5}, {"-.5", -0.5},
        {"+7", 7},      {"1.2.3", 1.2}, {"\t4", 4}, {"5.", 5}, {"- 5", 0},     {".", 0},
    };
    for (const auto& [text, value] : cases) EXPECT_DOUBLE_EQ(numericValue(text), value) << '"' << text << '"';
    for (const char* text : {"12.5", " -3 ", ".5"}) EXPECT_TRUE(readsAsNumber(text)) << text;
    for (const char* text : {"", "abc", "12abc", ".", "1,250"}) EXPECT_FALSE(readsAsNumber(text)) << text;

    // Past a double's range the reader leaves its result alone; that must not read as 0.
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
    struct TextUnits {
        const char* text;
        std::int64_t units;
    };
    const TextUnits fromText[] = {{"1.23456", 12346}, {"-1.23456", -12346}, {"99999999.99", 999999999900}};
    for (const auto& c : fromText) EXPECT_EQ(Money::fromText(c.text).units(), c.units) << c.text;
    // Exact decimal rounding at the fifth decimal, where a double would lean either way.
    // clang-format off
    const TextUnits exact[] = {{"-3.25", -32500}, {".5", 5000}, {" 7 ", 70000}, {"", 0}, {"12.34565", 123457},
                               {"-12.34565", -123457},
                               {"-1000000000000", -1'000'000'000'000 * Money::kScale}};  // the limit
    // clang-format on
    for (const auto& c : exact) EXPECT_EQ(Money::parseExact(c.text)->units(), c.units) << c.text;
    for (const char* bad :
         {"abc", "1.2.3", "1e5", "12,5", "-", ".", "1 2", "99999999999999999999", "1844674407370956",
          "-9223372036854801"}) {  // would wrap round in ten-thousandths
        EXPECT_FALSE(Money::parseExact(bad).has_value()) << bad;
    }
}

TEST(TypedAmount, ReadsEveryAcceptedFormAndRefusesAnythingElseNamingBoxAndText) {
    // clang-format off
    const std::pair<const char*, std::int64_t> cases[] = {
        {"12.5", 1250},          {".5", 50},          {"5.", 500},          {"-3", -300},
        {" 7 ", 700},            {"1,234.56", 123456}, {"1,000,000", 100000000},
        {"-$12.50", -1250},      {"$-12.50", -1250},  {"\xE2\x82\xAC" "5", 500},
        {"999999999999.99", 99999999999999},
    };
    // clang-format on
    for (const auto& [typed, cents] : cases) {
        const auto read = readTypedAmount(typed, "Amount");
        ASSERT_TRUE(read) << typed << ": " << read.message();
        EXPECT_EQ(*read, Money::cents(cents)) << typed;
    }

    // Anything else is refused, naming the box and the text.
    // clang-format off
    const struct {
        const char* typed;
        const char* reason = "is not an amount";
    } refused[] = {
        {"12.5abc"}, {"1e9"}, {"1.2.3"}, {"1,25"}, {"12,34.5"}, {",123"}, {"1234,567"}, {"1,,23"},
        {"+5"}, {"--5"}, {"5-"}, {"."}, {"$"}, {"12 34"},
        {"12.345", "has more than two decimals"}, {"10000000000000", "is too large"},
        {"   ", "Nothing was typed"},
    };
    // clang-format on
    for (const auto& c : refused) {
        const auto read = readTypedAmount(c.typed, "Amount");
        EXPECT_TRUE(test::holds(read.message(), c.reason));
        EXPECT_TRUE(test::holds(read.message(), "\"Amount\""));
        EXPECT_TRUE(*c.typed == ' ' || read.message().find(c.typed) != std::string::npos) << read.message();
    }
}

TEST(TypedAmount, FourDecimalsWhereTheBoxAllowsThem) {
    const std::tuple<const char*, AmountFault, std::int64_t> cases[] = {
        {"-1,234.5678", AmountFault::None, -12345678},
        {"12.34567", AmountFault::TooManyDecimals, 0},
        {"1,2345.00", AmountFault::NotAnAmount, 0},
        {"abc", AmountFault::NotAnAmount, 0},
    };
    for (const auto& [text, fault, units] : cases) {
        Money read;
        EXPECT_EQ(readWrittenAmount(text, 4, read), fault) << text;
        EXPECT_EQ(read, fault == AmountFault::None ? Money::fromUnits(units) : Money()) << text;
    }
    EXPECT_TRUE(
        test::holds(readTypedAmount("1.23456", "Savings", 4).message(), "has more than four decimals"));
}

// The five bytes without a character read as U+FFFD wherever text is shown, and neither that
// nor the C1 control of the same number turns back into them; their neighbours round-trip.
TEST(CodePage, BytesWithoutACharacterShowAsReplacementAndNeverComeBack) {
    const std::tuple<unsigned char, const char*, bool> cases[] = {
        {0x80, "\xE2\x82\xAC", true},  {0x81, "\xEF\xBF\xBD", false}, {0x8D, "\xEF\xBF\xBD", false},
        {0x8F, "\xEF\xBF\xBD", false}, {0x90, "\xEF\xBF\xBD", false}, {0x9D, "\xEF\xBF\xBD", false},
        {0x9F, "\xC5\xB8", true},
    };
    for (const auto& [code, utf8, character] : cases) {
        const std::string byte(1, static_cast<char>(code));
        std::string control;
        appendUtf8(control, code);
        EXPECT_EQ(isCp1252Character(code), character) << int(code);
        EXPECT_EQ(cp1252ToUtf8(byte), utf8) << int(code);
        EXPECT_EQ(utf8ToCp1252(utf8), character ? std::optional(byte) : std::nullopt) << int(code);
        EXPECT_EQ(utf8ToCp1252(control), std::nullopt) << int(code);
    }
    // A NUL is a character like any other, also beside text that needs converting.
    EXPECT_EQ(utf8ToCp1252(std::string("\0\xC3\xA9", 3)), std::string("\0\xE9", 2));
}

// Zero has no sign, and a sign goes in front of the padding; fund numbers start from 0.
TEST(TextFields, ZeroPaddedSignsOnlyNegativesAndNeverCuts) {
    const std::tuple<long long, int, const char*> cases[] = {
        {0, 5, "00000"}, {7, 3, "007"}, {-7, 3, "-007"}, {12345, 3, "12345"}, {29999, 5, "29999"}};
    for (const auto& [n, digits, shown] : cases) EXPECT_EQ(zeroPadded(n, digits), shown) << n;
}

}  // namespace
}  // namespace quorvel
