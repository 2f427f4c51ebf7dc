// The one reload check: what the program holds must be exactly what a fresh load of the
// month's files gives, every table included, so a change that damages any table is caught.
#pragma once

#include <gtest/gtest.h>

#include "ledger/ledger.h"

namespace quorvel::test {

// Success when loading live.CurrentFile (read-only) gives a ledger equal to `live`; else
// the tables that differ.
::testing::AssertionResult sameAsReload(const Ledger& live);

}  // namespace quorvel::test
