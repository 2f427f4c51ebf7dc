#include "numeric_text.h"

#include <charconv>
#include <limits>
#include <string>
#include <system_error>

namespace quorvel {
namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isBlank(char c) { return c == ' ' || c == '\t'; }

// Length of the number at the start of `text` (sign, digits, point, digits), 0 when none.
std::size_t numberLength(std::string_view text, bool& hasDigits) {
    std::size_t i = 0;
    hasDigits = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    while (i < text.size() && isDigit(text[i])) {
        ++i;
        hasDigits = true;
    }
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && isDigit(text[i])) {
            ++i;
            hasDigits = true;
        }
    }
    return i;
}

}  // namespace

double numericValue(std::string_view text) {
    std::size_t start = 0;
    while (start < text.size() && isBlank(text[start])) ++start;
    text.remove_prefix(start);
    bool hasDigits = false;
    const std::size_t length = numberLength(text, hasDigits);
    if (!hasDigits) return 0.0;

    // from_chars takes neither a "+" nor an empty integer part before a sign; normalise.
    std::string number;
    number.reserve(length + 2);
    std::string_view body = text.substr(0, length);
    if (body.front() == '-') number.push_back('-');
    if (body.front() == '+' || body.front() == '-') body.remove_prefix(1);
    if (body.front() == '.') number.push_back('0');
    number.append(body);
    if (number.back() == '.') number.pop_back();

    double value = 0.0;
    const auto read =
        std::from_chars(number.data(), number.data() + number.size(), value, std::chars_format::fixed);
    // Out of a double's range the value is left alone. A whole part with a digit other than 0
    // is too large and reads as infinity, which Money saturates; anything else is too small for
    // a double and stays 0.
    if (read.ec == std::errc::result_out_of_range && body.find_first_not_of('0') < body.find('.')) {
        return number.front() == '-' ? -std::numeric_limits<double>::infinity()
                                     : std::numeric_limits<double>::infinity();
    }
    return value;
}

bool readsAsNumber(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    bool hasDigits = false;
    return !text.empty() && numberLength(text, hasDigits) == text.size() && hasDigits;
}

}  // namespace quorvel
