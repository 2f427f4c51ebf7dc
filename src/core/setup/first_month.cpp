#include "first_month.h"

#include "ledger/ledger_routines.h"
#include "ledger/rollover.h"

namespace quorvel {

Ledger firstMonth(const AnnualSetup& setup, Money cashOnHand, const std::string& path) {
    Ledger month = setup.tables();
    month.Summary[kBeginningBalance] = cashOnHand;
    month.CurrentFile = path;
    RecomputeTotals(month);
    return month;
}

Status saveFirstMonth(const Ledger& month) { return saveAsNewMonth(month); }

}  // namespace quorvel
