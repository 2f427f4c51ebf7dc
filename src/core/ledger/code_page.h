// The files hold text in the Windows-1252 code page, one byte per character; core strings
// carry those bytes unchanged. The windows and the command-line tool convert at their edge.
#pragma once

#include <string_view>

#include "status.h"

namespace quorvel {

// True for a byte that stands for a character in Windows-1252 (five bytes stand for none).
bool isCp1252Character(unsigned char byte);

// The Unicode character of a Windows-1252 byte; 0 for the five bytes that stand for none.
char32_t cp1252ToUnicode(unsigned char byte);

// The Windows-1252 byte of a Unicode character, or -1 when the code page lacks it.
int unicodeToCp1252(char32_t character);

// A name or title can be stored in a month file when it has no double quote (the format has
// no escape for it), no control character (it would break the line structure) and no byte
// without a character. `what` names the text in the message, e.g. "The fund name".
Status checkStorableText(std::string_view text, std::string_view what);

}  // namespace quorvel
