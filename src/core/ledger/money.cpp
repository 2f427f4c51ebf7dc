#include "money.h"

#include <cmath>
#include <limits>

#include "numeric_text.h"

namespace quorvel {
namespace {

constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();

std::uint64_t magnitude(std::int64_t v) {
    return v < 0 ? std::uint64_t(0) - static_cast<std::uint64_t>(v) : static_cast<std::uint64_t>(v);
}

}  // namespace

Money Money::fromDouble(double value) {
    const double scaled = value * static_cast<double>(kScale);
    if (std::isnan(scaled)) return Money();
    // 9.2e18 is the last double below 2^63; beyond it llround is undefined.
    if (scaled >= 9.2e18) return Money(kMax);
    if (scaled <= -9.2e18) return Money(kMin);
    return Money(std::llround(scaled));
}

namespace {

// The common journal amount ("  125.5", "1234.00"): at most eleven whole digits and four
// decimals. Its value in ten-thousandths is below 2^53, so the double it reads as, scaled
// and rounded, is exactly this integer; reading it directly gives the same Money.
bool shortDecimalUnits(std::string_view text, std::int64_t& units) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    std::int64_t value = 0;
    int whole = 0, decimals = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
        if (++whole > 11) return false;
        value = value * 10 + (text[i++] - '0');
    }
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
            if (++decimals > 4) return false;
            value = value * 10 + (text[i++] - '0');
        }
    }
    if (whole + decimals == 0) return false;
    for (int d = decimals; d < 4; ++d) value *= 10;
    units = negative ? -value : value;
    return true;
}

}  // namespace

Money Money::fromText(std::string_view text) {
    std::int64_t units = 0;
    if (shortDecimalUnits(text, units)) return Money(units);
    return fromDouble(numericValue(text));
}

std::optional<Money> Money::parseExact(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    if (text.empty()) return Money();

    bool negative = false;
    if (text.front() == '+' || text.front() == '-') {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    constexpr auto kLimit = static_cast<std::uint64_t>(kFileLimitUnits);
    std::uint64_t units = 0;
    int digits = 0;
    int decimals = -1;  // -1 until the point is seen
    bool roundUp = false;
    for (char c : text) {
        if (c == '.' && decimals < 0) {
            decimals = 0;
            continue;
        }
        if (c < '0' || c > '9') return std::nullopt;
        ++digits;
        if (decimals >= 4) {
            // The fifth decimal decides the rounding; later ones cannot change it.
            if (decimals == 4) roundUp = c >= '5';
            ++decimals;
            continue;
        }
        units = units * 10 + static_cast<std::uint64_t>(c - '0');
        if (units > kLimit) return std::nullopt;
        if (decimals >= 0) ++decimals;
    }
    if (digits == 0) return std::nullopt;
    // Checked at each step: a 16-digit whole part would otherwise wrap round to a small amount.
    for (int d = decimals < 0 ? 0 : decimals; d < 4; ++d) {
        units *= 10;
        if (units > kLimit) return std::nullopt;
    }
    if (roundUp) ++units;
    if (units > kLimit) return std::nullopt;
    const auto signedUnits = static_cast<std::int64_t>(units);
    return Money(negative ? -signedUnits : signedUnits);
}

Money Money::operator+(Money other) const {
    std::int64_t sum = 0;
    if (__builtin_add_overflow(units_, other.units_, &sum)) return Money(other.units_ > 0 ? kMax : kMin);
    return Money(sum);
}

Money Money::operator-(Money other) const {
    std::int64_t difference = 0;
    if (__builtin_sub_overflow(units_, other.units_, &difference)) {
        return Money(other.units_ < 0 ? kMax : kMin);
    }
    return Money(difference);
}

Money Money::operator-() const { return Money(units_ == kMin ? kMax : -units_); }

std::string Money::format00() const {
    std::uint64_t hundredths = magnitude(units_) / 100;
    if (magnitude(units_) % 100 >= 50) ++hundredths;
    std::string text = std::to_string(hundredths / 100);
    const auto fraction = static_cast<unsigned>(hundredths % 100);
    text.push_back('.');
    text.push_back(static_cast<char>('0' + fraction / 10));
    text.push_back(static_cast<char>('0' + fraction % 10));
    // A value that rounds to zero shows as 0.00, never -0.00.
    if (units_ < 0 && hundredths != 0) text.insert(text.begin(), '-');
    return text;
}

std::string Money::toFileText() const {
    const std::uint64_t whole = magnitude(units_) / kScale;
    auto fraction = static_cast<unsigned>(magnitude(units_) % kScale);
    std::string text = units_ < 0 ? "-" : "";
    if (whole != 0 || fraction == 0) text += std::to_string(whole);
    if (fraction != 0) {
        char digits[4];
        for (int i = 3; i >= 0; --i) {
            digits[i] = static_cast<char>('0' + fraction % 10);
            fraction /= 10;
        }
        int length = 4;
        while (digits[length - 1] == '0') --length;
        text.push_back('.');
        text.append(digits, static_cast<std::size_t>(length));
    }
    return text;
}

std::string Money::toStrText() const { return units_ < 0 ? toFileText() : " " + toFileText(); }

}  // namespace quorvel
