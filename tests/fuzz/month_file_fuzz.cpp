// The month-file reader on any bytes. A file it accepts must write out (unless a name holds
// text the format cannot store), read back, and write out again to the same bytes. Totals
// recomputed from the odd ledgers it accepts may grow past what a file holds: then the
// writer must refuse them, and whatever it does write must read back.

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
    if (totalled) {
        Ledger reread;
        const Status again = parseMonthFile(*totalled, "FUZZ.rep", reread);
        FUZZ_CHECK(again.ok(), "a month written with its totals does not read back: " + again.message());
    } else if (written) {
        FUZZ_CHECK(totalled.message().find("larger than a month file can hold") != std::string::npos,
                   "the recomputed totals stop the month from being written: " + totalled.message());
    }
    return 0;
}
