// One action of the month: a 34-byte journal record.
//
//   1-2 type code, 4-8 account key (budget numbers stand in 6-8), 10-21 amount text,
//   23-32 reference, every other position a blank.
//
// Each kind renders its amount its own way (see the compose functions); the reader takes
// the numeric value of positions 10-21 whatever the rendering.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "money.h"
#include "status.h"

namespace quorvel {

inline constexpr std::size_t kRecordSize = 34;
inline constexpr std::size_t kAmountWidth = 12;

class ActionRecord {
public:
    ActionRecord() { bytes_.fill(' '); }
    // The first 34 bytes of `bytes`, padded with blanks.
    static ActionRecord fromBytes(std::string_view bytes);

    std::string_view text() const { return {bytes_.data(), bytes_.size()}; }
    std::string_view code() const { return text().substr(0, 2); }
    std::string_view field(std::size_t position, std::size_t width) const;
    // Overwrites from `position`, cut to `width`; the rest of the field keeps its bytes.
    void place(std::size_t position, std::string_view value, std::size_t width);
    void blank(std::size_t position, std::size_t width) { place(position, std::string(width, ' '), width); }

    // The fixed fields, read in place: a load reads them for every record of the month.
    std::string_view accountKey() const { return text().substr(3, 5); }
    std::string_view budgetNumber() const { return text().substr(5, 3); }
    std::string_view amountText() const { return text().substr(9, kAmountWidth); }
    std::string_view reference() const { return text().substr(22, 10); }
    Money amount() const { return Money::fromText(amountText()); }
    // Laid out as every writer lays a record out: a known type code (or blanks) in 1-2 and
    // blanks in 3 and 33-34. A journal shifted by a lost or added byte fails this at once.
    bool isWellFormed() const;

    bool operator==(const ActionRecord&) const = default;

private:
    std::array<char, kRecordSize> bytes_;
};

// Amount renderings. Each refuses an amount whose text would not fit the 12-character
// field (beyond about 99,999,999.99): a cut amount would silently record another sum.
Result<std::string> amountAsStr(Money amount);              // " 12.5"
Result<std::string> amountAsRight(Money amount);            // "       12.50"
Result<std::string> amountAsBox(std::string_view boxText);  // the box's text as it stands

// Budget actions ("BX", "TO"): the account number in 6-8.
ActionRecord composeBudgetRecord(std::string_view code, std::string_view budgetNumber,
                                 std::string_view amountText, std::string_view reference);
// Fund, source and deposit actions ("DX", "DD", "TI", "SX", "DP"): the key in 4-8.
ActionRecord composeKeyedRecord(std::string_view code, std::string_view key, std::string_view amountText,
                                std::string_view reference);
// "DN": a fund created during a transfer; "0.00" as amount and "transfer" as reference.
ActionRecord composeFundCreated(std::string_view fundNumber);
// "D2": the name of the fund announced by the "DN" before it, trimmed, in 4-28.
ActionRecord composeFundName(std::string_view name);

enum class CancelReason { Canceled, Deleted };
// The whole record replaced by "ZZ - action canceled -" or "ZZ - action deleted -".
ActionRecord cancelledRecord(CancelReason reason);

}  // namespace quorvel
