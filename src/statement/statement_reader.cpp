#include "statement_reader.h"

#include <filesystem>

#include "ledger/file_io.h"
#include "ofx_statement.h"

namespace quorvel::statement {
namespace {

std::string shownName(const std::string& path) { return std::filesystem::path(path).filename().string(); }

}  // namespace

Result<StatementKind> statementKind(const std::string& path) {
    auto bytes = readWholeFile(path, kMaxStatementBytes);
    if (!bytes) return bytes.status();
    return looksLikeOfx(*bytes) ? StatementKind::Ofx : StatementKind::Csv;
}

Result<std::vector<std::string>> statementHeader(const std::string& path) {
    auto bytes = readWholeFile(path, kMaxStatementBytes);
    if (!bytes) return bytes.status();
    return csvHeader(*bytes, shownName(path));
}

Result<Statement> readStatement(const std::string& path, const std::optional<CsvColumns>& columns) {
    auto bytes = readWholeFile(path, kMaxStatementBytes);
    if (!bytes) return bytes.status();
    if (looksLikeOfx(*bytes)) return readOfxStatement(path, *bytes, shownName(path));
    return readCsvStatement(*bytes, shownName(path), columns);
}

}  // namespace quorvel::statement
