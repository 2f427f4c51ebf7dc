// The rule for an amount a person types into a box. Files keep their own, more forgiving
// reading (numeric_text.h); a typed amount is either read whole or refused, so the amount
// recorded is always the one the box shows.
//
// Accepted: outer blanks, an optional leading minus, an optional currency sign ($, £ or €),
// digits with at most one decimal point and at most two decimals, and commas between groups
// of three digits ("-$1,234.56", "1250", ".5"). Two decimals are the most a box shows, so a
// third would be recorded without being seen.
#pragma once

#include <string_view>

#include "money.h"
#include "status.h"

namespace quorvel {

// The amount typed in the box called `boxName`, or a message naming the box and the text.
Result<Money> readTypedAmount(std::string_view typed, std::string_view boxName);

}  // namespace quorvel
