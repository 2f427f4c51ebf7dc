// The order of the designated funds. A fund's row is its place in every list of funds and
// on the report; its number, the journal's key for it, travels with it, so moving funds
// never touches the journal.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "ledger/journal.h"
#include "ledger/ledger.h"
#include "ledger/status.h"

namespace quorvel {

enum class FundMove { ToTop, UpOne, DownOne, ToBottom };

inline constexpr const char* kFundOrderTitle = "     - ordered list of designated funds -";

// Moves fund `row` (name, number and amounts together) within rows 1..DesigCount and returns
// its new row. A move beyond the first or last place changes nothing.
int moveFund(Ledger& ledger, int row, FundMove move);

// The title, then rows 1..DesigCount as "row   name" (line i is row i).
std::vector<std::string> fundOrderLines(const Ledger& ledger);

// The fifteen rows (fewer at the ends) around fund `row`, which is set off ten columns to
// the left of the others.
struct FundPlaceView {
    int first = 0;
    int last = 0;
    std::vector<std::string> lines;
};
FundPlaceView fundPlaceView(const Ledger& ledger, int row);

// Saves the fund tables of `edited` (names, numbers, amounts) with the rest of the loaded
// month and reloads it, audited as `command`; when the save fails the loaded month stays as it was.
Status saveFunds(Ledger& ledger, Journal& journal, const Ledger& edited,
                 std::string_view command = "Reorder designated funds");

}  // namespace quorvel
