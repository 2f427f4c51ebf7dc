#include "code_page.h"

#include <algorithm>
#include <optional>
#include <string>

namespace quorvel {

namespace {

// 0x80..0x9F; the rest of the code page is Latin-1, byte for character.
constexpr char16_t kHighControls[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

}  // namespace

bool isCp1252Character(unsigned char byte) {
    return byte < 0x80 || byte >= 0xA0 || kHighControls[byte - 0x80] != 0;
}

char32_t cp1252ToUnicode(unsigned char byte) {
    if (byte < 0x80 || byte >= 0xA0) return byte;
    const char32_t c = kHighControls[byte - 0x80];
    return c != 0 ? c : U'\uFFFD';
}

int unicodeToCp1252(char32_t character) {
    if (character < 0x80 || (character >= 0xA0 && character <= 0xFF)) return static_cast<int>(character);
    for (int i = 0; i < 32; ++i) {
        if (kHighControls[i] == character) return 0x80 + i;
    }
    return -1;
}

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

std::string cp1252ToUtf8(std::string_view cp1252) {
    std::string out;
    out.reserve(cp1252.size() + cp1252.size() / 4);
    for (unsigned char byte : cp1252) appendUtf8(out, cp1252ToUnicode(byte));
    return out;
}

long nextUtf8Character(std::string_view text, std::size_t& i) {
    const auto byte = [&](std::size_t at) { return static_cast<unsigned char>(text[at]); };
    const unsigned char lead = byte(i);
    if (lead < 0x80) {
        ++i;
        return lead;
    }
    int length = 0;
    char32_t c = 0;
    unsigned char low = 0x80, high = 0xBF;  // the range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        c = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        c = lead & 0x0F;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        c = lead & 0x07;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
    } else {
        return -1;
    }
    if (text.size() - i < static_cast<std::size_t>(length)) return -1;
    for (int k = 1; k < length; ++k) {
        const unsigned char next = byte(i + static_cast<std::size_t>(k));
        if (k == 1 ? (next < low || next > high) : (next < 0x80 || next > 0xBF)) return -1;
        c = (c << 6) | (next & 0x3F);
    }
    i += static_cast<std::size_t>(length);
    return static_cast<long>(c);
}

std::optional<std::string> utf8ToCp1252(std::string_view utf8) {
    if (std::all_of(utf8.begin(), utf8.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
        return std::string(utf8);
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const long c = nextUtf8Character(utf8, i);
        if (c < 0) return std::nullopt;
        // Language tags carry no text and are dropped, as the C library's converter did.
        if (c >= 0xE0000 && c <= 0xE007F) continue;
        const int byte = unicodeToCp1252(static_cast<char32_t>(c));
        if (byte < 0) return std::nullopt;
        out.push_back(static_cast<char>(byte));
    }
    return out;
}

Status checkStorableText(std::string_view text, std::string_view what) {
    for (unsigned char byte : text) {
        if (byte == '"') {
            return Status::Error(std::string(what) + " may not contain a double quote (\").");
        }
        if (byte < 0x20 || byte == 0x7F) {
            return Status::Error(std::string(what) + " may not contain a line break or control character.");
        }
        if (!isCp1252Character(byte)) {
            return Status::Error(std::string(what) +
                                 " holds a character that the month file cannot store (Windows-1252 only).");
        }
    }
    return Status::Ok();
}

}  // namespace quorvel
