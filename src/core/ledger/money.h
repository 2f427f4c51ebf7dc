// Money: an exact amount in ten-thousandths of the currency unit, held in 64 bits.
// Sums never pass through floating point; only a typed or journal text is read as a
// double and rounded to four decimals, as the stored data has always been read.
#pragma once

#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quorvel {

class Money {
public:
    static constexpr std::int64_t kScale = 10000;
    // The largest amount, either sign, that a month file holds: far beyond any ledger, yet
    // small enough that sums of every row never overflow.
    static constexpr std::int64_t kFileLimitUnits = 1'000'000'000'000 * kScale;

    constexpr Money() = default;
    static constexpr Money fromUnits(std::int64_t units) { return Money(units); }
    // Whole currency units and hundredths, for literals in code and tests: cents(1250) is 12.50.
    static constexpr Money cents(std::int64_t c) { return Money(c * 100); }
    // Rounds to four decimals, half away from zero; saturates far outside any real amount.
    static Money fromDouble(double value);
    // The numeric value of a text (see numeric_text.h), rounded to four decimals.
    static Money fromText(std::string_view text);
    // A number field of a month file: the whole text must be a decimal number
    // ("1500", "12.5", "-.25"); empty text is 0. Parsed exactly, without a double.
    // Nothing beyond kFileLimitUnits.
    static std::optional<Money> parseExact(std::string_view text);

    constexpr std::int64_t units() const { return units_; }
    constexpr bool isZero() const { return units_ == 0; }

    // Arithmetic saturates instead of overflowing: no real ledger comes near the limits,
    // and a damaged file must not cause undefined behaviour.
    Money operator+(Money other) const;
    Money operator-(Money other) const;
    Money operator-() const;
    Money& operator+=(Money other) { return *this = *this + other; }
    Money& operator-=(Money other) { return *this = *this - other; }
    constexpr auto operator<=>(const Money&) const = default;

    // "0.00": two decimals rounded half away from zero, minus sign for negatives.
    std::string format00() const;
    // The journal's number-to-text form: a blank (or a minus sign), the shortest decimal
    // rendering, no leading zero before the point: 12.5 -> " 12.5", 0.5 -> " .5", 0 -> " 0".
    std::string toStrText() const;
    // The month file's number form: as toStrText without the leading blank.
    std::string toFileText() const;

private:
    constexpr explicit Money(std::int64_t units) : units_(units) {}
    std::int64_t units_ = 0;
};

}  // namespace quorvel
