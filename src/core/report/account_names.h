// accounts.dat: the names of the report's accounts kept from one use of the program to the
// next. One quoted name per line (CR LF), only names longer than two characters, in the order
// of the boxes; the amounts are never kept. Beside it, titles.dat keeps the report's three
// title lines the same way, one line each, empty ones too.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "ledger/status.h"
#include "report_entries.h"

namespace quorvel {

using AccountNames = std::array<std::string, kReportAccounts>;

// The names for the five boxes, read field by field as the window opens them. Reading stops
// at the first field that is missing or damaged (a quote left open at the line end); the
// boxes filled so far keep their names. A field of two characters or fewer leaves its box
// empty. A quoted field ends at the next quote; the rest of its line is dropped. Any bytes
// are accepted.
AccountNames parseAccountNames(std::string_view bytes);

// Reads `path`; a missing, unreadable or oversized file gives empty names.
AccountNames loadAccountNames(const std::string& path);

std::string composeAccountNames(const AccountNames& names);

// Writes `path` safely, creating its folder when needed.
Status saveAccountNames(const std::string& path, const AccountNames& names);

using ReportTitles = std::array<std::string, kReportTitles>;

// The title lines kept; nothing when there is no file to read. A line the file lacks is empty.
std::optional<ReportTitles> loadReportTitles(const std::string& path);
std::string composeReportTitles(const ReportTitles& titles);
Status saveReportTitles(const std::string& path, const ReportTitles& titles);

}  // namespace quorvel
