// What a typed fund or source name must be before it is stored: trimmed of outer blanks,
// short enough for every place that shows or records it whole, and not the name of another
// fund or source in any letter case (the lists would tell them apart only by number).
#pragma once

#include <string>
#include <string_view>

#include "ledger.h"
#include "status.h"

namespace quorvel {

// A fund made during a transfer is announced in the journal with 25 characters of its name.
inline constexpr std::size_t kFundNameLength = 25;
// The source list shows the month's amount from position 40.
inline constexpr std::size_t kSourceNameLength = 39;
// Positions 23-32 of a record.
inline constexpr std::size_t kReferenceLength = 10;

// The trimmed name for fund row `row` (a new fund: the next free row), or why it is refused.
// `maxLength` 0 leaves the length to the month file (names of existing funds may be longer).
Result<std::string> fundName(const Ledger& ledger, std::string_view typed, int row, std::size_t maxLength);
// The trimmed name for source row `row`; two characters at least, since a shorter one would
// hide the source and every later one from the source list.
Result<std::string> sourceName(const Ledger& ledger, std::string_view typed, int row);

}  // namespace quorvel
