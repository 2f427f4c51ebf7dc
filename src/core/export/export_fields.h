// Fields the exports share: amounts as plain decimals that spreadsheets and plain-text
// accounting tools read as numbers, exact to the ten-thousandth the ledger holds, and the
// kind of an action as words.
#pragma once

#include <string>
#include <string_view>

#include "ledger/money.h"

namespace quorvel {

// A minus sign for negatives, no thousands separator, two decimals and up to two more where
// the amount has them: 1234.56, -0.50, 12.3456, 12.345.
std::string plainAmount(Money amount);

// The action list's type text of `code` without the dash that joins it to a name there
// ("Deposit"); empty for codes the list never shows.
std::string_view actionKind(std::string_view code);

}  // namespace quorvel
