#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "ledger/code_page.h"
#include "ledger/text_fields.h"

namespace quorvel {
namespace {

// The five bytes without a character read as U+FFFD wherever text is shown, and neither that
// nor the C1 control of the same number turns back into them; their neighbours round-trip.
TEST(CodePage, BytesWithoutACharacterShowAsReplacementAndNeverComeBack) {
    const std::tuple<unsigned char, const char*, bool> cases[] = {
        {0x80, "\xE2\x82\xAC", true},  {0x81, "\xEF\xBF\xBD", false}, {0x8D, "\xEF\xBF\xBD", false},
        {0x8F, "\xEF\xBF\xBD", false}, {0x90, "\xEF\xBF\xBD", false}, {0x9D, "\xEF\xBF\xBD", false},
        {0x9F, "\xC5\xB8", true},
    };
    for (const auto& [code, utf8, character] : cases) {
        const std::string byte(1, static_cast<char>(code));
        std::string control;
        appendUtf8(control, code);
        EXPECT_EQ(isCp1252Character(code), character) << int(code);
        EXPECT_EQ(cp1252ToUtf8(byte), utf8) << int(code);
        EXPECT_EQ(utf8ToCp1252(utf8), character ? std::optional(byte) : std::nullopt) << int(code);
        EXPECT_EQ(utf8ToCp1252(control), std::nullopt) << int(code);
    }
    // A NUL is a character like any other, also beside text that needs converting.
    EXPECT_EQ(utf8ToCp1252(std::string("\0\xC3\xA9", 3)), std::string("\0\xE9", 2));
}

// Zero has no sign, and a sign goes in front of the padding; fund numbers start from 0.
TEST(TextFields, ZeroPaddedSignsOnlyNegativesAndNeverCuts) {
    const std::tuple<long long, int, const char*> cases[] = {
        {0, 5, "00000"}, {7, 3, "007"}, {-7, 3, "-007"}, {12345, 3, "12345"}, {29999, 5, "29999"}};
    for (const auto& [n, digits, shown] : cases) EXPECT_EQ(zeroPadded(n, digits), shown) << n;
}

}  // namespace
}  // namespace quorvel
