// The list of the month's actions ("View/Adjust Action"): a title line, then one 90-character
// line per listed journal record, optionally only the cash actions or the actions of one key.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "ledger/action_record.h"
#include "ledger/ledger.h"

namespace quorvel {

inline constexpr const char* kActionListTitle = "                - Actions Taken for This Report -";

struct ActionListFilter {
    bool cashOnly = false;  // budget and designated expenditures and deposits only
    // Five characters: two blanks and a budget number, a fund number or a source id.
    std::optional<std::string> key;
};

struct ActionList {
    std::vector<std::string> lines;           // lines[0] is the title
    std::vector<std::int64_t> recordNumbers;  // per line; 0 for the title
};

// The type text of a listed code ("Budget Expenditure", ...), or empty for codes never listed.
std::string_view actionTypeText(std::string_view code);

// The name of the account, fund or source a record names, as its list line shows it; empty
// for a record that names none or an account no longer there.
std::string_view actionAccountName(const Ledger& ledger, const ActionRecord& record);

// The list line of record `number`, or nothing for a code that is never listed.
std::optional<std::string> actionListLine(const Ledger& ledger, const ActionRecord& record,
                                          std::int64_t number);

ActionList actionListLines(const Ledger& ledger, const std::vector<ActionRecord>& records,
                           const ActionListFilter& filter = {});

}  // namespace quorvel
