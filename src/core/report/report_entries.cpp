#include "report_entries.h"

#include <cmath>

#include "ledger/numeric_text.h"

namespace quorvel {

Money ReportEntries::accountsTotal() const {
    Money total;
    for (int k = 0; k < kReportAccounts; ++k) total += amount(k);
    return total;
}

std::string settledAmountText(std::string_view typed) {
    const std::string shown = Money::fromText(typed).format00();
    return Money::fromText(shown).isZero() ? std::string() : shown;
}

std::optional<int> copiesRequested(std::string_view text) {
    // nearbyint rounds in the default mode, to nearest with halves to even.
    const double copies = std::nearbyint(numericValue(text));
    if (!(copies >= -32768.0 && copies <= 32767.0)) return std::nullopt;
    return static_cast<int>(copies);
}

}  // namespace quorvel
