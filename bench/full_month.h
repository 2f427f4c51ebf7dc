// A month as full as the file format allows, for measuring loads and saves: every budget
// row, every fund row and every source row in use, ten report sections, and a journal of
// 999 records (the most the action list numbers in three digits) of every kind.
#pragma once

#include <string>
#include <vector>

#include "ledger/status.h"

namespace quorvel::bench {

inline constexpr int kFullMonthRecords = 999;
inline constexpr const char* kFullMonthName = "OCT2027.rep";

// Writes kFullMonthName and its journal into `folder` (created when missing; an earlier
// month of the same name is replaced) through the core's own routines, then loads it back
// and checks that the replayed totals match what was recorded. The output depends on
// nothing but the code: every random choice comes from a fixed seed.
// Returns the month file path.
Result<std::string> writeFullMonth(const std::string& folder);

// Twelve full months, JAN2027.rep to DEC2027.rep with their journals, in `folder`: the full
// month with every budget and opening fund balance raised by a few cents a month, so no two
// files are alike. Returns the twelve month file paths in order.
Result<std::vector<std::string>> writeFullYear(const std::string& folder);

}  // namespace quorvel::bench
