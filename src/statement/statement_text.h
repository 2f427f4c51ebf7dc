// Texts and amounts as statements write them, made into the core's forms.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "ledger/money.h"
#include "ledger/status.h"

namespace quorvel::statement {

// An amount as banks write it, exactly: "-1,234.50", "$12.00", "(12.50)" (negative), "+3";
// commas only between groups of three digits, at most four decimals. The message quotes the
// text and says what is wrong with it.
Result<Money> parseStatementAmount(std::string_view text);

// A description in the code page the program's texts use: valid UTF-8 is converted (a
// character Windows-1252 lacks becomes "?"), other bytes are taken as Windows-1252 already.
// Control characters become blanks and the ends are trimmed.
std::string descriptionText(std::string_view text);

// "line N of NAME: what".
std::string lineMessage(const std::string& name, int line, const std::string& what);

}  // namespace quorvel::statement
