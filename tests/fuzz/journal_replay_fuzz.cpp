// Any bytes as the journal beside the demo month, cut into 34-byte records as the journal
// reads them (a torn tail is not counted). The replay's row index must charge exactly the
// rows the record-by-record lookup charges, and the month must still write out and read back,
// unless the amounts have grown past what a file holds and the writer says so.
#include <vector>

#include "demo_month.h"
#include "fuzz_check.h"
#include "ledger/action_record.h"
#include "ledger/ledger_routines.h"
#include "ledger/month_file.h"
#include "ledger/replay.h"

using namespace quorvel;

namespace {

const Ledger& demoMonth() {
    static const Ledger month = [] {
        Ledger ledger;
        const Status read =
            parseMonthFile(std::string(kDemoMonthBytes, sizeof kDemoMonthBytes), "DEC2026.rep", ledger);
        FUZZ_CHECK(read.ok(), "the demo month does not read: " + read.message());
        return ledger;
    }();
    return month;
}

// The tables a replay may change; the names and numbers it only reads.
bool sameAmounts(const Ledger& a, const Ledger& b) {
    return a.BudgetAmount == b.BudgetAmount && a.DesigAmount == b.DesigAmount &&
           a.SourceAmount == b.SourceAmount && a.Summary == b.Summary && a.TransferAcct == b.TransferAcct &&
           a.TransferAmount == b.TransferAmount;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::vector<ActionRecord> records;
    records.reserve(size / kRecordSize);
    for (std::size_t at = 0; at + kRecordSize <= bytes.size(); at += kRecordSize)
        records.push_back(ActionRecord::fromBytes(bytes.substr(at, kRecordSize)));

    Ledger replayed = demoMonth();
    replayJournal(replayed, records);
    Ledger oneByOne = demoMonth();
    for (const ActionRecord& record : records) applyRecord(oneByOne, record);
    FUZZ_CHECK(sameAmounts(replayed, oneByOne), "replaying the journal and applying each record disagree");

    RecomputeTotals(replayed);
    const Result<std::string> written = composeMonthFile(replayed);
    if (!written) {
        FUZZ_CHECK(written.message().find("larger than a month file can hold") != std::string::npos,
                   "the replayed demo month does not write out: " + written.message());
        return 0;
    }
    Ledger reread;
    const Status again = parseMonthFile(*written, "FUZZ.rep", reread);
    FUZZ_CHECK(again.ok(), "the replayed demo month does not read back: " + again.message());
    return 0;
}
