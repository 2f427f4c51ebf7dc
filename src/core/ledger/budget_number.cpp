#include "budget_number.h"

#include <algorithm>

#include "text_fields.h"

namespace quorvel {

Result<std::string> chargeableNumber(std::string_view typed) {
    const std::string_view number = trimBlanks(typed);
    if (number.empty()) return Status::Error("Type the account number: three digits, 001 to 999.");
    const bool digits =
        number.size() <= 3 && number.find_first_not_of("0123456789") == std::string_view::npos;
    std::string padded = std::string(3 - std::min<std::size_t>(number.size(), 3), '0') + std::string(number);
    if (!digits || padded == "000") {
        return Status::Error("The account number \"" + std::string(typed) +
                             "\" cannot be charged: type three digits, 001 to 999.");
    }
    return padded;
}

}  // namespace quorvel
