// Statements in OFX or QFX, read with libofx. The closing balance is the statement's ledger
// balance. libofx hands amounts over as binary fractions, so each amount is also read
// exactly from its own text in the file, and the two must agree; that text's line names a
// damaged transaction.
#pragma once

#include <string>

#include "ledger/status.h"
#include "reconcile/statement.h"

namespace quorvel::statement {

// True when the bytes begin as an OFX file (an OFX header or an <OFX> element).
bool looksLikeOfx(std::string_view bytes);

// `path` is the file libofx reads; `bytes` its contents; `name` names it in messages.
Result<Statement> readOfxStatement(const std::string& path, std::string_view bytes, const std::string& name);

}  // namespace quorvel::statement
