#include "action_record.h"

#include <algorithm>
#include <cstring>
#include <iterator>

#include "text_fields.h"

namespace quorvel {

ActionRecord ActionRecord::fromBytes(std::string_view bytes) {
    ActionRecord record;
    // A whole record, as every journal record is, is copied in one go.
    if (bytes.size() >= kRecordSize) {
        std::memcpy(record.bytes_.data(), bytes.data(), kRecordSize);
        return record;
    }
    record.place(1, bytes, kRecordSize);
    return record;
}

std::string_view ActionRecord::field(std::size_t position, std::size_t width) const {
    return slice(text(), position, width);
}

bool ActionRecord::isWellFormed() const {
    static constexpr std::string_view kCodes[] = {"BX", "DX", "DP", "DD", "TO", "TI",
                                                  "SX", "DN", "D2", "SN", "ZZ", "  "};
    return bytes_[2] == ' ' && bytes_[32] == ' ' && bytes_[33] == ' ' &&
           std::find(std::begin(kCodes), std::end(kCodes), code()) != std::end(kCodes);
}

void ActionRecord::place(std::size_t position, std::string_view value, std::size_t width) {
    const std::size_t start = position - 1;
    if (start >= kRecordSize) return;
    value = value.substr(0, std::min({width, value.size(), kRecordSize - start}));
    value.copy(bytes_.data() + start, value.size());
}

namespace {

// The largest amount whose every rendering fits the field.
constexpr Money kLargestAmount = Money::cents(9'999'999'999);

Result<std::string> fitAmount(std::string text, Money amount) {
    if (amount > kLargestAmount || amount < -kLargestAmount || text.size() > kAmountWidth) {
        return Status::Error("The amount " + std::string(trimBlanks(text)) +
                             " is too large to record (the largest is 99999999.99).");
    }
    return text;
}

}  // namespace

Result<std::string> amountAsStr(Money amount) { return fitAmount(amount.toStrText(), amount); }

Result<std::string> amountAsRight(Money amount) {
    auto text = fitAmount(amount.format00(), amount);
    if (!text) return text;
    return alignRight(*text, kAmountWidth);
}

Result<std::string> amountAsBox(std::string_view boxText) {
    return fitAmount(std::string(boxText), Money::fromText(boxText));
}

ActionRecord composeBudgetRecord(std::string_view code, std::string_view budgetNumber,
                                 std::string_view amountText, std::string_view reference) {
    ActionRecord record;
    record.place(1, code, 2);
    record.place(6, budgetNumber, 3);
    record.place(10, amountText, kAmountWidth);
    record.place(23, reference, 10);
    return record;
}

ActionRecord composeKeyedRecord(std::string_view code, std::string_view key, std::string_view amountText,
                                std::string_view reference) {
    ActionRecord record;
    record.place(1, code, 2);
    record.place(4, key, 5);
    record.place(10, amountText, kAmountWidth);
    record.place(23, reference, 10);
    return record;
}

ActionRecord composeFundCreated(std::string_view fundNumber) {
    return composeKeyedRecord("DN", fundNumber, "0.00", "transfer");
}

ActionRecord composeFundName(std::string_view name) {
    ActionRecord record;
    record.place(1, "D2", 2);
    record.place(4, trimBlanks(name), 25);
    return record;
}

ActionRecord cancelledRecord(CancelReason reason) {
    return ActionRecord::fromBytes(reason == CancelReason::Canceled ? "ZZ - action canceled -"
                                                                    : "ZZ - action deleted -");
}

}  // namespace quorvel
