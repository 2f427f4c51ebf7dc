// The rule for an amount a person types into a box. Files keep their own, more forgiving
// reading (numeric_text.h); a typed amount is either read whole or refused, so the amount
// recorded is always the one the box shows.
//
// Accepted: outer blanks, an optional leading minus, an optional currency sign ($, £ or €),
// digits with at most one decimal point and at most two decimals, and commas between groups
// of three digits ("-$1,234.56", "1250", ".5"). Two decimals are the most a box shows, so a
// third would be recorded without being seen.
#pragma once

#include <string>
#include <string_view>

#include "money.h"
#include "status.h"

namespace quorvel {

// Why a written amount was not read.
enum class AmountFault { None, NotAnAmount, TooManyDecimals, TooLarge };
// The rule above for any amount written by a person or a bank, with at most `mostDecimals`
// decimals (four at most, all an amount holds); the amount goes to `amount` when it is read.
AmountFault readWrittenAmount(std::string_view text, std::size_t mostDecimals, Money& amount);
// The fault in words, to follow the quoted text: "is not an amount", "has more than four decimals".
std::string amountFaultText(AmountFault fault, std::size_t mostDecimals);

// The amount typed in the box called `boxName`, or a message naming the box and the text.
// A box that shows four decimals allows them.
Result<Money> readTypedAmount(std::string_view typed, std::string_view boxName, std::size_t mostDecimals = 2);

}  // namespace quorvel
