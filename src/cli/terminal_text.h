// Text between the files' Windows-1252 code page and the UTF-8 of the terminal.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quorvel::cli {

// Bytes that have no character in the code page become U+FFFD, and control characters are
// escaped as escapeControls() does.
std::string toTerminal(std::string_view cp1252);

// Text of the terminal's own (a path, a message) with its control characters (C0, DEL and
// UTF-8 C1) written as "\x1B" or "\u009B", so a name cannot drive the terminal.
std::string escapeControls(std::string_view utf8);

// Text typed on the command line, in the code page; nothing when it is not UTF-8 or holds a
// character the code page lacks.
std::optional<std::string> fromTerminal(std::string_view utf8);

}  // namespace quorvel::cli
