#include "typed_amount.h"

#include <string>

#include "text_fields.h"

namespace quorvel {
namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

bool skipCurrencySign(std::string_view& text) {
    for (std::string_view sign : {"$", "\xC2\xA3", "\xE2\x82\xAC"}) {  // $ £ € in UTF-8
        if (text.starts_with(sign)) {
            text.remove_prefix(sign.size());
            return true;
        }
    }
    return false;
}

// The whole part's digits without its separators, or nothing when a separator is misplaced.
bool wholeDigits(std::string_view whole, std::string& digits) {
    if (whole.find(',') == std::string_view::npos) {
        digits = whole;
        return true;
    }
    // Every comma is followed by exactly three digits, and the first group has one to three.
    const std::size_t first = whole.find(',');
    if (first == 0 || first > 3) return false;
    for (std::size_t i = first; i < whole.size(); i += 4) {
        if (whole[i] != ',' || i + 4 > whole.size()) return false;
    }
    // Only the separators checked above go; any other comma stays, to be refused as no digit.
    for (std::size_t i = 0; i < whole.size(); ++i) {
        if (i < first || (i - first) % 4 != 0) digits.push_back(whole[i]);
    }
    return true;
}

}  // namespace

AmountFault readWrittenAmount(std::string_view written, std::size_t mostDecimals, Money& amount) {
    std::string_view text = trimBlanks(written);
    bool negative = text.starts_with('-');
    if (negative) text.remove_prefix(1);
    if (skipCurrencySign(text) && !negative && text.starts_with('-')) {  // "$-5" as well as "-$5"
        negative = true;
        text.remove_prefix(1);
    }
    const std::size_t point = text.find('.');
    const std::string_view whole = text.substr(0, point);
    const std::string_view fraction = point == std::string_view::npos ? "" : text.substr(point + 1);
    std::string digits;
    bool wellFormed = wholeDigits(whole, digits) && !(digits.empty() && fraction.empty());
    for (char c : digits + std::string(fraction)) wellFormed = wellFormed && isDigit(c);
    if (!wellFormed) return AmountFault::NotAnAmount;
    if (fraction.size() > mostDecimals || fraction.size() > 4) return AmountFault::TooManyDecimals;

    const std::int64_t limit = Money::kFileLimitUnits;
    std::int64_t units = 0;
    for (char c : digits) {
        units = units * 10 + (c - '0') * Money::kScale;
        if (units > limit) break;
    }
    std::int64_t place = Money::kScale / 10;
    for (char c : fraction) {
        units += (c - '0') * place;
        place /= 10;
    }
    if (units > limit) return AmountFault::TooLarge;
    amount = Money::fromUnits(negative ? -units : units);
    return AmountFault::None;
}

std::string amountFaultText(AmountFault fault, std::size_t mostDecimals) {
    switch (fault) {
        case AmountFault::None:
            return {};
        case AmountFault::NotAnAmount:
            return "is not an amount";
        case AmountFault::TooManyDecimals:
            return std::string("has more than ") + (mostDecimals == 2 ? "two" : "four") + " decimals";
        case AmountFault::TooLarge:
            return "is too large (the largest amount is " +
                   Money::fromUnits(Money::kFileLimitUnits).format00() + ")";
    }
    return {};
}

Result<Money> readTypedAmount(std::string_view typed, std::string_view boxName, std::size_t mostDecimals) {
    const std::string box = "the box \"" + std::string(boxName) + "\"";
    if (trimBlanks(typed).empty()) return Status::Error("Nothing was typed in " + box + ": type an amount.");
    Money amount;
    const AmountFault fault = readWrittenAmount(typed, mostDecimals, amount);
    if (fault == AmountFault::None) return amount;
    const std::string refused =
        "\"" + std::string(typed) + "\" in " + box + " " + amountFaultText(fault, mostDecimals);
    if (fault == AmountFault::NotAnAmount)
        return Status::Error(refused +
                             ". Type digits with at most one decimal point, such as 1250.00 or 1,250.00.");
    return Status::Error(refused + ".");
}

}  // namespace quorvel
