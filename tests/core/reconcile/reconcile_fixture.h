// One small month and its statement, shared by the reconciliation tests: three cheques, two
// deposits of the same amount a week apart, an automatic payment, and a November cheque
// carried over, against a statement that also holds a fee and interest.
#pragma once

#include <string>
#include <vector>

#include "reconcile/reconciliation_file.h"

namespace quorvel::test {

std::vector<ActionRecord> kMonthRecords();
std::vector<BookItem> monthItems(const std::vector<ActionRecord>& records = kMonthRecords());
Statement handStatement();

}  // namespace quorvel::test
