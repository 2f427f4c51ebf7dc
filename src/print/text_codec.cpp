#include "text_codec.h"

#include <QFile>

#include "ledger/code_page.h"

namespace quorvel {

QString fromCp1252(std::string_view bytes) { return QString::fromStdString(cp1252ToUtf8(bytes)); }

std::optional<std::string> toCp1252(const QString& text) {
    // A lone surrogate would reach UTF-8 as "?" and pass for one.
    if (!text.isValidUtf16()) return std::nullopt;
    return utf8ToCp1252(text.toStdString());
}

QString fromPath(const std::string& path) { return QFile::decodeName(QByteArray::fromStdString(path)); }

std::string toPath(const QString& path) { return QFile::encodeName(path).toStdString(); }

}  // namespace quorvel
