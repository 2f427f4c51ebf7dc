// Reading a bank statement file of either kind: OFX/QFX by its contents, otherwise CSV.
#pragma once

#include <optional>
#include <string>

#include "csv_statement.h"
#include "ledger/status.h"
#include "reconcile/statement.h"

namespace quorvel::statement {

// The most a statement may hold: years of daily lines stay far below it.
inline constexpr std::size_t kMaxStatementBytes = std::size_t{16} * 1024 * 1024;

enum class StatementKind { Ofx, Csv };

// `columns` is for a CSV whose header does not name its columns; an OFX file ignores it.
// Nothing is written anywhere; a damaged statement is refused with the line named.
Result<Statement> readStatement(const std::string& path,
                                const std::optional<CsvColumns>& columns = std::nullopt);

// Which kind the file is (for the window, to ask for a CSV's columns before reading it).
Result<StatementKind> statementKind(const std::string& path);
// The header of a CSV statement file.
Result<std::vector<std::string>> statementHeader(const std::string& path);

}  // namespace quorvel::statement
