// The number of a budget account as a person types it. Expenditures find their account by
// the number's text and transfers by all three of its characters, and a row numbered 000 is
// never picked, so only 001 to 999 can be charged: one to three digits, zeros put in front.
#pragma once

#include <string>
#include <string_view>

#include "status.h"

namespace quorvel {

// The three-digit number ("7" -> "007", " 42 " -> "042"), or why the text is none.
Result<std::string> chargeableNumber(std::string_view typed);

}  // namespace quorvel
