// The ledger's text is Windows-1252 bytes; the windows and the printout show and take Unicode.
// These convert at the edge through the core's own table, so a byte reads the same on screen,
// on paper, in the exports and on the terminal, and they refuse what the code page cannot hold
// rather than store broken bytes.
#pragma once

#include <QString>
#include <optional>
#include <string>
#include <string_view>

namespace quorvel {

// A byte without a character shows as U+FFFD.
QString fromCp1252(std::string_view bytes);
// Nothing when the text holds a character without a Windows-1252 byte (U+FFFD among them).
std::optional<std::string> toCp1252(const QString& text);

// File names are in the file system's encoding, not the ledger's.
QString fromPath(const std::string& path);
std::string toPath(const QString& path);

}  // namespace quorvel
