#include "export_fields.h"

#include <cstdint>

#include "review/action_list.h"

namespace quorvel {

std::string plainAmount(Money amount) {
    const std::int64_t units = amount.units();
    const std::uint64_t magnitude =
        units < 0 ? std::uint64_t(0) - static_cast<std::uint64_t>(units) : static_cast<std::uint64_t>(units);
    std::string fraction = std::to_string(magnitude % Money::kScale);
    fraction.insert(0, 4 - fraction.size(), '0');
    while (fraction.size() > 2 && fraction.back() == '0') fraction.pop_back();
    return (units < 0 ? "-" : "") + std::to_string(magnitude / Money::kScale) + "." + fraction;
}

std::string_view actionKind(std::string_view code) {
    std::string_view kind = actionTypeText(code);
    if (kind.ends_with(" -")) kind.remove_suffix(2);
    return kind;
}

}  // namespace quorvel
