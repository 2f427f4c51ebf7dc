// The numeric value of a text, as every amount box and journal amount is read:
// leading blanks are skipped, an optional sign, digits with "." as decimal point,
// reading stops at the first character that cannot continue the number, and a text
// without a leading number is 0 ("1,250" -> 1, ".5" -> 0.5, "abc" -> 0). A number too
// large for a double is infinite, so Money saturates rather than reading it as 0.
#pragma once

#include <string_view>

namespace quorvel {

double numericValue(std::string_view text);

// True when the text, blanks aside, is one complete number (used by the amount boxes
// that leave non-numbers as typed).
bool readsAsNumber(std::string_view text);

}  // namespace quorvel
