// An audit trail line on any bytes: read as an entry or refused, never more. An entry read
// is written as one line again, and that line reads back as the same entry.

#include "fuzz_check.h"
#include "ledger/audit_trail.h"

using namespace quorvel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto entry = parseAuditLine(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!entry) return 0;
    const std::string line = composeAuditLine(*entry);
    FUZZ_CHECK(line.find_first_of("\r\n") == std::string::npos, "a written entry spans lines");
    FUZZ_CHECK(parseAuditLine(line) == entry, "an entry does not read back as written");
    return 0;
}
