// The files hold text in the Windows-1252 code page, one byte per character; core strings
// carry those bytes unchanged. The windows and the command-line tool convert at their edge.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "status.h"

namespace quorvel {

// True for a byte that stands for a character in Windows-1252 (five bytes stand for none).
bool isCp1252Character(unsigned char byte);

// The Unicode character of a Windows-1252 byte; U+FFFD for the five bytes that stand for none,
// so the windows, the printout, the exports and the terminal all show them alike.
char32_t cp1252ToUnicode(unsigned char byte);

// The Windows-1252 byte of a Unicode character, or -1 when the code page lacks it.
int unicodeToCp1252(char32_t character);

// `character` appended to `out` as UTF-8 (a code-page character needs at most three bytes).
void appendUtf8(std::string& out, char32_t character);

// Code-page text as UTF-8; a byte without a character becomes U+FFFD.
std::string cp1252ToUtf8(std::string_view cp1252);

// The next character of well-formed UTF-8 at `i` (which it advances past it), or -1 for a
// malformed, overlong or surrogate sequence, or one cut short by the end of the text.
long nextUtf8Character(std::string_view text, std::size_t& i);

// UTF-8 text (typed on a command line, a user's name) in the code page; nothing when it is
// not UTF-8 or holds a character the code page lacks.
std::optional<std::string> utf8ToCp1252(std::string_view utf8);

// A name or title can be stored in a month file when it has no double quote (the format has
// no escape for it), no control character (it would break the line structure) and no byte
// without a character. `what` names the text in the message, e.g. "The fund name".
Status checkStorableText(std::string_view text, std::string_view what);

}  // namespace quorvel
