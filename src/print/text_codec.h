// The ledger's text is Windows-1252 bytes; the windows show and take Unicode. These convert
// at the edge, and refuse what the code page cannot hold rather than store broken bytes.
#pragma once

#include <QString>
#include <optional>
#include <string>
#include <string_view>

namespace quorvel {

QString fromCp1252(std::string_view bytes);
// Nothing when the text holds a character without a Windows-1252 byte.
std::optional<std::string> toCp1252(const QString& text);

// File names are in the file system's encoding, not the ledger's.
QString fromPath(const std::string& path);
std::string toPath(const QString& path);

}  // namespace quorvel
