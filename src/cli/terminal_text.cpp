#include "terminal_text.h"

#include "ledger/code_page.h"

namespace quorvel::cli {
namespace {

bool isControl(unsigned char c) { return c < 0x20 || c == 0x7F; }

bool isPlainAscii(std::string_view text) {
    for (unsigned char c : text) {
        if (c >= 0x80 || isControl(c)) return false;
    }
    return true;
}

void appendEscaped(std::string& out, const char* prefix, unsigned value, int digits) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    out += prefix;
    for (int shift = 4 * (digits - 1); shift >= 0; shift -= 4) out.push_back(kHex[(value >> shift) & 0xF]);
}

}  // namespace

// Converted here rather than by iconv, which loads its tables from files at run time: the
// tool stays small, starts fast and can be linked statically.
std::string toTerminal(std::string_view cp1252) {
    if (isPlainAscii(cp1252)) return std::string(cp1252);
    std::string out;
    out.reserve(cp1252.size() + cp1252.size() / 2);
    for (unsigned char byte : cp1252) {
        if (isControl(byte)) {
            appendEscaped(out, "\\x", byte, 2);
        } else {
            appendUtf8(out, cp1252ToUnicode(byte));
        }
    }
    return out;
}

std::string escapeControls(std::string_view utf8) {
    if (isPlainAscii(utf8)) return std::string(utf8);
    std::string out;
    out.reserve(utf8.size() + 8);
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto byte = static_cast<unsigned char>(utf8[i]);
        const auto next = i + 1 < utf8.size() ? static_cast<unsigned char>(utf8[i + 1]) : 0;
        if (isControl(byte)) {
            appendEscaped(out, "\\x", byte, 2);
        } else if (byte == 0xC2 && next >= 0x80 && next <= 0x9F) {
            appendEscaped(out, "\\u", next, 4);
            ++i;
        } else {
            out.push_back(static_cast<char>(byte));
        }
    }
    return out;
}

std::optional<std::string> fromTerminal(std::string_view utf8) { return utf8ToCp1252(utf8); }

}  // namespace quorvel::cli
