// The first month file of a year set up from nothing, written with an empty journal.
#pragma once

#include <string>

#include "annual_setup.h"

namespace quorvel {

// The month as the setup leaves it: the entries, the cash on hand as beginning balance,
// totals recomputed, CurrentFile = `path`.
Ledger firstMonth(const AnnualSetup& setup, Money cashOnHand, const std::string& path);

// Writes `month` as month.CurrentFile and creates its empty journal. A journal of that name
// that holds records is moved aside to a backup first (never deleted), since its records
// would otherwise be replayed into the new year. On failure the reason is returned and a
// journal moved aside is put back.
Status saveFirstMonth(const Ledger& month);

}  // namespace quorvel
