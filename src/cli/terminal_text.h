// Text from the files' Windows-1252 code page, converted for a UTF-8 terminal.
#pragma once

#include <string>
#include <string_view>

namespace quorvel::cli {

// Bytes that have no character in the code page become "?".
std::string toTerminal(std::string_view cp1252);

}  // namespace quorvel::cli
