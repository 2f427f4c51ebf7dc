// The month's tables as CSV for spreadsheets and auditors: RFC 4180 (CR LF line ends, a
// field holding a comma, a quote, CR or LF in quotes, quotes doubled), UTF-8, a header row.
// Every figure is the one the ledger or the review already computed; nothing is summed here.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "ledger/action_record.h"
#include "ledger/ledger.h"

namespace quorvel {

enum class CsvTable { Actions, Budget, Funds, Sources };

// One row per action the action list shows, numbered as there (cancelled ones marked, with
// nothing else left to show), per budget account of the report's budget table, per fund and
// per source. Expects totals recomputed, as a loaded month has them.
std::string csvTable(const Ledger& ledger, const std::vector<ActionRecord>& records, CsvTable table);

// One field: code-page text in UTF-8, quoted where RFC 4180 needs it; text a spreadsheet would
// take for a formula (=, +, -, @, tab or CR first, other than a plain number) starts with '.
std::string csvField(std::string_view cp1252);

}  // namespace quorvel
