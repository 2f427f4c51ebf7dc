#include "statement_text.h"

#include "ledger/code_page.h"
#include "ledger/text_fields.h"
#include "ledger/typed_amount.h"

namespace quorvel::statement {
namespace {

// The characters of a valid UTF-8 text, or nothing.
std::optional<std::u32string> decodeUtf8(std::string_view text) {
    std::u32string out;
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        int extra = c < 0x80             ? 0
                    : (c & 0xE0) == 0xC0 ? 1
                    : (c & 0xF0) == 0xE0 ? 2
                    : (c & 0xF8) == 0xF0 ? 3
                                         : -1;
        if (extra < 0 || i + static_cast<std::size_t>(extra) >= text.size() + (extra == 0))
            return std::nullopt;
        char32_t value = extra == 0 ? c : c & (0x3F >> extra);
        for (int k = 1; k <= extra; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80) return std::nullopt;
            value = (value << 6) | (next & 0x3F);
        }
        out.push_back(value);
        i += static_cast<std::size_t>(extra) + 1;
    }
    return out;
}

}  // namespace

Result<Money> parseStatementAmount(std::string_view written) {
    std::string_view text = trimBlanks(written);
    bool negative = false;
    bool signedAlready = true;
    if (text.size() >= 2 && text.front() == '(' && text.back() == ')') {
        negative = true;
        text = trimBlanks(text.substr(1, text.size() - 2));
    } else if (text.starts_with('+')) {
        text.remove_prefix(1);
    } else {
        signedAlready = false;
    }
    Money amount;
    AmountFault fault = AmountFault::NotAnAmount;
    // One sign at most: "+-5.00" and "(-5.00)" are no amounts.
    if (!signedAlready || (!text.starts_with('-') && !text.starts_with('+')))
        fault = readWrittenAmount(text, 4, amount);
    if (fault != AmountFault::None)
        return Status::Error("\"" + std::string(trimBlanks(written)) + "\" " + amountFaultText(fault, 4));
    return negative ? -amount : amount;
}

std::string descriptionText(std::string_view text) {
    std::string out;
    const auto characters = decodeUtf8(text);
    if (characters) {
        for (const char32_t c : *characters) {
            const int byte = unicodeToCp1252(c);
            out += byte < 0 ? '?' : static_cast<char>(byte);
        }
    } else {
        out = std::string(text);
    }
    for (char& c : out)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = ' ';
    return std::string(trimBlanks(out));
}

std::string lineMessage(const std::string& name, int line, const std::string& what) {
    return "line " + std::to_string(line) + " of " + name + ": " + what;
}

}  // namespace quorvel::statement
