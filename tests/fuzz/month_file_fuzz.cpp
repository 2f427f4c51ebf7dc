// The month-file reader on any bytes. A file it accepts must write out (unless a name holds
// text the format cannot store), read back, and write out again to the same bytes; the
// recomputed totals of the odd ledgers it accepts must not upset the writer either.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_check.h"
#include "ledger/ledger_routines.h"
#include "ledger/month_file.h"

using namespace quorvel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    Ledger ledger;
    if (!parseMonthFile(bytes, "FUZZ.rep", ledger)) return 0;

    const Result<std::string> written = composeMonthFile(ledger);
    if (written) {
        Ledger reread;
        const Status again = parseMonthFile(*written, "FUZZ.rep", reread);
        FUZZ_CHECK(again.ok(), "a written month file does not read back: " + again.message());
        const Result<std::string> rewritten = composeMonthFile(reread);
        FUZZ_CHECK(rewritten.ok(), "a month read back does not write out: " + rewritten.message());
        FUZZ_CHECK(*rewritten == *written, "a month file read back writes out other bytes");
    }

    RecomputeTotals(ledger);
    const Result<std::string> totalled = composeMonthFile(ledger);
    FUZZ_CHECK(totalled.ok() == written.ok(), "the recomputed totals change whether the month can be written");
    return 0;
}
