// Fixed-width text helpers for list lines, records and report lines. Widths count bytes,
// which are characters of the files' single-byte code page.
#pragma once

#include <string>
#include <string_view>

namespace quorvel {

// Left-aligned in `width`: padded with blanks, or cut to its first `width` characters.
std::string padRight(std::string_view text, std::size_t width);

// Right-aligned in `width`; a longer text keeps its leftmost `width` characters.
std::string alignRight(std::string_view text, std::size_t width);

// Writes `text` into `line` from 1-based position `position`, cut to `width` characters
// (the whole text when width is 0), growing the line with blanks when it is too short.
void placeAt(std::string& line, std::size_t position, std::string_view text, std::size_t width = 0);

// Characters `position`..`position + width - 1` (1-based) of `text`, shorter at its end.
std::string_view slice(std::string_view text, std::size_t position, std::size_t width);

std::string_view trimBlanks(std::string_view text);

// The number n with at least `digits` digits, zero-padded in front ("000" format: 7 -> "007").
std::string zeroPadded(long long n, int digits);

}  // namespace quorvel
